#pragma once
#include <cstdint>

// A rectangle in back-buffer pixels: left and top inside, right and bottom just outside.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
