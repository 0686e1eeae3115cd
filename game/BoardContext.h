#pragma once
#include <cstdint>

#include "Libs/InputEvent.h"

// The three sounds a board plays. The menus implement it with their loaded sounds.
class BoardSounds {
public:
    virtual void playRotate() = 0;
    virtual void playHit() = 0;
    virtual void playRow() = 0;

protected:
    ~BoardSounds() = default;
};

// Per-key auto-repeat of the input layer, as the board sets it for its key set.
class KeyRepeatControl {
public:
    virtual void SetKeyRepeat(int key, int firstDelay, int interval) = 0;

protected:
    ~KeyRepeatControl() = default;
};

// What a board shares with the menus and with the other board: the particle setting, the
// garbage rows two players push at each other, the key event just read, the sounds and the
// key repeat. Null interfaces and a null event mean "nothing there", so a board runs without
// any menus at all.
struct BoardContext {
    static constexpr int garbageRows = 20;
    static constexpr int garbageColumns = 10;

    int32_t particleCount = 0; // 0..500 particles per cleared row
    // Rows waiting to be pushed into the field of player index 0 and 1; -1 = garbage off.
    int32_t pendingGarbage[2] = {-1, -1};
    // The waiting rows of each player, in the order received.
    int32_t garbage[2][garbageRows][garbageColumns] = {};
    const InputEvent* inputEvent = nullptr; // the key event most recently read
    BoardSounds* sounds = nullptr;
    KeyRepeatControl* keyRepeat = nullptr;
};
