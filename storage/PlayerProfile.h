#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Libs/KeyCodes.h"
#include "storage/KeyedTable.h"

// One person's stored profile: key bindings, timing, display options, lifetime statistics and
// the two top-ten tables. All numbers are 32-bit unsigned words, as they sit in the file.
struct PlayerProfile {
    static constexpr int keySets = 2;
    static constexpr int keyActions = 5; // rotate, move right, move left, soft drop, hard drop
    static constexpr int tables = 2;     // one per one-player mode
    static constexpr int tableSize = 10;

    std::string name; // also the file name; not stored inside the file

    uint32_t keyRepeatDelay = 90;    // move keys' auto-repeat delay, 1..400
    uint32_t keyRepeatInterval = 30; // move keys' auto-repeat interval, 1..400
    uint32_t softDropSpeed = 50;     // 2..250
    uint32_t rotateDirection = 1;    // 1: one step forward; 0: three steps forward
    uint32_t displayFlags = 0;       // bits 0 and 1: two display options of the game screen
    uint32_t displayOption = 0;      // 0 or 1
    uint32_t overlayOpacity = 50;    // percent, 0..99

    // Key codes of the two sets, in action order.
    uint32_t keys[keySets][keyActions] = {{KeyUp, KeyRight, KeyLeft, KeyDown, KeySpace},
                                          {KeyW, KeyD, KeyA, KeyS, KeyTab}};

    // The statistics block, in file order.
    uint32_t bestScore[tables] = {0, 0};
    uint32_t duelWins = 0;
    uint32_t duelGames = 0;
    uint32_t bestComputerLevel = 4; // 0-based
    uint32_t computerLevel = 4;     // 0-based
    uint32_t gamesPlayed = 0;
    uint32_t totalPieces = 0;
    uint32_t totalRows = 0;

    // The high-score tables, best first; entries past the count are 0.
    uint32_t highScoreCount[tables] = {0, 0};
    uint32_t highScore[tables][tableSize] = {};
    uint32_t highScoreTime[tables][tableSize] = {}; // whole seconds
    uint32_t highScoreLevel[tables][tableSize] = {};

    bool operator==(const PlayerProfile&) const = default;
};

// The profiles by name, in byte order, case-sensitive; names are unique.
struct ProfileList : KeyedTable<std::string, PlayerProfile> {
    // Names of "data/*.user" files that exist but could not be loaded. No new or renamed profile
    // takes one, so the game never saves over such a file: the player may still rescue it.
    std::vector<std::string> unreadableNames;
};

// Computer strengths above this are not offered; a stored larger value is brought down to it.
constexpr uint32_t maxComputerLevel = 99;

// The nine statistics words (best scores to rows) set to 0.
void clearStatistics(PlayerProfile& profile);
// Both tables emptied: counts and every entry 0.
void clearHighScores(PlayerProfile& profile);
// Brings every option into the range the player page offers; a key code outside 1..255 becomes
// that key's default; a table count above 10 becomes 10 and entries past the count 0.
void clampProfile(PlayerProfile& profile);

// Enters a one-player result into table `table` (0 or 1). Returns the 1-based rank of the new
// entry, or 0 when nothing was entered (a score of 0, or a full table with no lower score).
int insertHighScore(PlayerProfile& profile, int table, uint32_t score, uint32_t level,
                    uint32_t seconds);

// The statistics page's row for the profile, one value per line: name, the two best scores, the
// win rate against people ("33,3%" with the decimal mark ","; an empty mark stands for ","),
// computer level, games, rows, pieces.
std::string statisticsText(const PlayerProfile& profile, const std::string& decimalMark);
