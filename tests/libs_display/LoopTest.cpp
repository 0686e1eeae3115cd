#include "Libs/Tick.h"
#include "app/FrameLoop.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

uint32_t clockNow = 0;
uint32_t TestClock() {
    return clockNow;
}

// Stand-ins that write what the loop asks of them into one shared log.
struct Log {
    std::vector<std::string> calls;
    void Add(const std::string& s) { calls.push_back(s); }
};

struct FakePlatform {
    explicit FakePlatform(Log* l) : log(l) {}
    Log* log;
    int windowState = 1;
    std::deque<int> endFrameResults; // empty: 1
    std::deque<int> restoreResults;  // empty: 1
    uint32_t restorePassTime = 100;  // each waiting pass takes this long
    std::deque<int> waitResults;     // empty: 1 (an event arrived)
    uint32_t waitTime = 50;          // each wait for an event takes this long
    int WaitForEvent(uint32_t ms) {
        log->Add("wait " + std::to_string(ms));
        clockNow += waitTime;
        if (waitResults.empty()) return 1;
        int r = waitResults.front();
        waitResults.pop_front();
        return r;
    }
    void Clear(uint32_t colour) { log->Add("clear " + std::to_string(colour)); }
    int EndFrame() {
        log->Add("end");
        if (endFrameResults.empty()) return 1;
        int r = endFrameResults.front();
        endFrameResults.pop_front();
        return r;
    }
    int RestoreDevice() {
        log->Add("restore");
        clockNow += restorePassTime;
        if (restoreResults.empty()) return 1;
        int r = restoreResults.front();
        restoreResults.pop_front();
        return r;
    }
    void ShowCursor(int show) { log->Add("cursor " + std::to_string(show)); }
};

struct FakeInput {
    explicit FakeInput(Log* l) : log(l) {}
    Log* log;
    int ReadKey(int repeat, int releases, int inactive) {
        log->Add("key " + std::to_string(repeat) + std::to_string(releases) +
                 std::to_string(inactive));
        return 0;
    }
    int ReadMouse(int moves, int presses, int releases) {
        log->Add("mouse " + std::to_string(moves) + std::to_string(presses) +
                 std::to_string(releases));
        return 0;
    }
};

struct FakeMenus {
    explicit FakeMenus(Log* l) : log(l) {}
    Log* log;
    std::deque<int> updateResults; // empty: 1 (stay in the menus)
    std::vector<uint32_t> elapsed;
    FakePlatform* closeOnUpdate = nullptr;
    int network = 0;
    int talksToNetwork() const { return network; }
    int update(uint32_t ms) {
        log->Add("update");
        elapsed.push_back(ms);
        if (closeOnUpdate) closeOnUpdate->windowState = 0;
        if (updateResults.empty()) return 1;
        int r = updateResults.front();
        updateResults.pop_front();
        return r;
    }
    void releaseTextures() { log->Add("release"); }
    void reloadTextures() { log->Add("reload"); }
};

struct FakeGame {
    explicit FakeGame(Log* l) : log(l) {}
    Log* log;
    std::deque<int> frameResults; // empty: 0 (stay in the game)
    std::vector<uint32_t> elapsed;
    void start() { log->Add("start"); }
    int frame(uint32_t ms) {
        log->Add("frame");
        elapsed.push_back(ms);
        if (frameResults.empty()) return 0;
        int r = frameResults.front();
        frameResults.pop_front();
        return r;
    }
};

class LoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        clockNow = 1000;
        SetTickSource(TestClock);
        loop.Start();
    }
    void TearDown() override { SetTickSource(nullptr); }

    Log log;
    FakePlatform platform{&log};
    FakeInput input{&log};
    FakeMenus menus{&log};
    FakeGame game{&log};
    FrameLoop<FakePlatform, FakeInput, FakeMenus, FakeGame> loop{platform, input, menus, game};
};

} // namespace

TEST_F(LoopTest, ElapsedCarriesTheRemainderBelowTenMilliseconds) {
    struct Frame {
        uint32_t duration, expected;
    };
    const Frame frames[] = {{26, 26}, {37, 43}, {5, 8}, {10, 18}, {0, 8}, {1, 9}, {300, 309}};
    for (const Frame& f : frames) {
        clockNow += f.duration;
        loop.RunFrame();
        EXPECT_EQ(menus.elapsed.back(), f.expected) << "a frame of " << f.duration << " ms";
    }
}

TEST_F(LoopTest, ElapsedSurvivesTheTickCountWrapping) {
    clockNow = 0xFFFFFFF0u;
    loop.Start();
    clockNow = 0x10u;
    loop.RunFrame();
    EXPECT_EQ(menus.elapsed.back(), 0x20u);
}

TEST_F(LoopTest, NothingAdvancesWhileTheWindowIsNotActive) {
    struct Frame {
        int windowState;
        uint32_t duration, expected;
    };
    const Frame frames[] = {{1, 25, 25}, {3, 40, 0}, {2, 40, 0}, {1, 17, 17}};
    for (const Frame& f : frames) {
        platform.windowState = f.windowState;
        clockNow += f.duration;
        loop.RunFrame();
        EXPECT_EQ(menus.elapsed.back(), f.expected) << "window state " << f.windowState;
    }
    EXPECT_EQ(menus.elapsed.size(), 4u) << "the menus run every frame, active or not";
}

TEST_F(LoopTest, AwayFromTheWindowPassesWithoutEventsDrawNothing) {
    struct Case {
        int windowState;
        const char* what;
    };
    const Case cases[] = {{2, "minimized"}, {3, "inactive"}};
    for (const Case& c : cases) {
        log.calls.clear();
        menus.elapsed.clear();
        platform.windowState = c.windowState;
        platform.waitResults = {0, 0, 1}; // two quiet waits, then an event
        for (int i = 0; i < 3; ++i) loop.RunFrame();
        const std::vector<std::string> expected = {"wait 50",        "wait 50", "wait 50",
                                                   "clear 16777215", "update",  "end"};
        EXPECT_EQ(log.calls, expected) << c.what << ": only the pass with an event draws";
        EXPECT_EQ(menus.elapsed, (std::vector<uint32_t>{0})) << c.what;

        platform.windowState = 1;
        clockNow += 12;
        loop.RunFrame();
        EXPECT_EQ(menus.elapsed.back(), 12u)
            << c.what << ": back in front, the waiting is not handed on";
        EXPECT_EQ(log.calls.size(), expected.size() + 3) << c.what << ": active frames never wait";
    }
}

// An online game behind another window (or minimized) goes on as the other player's does: its
// clock runs and every pass is a frame, paced by a short wait for the window system.
TEST_F(LoopTest, AGameOnTheNetworkRunsOnAwayFromTheWindow) {
    struct Case {
        int windowState;
        int network;
        std::deque<int> waitResults;
        std::vector<std::string> calls; // of the pass after the game began
        uint32_t elapsed;               // handed to the game, 0 when none ran
        const char* what;
    };
    const Case cases[] = {
        {3, 1, {0}, {"wait 10", "clear 16777215", "frame", "end"}, 10 + 30, "inactive, online"},
        {2, 1, {0}, {"wait 10", "clear 16777215", "frame", "end"}, 10 + 30, "minimized, online"},
        {3, 1, {1}, {"wait 10", "clear 16777215", "frame", "end"}, 10 + 30, "online, an event"},
        {1, 1, {}, {"clear 16777215", "frame", "end"}, 30, "active, online: no wait"},
        {3, 0, {0}, {"wait 50"}, 0, "inactive, offline: no frame"},
        {3, 0, {1}, {"wait 50", "clear 16777215", "frame", "end"}, 0, "offline: time stands"},
    };
    for (const Case& c : cases) {
        menus.updateResults = {0}; // the game begins
        loop.Start();
        loop.RunFrame();
        log.calls.clear();
        game.elapsed.clear();
        platform.windowState = c.windowState;
        platform.waitTime = 10;
        platform.waitResults = c.waitResults;
        menus.network = c.network;
        clockNow += 30;
        loop.RunFrame();
        EXPECT_EQ(log.calls, c.calls) << c.what;
        const uint32_t got = game.elapsed.empty() ? 0 : game.elapsed.back();
        EXPECT_EQ(got, c.elapsed) << c.what << ": expected " << c.elapsed << " ms, got " << got;
        platform.windowState = 1;
    }
}

TEST_F(LoopTest, MenusAndGameTakeTurns) {
    menus.updateResults = {1, 0};
    game.frameResults = {0, 1};
    for (int i = 0; i < 5; ++i) {
        clockNow += 20;
        loop.RunFrame();
    }
    const std::vector<std::string> expected = {
        "clear 16777215", "update", "end",                      // menus stay
        "clear 16777215", "update", "cursor 0", "start", "end", // a game starts
        "clear 16777215", "frame",  "end",                      // it runs
        "clear 16777215", "frame",  "cursor 1", "end",          // back to menus
        "clear 16777215", "update", "end"};
    EXPECT_EQ(log.calls, expected);
    EXPECT_EQ(game.elapsed, (std::vector<uint32_t>{20, 20}));
}

TEST_F(LoopTest, LostRendererWaitIsNotHandedOn) {
    platform.endFrameResults = {0};
    platform.restoreResults = {0, 0, 1}; // three waiting passes of 100 ms
    clockNow += 23;
    loop.RunFrame();
    const std::vector<std::string> expected = {
        "clear 16777215", "update",    "end",     "release", "key 100",   "mouse 011", "restore",
        "key 100",        "mouse 011", "restore", "key 100", "mouse 011", "restore",   "reload"};
    EXPECT_EQ(log.calls, expected);

    clockNow += 7;
    loop.RunFrame();
    EXPECT_EQ(menus.elapsed.back(), 3u + 100u + 7u)
        << "only the last pass and the new frame, not the 300 ms of waiting";
}

TEST_F(LoopTest, RunEndsWhenTheWindowIsClosed) {
    menus.updateResults = {1, 1, 1};
    int frames = 0;
    while (loop.Running() && frames < 100) {
        if (frames == 2) menus.closeOnUpdate = &platform;
        loop.RunFrame();
        ++frames;
    }
    EXPECT_EQ(frames, 3);
    EXPECT_FALSE(loop.Running());
}
