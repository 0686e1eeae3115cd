#include "Libs/InputLib.h"
#include "Libs/KeyCodes.h"
#include "Libs/Tick.h"
#include "tests/support/VirtualPad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr uint32_t Pressed = 0x80;

uint32_t testNow = 1000;
uint32_t TestClock() {
    return testNow;
}

// A key event as read: code and press (1) or release (0).
struct Read {
    int code;
    int pressed;
    bool operator==(const Read&) const = default;
};

std::string Describe(const std::vector<Read>& reads) {
    std::string text;
    for (const Read& r : reads) text += (r.pressed ? "+" : "-") + std::to_string(r.code) + " ";
    return text.empty() ? "nothing" : text;
}

class GamePadTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetTickSource(TestClock);
        input.Init();
        input.padMeaning = PadMeaning::OwnCodes;
    }
    void TearDown() override {
        input.Release();
        SetTickSource(nullptr);
    }

    // Everything waiting, without repeats.
    std::vector<Read> ReadAll() {
        std::vector<Read> reads;
        while (input.ReadKeyEvent(0, 1))
            reads.push_back({static_cast<int>(input.event.offset), input.event.IsPress() ? 1 : 0});
        return reads;
    }

    // A pad plugged in is taken at the next read and gets its number (0 or 1 here) with its
    // first button press, here a tap of Back.
    void PlugIn(VirtualPad& pad, int number = 0) {
        ASSERT_TRUE(pad.PluggedIn()) << SDL_GetError();
        EXPECT_EQ(ReadAll(), std::vector<Read>{});
        pad.Tap(SDL_CONTROLLER_BUTTON_BACK);
        const int back = PadKeyCode(number, PadControl::Back);
        EXPECT_EQ(ReadAll(), (std::vector<Read>{{back, 1}, {back, 0}}))
            << "the first press gives the pad number " << number + 1;
    }

    static int P1(PadControl c) { return PadKeyCode(0, c); }
    static int P2(PadControl c) { return PadKeyCode(1, c); }

    InputLib input;
};

TEST_F(GamePadTest, ButtonsSticksAndTriggersArriveAsTheirOwnKeysInOrder) {
    VirtualPad pad;
    PlugIn(pad);
    EXPECT_EQ(input.pads[0].joystickId, pad.Id());
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    pad.Move(SDL_CONTROLLER_AXIS_LEFTY, -30000);
    pad.Release(SDL_CONTROLLER_BUTTON_A);
    pad.Move(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    pad.Move(SDL_CONTROLLER_AXIS_RIGHTX, 30000);
    pad.Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    const std::vector<Read> expected = {
        {P1(PadControl::A), 1},
        {P1(PadControl::Left), 1},
        {P1(PadControl::LeftStickUp), 1},
        {P1(PadControl::A), 0},
        {P1(PadControl::RightTrigger), 1},
        {P1(PadControl::RightStickRight), 1},
        {P1(PadControl::RightShoulder), 1},
    };
    const std::vector<Read> got = ReadAll();
    EXPECT_EQ(got, expected) << "expected " << Describe(expected) << ", got " << Describe(got);
}

// A direction goes down past half the travel and up only below a third: a stick wobbling in
// between changes nothing.
TEST_F(GamePadTest, StickDeadZoneAndHysteresis) {
    VirtualPad pad;
    PlugIn(pad);
    struct Step {
        SDL_GameControllerAxis axis;
        int value;
        std::vector<Read> expected;
    };
    const int right = P1(PadControl::LeftStickRight), left = P1(PadControl::LeftStickLeft);
    const int trigger = P1(PadControl::LeftTrigger);
    const Step steps[] = {
        {SDL_CONTROLLER_AXIS_LEFTX, 12000, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, 16000, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, 17000, {{right, 1}}},
        {SDL_CONTROLLER_AXIS_LEFTX, 12000, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, 16500, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, 10000, {{right, 0}}},
        {SDL_CONTROLLER_AXIS_LEFTX, -32768, {{left, 1}}},
        {SDL_CONTROLLER_AXIS_LEFTX, 32767, {{left, 0}, {right, 1}}},
        {SDL_CONTROLLER_AXIS_LEFTX, 0, {{right, 0}}},
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 15000, {}},
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 20000, {{trigger, 1}}},
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 12000, {}},
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0, {{trigger, 0}}},
    };
    for (const Step& s : steps) {
        pad.Move(s.axis, s.value);
        const std::vector<Read> got = ReadAll();
        EXPECT_EQ(got, s.expected) << "axis " << s.axis << " at " << s.value << ": expected "
                                   << Describe(s.expected) << ", got " << Describe(got);
    }
}

// In the menus the pad steers like the keyboard; in play only Start means something else; a key
// field sees every control as its own key.
TEST_F(GamePadTest, WhatAPadKeyMeansToItsReader) {
    VirtualPad pad;
    PlugIn(pad);
    struct Case {
        PadMeaning meaning;
        SDL_GameControllerButton button;
        int expected;
    };
    const Case cases[] = {
        {PadMeaning::Menus, SDL_CONTROLLER_BUTTON_DPAD_UP, KeyUp},
        {PadMeaning::Menus, SDL_CONTROLLER_BUTTON_DPAD_DOWN, KeyDown},
        {PadMeaning::Menus, SDL_CONTROLLER_BUTTON_DPAD_LEFT, KeyLeft},
        {PadMeaning::Menus, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KeyRight},
        {PadMeaning::Menus, SDL_CONTROLLER_BUTTON_A, KeyReturn},
        {PadMeaning::Menus, SDL_CONTROLLER_BUTTON_B, KeyEscape},
        {PadMeaning::Menus, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, KeyTab},
        {PadMeaning::Menus, SDL_CONTROLLER_BUTTON_X, P1(PadControl::X)},
        {PadMeaning::Menus, SDL_CONTROLLER_BUTTON_START, P1(PadControl::Start)},
        {PadMeaning::Play, SDL_CONTROLLER_BUTTON_START, KeyEscape},
        {PadMeaning::Play, SDL_CONTROLLER_BUTTON_A, P1(PadControl::A)},
        {PadMeaning::Play, SDL_CONTROLLER_BUTTON_B, P1(PadControl::B)},
        {PadMeaning::Play, SDL_CONTROLLER_BUTTON_DPAD_UP, P1(PadControl::Up)},
        {PadMeaning::OwnCodes, SDL_CONTROLLER_BUTTON_A, P1(PadControl::A)},
        {PadMeaning::OwnCodes, SDL_CONTROLLER_BUTTON_START, P1(PadControl::Start)},
    };
    for (const Case& c : cases) {
        input.padMeaning = c.meaning;
        pad.Tap(c.button);
        const std::vector<Read> expected = {{c.expected, 1}, {c.expected, 0}};
        const std::vector<Read> got = ReadAll();
        EXPECT_EQ(got, expected) << "button " << c.button << " in meaning "
                                 << static_cast<int>(c.meaning) << ": expected "
                                 << Describe(expected) << ", got " << Describe(got);
    }
    // The left stick steers the menus too.
    input.padMeaning = PadMeaning::Menus;
    pad.Move(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    pad.Move(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(ReadAll(), (std::vector<Read>{{KeyDown, 1}, {KeyDown, 0}}));
}

// A press read as Return in a dialog and released once the game runs ends Return, so no key
// stays held (and repeating) in the game.
TEST_F(GamePadTest, AReleaseEndsWhatItsPressStarted) {
    VirtualPad pad;
    PlugIn(pad);
    input.padMeaning = PadMeaning::Menus;
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(ReadAll(), (std::vector<Read>{{KeyReturn, 1}}));
    input.padMeaning = PadMeaning::Play;
    pad.Release(SDL_CONTROLLER_BUTTON_A);
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(ReadAll(), (std::vector<Read>{{KeyReturn, 0}, {P1(PadControl::A), 1}}));
}

TEST_F(GamePadTest, PadKeysRepeatLikeKeys) {
    VirtualPad pad;
    PlugIn(pad);
    const int left = P1(PadControl::Left);
    input.SetKeyRepeat(left, 100, 30);
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    std::vector<uint32_t> presses;
    for (testNow = 1000; testNow <= 1200; ++testNow) {
        while (input.ReadKeyEvent(1, 0))
            if (input.event.offset == static_cast<uint32_t>(left)) presses.push_back(testNow);
    }
    EXPECT_EQ(presses, (std::vector<uint32_t>{1000, 1101, 1131, 1161, 1191}));
}

TEST_F(GamePadTest, PullingOutAPadLetsGoOfWhatItHeld) {
    VirtualPad pad;
    PlugIn(pad);
    pad.Press(SDL_CONTROLLER_BUTTON_B);
    pad.Move(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    pad.Unplug();
    const std::vector<Read> expected = {{P1(PadControl::B), 1},
                                        {P1(PadControl::LeftStickLeft), 1},
                                        {P1(PadControl::B), 0},
                                        {P1(PadControl::LeftStickLeft), 0}};
    const std::vector<Read> got = ReadAll();
    // SDL may recentre the stick itself before it reports the pad gone; either way every
    // press has its release.
    std::vector<Read> sorted = got, sortedExpected = expected;
    std::sort(sorted.begin() + 2, sorted.end(),
              [](const Read& a, const Read& b) { return a.code < b.code; });
    std::sort(sortedExpected.begin() + 2, sortedExpected.end(),
              [](const Read& a, const Read& b) { return a.code < b.code; });
    EXPECT_EQ(sorted, sortedExpected)
        << "expected " << Describe(expected) << ", got " << Describe(got);
    EXPECT_EQ(input.pads[0].joystickId, -1) << "the slot is free again";
    EXPECT_EQ(input.pads[0].held, 0u);
}

TEST_F(GamePadTest, TwoPadsAreKeptApartAndKeepTheirNumbers) {
    VirtualPad first, second;
    PlugIn(first);
    PlugIn(second, 1);
    first.Tap(SDL_CONTROLLER_BUTTON_A);
    second.Tap(SDL_CONTROLLER_BUTTON_A);
    second.Move(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    const std::vector<Read> expected = {{P1(PadControl::A), 1},
                                        {P1(PadControl::A), 0},
                                        {P2(PadControl::A), 1},
                                        {P2(PadControl::A), 0},
                                        {P2(PadControl::LeftTrigger), 1}};
    std::vector<Read> got = ReadAll();
    EXPECT_EQ(got, expected) << "expected " << Describe(expected) << ", got " << Describe(got);

    // Pad 1 goes; pad 2 stays pad 2, and the next pad to press a button becomes pad 1.
    first.Unplug();
    VirtualPad third;
    ASSERT_TRUE(third.PluggedIn());
    ReadAll();
    third.Tap(SDL_CONTROLLER_BUTTON_Y);
    EXPECT_EQ(ReadAll(), (std::vector<Read>{{P1(PadControl::Y), 1}, {P1(PadControl::Y), 0}}));
    EXPECT_EQ(input.pads[0].joystickId, third.Id());
    EXPECT_EQ(input.pads[1].joystickId, second.Id());
}

TEST_F(GamePadTest, AThirdPadWaitsForAFreeSlot) {
    VirtualPad first, second, third;
    PlugIn(first);
    PlugIn(second, 1);
    ASSERT_TRUE(third.PluggedIn());
    ReadAll();
    third.Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(ReadAll(), std::vector<Read>{}) << "a third pad is nobody's";
    second.Unplug();
    ReadAll();
    third.Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(ReadAll(), (std::vector<Read>{{P2(PadControl::A), 1}, {P2(PadControl::A), 0}}));
    EXPECT_EQ(input.pads[1].joystickId, third.Id());
}

// Pads are numbered by their first button press, not by the order they were plugged in: two
// players who each bound "P1" at home agree on whose pad is pad 1 by pressing first. Sticks
// claim nothing, so a stick resting off centre does not take a number.
TEST_F(GamePadTest, TheFirstPadToPressABecomesPad1) {
    VirtualPad first, second;
    ASSERT_TRUE(first.PluggedIn()) << SDL_GetError();
    ASSERT_TRUE(second.PluggedIn()) << SDL_GetError();
    ReadAll();
    first.Move(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    second.Tap(SDL_CONTROLLER_BUTTON_A);
    first.Tap(SDL_CONTROLLER_BUTTON_B);
    const std::vector<Read> expected = {{P1(PadControl::A), 1},
                                        {P1(PadControl::A), 0},
                                        {P2(PadControl::B), 1},
                                        {P2(PadControl::B), 0}};
    const std::vector<Read> got = ReadAll();
    EXPECT_EQ(got, expected) << "expected " << Describe(expected) << ", got " << Describe(got);
    EXPECT_EQ(input.pads[0].joystickId, second.Id()) << "the pad plugged in second pressed first";
    EXPECT_EQ(input.pads[1].joystickId, first.Id());
}

} // namespace
