#pragma once
#include <cstdint>

// The millisecond tick count that caret blinking, scroll-bar and key repeat, screenshots and the
// frame loop read. Tests replace the source to drive time by hand.
uint32_t GetTickCount();

using TickSource = uint32_t (*)();
// nullptr restores the real clock (milliseconds since the program started).
void SetTickSource(TickSource source);
