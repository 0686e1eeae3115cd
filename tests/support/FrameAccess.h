#pragma once
#include "Libs/DirectXLib.h"

#include <cstdint>
#include <vector>

// What tests look at in the platform object and do to it; the game itself never needs these.

// One back-buffer pixel as ARGB (alpha always 0xFF), after everything drawn so far; 0 outside.
uint32_t ReadPixel(DirectXLib& dx, int x, int y);
// A renderer reset as the system reports one: the next EndFrame gives 0 and RestoreDevice
// re-creates the way to the screen.
void SimulateDeviceReset(DirectXLib& dx);

// What the window shows after the last presented frame, as 0xRRGGBB rows of w pixels; empty
// where the window has no surface to read (drivers that present elsewhere).
struct ShownPicture {
    int w = 0, h = 0;
    std::vector<uint32_t> pixels;
};
ShownPicture ReadShownPicture(DirectXLib& dx);
