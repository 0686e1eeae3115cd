// Lines of DirectXLib: solid or patterned, of any width.
#include "Libs/DirectXLib.h"

#include <SDL.h>

#include <cmath>

namespace {

// One piece of a line as two triangles, width pixels across.
void DrawBand(SDL_Renderer* device, float x1, float y1, float x2, float y2, float width,
              SDL_Color colour) {
    float dx = x2 - x1, dy = y2 - y1;
    float length = std::sqrt(dx * dx + dy * dy);
    if (length <= 0.0f) return;
    float nx = -dy / length * width * 0.5f, ny = dx / length * width * 0.5f;
    SDL_Vertex v[4] = {
        {{x1 + nx, y1 + ny}, colour, {0, 0}},
        {{x2 + nx, y2 + ny}, colour, {0, 0}},
        {{x2 - nx, y2 - ny}, colour, {0, 0}},
        {{x1 - nx, y1 - ny}, colour, {0, 0}},
    };
    const int indices[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(device, nullptr, v, 4, indices, 6);
}

} // namespace

void DirectXLib::DrawLine(int x1, int y1, int x2, int y2, uint32_t colour, float width,
                          uint32_t pattern, float scale) {
    if (!device) return;
    SDL_Color c{Uint8(colour >> 16), Uint8(colour >> 8), Uint8(colour), Uint8(colour >> 24)};
    SDL_SetRenderDrawBlendMode(device, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(device, c.r, c.g, c.b, c.a);
    if (pattern == 0) pattern = 0xFFFFFFFFu;
    bool thin = width <= 1.5f;

    float fx1 = float(x1), fy1 = float(y1), fx2 = float(x2), fy2 = float(y2);
    if (pattern == 0xFFFFFFFFu) {
        if (thin)
            SDL_RenderDrawLineF(device, fx1, fy1, fx2, fy2);
        else
            DrawBand(device, fx1, fy1, fx2, fy2, width, c);
        return;
    }
    // Each bit of the pattern, lowest first, covers `scale` pixels of the line; 1 is drawn.
    float dx = fx2 - fx1, dy = fy2 - fy1;
    float length = std::sqrt(dx * dx + dy * dy);
    float step = scale > 0.0f ? scale : 1.0f;
    if (length <= 0.0f) return;
    int bit = 0;
    for (float along = 0.0f; along < length; along += step, bit = (bit + 1) % 32) {
        if (!(pattern >> bit & 1u)) continue;
        float end = std::fmin(along + step, length);
        float ax = fx1 + dx * along / length, ay = fy1 + dy * along / length;
        float bx = fx1 + dx * end / length, by = fy1 + dy * end / length;
        if (thin)
            SDL_RenderDrawLineF(device, ax, ay, bx, by);
        else
            DrawBand(device, ax, ay, bx, by, width, c);
    }
}
