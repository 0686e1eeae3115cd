// One heavy frame on the software renderer at 1024 x 768: a full-screen background, 400 blocks
// of 32 x 32, 5000 additive particles of 10 to 60 pixels and 40 text labels. The variants
// without text and with text alone show what the text costs once it is cached.
#include "Libs/DirectXLib.h"
#include "bench/support/HeavyScene.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

struct Scene {
    std::unique_ptr<DirectXLib> dx;
    HeavyScene heavy;

    Scene() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        auto folder = std::filesystem::temp_directory_path() / "brixel_render_bench";
        std::filesystem::create_directories(folder);
        dx = std::make_unique<DirectXLib>();
        dx->CreateMainWindow("brixel", 107, 108, 0, "1.2");
        dx->InitDirect3D(1024, 768, 32, 2);
        heavy.Load(folder);
    }

    void Frame(bool quads, bool text) {
        dx->Clear(0x00FFFFFF);
        if (quads) heavy.DrawQuads();
        if (text) heavy.DrawLabels(*dx);
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
