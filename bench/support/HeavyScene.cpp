#include "bench/support/HeavyScene.h"

#include <fstream>
#include <string>

void WriteBmp(const std::filesystem::path& path, int w, int h,
              const std::function<uint32_t(int, int)>& rgb) {
    int rowSize = (w * 3 + 3) & ~3;
    std::vector<uint8_t> b(54 + size_t(rowSize) * h, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, uint32_t(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t c = rgb(x, y);
            size_t at = 54 + size_t(h - 1 - y) * rowSize + size_t(x) * 3;
            b[at] = uint8_t(c);
            b[at + 1] = uint8_t(c >> 8);
            b[at + 2] = uint8_t(c >> 16);
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

void HeavyScene::Load(const std::filesystem::path& folder) {
    WriteBmp(folder / "heavy_background.bmp", 1024, 768,
             [](int x, int y) { return uint32_t((x / 4) << 16 | (y / 3) << 8 | 0x40); });
    WriteBmp(folder / "heavy_block.bmp", 32, 32, [](int x, int y) {
        return (x == 0 || y == 0 || x == 31 || y == 31) ? 0x202020u : 0xC0C0C0u;
    });
    WriteBmp(folder / "heavy_particle.bmp", 32, 32, [](int x, int y) {
        int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
        return d < 256 ? uint32_t(255 - d) * 0x010101u : 0u;
    });
    background.Load((folder / "heavy_background.bmp").string(), 0);
    block.Load((folder / "heavy_block.bmp").string(), 0);
    particle.Load((folder / "heavy_particle.bmp").string(), 0);
    labelFont.Create("Arial", 20, 1);

    uint32_t seed = 12345;
    auto next = [&seed](uint32_t range) {
        seed = seed * 214013u + 2531011u;
        return (seed >> 16 & 0x7FFF) % range;
    };
    blocks.clear();
    particles.clear();
    for (int i = 0; i < 400; ++i)
        blocks.push_back({int(next(992)), int(next(736)), 32, 0xFF000000u | next(0xFFFFFF)});
    for (int i = 0; i < 5000; ++i) {
        int size = 10 + int(next(51));
        particles.push_back(
            {int(next(1024 - size)), int(next(768 - size)), size, 0x40000000u | next(0xFFFFFF)});
    }
}

void HeavyScene::Release() {
    background.ReleaseInterface();
    block.ReleaseInterface();
    particle.ReleaseInterface();
    labelFont.ReleaseInterface();
}

void HeavyScene::DrawQuads() {
    background.Draw(0, 0, 0, 0, 0, 0.0f, 0, 0);
    for (const Quad& q : blocks) block.Draw(q.x, q.y, q.size, q.size, 0, 0.0f, q.colour, 0);
    for (const Quad& p : particles) particle.Draw(p.x, p.y, p.size, p.size, 0, 0.0f, p.colour, 1);
}

void HeavyScene::DrawLabels(DirectXLib& dx) {
    for (int i = 0; i < 40; ++i)
        dx.DrawText(20 + (i % 4) * 250, 40 + (i / 4) * 70, "Punkte " + std::to_string(i),
                    &labelFont, 0xFF000000, 0, 200, 30, 2);
}
