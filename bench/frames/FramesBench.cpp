// What players see, frame by frame: the main menu, a one-player game, a two-player game with a
// quadruple clear bursting on each board, and the heavy frame (a full-screen background, 400
// blocks, 5000 additive particles, 40 labels). Each is measured side by side in one run:
//   compose1_fps  composing on one thread
//   compose_fps   composing on every core; compose_x = compose_fps / compose1_fps
//   record_share  the part of composing on one thread spent recording what to draw (the
//                 game's own code, on one thread however many workers there are)
//   present_fps   handing the finished frame to the window on the path in the name
//   frame_fps     composing on every core and presenting; frame_x = frame_fps / (one thread
//                 composing and presenting)
//   blend_width   the pixels a quad's row blends at once on this processor (8 with AVX2)
// Under Xvfb (DISPLAY set) presenting is the real thing; without a display the dummy driver
// stands in. Paths: "surface" = the window's own surface, "renderer" = SDL's accelerated
// renderer (OpenGL on llvmpipe where no GPU is).
#include "Libs/Platform.h"
#include "Libs/QuadCompositor.h"
#include "bench/support/HeavyScene.h"
#include "game/Game.h"
#include "game/Random.h"
#include "menu/MenuSystem.h"
#include "tests/support/GameTestAccess.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The platform objects and the menus built from the repository's content in a scratch folder,
// as the entry builds them; one game set up on them.
struct Session {
    fs::path folder, previous;
    std::unique_ptr<DirectXLib> directX;
    std::unique_ptr<InputLib> input;
    std::unique_ptr<MenuSystem> menu;
    std::unique_ptr<Game> game;
    HeavyScene heavy;

    Session() {
        if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        previous = fs::current_path();
        folder = fs::temp_directory_path() / "brixel_bench_frames";
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* dir : {"images", "language", "skin", "sounds"})
            fs::create_directory_symlink(fs::path(BRIXEL_SOURCE_DIR) / "content" / dir,
                                         folder / dir);
        fs::current_path(folder);
        directX = std::make_unique<DirectXLib>();
        directX->CreateMainWindow("brixel", 107, 108, 0, "1.2");
        directX->InitDirect3D(1024, 768, 32, 2);
        directX->frameRateMode = 0;
        directX->windowState = DirectXLib::Active;
        input = std::make_unique<InputLib>();
        input->Init();
        menu = std::make_unique<MenuSystem>();
        menu->build(*directX, *input);
        game = std::make_unique<Game>();
        game->setup(*menu);
        heavy.Load(folder);
    }

    ~Session() {
        game.reset();
        menu.reset();
        input->Release();
        input.reset();
        heavy.Release();
        directX.reset();
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    void drawHeavy() {
        heavy.DrawQuads();
        heavy.DrawLabels(*directX);
    }

    // A game of one or two players, its pieces falling; with bursts, each board as after a
    // quadruple clear: four rows' bursts of the full particle count in flight.
    void startGame(int players, bool quadrupleBursts) {
        Random::Seed(7);
        menu->boardContext.particleCount = 500;
        menu->pausedGame = 0;
        menu->requestedGame = players - 1;
        game->start();
        if (!quadrupleBursts) return;
        GameTestAccess state(*game);
        for (Board* board : {&state.leftBoard, &state.rightBoard}) {
            for (int b = 0; b < 4; ++b) {
                const int row = 16 + b;
                board->burstFinished[b] = 0;
                for (int k = 0; k < Board::particlesPerBurst; ++k) {
                    Particle& p = board->particles[b][k];
                    p.x = k < 10 ? k * 1000 : Random::Draw() % 10000;
                    p.y = row * 1000 + (k < 10 ? 0 : Random::Draw() % 1000);
                    p.vx = p.vy = 0;
                    p.life = 2550;
                    p.fade = 5;
                    p.colour = k % 7;
                    p.size = k < 10 ? 32 : 10 + Random::Draw() % 52;
                }
            }
        }
    }
};

Session& TheSession() {
    static Session session;
    return session;
}

enum Scene { MainMenu, OnePlayer, TwoPlayersQuadruple, Heavy };

// What the game's code asks of the compositor, in order; nothing is drawn yet.
void Record(Session& s, Scene scene) {
    s.directX->Clear(0x00FFFFFF);
    switch (scene) {
    case MainMenu:
        s.menu->update(0);
        break;
    case OnePlayer:
    case TwoPlayersQuadruple:
        s.game->frame(0);
        break;
    case Heavy:
        s.drawHeavy();
        break;
    }
}

void Compose(Session& s, Scene scene) {
    Record(s, scene);
    s.directX->FlushFrame();
}

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void SideBySide(benchmark::State& state, Scene scene, const char* path) {
    Session& s = TheSession();
    setenv("BRIXEL_PRESENT", path, 1);
    s.directX->InitDirect3D(1024, 768, 32, 2);
    s.directX->frameRateMode = 0;
    if (scene == MainMenu) s.menu->showPage(MenuSystem::MainPage);
    if (scene == OnePlayer) s.startGame(1, false);
    if (scene == TwoPlayersQuadruple) s.startGame(2, true);
    FrameComposer& composer = s.directX->composer;
    composer.SetWorkers(0);
    const int cores = composer.Workers();
    Compose(s, scene); // fills the text cache
    double one = 0, all = 0, present = 0, recording = 0;
    for (auto _ : state) {
        composer.SetWorkers(1);
        auto t0 = Clock::now();
        Record(s, scene);
        auto recorded = Clock::now();
        s.directX->FlushFrame();
        auto t1 = Clock::now();
        composer.SetWorkers(cores);
        auto t2 = Clock::now();
        Compose(s, scene);
        auto t3 = Clock::now();
        s.directX->EndFrame();
        auto t4 = Clock::now();
        one += Seconds(t0, t1);
        recording += Seconds(t0, recorded);
        all += Seconds(t2, t3);
        present += Seconds(t3, t4);
    }
    const double n = double(state.iterations());
    state.counters["workers"] = cores;
    state.counters["blend_width"] = BlendWidth();
    state.counters["compose1_fps"] = n / one;
    state.counters["compose_fps"] = n / all;
    state.counters["compose_x"] = one / all;
    // The game's own code records the frame on one thread: the share of the frame no number of
    // workers shortens.
    state.counters["record_share"] = recording / one;
    state.counters["present_fps"] = n / present;
    state.counters["frame_fps"] = n / (all + present);
    state.counters["frame_x"] = (one + present) / (all + present);
    unsetenv("BRIXEL_PRESENT");
}

void BM_MainMenu(benchmark::State& state, const char* path) {
    SideBySide(state, MainMenu, path);
}
void BM_OnePlayer(benchmark::State& state, const char* path) {
    SideBySide(state, OnePlayer, path);
}
void BM_TwoPlayersQuadrupleClear(benchmark::State& state, const char* path) {
    SideBySide(state, TwoPlayersQuadruple, path);
}
void BM_HeavyFrame(benchmark::State& state, const char* path) {
    SideBySide(state, Heavy, path);
}

} // namespace

BENCHMARK_CAPTURE(BM_MainMenu, surface, "surface")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MainMenu, renderer, "renderer")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OnePlayer, surface, "surface")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OnePlayer, renderer, "renderer")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TwoPlayersQuadrupleClear, surface, "surface")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TwoPlayersQuadrupleClear, renderer, "renderer")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HeavyFrame, surface, "surface")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HeavyFrame, renderer, "renderer")->Unit(benchmark::kMillisecond);
