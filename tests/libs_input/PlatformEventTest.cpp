#include "Libs/InputLib.h"
#include "Libs/KeyCodes.h"
#include "tests/support/SyntheticInput.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Pressed = 0x80;

// USB usage numbers of a few keys, which SDL scancodes follow.
constexpr int ScancodeA = 4;
constexpr int ScancodeUp = 82;
constexpr int ScancodeLeftShift = 225;

class PlatformEventTest : public ::testing::Test {
protected:
    void SetUp() override { input.Init(); }
    void TearDown() override { input.Release(); }
    InputLib input;
};

TEST_F(PlatformEventTest, KeysArriveAsKeyCodesWithoutSystemRepeat) {
    PostSyntheticKey(ScancodeA, 1, 0);
    PostSyntheticKey(ScancodeA, 1, 1); // the system's own repeat is not used
    PostSyntheticKey(ScancodeA, 0, 0);
    PostSyntheticKey(ScancodeUp, 1, 0);
    PostSyntheticKey(0, 1, 0); // a scancode without a key code
    struct Expected {
        uint32_t offset, data;
    };
    const Expected expected[] = {{30, Pressed}, {30, 0}, {200, Pressed}};
    for (const Expected& e : expected) {
        ASSERT_EQ(input.ReadKeyEvent(0, 1), 1) << "expected key " << e.offset;
        EXPECT_EQ(input.event.offset, e.offset);
        EXPECT_EQ(input.event.data, e.data) << "key " << e.offset;
    }
    EXPECT_EQ(input.ReadKeyEvent(0, 1), 0);
}

TEST_F(PlatformEventTest, HeldModifiersReachTheCharacterSnapshot) {
    PostSyntheticKey(ScancodeLeftShift, 1, 0);
    EXPECT_EQ(input.GetKeyChar(3, 0), "\"");
    PostSyntheticKey(ScancodeLeftShift, 0, 0);
    EXPECT_EQ(input.GetKeyChar(3, 0), "2");
}

// Text follows the system's keyboard layout, not the key's position: the key a German board
// labels "Y" types "z" on a US layout, and that "z" arrives as text after the key's own event. What
// Windows-1252 cannot express is left out; several characters arrive one by one.
TEST_F(PlatformEventTest, TypedTextArrivesAsWindows1252CharactersAfterItsKey) {
    constexpr int ScancodeZ = 29; // key code 44, "y" in the German character table
    PostSyntheticKey(ScancodeZ, 1, 0);
    PostSyntheticText("z");
    PostSyntheticKey(ScancodeZ, 0, 0);
    PostSyntheticText("\xC3\xA4\xE2\x82\xAC"); // a-umlaut and the euro sign
    PostSyntheticText("\xE2\x86\x90");         // an arrow: no Windows-1252 character
    PostSyntheticText("[\xE2\x86\x90]");       // kept around one that is left out
    struct Expected {
        uint32_t offset, data, typed;
    };
    const Expected expected[] = {{44, Pressed, 0},
                                 {KeyTypedText, Pressed, 'z'},
                                 {44, 0, 0},
                                 {KeyTypedText, Pressed, 0xE4},
                                 {KeyTypedText, Pressed, 0x80},
                                 {KeyTypedText, Pressed, '['},
                                 {KeyTypedText, Pressed, ']'}};
    for (const Expected& e : expected) {
        ASSERT_EQ(input.ReadKeyEvent(0, 1), 1) << "expected event " << e.offset << "/" << e.typed;
        EXPECT_EQ(input.event.offset, e.offset) << "expected " << e.offset;
        EXPECT_EQ(input.event.data, e.data) << "event " << e.offset;
        if (e.offset == KeyTypedText) {
            EXPECT_EQ(input.event.appData, e.typed)
                << "expected character " << e.typed << ", got " << input.event.appData;
        }
    }
    EXPECT_EQ(input.ReadKeyEvent(0, 1), 0) << "expected nothing more, got " << input.event.offset;
}

TEST_F(PlatformEventTest, MouseButtonsMotionAndWheel) {
    PostSyntheticMouseButton(1, 1); // left
    PostSyntheticMouseButton(3, 1); // right
    PostSyntheticMouseButton(2, 0); // middle, released
    PostSyntheticMouseButton(4, 1); // x1
    PostSyntheticMouseButton(5, 1); // x2: the mouse record has no room for it
    PostSyntheticMouseMotion(5, -3);
    PostSyntheticMouseMotion(0, 7);
    PostSyntheticMouseWheel(-1);
    struct Expected {
        uint32_t offset, data;
    };
    const Expected expected[] = {
        {12, Pressed}, {13, Pressed},
        {14, 0},       {15, Pressed},
        {0, 5},        {4, static_cast<uint32_t>(-3)},
        {4, 7},        {8, static_cast<uint32_t>(-120)},
    };
    for (const Expected& e : expected) {
        ASSERT_EQ(input.ReadMouse(1, 1, 1), 1) << "expected offset " << e.offset;
        EXPECT_EQ(input.event.offset, e.offset);
        EXPECT_EQ(input.event.data, e.data) << "offset " << e.offset;
    }
    EXPECT_EQ(input.ReadMouse(1, 1, 1), 0);
}

TEST_F(PlatformEventTest, NothingArrivesAfterRelease) {
    input.Release();
    PostSyntheticKey(ScancodeA, 1, 0);
    EXPECT_EQ(input.ReadKeyEvent(0, 1), 0);
}

} // namespace
