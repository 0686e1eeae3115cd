#include "tests/support/FrameAccess.h"

#include <SDL.h>

uint32_t ReadPixel(DirectXLib& dx, int x, int y) {
    SDL_Surface* frame = dx.frame;
    if (!frame || x < 0 || y < 0 || x >= frame->w || y >= frame->h) return 0;
    dx.FlushFrame();
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(frame->pixels) +
                                                        size_t(y) * frame->pitch);
    return row[x] | 0xFF000000u;
}

void SimulateDeviceReset(DirectXLib& dx) {
    (void)dx; // the platform's event watch sees the event as it is queued
    SDL_Event event{};
    event.type = SDL_RENDER_DEVICE_RESET;
    SDL_PushEvent(&event);
}

ShownPicture ReadShownPicture(DirectXLib& dx) {
    ShownPicture shown;
    SDL_Surface* surface = dx.window ? SDL_GetWindowSurface(dx.window) : nullptr;
    if (!surface) return shown;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGB888, 0);
    if (!rgb) return shown;
    shown.w = rgb->w;
    shown.h = rgb->h;
    for (int y = 0; y < rgb->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(rgb->pixels) + size_t(y) * rgb->pitch);
        for (int x = 0; x < rgb->w; ++x) shown.pixels.push_back(row[x] & 0xFFFFFFu);
    }
    SDL_FreeSurface(rgb);
    return shown;
}
