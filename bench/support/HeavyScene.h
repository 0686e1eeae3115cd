#pragma once
// The heavy frame both frame benchmarks draw: a full-screen background, 400 blocks of 32 x 32,
// 5000 additive particles of 10 to 60 pixels and 40 text labels, the same every run.
#include "Libs/DirectXLib.h"
#include "Libs/Texture.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

// A 24-bit BMP whose pixel (x, y) is rgb(x, y) as 0xRRGGBB.
void WriteBmp(const std::filesystem::path& path, int w, int h,
              const std::function<uint32_t(int, int)>& rgb);

class HeavyScene {
public:
    // Writes its pictures into folder and loads them; needs the display set up.
    void Load(const std::filesystem::path& folder);
    void Release();
    void DrawQuads();
    void DrawLabels(DirectXLib& dx);

private:
    struct Quad {
        int x, y, size;
        uint32_t colour;
    };
    Texture background, block, particle;
    Font labelFont;
    std::vector<Quad> blocks, particles;
};
