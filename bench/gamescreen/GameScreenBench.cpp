#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "Libs/Platform.h"
#include "game/Game.h"
#include "game/Random.h"
#include "menu/MenuSystem.h"
#include "tests/support/GameTestAccess.h"

// A two-player frame on the software renderer with every particle burst of both boards full:
// 2 x 10 bursts x 500 particles on top of the fields, panels, captions and tally.

namespace {

// A plain 24-bit picture of one colour, so the benchmark needs no content files.
void WriteBmp(const std::filesystem::path& path, int w, int h, uint32_t rgb) {
    int rowBytes = (w * 3 + 3) & ~3;
    uint32_t dataSize = static_cast<uint32_t>(rowBytes * h);
    auto put16 = [](std::ofstream& f, uint16_t v) { f.put(char(v & 0xFF)).put(char(v >> 8)); };
    auto put32 = [&](std::ofstream& f, uint32_t v) {
        put16(f, uint16_t(v & 0xFFFF));
        put16(f, uint16_t(v >> 16));
    };
    std::ofstream f(path, std::ios::binary);
    f.put('B').put('M');
    put32(f, 54 + dataSize);
    put32(f, 0);
    put32(f, 54);
    put32(f, 40);
    put32(f, uint32_t(w));
    put32(f, uint32_t(h));
    put16(f, 1);
    put16(f, 24);
    put32(f, 0);
    put32(f, dataSize);
    put32(f, 2835);
    put32(f, 2835);
    put32(f, 0);
    put32(f, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            f.put(char(rgb & 0xFF)).put(char((rgb >> 8) & 0xFF)).put(char((rgb >> 16) & 0xFF));
        for (int p = w * 3; p < rowBytes; ++p) f.put(0);
    }
}

struct BenchGame {
    std::filesystem::path folder;
    std::unique_ptr<DirectXLib> directX;
    std::unique_ptr<InputLib> input;
    std::unique_ptr<MenuSystem> menu;
    std::unique_ptr<Game> game;

    BenchGame() {
        folder = std::filesystem::temp_directory_path() / "brixel_bench_gamescreen";
        std::filesystem::create_directories(folder);
        struct Picture {
            const char* name;
            int w, h;
            uint32_t rgb;
            Texture MenuSystem::*texture;
        };
        const Picture pictures[] = {
            {"background.bmp", 1024, 768, 0x336699, &MenuSystem::background},
            {"field.bmp", 369, 730, 0x202020, &MenuSystem::gameField},
            {"next.bmp", 100, 160, 0x303030, &MenuSystem::gameNext},
            {"block.bmp", 32, 32, 0xC0C0C0, &MenuSystem::block},
            {"particle.bmp", 16, 16, 0xFFFFFF, &MenuSystem::gameParticle},
        };
        directX = std::make_unique<DirectXLib>();
        directX->CreateMainWindow("brixel", 107, 108, 0, "1.2");
        directX->InitDirect3D(1024, 768, 32, 2);
        directX->windowState = DirectXLib::Active;
        input = std::make_unique<InputLib>();
        menu = std::make_unique<MenuSystem>();
        menu->directX = directX.get();
        menu->input = input.get();
        for (const Picture& p : pictures) {
            WriteBmp(folder / p.name, p.w, p.h, p.rgb);
            ((*menu).*(p.texture)).Load((folder / p.name).string(), 0);
        }
        menu->statusFont.Create("Arial", 20, 0);
        menu->captionFont.Create("Arial", 20, 1);
        menu->bigFont.Create("Arial", 40, 1);
        for (const char* name : {"Anna", "Bert"}) menu->profiles.SelectOrInsert(name).name = name;
        menu->player1 = menu->profiles.Find("Anna");
        menu->player2 = menu->profiles.Find("Bert");
        menu->player1->displayFlags = 3;
        menu->player2->displayFlags = 3;
        menu->settings.backgroundKind = 2;
        menu->settings.twoPlayerMode = 0;
        menu->settings.twoPlayerEndless = 1;
        const uint32_t colours[7] = {0xFFFF5E00, 0xFFF4E000, 0xFF0093DD, 0xFF84C225,
                                     0xFFB74F8F, 0xFFFFFFFF, 0xFF41C4B0};
        for (int i = 0; i < 7; ++i) menu->pieceColours[i] = colours[i];
        menu->boardContext.particleCount = 500;
        menu->boardContext.inputEvent = &input->event;
        Random::Seed(7);
        game = std::make_unique<Game>();
        game->setup(*menu);
        menu->pausedGame = 0;
        menu->requestedGame = 1;
        game->start();
    }

    ~BenchGame() {
        game.reset();
        menu.reset();
        input.reset();
        directX.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // The game's screen and boards, reached as the tests reach them.
    GameTestAccess gameState() { return GameTestAccess(*game); }

    // Every burst of both boards full of live particles spread over the playable area.
    void fillBursts() {
        for (Board* board : {&gameState().leftBoard, &gameState().rightBoard}) {
            for (int b = 0; b < Board::bursts; ++b) {
                board->burstFinished[b] = 0;
                for (int k = 0; k < Board::particlesPerBurst; ++k) {
                    Particle& p = board->particles[b][k];
                    p.x = Random::Draw() % 10000;
                    p.y = Random::Draw() % 20000;
                    p.vx = p.vy = 0;
                    p.life = 2550;
                    p.fade = 5;
                    p.colour = k % 7;
                    p.size = k < 10 ? 32 : 10 + Random::Draw() % 40;
                }
            }
        }
    }
};

// Whole two-player frames; no time passes, so what is alive stays alive frame after frame.
void RunFrames(benchmark::State& state, BenchGame& bench) {
    for (auto _ : state) {
        bench.directX->Clear(0x00FFFFFF);
        benchmark::DoNotOptimize(bench.game->frame(0));
        bench.directX->EndFrame();
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["items"] = double(bench.gameState().screen.picture.items.size());
}

void BM_TwoPlayerFrameFullParticles(benchmark::State& state) {
    BenchGame bench;
    bench.fillBursts();
    RunFrames(state, bench);
}
BENCHMARK(BM_TwoPlayerFrameFullParticles)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same frame with no particle alive, for comparison.
void BM_TwoPlayerFrameNoParticles(benchmark::State& state) {
    BenchGame bench;
    RunFrames(state, bench);
}
BENCHMARK(BM_TwoPlayerFrameNoParticles)->Unit(benchmark::kMillisecond);

// The listing alone (positions of every item), without painting.
void BM_TwoPlayerComposeFullParticles(benchmark::State& state) {
    BenchGame bench;
    bench.fillBursts();
    GameScreen& screen = bench.gameState().screen;
    for (auto _ : state) {
        screen.composeScreen(*bench.game);
        benchmark::DoNotOptimize(screen.picture.items.data());
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TwoPlayerComposeFullParticles)->Unit(benchmark::kMicrosecond);

} // namespace
