#pragma once
#include <cstdint>

// The one random generator of the whole program: every piece, particle, look-ahead spawn and
// random background draws from it, so a seed fixes a whole game.
namespace Random {

// state := state x 214013 + 2531011 (mod 2^32); a draw is bits 16 to 30 of the new state.
int Draw();
void Seed(uint32_t seed);
uint32_t State();

} // namespace Random
