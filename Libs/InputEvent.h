#pragma once
#include <cstdint>

// One buffered keyboard or mouse event. Keyboard: offset = key code (1..255), data 0x80 = press,
// 0 = release. Mouse: offset 0 / 4 = x / y movement, 8 = wheel, 12..15 = buttons 0..3.
struct InputEvent {
    uint32_t offset = 0;
    uint32_t data = 0;
    uint32_t timeStamp = 0;
    uint32_t sequence = 0;
    uint32_t appData = 0;
    uint32_t repeated = 0; // 1 for a press the auto-repeat made up, 0 for what the device sent

    // Every event is classified by the low byte of its data: top bit set = press.
    bool IsPress() const { return (data & 0x80) != 0; }
};
