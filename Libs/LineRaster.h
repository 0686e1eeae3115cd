#pragma once
#include "Libs/QuadCompositor.h"
#include "Libs/Rect.h"

#include <cstdint>

// An anti-aliased line between two pixel centres, of any width, solid or patterned.
struct LineShape {
    float ax = 0, ay = 0, bx = 0, by = 0; // end points at pixel centres
    float half = 0.5f;                    // half the width
    float step = 1.0f;                    // pixels per pattern bit
    uint32_t colour = 0;                  // ARGB
    uint32_t pattern = 0xFFFFFFFFu;       // on/off bits along the line, lowest first
};

LineShape MakeLine(int x1, int y1, int x2, int y2, uint32_t colour, float width, uint32_t pattern,
                   float scale);
// The pixels the line may touch (before clipping to any picture).
Rect LineBounds(const LineShape& line);
// Draws the line into the target, only inside `clip`; every pixel depends on its own position
// alone, so a line drawn in bands is the line drawn whole.
void PaintLine(PixelBlock& target, const LineShape& line, const Rect& clip);
