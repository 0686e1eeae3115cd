#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "Libs/Platform.h"
#include "game/Game.h"
#include "menu/MenuSystem.h"
#include "tests/support/GameTestAccess.h"
#include "tests/support/MenuSystemTestAccess.h"

// A Game set up on a MenuSystem whose data is filled by hand (two profiles, a few language
// texts, no content files), on the dummy video and audio drivers, with a fixed random seed.
class GameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A fresh game and menus, for the next case of a table.
    void fresh() {
        TearDown();
        SetUp();
    }

    // The menus hand over a one-player game of the variant (0 clock, 1 tasks).
    void startSingle(int variant);
    // The menus hand over a two-player game (0 two people, 1 against the computer).
    void startPair(int variant, int endlessGame);
    // Back from the menus with the same kind of game: resumes when it is still paused.
    void resume(int requested);

    // One frame. The tick count stands still unless a test moves it on.
    int frame(uint32_t elapsed = 10);
    // Lets the moment pass in which a freshly opened result dialog ignores the keyboard.
    void waitOutResultGuard() { clock += 500; }
    void pushPress(uint32_t code);
    void pushRelease(uint32_t code);
    // Press and release, then one frame with no time passing: answers frame's result.
    int tapKey(uint32_t code);

    // The board's next update ends its game: the pause after a clear runs out and the next
    // piece finds its place taken.
    static void loseAtNextUpdate(Board& board);

    PlayerProfile& anna() { return *menu->profiles.Find("Anna"); }
    PlayerProfile& bert() { return *menu->profiles.Find("Bert"); }
    MenuSystemTestAccess menuState() { return MenuSystemTestAccess(*menu); }
    GameTestAccess gameState() { return GameTestAccess(*game); }

    static uint32_t clock;
    static uint32_t testClock() { return clock; }

    std::filesystem::path folder;
    std::unique_ptr<DirectXLib> directX;
    std::unique_ptr<InputLib> input;
    std::unique_ptr<MenuSystem> menu;
    std::unique_ptr<Game> game;
};

// The language texts the fixture loads, so tests can predict the formatted results.
namespace FixtureText {
constexpr const char* computerPlays = "Computer %d";             // 210
constexpr const char* playerBack = "Selbst %d";                  // 211
constexpr const char* computerName = "Rechner";                  // 212
constexpr const char* duel = "%s besiegt %s";                    // 215
constexpr const char* playerWon = "%s schlaegt Stufe %d";        // 216
constexpr const char* playerLost = "%s verliert gegen Stufe %d"; // 217
constexpr const char* computerCaption = "Computer";              // 218
constexpr const char* newRecord = "%s: %u Punkte, Platz %d";     // 219
constexpr const char* noRecord = "%s: %u Punkte";                // 220
} // namespace FixtureText
