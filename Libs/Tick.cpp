#include "Libs/Tick.h"

#include <chrono>

namespace {
TickSource tickSource = nullptr;
const auto startTime = std::chrono::steady_clock::now();
} // namespace

uint32_t GetTickCount() {
    if (tickSource) return tickSource();
    auto elapsed = std::chrono::steady_clock::now() - startTime;
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void SetTickSource(TickSource source) { tickSource = source; }
