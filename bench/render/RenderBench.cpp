// One heavy frame on the software renderer at 1024 x 768: a full-screen background, 400 blocks
// of 32 x 32, 5000 additive particles of 10 to 60 pixels and 40 text labels. The variants
// without text and with text alone show what the text costs once it is cached.
#include "Libs/DirectXLib.h"
#include "Libs/Texture.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

void WriteBmp(const std::string& path, int w, int h, uint32_t (*rgb)(int, int)) {
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

struct Scene {
    std::unique_ptr<DirectXLib> dx;
    Texture background, block, particle;
    Font labelFont;
    struct Quad {
        int x, y, size;
        uint32_t colour;
    };
    std::vector<Quad> blocks, particles;

    Scene() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        auto folder = std::filesystem::temp_directory_path() / "brixel_render_bench";
        std::filesystem::create_directories(folder);
        std::string dir = folder.string() + "/";
        WriteBmp(dir + "background.bmp", 1024, 768,
                 [](int x, int y) { return uint32_t((x / 4) << 16 | (y / 3) << 8 | 0x40); });
        WriteBmp(dir + "block.bmp", 32, 32, [](int x, int y) {
            return (x == 0 || y == 0 || x == 31 || y == 31) ? 0x202020u : 0xC0C0C0u;
        });
        WriteBmp(dir + "particle.bmp", 32, 32, [](int x, int y) {
            int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
            return d < 256 ? uint32_t(255 - d) * 0x010101u : 0u;
        });
        dx = std::make_unique<DirectXLib>();
        dx->CreateMainWindow("brixel", 107, 108, 0, "1.2");
        dx->InitDirect3D(1024, 768, 32, 2);
        background.Load(dir + "background.bmp", 0);
        block.Load(dir + "block.bmp", 0);
        particle.Load(dir + "particle.bmp", 0);
        labelFont.Create("Arial", 20, 1);

        uint32_t seed = 12345;
        auto next = [&seed](uint32_t range) {
            seed = seed * 214013u + 2531011u;
            return (seed >> 16 & 0x7FFF) % range;
        };
        for (int i = 0; i < 400; ++i)
            blocks.push_back({int(next(992)), int(next(736)), 32, 0xFF000000u | next(0xFFFFFF)});
        for (int i = 0; i < 5000; ++i) {
            int size = 10 + int(next(51));
            particles.push_back({int(next(1024 - size)), int(next(768 - size)), size,
                                 0x40000000u | next(0xFFFFFF)});
        }
    }

    void Frame(bool quads, bool text) {
        dx->Clear(0x00FFFFFF);
        if (quads) {
            background.Draw(0, 0, 0, 0, 0, 0.0f, 0, 0);
            for (const Quad& q : blocks) block.Draw(q.x, q.y, q.size, q.size, 0, 0.0f, q.colour, 0);
            for (const Quad& p : particles)
                particle.Draw(p.x, p.y, p.size, p.size, 0, 0.0f, p.colour, 1);
        }
        if (text)
            for (int i = 0; i < 40; ++i)
                dx->DrawText(20 + (i % 4) * 250, 40 + (i / 4) * 70, "Punkte " + std::to_string(i),
                             &labelFont, 0xFF000000, 0, 200, 30, 2);
        dx->EndFrame();
    }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void RunFrames(benchmark::State& state, bool quads, bool text) {
    Scene& scene = TheScene();
    scene.Frame(quads, text); // fills the text cache
    for (auto _ : state) scene.Frame(quads, text);
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_HeavyFrame(benchmark::State& state) {
    RunFrames(state, true, true);
}
void BM_HeavyFrameWithoutText(benchmark::State& state) {
    RunFrames(state, true, false);
}
void BM_FortyCachedLabels(benchmark::State& state) {
    RunFrames(state, false, true);
}
void BM_EmptyFrame(benchmark::State& state) {
    RunFrames(state, false, false);
}

} // namespace

BENCHMARK(BM_HeavyFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeavyFrameWithoutText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FortyCachedLabels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond);
