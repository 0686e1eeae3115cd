#pragma once
#include "Libs/Tick.h"

#include <cstdint>

// The frame loop between the menus and the running game. Written over its collaborators'
// operations only, so it runs the same with the real platform objects and with test stand-ins:
//   Platform: windowState, Clear(colour), EndFrame(), RestoreDevice(), ShowCursor(show),
//             WaitForEvent(ms) (non-zero = something arrived within ms)
//   Input:    ReadKey(repeat, acceptReleases, evenWhenInactive), ReadMouse(moves, presses,
//             releases)
//   Menus:    update(elapsed) (0 = start a game), releaseTextures(), reloadTextures(),
//             talksToNetwork() (non-zero while another player's game is connected or awaited)
//   GameFlow: start(), frame(elapsed) (non-zero = back to the menus)
template <class Platform, class Input, class Menus, class GameFlow> class FrameLoop {
public:
    static constexpr int32_t MenusRun = 1;
    static constexpr int32_t GameRuns = 2;
    static constexpr int32_t WindowClosed = 0;
    static constexpr int32_t WindowActive = 1;
    // How long a pass waits for the window system while nobody looks at the game.
    static constexpr uint32_t AwayWaitMs = 50;
    // The same wait while the network is in use: one game tick, so the game keeps its pace.
    static constexpr uint32_t AwayOnlineWaitMs = 10;

    FrameLoop(Platform& platform, Input& input, Menus& menus, GameFlow& game)
        : platform(platform), input(input), menus(menus), game(game) {}

    int32_t programState = MenusRun;
    uint32_t previousTick = 0;
    uint32_t elapsed = 0; // milliseconds handed to the menus or the game this frame

    void Start() {
        programState = MenusRun;
        previousTick = GetTickCount();
        elapsed = 0;
    }

    bool Running() const {
        return static_cast<int32_t>(platform.windowState) != WindowClosed && programState != 0;
    }

    void Run() {
        while (Running()) RunFrame();
    }

    // One frame, in this order:
    //   | step | what happens                                         | why                     |
    //   |------|-----------------------------------------------------|-------------------------|
    //   | 0    | window not active: wait for an event, at most 50 ms; | time stands still, so   |
    //   |      | none came -> previous tick refreshed, no frame       | the picture is the same |
    //   |      | network in use: wait at most 10 ms, then the frame   | the other player's game |
    //   |      | runs whatever came                                   | goes on: so does ours   |
    //   | 1    | elapsed = elapsed % 10 + (now - previous tick)       | the game eats 10 ms     |
    //   |      |                                                     | ticks; the rest carries |
    //   | 2    | elapsed = 0 unless the window is active or the       | nothing moves meanwhile |
    //   |      | network is in use                                    |                         |
    //   | 3    | back buffer cleared to white (alpha 0)               |                         |
    //   | 4a   | menus: update(elapsed); 0 -> game state, cursor off, |                         |
    //   |      | game start()                                         |                         |
    //   | 4b   | game: frame(elapsed); non-zero -> menus, cursor on   |                         |
    //   | 5    | EndFrame; 0 = renderer lost: menus release their     | the wait is not handed  |
    //   |      | textures, then each pass refreshes the previous tick,| on: the next frame sees |
    //   |      | drains one key and one mouse event and tries         | at most the last pass   |
    //   |      | RestoreDevice until it gives 1; textures reloaded    |                         |
    void RunFrame() {
        if (static_cast<int32_t>(platform.windowState) != WindowActive) {
            if (menus.talksToNetwork() != 0) {
                platform.WaitForEvent(AwayOnlineWaitMs);
            } else if (platform.WaitForEvent(AwayWaitMs) == 0) {
                previousTick = GetTickCount();
                elapsed = 0;
                return;
            }
        }
        uint32_t now = GetTickCount();
        elapsed = elapsed % 10 + (now - previousTick); // unsigned: the tick wrap needs no care
        previousTick = now;
        if (static_cast<int32_t>(platform.windowState) != WindowActive &&
            menus.talksToNetwork() == 0)
            elapsed = 0;

        platform.Clear(0x00FFFFFFu);

        if (programState == MenusRun) {
            if (menus.update(elapsed) == 0) {
                programState = GameRuns;
                platform.ShowCursor(0);
                game.start();
            }
        } else {
            if (game.frame(elapsed) != 0) {
                programState = MenusRun;
                platform.ShowCursor(1);
            }
        }

        if (platform.EndFrame() != 0) return;
        menus.releaseTextures();
        do {
            previousTick = GetTickCount();
            input.ReadKey(1, 0, 0);
            input.ReadMouse(0, 1, 1);
        } while (platform.RestoreDevice() == 0);
        menus.reloadTextures();
    }

private:
    Platform& platform;
    Input& input;
    Menus& menus;
    GameFlow& game;
};
