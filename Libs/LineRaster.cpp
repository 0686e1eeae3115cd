#include "Libs/LineRaster.h"

#include <algorithm>
#include <cmath>

namespace {

// c * coverage (0..1) onto one pixel, normal blending.
inline uint32_t Cover(uint32_t dst, uint32_t colour, float coverage) {
    uint32_t a = uint32_t(float(colour >> 24) * coverage + 0.5f);
    if (a == 0) return dst;
    uint32_t keep = 255 - a;
    auto mix = [&](int shift) {
        uint32_t s = colour >> shift & 0xFF, d = dst >> shift & 0xFF;
        return ((s * a + d * keep + 127) / 255) << shift;
    };
    uint32_t da = a + ((dst >> 24) * keep + 127) / 255;
    return da << 24 | mix(16) | mix(8) | mix(0);
}

} // namespace

LineShape MakeLine(int x1, int y1, int x2, int y2, uint32_t colour, float width, uint32_t pattern,
                   float scale) {
    LineShape line;
    // Pixel centres are at +0.5; the line runs between the two points' pixel centres.
    line.ax = x1 + 0.5f;
    line.ay = y1 + 0.5f;
    line.bx = x2 + 0.5f;
    line.by = y2 + 0.5f;
    line.half = std::max(width, 1.0f) * 0.5f;
    line.step = scale > 0.0f ? scale : 1.0f;
    line.colour = colour;
    line.pattern = pattern == 0 ? 0xFFFFFFFFu : pattern;
    return line;
}

Rect LineBounds(const LineShape& l) {
    float reach = l.half + 1.0f;
    return Rect{int(std::floor(std::min(l.ax, l.bx) - reach)),
                int(std::floor(std::min(l.ay, l.by) - reach)),
                int(std::ceil(std::max(l.ax, l.bx) + reach)),
                int(std::ceil(std::max(l.ay, l.by) + reach))};
}

void PaintLine(PixelBlock& target, const LineShape& l, const Rect& clip) {
    if ((l.colour >> 24) == 0) return;
    float dx = l.bx - l.ax, dy = l.by - l.ay;
    float length = std::sqrt(dx * dx + dy * dy);
    float ux = length > 0.0f ? dx / length : 1.0f, uy = length > 0.0f ? dy / length : 0.0f;
    float reach = l.half + 1.0f;

    const Rect bounds = LineBounds(l);
    int left = std::max({bounds.left, clip.left, 0});
    int right = std::min({bounds.right, clip.right, target.width});
    int top = std::max({bounds.top, clip.top, 0});
    int bottom = std::min({bounds.bottom, clip.bottom, target.height});
    if (left >= right || top >= bottom) return;

    for (int py = top; py < bottom; ++py) {
        uint32_t* row = target.pixels + size_t(py) * target.pitch;
        float cy = py + 0.5f - l.ay;
        // Only the columns near the line: |(x - ax) * -uy + cy * ux| <= reach.
        int from = left, to = right;
        if (std::fabs(uy) > 1e-3f) {
            float xa = l.ax + (cy * ux - reach) / uy, xb = l.ax + (cy * ux + reach) / uy;
            from = std::max(from, int(std::floor(std::min(xa, xb))));
            to = std::min(to, int(std::ceil(std::max(xa, xb))) + 1);
        }
        for (int px = from; px < to; ++px) {
            float cx = px + 0.5f - l.ax;
            float along = std::clamp(cx * ux + cy * uy, 0.0f, length);
            float ox = cx - along * ux, oy = cy - along * uy;
            float coverage = std::min(1.0f, l.half + 0.5f - std::sqrt(ox * ox + oy * oy));
            if (coverage <= 0.0f) continue;
            // Each bit of the pattern, lowest first, covers `step` pixels; 0 bits are gaps.
            int bit = int(along / l.step) % 32;
            if (!(l.pattern >> bit & 1u)) continue;
            row[px] = Cover(row[px], l.colour, coverage);
        }
    }
}
