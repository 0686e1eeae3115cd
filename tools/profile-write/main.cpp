// profile-write FILE GAMES [DELAY]: saves a profile through the game's own writer, with GAMES
// games played and statistics that follow from it, so play tests and fuzz seeds start from files
// the game itself would leave. DELAY sets the key-repeat delay word as it is, even out of range
// (the loader brings 0 up to 1, so the game's next save writes other bytes).
#include "storage/ProfileStore.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: profile-write FILE GAMES [DELAY]\n");
        return 2;
    }
    PlayerProfile profile;
    const uint32_t games = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
    profile.gamesPlayed = games;
    if (argc == 4)
        profile.keyRepeatDelay = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10));
    profile.totalPieces = games * 97;
    profile.totalRows = games * 31;
    profile.duelGames = games / 2;
    profile.duelWins = games / 3;
    if (games > 0) insertHighScore(profile, 0, games * 1000, games % 10, games * 60);
    profile.bestScore[0] = profile.highScore[0][0];
    if (!writeProfileFile(argv[1], profile)) {
        std::fprintf(stderr, "%s: could not be written\n", argv[1]);
        return 1;
    }
    return 0;
}
