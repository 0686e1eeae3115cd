// Lines of DirectXLib: anti-aliased, of any width, solid or patterned, drawn straight into the
// back buffer.
#include "Libs/DirectXLib.h"

#include <SDL.h>

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

void DirectXLib::DrawLine(int x1, int y1, int x2, int y2, uint32_t colour, float width,
                          uint32_t pattern, float scale) {
    if (!frame || (colour >> 24) == 0) return;
    if (pattern == 0) pattern = 0xFFFFFFFFu;
    float step = scale > 0.0f ? scale : 1.0f;
    float half = std::max(width, 1.0f) * 0.5f;

    // Pixel centres are at +0.5; the line runs between the two points' pixel centres.
    float ax = x1 + 0.5f, ay = y1 + 0.5f, bx = x2 + 0.5f, by = y2 + 0.5f;
    float dx = bx - ax, dy = by - ay;
    float length = std::sqrt(dx * dx + dy * dy);
    float ux = length > 0.0f ? dx / length : 1.0f, uy = length > 0.0f ? dy / length : 0.0f;
    float reach = half + 1.0f;

    int left = std::max(int(std::floor(std::min(ax, bx) - reach)), 0);
    int right = std::min(int(std::ceil(std::max(ax, bx) + reach)), frame->w);
    int top = std::max(int(std::floor(std::min(ay, by) - reach)), 0);
    int bottom = std::min(int(std::ceil(std::max(ay, by) + reach)), frame->h);
    if (left >= right || top >= bottom) return;

    SDL_RenderFlush(device); // what was queued before the line goes first
    for (int py = top; py < bottom; ++py) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(frame->pixels) +
                                                    size_t(py) * frame->pitch);
        float cy = py + 0.5f - ay;
        // Only the columns near the line: |(x - ax) * -uy + cy * ux| <= reach.
        int from = left, to = right;
        if (std::fabs(uy) > 1e-3f) {
            float xa = ax + (cy * ux - reach) / uy, xb = ax + (cy * ux + reach) / uy;
            from = std::max(from, int(std::floor(std::min(xa, xb))));
            to = std::min(to, int(std::ceil(std::max(xa, xb))) + 1);
        }
        for (int px = from; px < to; ++px) {
            float cx = px + 0.5f - ax;
            float along = std::clamp(cx * ux + cy * uy, 0.0f, length);
            float ox = cx - along * ux, oy = cy - along * uy;
            float coverage = std::min(1.0f, half + 0.5f - std::sqrt(ox * ox + oy * oy));
            if (coverage <= 0.0f) continue;
            // Each bit of the pattern, lowest first, covers `scale` pixels; 0 bits are gaps.
            int bit = int(along / step) % 32;
            if (!(pattern >> bit & 1u)) continue;
            row[px] = Cover(row[px], colour, coverage);
        }
    }
}
