#include "game/Random.h"

namespace {
uint32_t state = 1;
}

namespace Random {

int Draw() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

void Seed(uint32_t seed) { state = seed; }

uint32_t State() { return state; }

} // namespace Random
