#include "app/StandInMenuSystem.h"

#include "Libs/Platform.h"

#include <string>

namespace {
constexpr int KeyEscape = 1;
constexpr int KeyReturn = 28;
} // namespace

void StandInMenuSystem::build(DirectXLib& newDirectX, InputLib& newInput) {
    directX = &newDirectX;
    input = &newInput;
}

int StandInMenuSystem::update(uint32_t elapsed) {
    shownFor += elapsed;
    directX->DrawText(0, 300, "brixel", nullptr, 0xFF202020, 1, 1024, 60, 2);
    directX->DrawText(0, 380, "Eingabe: Spiel  \x96  Escape: Ende", nullptr, 0xFF606060, 1, 1024,
                      30, 2);
    directX->DrawText(0, 420, std::to_string(shownFor / 1000) + " s", nullptr, 0xFF909090, 1, 1024,
                      30, 2);
    while (input->ReadMouse(0, 1, 1)) {
    }
    while (input->ReadKey(0, 0, 0)) {
        if (input->event.offset == KeyEscape) directX->windowState = DirectXLib::Closed;
        if (input->event.offset == KeyReturn) return 0;
    }
    return 1;
}
