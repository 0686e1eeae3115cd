#pragma once
#include "Libs/Rect.h"

#include <cstdint>

// A block of ARGB pixels in memory: `height` rows of `pitch` pixels, `width` of them used.
struct PixelBlock {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    bool opaque = false; // every texel's alpha is 255: a plain quad of it hides what is below
};

// Whether every texel of the image has alpha 255.
bool EveryTexelOpaque(const PixelBlock& image);

// Makes an image's pixels premultiplied (colour times alpha), the form CompositeQuad reads.
void PremultiplyAlpha(PixelBlock& image);

// The pixels a quad's row blends at once: 8 where the processor has AVX2, 4 with SSE2, else 1.
// Every width gives the same pixels. ForceBlendWidth(w) makes it at most w (1, 4 or 8; 0 gives
// the choice back to the processor), so tests can hold the widths against each other.
int BlendWidth();
void ForceBlendWidth(int width);

// Draws the source rectangle of a premultiplied image as the quad (x, y, w, h) into the target,
// texel for nearest texel: the image's colour and alpha are multiplied by `colour` (ARGB), mixed
// with the target by alpha (normal) or added to it, alpha-weighted and saturating (additive).
// rotation is in quarter turns counter-clockwise about the quad's centre. Texels outside the
// image repeat its edge. The target's alpha byte follows the usual "over" rule. Only pixels
// inside `clip` (target coordinates) change; the rest of the quad is left as if drawn elsewhere,
// so a quad drawn in bands comes out as the quad drawn whole.
void CompositeQuad(PixelBlock& target, const PixelBlock& image, const Rect& source, int x, int y,
                   int w, int h, uint32_t colour, float rotation, bool additive, const Rect& clip);
void CompositeQuad(PixelBlock& target, const PixelBlock& image, const Rect& source, int x, int y,
                   int w, int h, uint32_t colour, float rotation, bool additive);
