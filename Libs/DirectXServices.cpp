// The frame-rate text and screenshots of DirectXLib.
#include "Libs/DirectXLib.h"

#include "Libs/DataFolder.h"
#include "Libs/Tick.h"
#include "Libs/Win1252.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <filesystem>

void DirectXLib::UpdateFrameRate(int64_t counterNow) {
    frameCounter += 1;
    if (frameCounter != 10) return;
    frameCounter = 0;
    int64_t span = counterNow - lastCounter;
    if (span <= 0) span = 1;
    double rate = double(timerFrequency) * 10.0 / double(span);
    lastCounter = counterNow;
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", rate);
    frameRateText = text;
}

void DirectXLib::DrawFrameRate() {
    UpdateFrameRate(static_cast<int64_t>(SDL_GetPerformanceCounter()));
    DrawText(6, 6, frameRateText, &defaultFont, 0xA0000000u, 0, 0, 0, 0);
    DrawText(5, 5, frameRateText, &defaultFont, 0xFF08ABFFu, 0, 0, 0, 0);
}

void DirectXLib::SaveScreenshot(const std::string& name, int format) {
    std::string file = name;
    if (file.empty()) file = "File " + std::to_string(static_cast<int>(GetTickCount()));
    file += format == 1 ? ".bmp" : ".jpg";
    if (!frame) return;
    composer.Flush();
    SDL_Surface* picture = SDL_ConvertSurfaceFormat(frame, SDL_PIXELFORMAT_RGB24, 0);
    if (!picture) return;
    std::string path = Win1252ToUtf8(file);
    // A bare name (F11's) goes where the game writes; a tool may name a whole path.
    if (std::filesystem::path(path).is_relative()) path = DataFolder::Path(path);
    if (format == 1)
        SDL_SaveBMP(picture, path.c_str());
    else
        IMG_SaveJPG(picture, path.c_str(), 90);
    SDL_FreeSurface(picture);
}
