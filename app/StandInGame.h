#pragma once
#include <cstdint>

class DirectXLib;
class InputLib;
class StandInMenuSystem;

// A stand-in for the game flow until the real Game joins the entry: a block falling down the
// screen; Escape goes back to the menus.
class StandInGame {
public:
    void setup(StandInMenuSystem& menus);
    void start();
    int frame(uint32_t elapsed);

    DirectXLib* directX = nullptr;
    InputLib* input = nullptr;
    uint32_t played = 0; // milliseconds of play
};
