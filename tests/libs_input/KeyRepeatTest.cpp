#include "Libs/InputLib.h"
#include "Libs/Tick.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t Pressed = 0x80;

uint32_t testNow = 0;
uint32_t TestClock() {
    return testNow;
}

class KeyRepeatTest : public ::testing::Test {
protected:
    void SetUp() override { SetTickSource(TestClock); }
    void TearDown() override { SetTickSource(nullptr); }

    void Key(int code, bool down) {
        InputEvent e;
        e.offset = static_cast<uint32_t>(code);
        e.data = down ? Pressed : 0;
        input.PushKeyboardEvent(e);
    }

    // Reads with repeat every millisecond from one tick to another; the ticks of the presses.
    std::vector<uint32_t> PressTimes(uint32_t from, uint32_t to, int code) {
        std::vector<uint32_t> times;
        for (testNow = from; testNow <= to; ++testNow) {
            while (input.ReadKeyEvent(1, 0)) {
                if (input.event.offset == static_cast<uint32_t>(code) && input.event.IsPress())
                    times.push_back(testNow);
            }
        }
        return times;
    }

    InputLib input;
};

std::string Join(const std::vector<uint32_t>& v) {
    std::string s;
    for (uint32_t t : v) s += std::to_string(t) + " ";
    return s;
}

// The GUI tells a held key's made-up presses from real ones (a button clicks only on a real
// press): only the made-up ones are marked, and the next real press is not.
TEST_F(KeyRepeatTest, MadeUpPressesAreMarkedAsRepeats) {
    testNow = 1000;
    Key(30, true);
    std::vector<uint32_t> marks;
    for (testNow = 1000; testNow <= 1360; ++testNow) {
        while (input.ReadKeyEvent(1, 1)) marks.push_back(input.event.repeated);
        if (testNow == 1355) {
            Key(30, false);
            Key(30, true);
        }
    }
    // The real press, two made-up ones (1301, 1351), the release and the new real press.
    const std::vector<uint32_t> expected = {0, 1, 1, 0, 0};
    EXPECT_EQ(marks, expected) << "got " << Join(marks);
}

TEST_F(KeyRepeatTest, PressThenFirstRepeatAfterDelayThenEveryInterval) {
    testNow = 1000;
    Key(30, true);
    std::vector<uint32_t> got = PressTimes(1000, 1460, 30);
    // Strictly more than 300 ms after the press, then strictly more than 50 ms after each
    // scheduled time.
    std::vector<uint32_t> expected = {1000, 1301, 1351, 1401, 1451};
    EXPECT_EQ(got, expected) << "got " << Join(got);
}

TEST_F(KeyRepeatTest, LateReadsKeepTheScheduledCadence) {
    testNow = 1000;
    Key(30, true);
    ASSERT_EQ(input.ReadKeyEvent(1, 0), 1);
    struct Step {
        uint32_t now;
        int expected;
    };
    // The first repeat is read 90 ms late; the next is still due at 1351, not 90 ms later.
    const Step steps[] = {{1300, 0}, {1390, 1}, {1390, 1}, {1390, 0},
                          {1400, 0}, {1401, 1}, {1401, 0}, {1451, 1}};
    for (const Step& s : steps) {
        testNow = s.now;
        EXPECT_EQ(input.ReadKeyEvent(1, 0), s.expected) << "read at tick " << s.now;
        if (s.expected) {
            EXPECT_EQ(input.event.offset, 30u);
            EXPECT_EQ(input.event.data, Pressed);
        }
    }
}

TEST_F(KeyRepeatTest, RepeatOffGivesOnlyRealPresses) {
    input.SetKeyRepeat(30, 0, 0);
    testNow = 1000;
    Key(30, true);
    std::vector<uint32_t> got = PressTimes(1000, 3000, 30);
    EXPECT_EQ(got, std::vector<uint32_t>{1000}) << "got " << Join(got);
}

TEST_F(KeyRepeatTest, TwoHeldKeysLowestCodeFirstOnePerCall) {
    testNow = 1000;
    Key(31, true);
    Key(30, true);
    ASSERT_EQ(input.ReadKeyEvent(1, 0), 1);
    EXPECT_EQ(input.event.offset, 31u) << "real presses come in the order they happened";
    ASSERT_EQ(input.ReadKeyEvent(1, 0), 1);
    EXPECT_EQ(input.event.offset, 30u);
    testNow = 1301;
    ASSERT_EQ(input.ReadKeyEvent(1, 0), 1);
    EXPECT_EQ(input.event.offset, 30u) << "both due: the lower code first";
    ASSERT_EQ(input.ReadKeyEvent(1, 0), 1);
    EXPECT_EQ(input.event.offset, 31u);
    EXPECT_EQ(input.ReadKeyEvent(1, 0), 0);
}

TEST_F(KeyRepeatTest, LoneReleaseEndsTheHold) {
    testNow = 1000;
    Key(30, true);
    ASSERT_EQ(input.ReadKeyEvent(1, 0), 1);
    testNow = 1100;
    Key(30, false);
    EXPECT_EQ(input.ReadKeyEvent(1, 0), 0) << "a release is skipped when not accepted";
    EXPECT_EQ(input.event.offset, 30u) << "event keeps the skipped release";
    EXPECT_EQ(input.event.data, 0u);
    EXPECT_EQ(input.keyRepeat[30].pressTime, 0u);
    testNow = 2000;
    EXPECT_EQ(input.ReadKeyEvent(1, 0), 0) << "no repeat after the release";
}

TEST_F(KeyRepeatTest, ReleasesReportedWhenAccepted) {
    testNow = 1000;
    Key(30, true);
    Key(30, false);
    ASSERT_EQ(input.ReadKeyEvent(1, 1), 1);
    EXPECT_TRUE(input.event.IsPress());
    ASSERT_EQ(input.ReadKeyEvent(1, 1), 1);
    EXPECT_FALSE(input.event.IsPress());
    EXPECT_EQ(input.event.offset, 30u);
    EXPECT_EQ(input.ReadKeyEvent(1, 1), 0);
}

TEST_F(KeyRepeatTest, ReadingWithoutRepeatNeitherStartsNorEndsAHold) {
    testNow = 1000;
    Key(30, true);
    Key(31, false);
    EXPECT_EQ(input.ReadKeyEvent(0, 0), 1);
    EXPECT_EQ(input.event.offset, 30u);
    EXPECT_EQ(input.ReadKeyEvent(0, 0), 0) << "the release is skipped";
    testNow = 2000;
    EXPECT_EQ(input.ReadKeyEvent(1, 0), 0) << "the press read without repeat started no hold";
}

TEST_F(KeyRepeatTest, SetKeyRepeatForOneKeyKeepsItsHold) {
    testNow = 1000;
    Key(30, true);
    ASSERT_EQ(input.ReadKeyEvent(1, 0), 1);
    input.SetKeyRepeat(30, 100, 20);
    std::vector<uint32_t> got = PressTimes(1001, 1145, 30);
    std::vector<uint32_t> expected = {1101, 1121, 1141};
    EXPECT_EQ(got, expected) << "got " << Join(got);
}

TEST_F(KeyRepeatTest, SetKeyRepeatForAllKeysEndsEveryHold) {
    testNow = 1000;
    Key(30, true);
    Key(200, true);
    ASSERT_EQ(input.ReadKeyEvent(1, 0), 1);
    ASSERT_EQ(input.ReadKeyEvent(1, 0), 1);
    input.SetKeyRepeat(-1, 500, 100);
    testNow = 3000;
    EXPECT_EQ(input.ReadKeyEvent(1, 0), 0);
    for (int k = 0; k < 256; ++k) {
        ASSERT_EQ(input.keyRepeat[k].firstDelay, 500u) << "key " << k;
        ASSERT_EQ(input.keyRepeat[k].repeatInterval, 100u) << "key " << k;
    }
    // The new timing applies to the next hold.
    Key(30, true);
    std::vector<uint32_t> got = PressTimes(3000, 3610, 30);
    std::vector<uint32_t> expected = {3000, 3501, 3601};
    EXPECT_EQ(got, expected) << "got " << Join(got);
}

TEST_F(KeyRepeatTest, NoEarlyRepeatRightAfterProgramStart) {
    // The tick count starts near 0: a press in the first moments waits its full delay.
    testNow = 10;
    Key(30, true);
    std::vector<uint32_t> got = PressTimes(10, 320, 30);
    std::vector<uint32_t> expected = {10, 311};
    EXPECT_EQ(got, expected) << "got " << Join(got);
}

TEST_F(KeyRepeatTest, ZeroIntervalStillLetsAReadLoopEnd) {
    input.SetKeyRepeat(30, 100, 0);
    testNow = 1000;
    Key(30, true);
    ASSERT_EQ(input.ReadKeyEvent(1, 0), 1);
    testNow = 1110;
    int presses = 0;
    while (input.ReadKeyEvent(1, 0) && presses < 1000) ++presses;
    EXPECT_LT(presses, 1000) << "the read loop must end";
    EXPECT_GE(presses, 1);
}

} // namespace
