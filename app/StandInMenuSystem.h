#pragma once
#include <cstdint>

class DirectXLib;
class InputLib;

// A stand-in for the menus until the real MenuSystem joins the entry: a title screen that
// starts the stand-in game on Return and closes the window on Escape.
class StandInMenuSystem {
public:
    void build(DirectXLib& directX, InputLib& input);
    int update(uint32_t elapsed);
    void releaseTextures() {}
    void reloadTextures() {}
    void saveSettings() {}

    DirectXLib* directX = nullptr;
    InputLib* input = nullptr;
    uint32_t shownFor = 0; // milliseconds the title has been shown
};
