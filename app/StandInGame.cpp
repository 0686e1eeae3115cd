#include "app/StandInGame.h"

#include "Libs/Platform.h"
#include "app/StandInMenuSystem.h"

namespace {
constexpr int KeyEscape = 1;
} // namespace

void StandInGame::setup(StandInMenuSystem& menus) {
    directX = menus.directX;
    input = menus.input;
}

void StandInGame::start() {}

int StandInGame::frame(uint32_t elapsed) {
    played += elapsed;
    // One row of 32 pixels a second, from the top to the bottom and again.
    int y = static_cast<int>(played / 1000 % 24) * 32;
    Rect block{496, y, 528, y + 32};
    directX->Clear(0xFF3060C0, &block);
    directX->DrawText(0, 20, "Escape: Men\xFC", nullptr, 0xFF404040, 1, 1024, 30, 1);
    while (input->ReadKey(0, 0, 0))
        if (input->event.offset == KeyEscape) return 1;
    return 0;
}
