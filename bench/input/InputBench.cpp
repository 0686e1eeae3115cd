// The input work of one frame: SDL pumps its events (the game's watch takes them) and the
// reader drains the keyboard buffer with repeat, as the menus and the game do every frame.
//   KeyboardOnly: SDL's events alone, no controller support at all (the cost before pads);
//   NoPad: the game's input with controller support and nothing plugged in;
//   IdlePad / MovingPad: one (virtual) pad plugged in, resting or with its stick and a
//   button changing every frame.
#include "Libs/InputLib.h"
#include "tests/support/VirtualPad.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void DrainFrame(InputLib& input) {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    while (input.ReadKey(1, 1, 1)) benchmark::DoNotOptimize(input.event.offset);
}

void KeyboardOnly(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_InitSubSystem(SDL_INIT_EVENTS);
    InputLib input; // not started: its buffers only
    for (auto _ : state) DrainFrame(input);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

void Pads(benchmark::State& state, int pads, bool moving) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    InputLib input;
    input.Init();
    {
        VirtualPad pad;
        if (pads == 0) pad.Unplug();
        DrainFrame(input);
        int frame = 0;
        for (auto _ : state) {
            if (moving) {
                pad.keepQueued = true; // the frame's own flush takes them
                pad.Move(SDL_CONTROLLER_AXIS_LEFTX, (frame % 2) ? 30000 : 0);
                if (frame % 2)
                    pad.Press(SDL_CONTROLLER_BUTTON_A);
                else
                    pad.Release(SDL_CONTROLLER_BUTTON_A);
            }
            DrainFrame(input);
            ++frame;
        }
    }
    input.Release();
}

void NoPad(benchmark::State& state) {
    Pads(state, 0, false);
}
void IdlePad(benchmark::State& state) {
    Pads(state, 1, false);
}
void MovingPad(benchmark::State& state) {
    Pads(state, 1, true);
}

} // namespace

BENCHMARK(KeyboardOnly);
BENCHMARK(NoPad);
BENCHMARK(IdlePad);
BENCHMARK(MovingPad);
