#include "Libs/DirectXLib.h"
#include "Libs/InputLib.h"
#include "Libs/Tick.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Pressed = 0x80;

// Time stands still in these tests: a held key never starts repeating, however slow the machine.
uint32_t StoppedClock() {
    return 1000;
}

InputEvent Key(uint32_t code, bool down) {
    InputEvent e;
    e.offset = code;
    e.data = down ? Pressed : 0;
    return e;
}

// Keys pressed while another window has the focus are thrown away unless the caller insists.
TEST(ActivityGate, InactiveWindowDiscardsKeysUnlessAskedToKeepThem) {
    struct Case {
        int windowState;
        int evenWhenInactive;
        int expectedReads; // of the two buffered presses
    };
    const Case cases[] = {
        {DirectXLib::Active, 0, 2},   {DirectXLib::Inactive, 0, 0},  {DirectXLib::Minimized, 0, 0},
        {DirectXLib::Inactive, 1, 2}, {DirectXLib::Minimized, 1, 2},
    };
    SetTickSource(StoppedClock);
    DirectXLib dx;
    for (const Case& c : cases) {
        InputLib input;
        input.PushKeyboardEvent(Key(30, true));
        input.PushKeyboardEvent(Key(31, true));
        dx.windowState = c.windowState;
        int reads = 0;
        while (input.ReadKey(1, 1, c.evenWhenInactive)) ++reads;
        EXPECT_EQ(reads, c.expectedReads)
            << "window state " << c.windowState << ", even when inactive " << c.evenWhenInactive;
        // Back to active: what was discarded stays gone.
        dx.windowState = DirectXLib::Active;
        EXPECT_EQ(input.ReadKey(1, 1, 0), 0) << "window state " << c.windowState;
    }
    SetTickSource(nullptr);
}

TEST(ActivityGate, EventKeepsTheLastDiscardedKey) {
    DirectXLib dx;
    InputLib input;
    input.SetKeyRepeat(30, 0, 0); // no made-up presses to drain
    input.PushKeyboardEvent(Key(30, true));
    input.PushKeyboardEvent(Key(30, false));
    dx.windowState = DirectXLib::Inactive;
    EXPECT_EQ(input.ReadKey(1, 1, 0), 0);
    EXPECT_EQ(input.event.offset, 30u) << "event holds the last discarded one";
    EXPECT_EQ(input.event.data, 0u);
}

} // namespace
