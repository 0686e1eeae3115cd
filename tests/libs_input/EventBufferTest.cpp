#include "Libs/InputLib.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Pressed = 0x80;

InputEvent Make(uint32_t offset, uint32_t data) {
    InputEvent e;
    e.offset = offset;
    e.data = data;
    return e;
}

TEST(MouseRead, ButtonsOnlySkipsAnyNumberOfMoves) {
    InputLib input;
    for (int i = 0; i < 20; ++i) {
        input.PushMouseEvent(Make(0, 3));
        input.PushMouseEvent(Make(4, static_cast<uint32_t>(-2)));
    }
    input.PushMouseEvent(Make(12, Pressed));
    input.PushMouseEvent(Make(0, 1));
    input.PushMouseEvent(Make(13, 0));
    ASSERT_EQ(input.ReadMouse(0, 1, 1), 1);
    EXPECT_EQ(input.event.offset, 12u);
    EXPECT_EQ(input.event.data, Pressed);
    ASSERT_EQ(input.ReadMouse(0, 1, 1), 1);
    EXPECT_EQ(input.event.offset, 13u) << "the release after one more move";
    EXPECT_EQ(input.ReadMouse(0, 1, 1), 0) << "empty buffer";
}

TEST(MouseRead, FiltersByKind) {
    struct Case {
        int moves, presses, releases;
        uint32_t expectedOffsets[3]; // of the accepted events, in order; 99 = none
    };
    // The buffer always holds: x move, button 0 press, button 0 release.
    const Case cases[] = {
        {1, 1, 1, {0, 12, 12}},  {1, 0, 0, {0, 99, 99}},  {0, 1, 0, {12, 99, 99}},
        {0, 0, 1, {12, 99, 99}}, {0, 0, 0, {99, 99, 99}},
    };
    for (const Case& c : cases) {
        InputLib input;
        input.PushMouseEvent(Make(0, 5));
        input.PushMouseEvent(Make(12, Pressed));
        input.PushMouseEvent(Make(12, 0));
        for (int i = 0; i < 3; ++i) {
            int got = input.ReadMouse(c.moves, c.presses, c.releases);
            bool wanted = c.expectedOffsets[i] != 99;
            ASSERT_EQ(got, wanted ? 1 : 0)
                << "read " << i << " with filters " << c.moves << c.presses << c.releases;
            if (wanted) {
                EXPECT_EQ(input.event.offset, c.expectedOffsets[i]) << "read " << i;
            }
        }
    }
}

TEST(EventBuffer, FiftyFirstEventIsLost) {
    InputLib input;
    for (uint32_t i = 1; i <= 51; ++i) {
        input.PushKeyboardEvent(Make(i, Pressed));
        input.PushMouseEvent(Make(12 + i % 4, Pressed));
    }
    for (uint32_t i = 1; i <= 50; ++i) {
        ASSERT_EQ(input.ReadKeyEvent(0, 0), 1) << "key event " << i;
        EXPECT_EQ(input.event.offset, i) << "oldest first";
    }
    EXPECT_EQ(input.ReadKeyEvent(0, 0), 0) << "the 51st key event was lost";
    int mouseEvents = 0;
    while (input.ReadMouse(1, 1, 1)) ++mouseEvents;
    EXPECT_EQ(mouseEvents, 50);
    // Room again once read.
    input.PushKeyboardEvent(Make(7, Pressed));
    EXPECT_EQ(input.ReadKeyEvent(0, 0), 1);
    EXPECT_EQ(input.event.offset, 7u);
}

TEST(EventBuffer, SequenceSharedByBothDevicesAndTimeStamped) {
    InputLib input;
    input.PushKeyboardEvent(Make(30, Pressed));
    input.PushMouseEvent(Make(12, Pressed));
    input.PushKeyboardEvent(Make(30, 0));
    ASSERT_EQ(input.ReadKeyEvent(0, 1), 1);
    uint32_t first = input.event.sequence;
    ASSERT_EQ(input.ReadMouse(0, 1, 1), 1);
    uint32_t second = input.event.sequence;
    ASSERT_EQ(input.ReadKeyEvent(0, 1), 1);
    uint32_t third = input.event.sequence;
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
}

TEST(EventBuffer, HeldStateFollowsEventsEvenWhenTheBufferIsFull) {
    InputLib input;
    for (int i = 0; i < 50; ++i) input.PushKeyboardEvent(Make(2, Pressed));
    input.PushKeyboardEvent(Make(42, Pressed)); // lost from the buffer, yet the key is down
    EXPECT_EQ(input.GetKeyChar(30, 0), "A");
}

} // namespace
