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

uint32_t clockNow = 0;
uint32_t TestClock() {
    return clockNow;
}

// Time passes while another window has the focus: what the reader holds afterwards is what is
// really held, for keys and pads alike.
class InactiveWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetTickSource(TestClock);
        clockNow = 1000;
        input.padMeaning = PadMeaning::Play;
    }
    void TearDown() override { SetTickSource(nullptr); }

    // Pushes a press or release of the key, or of pad 1's A button when pad is set.
    void Push(bool pad, bool down) {
        if (pad)
            input.PushPadControl(0, PadControl::A, down ? 1 : 0);
        else
            input.PushKeyboardEvent(Key(30, down));
    }
    uint32_t Code(bool pad) const { return pad ? PadKeyCode(0, PadControl::A) : 30u; }

    // Reads as the game does, frame after frame, every 10 ms from now for the given time while
    // active; each event read as "+code" or "-code" with its time.
    std::string ReadActive(uint32_t forMs) {
        std::string got;
        dx.windowState = DirectXLib::Active;
        for (const uint32_t end = clockNow + forMs; clockNow <= end; clockNow += 10) {
            while (input.ReadKey(1, 1, 0))
                got += (input.event.IsPress() ? "+" : "-") + std::to_string(input.event.offset) +
                       "@" + std::to_string(clockNow) + " ";
        }
        return got;
    }
    // Frames while inactive, every 10 ms for the given time.
    void PassInactive(uint32_t forMs) {
        dx.windowState = DirectXLib::Inactive;
        for (const uint32_t end = clockNow + forMs; clockNow <= end; clockNow += 10)
            EXPECT_EQ(input.ReadKey(1, 1, 0), 0) << "nothing is read while inactive";
    }

    DirectXLib dx;
    InputLib input;
};

TEST_F(InactiveWindowTest, APressWhileInactiveNeverRepeats) {
    for (bool pad : {false, true}) {
        dx.windowState = DirectXLib::Inactive;
        Push(pad, true);
        PassInactive(2000);
        EXPECT_EQ(ReadActive(1000), "")
            << (pad ? "pad" : "key")
            << ": expected no repeat of a press thrown away while inactive";
        // Its release comes through as any release does; readers ignore releases of presses
        // they never saw.
        Push(pad, false);
        const uint32_t releasedAt = clockNow;
        EXPECT_EQ(ReadActive(0),
                  "-" + std::to_string(Code(pad)) + "@" + std::to_string(releasedAt) + " ")
            << (pad ? "pad" : "key");
    }
}

TEST_F(InactiveWindowTest, AReleaseWhileInactiveIsReportedOnceActive) {
    for (bool pad : {false, true}) {
        const std::string code = std::to_string(Code(pad));
        Push(pad, true);
        const uint32_t pressedAt = clockNow;
        EXPECT_EQ(ReadActive(0), "+" + code + "@" + std::to_string(pressedAt) + " ");
        PassInactive(100);
        Push(pad, false);
        PassInactive(2000);
        const uint32_t activeAt = clockNow;
        EXPECT_EQ(ReadActive(1000), "-" + code + "@" + std::to_string(activeAt) + " ")
            << (pad ? "pad" : "key") << ": expected only the release the reader missed";
    }
}

TEST_F(InactiveWindowTest, LetGoAndPressedAgainWhileInactiveStaysHeld) {
    for (bool pad : {false, true}) {
        Push(pad, true);
        ReadActive(0);
        PassInactive(100);
        Push(pad, false);
        Push(pad, true);
        PassInactive(100);
        EXPECT_EQ(ReadActive(200), "")
            << (pad ? "pad" : "key") << ": held all along, as the reader thinks";
        Push(pad, false);
        const uint32_t releasedAt = clockNow;
        EXPECT_EQ(ReadActive(0),
                  "-" + std::to_string(Code(pad)) + "@" + std::to_string(releasedAt) + " ");
    }
}

// A key held through the time away (a pad sends no release when the window loses the focus)
// repeats again after its first delay, without a burst for the time away.
TEST_F(InactiveWindowTest, AKeyHeldThroughRepeatsWithoutCatchingUp) {
    for (bool pad : {false, true}) {
        Push(pad, true);
        ReadActive(0);
        PassInactive(5000);
        const uint32_t activeAt = clockNow;
        const std::string code = std::to_string(Code(pad));
        // The delay is timed from the last inactive frame, 10 ms before the first active one.
        const std::string expected = "+" + code + "@" + std::to_string(activeAt + 300) + " +" +
                                     code + "@" + std::to_string(activeAt + 350) + " ";
        EXPECT_EQ(ReadActive(390), expected) << (pad ? "pad" : "key");
        Push(pad, false);
        ReadActive(0);
    }
}

} // namespace
