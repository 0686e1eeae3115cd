#include "storage/PlayerProfile.h"

#include <algorithm>
#include <cstdio>

void clearStatistics(PlayerProfile& p) {
    p.bestScore[0] = p.bestScore[1] = 0;
    p.duelWins = p.duelGames = 0;
    p.bestComputerLevel = p.computerLevel = 0;
    p.gamesPlayed = p.totalPieces = p.totalRows = 0;
}

void clearHighScores(PlayerProfile& p) {
    for (int t = 0; t < PlayerProfile::tables; ++t) {
        p.highScoreCount[t] = 0;
        for (int i = 0; i < PlayerProfile::tableSize; ++i)
            p.highScore[t][i] = p.highScoreTime[t][i] = p.highScoreLevel[t][i] = 0;
    }
}

namespace {

uint32_t inRange(uint32_t value, uint32_t low, uint32_t high) {
    return std::clamp(value, low, high);
}

} // namespace

// A file may have been edited by hand, damaged or written by another version; the game uses
// these values as delays, key codes and table counts, so each is brought back into its range.
void clampProfile(PlayerProfile& p) {
    const PlayerProfile defaults;
    p.keyRepeatDelay = inRange(p.keyRepeatDelay, 1, 400);
    p.keyRepeatInterval = inRange(p.keyRepeatInterval, 1, 400);
    p.softDropSpeed = inRange(p.softDropSpeed, 2, 250);
    p.rotateDirection = inRange(p.rotateDirection, 0, 1);
    p.displayFlags &= 3;
    p.displayOption = inRange(p.displayOption, 0, 1);
    p.overlayOpacity = inRange(p.overlayOpacity, 0, 99);
    for (int s = 0; s < PlayerProfile::keySets; ++s)
        for (int a = 0; a < PlayerProfile::keyActions; ++a)
            if (p.keys[s][a] < 1 || p.keys[s][a] > 255) p.keys[s][a] = defaults.keys[s][a];
    p.computerLevel = inRange(p.computerLevel, 0, maxComputerLevel);
    p.bestComputerLevel = inRange(p.bestComputerLevel, 0, maxComputerLevel);
    for (int t = 0; t < PlayerProfile::tables; ++t) {
        p.highScoreCount[t] = inRange(p.highScoreCount[t], 0, PlayerProfile::tableSize);
        for (int i = static_cast<int>(p.highScoreCount[t]); i < PlayerProfile::tableSize; ++i)
            p.highScore[t][i] = p.highScoreTime[t][i] = p.highScoreLevel[t][i] = 0;
    }
}

int insertHighScore(PlayerProfile& p, int table, uint32_t score, uint32_t level, uint32_t seconds) {
    if (score == 0 || table < 0 || table >= PlayerProfile::tables) return 0;
    const int count = static_cast<int>(std::min<uint32_t>(p.highScoreCount[table], 10));
    // Before the first lower score: an equal score goes after those already there.
    int place = 0;
    while (place < count && p.highScore[table][place] >= score) ++place;
    if (place == PlayerProfile::tableSize) return 0;
    const int last = std::min(count, PlayerProfile::tableSize - 1);
    for (int i = last; i > place; --i) {
        p.highScore[table][i] = p.highScore[table][i - 1];
        p.highScoreTime[table][i] = p.highScoreTime[table][i - 1];
        p.highScoreLevel[table][i] = p.highScoreLevel[table][i - 1];
    }
    p.highScore[table][place] = score;
    p.highScoreTime[table][place] = seconds;
    p.highScoreLevel[table][place] = level;
    if (count < PlayerProfile::tableSize) p.highScoreCount[table] = count + 1;
    return place + 1;
}

std::string statisticsText(const PlayerProfile& p, const std::string& decimalMark) {
    char rate[64] = "0.0%";
    if (p.duelGames != 0)
        std::snprintf(rate, sizeof rate, "%.1f%%", 100.0 * p.duelWins / p.duelGames);
    std::string winRate = rate;
    const size_t point = winRate.find('.');
    if (point != std::string::npos)
        winRate.replace(point, 1, decimalMark.empty() ? "," : decimalMark);

    std::string text = p.name;
    for (uint32_t value : {p.bestScore[0], p.bestScore[1]}) text += "\n" + std::to_string(value);
    text += "\n" + winRate;
    for (uint32_t value : {p.bestComputerLevel + 1, p.gamesPlayed, p.totalRows, p.totalPieces})
        text += "\n" + std::to_string(value);
    return text;
}
