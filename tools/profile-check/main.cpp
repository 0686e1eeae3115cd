// profile-check FILE...: one line per profile file with its statistics, read as the game loads
// it (current or legacy format); exit status 1 when any file is not a whole, checksum-valid
// profile.
#include "storage/ProfileStore.h"

#include <cstdio>

int main(int argc, char** argv) {
    int status = argc > 1 ? 0 : 2;
    for (int i = 1; i < argc; ++i) {
        PlayerProfile profile;
        const int result = loadProfileFile(argv[i], profile);
        if (result != 1) {
            std::printf("%s: %s\n", argv[i], result == 0 ? "unreadable" : "checksum failed");
            status = 1;
            continue;
        }
        std::printf("%s: gamesPlayed=%u totalPieces=%u totalRows=%u duelGames=%u "
                    "computerLevel=%u bestComputerLevel=%u bestScore=%u,%u\n",
                    argv[i], profile.gamesPlayed, profile.totalPieces, profile.totalRows,
                    profile.duelGames, profile.computerLevel, profile.bestComputerLevel,
                    profile.bestScore[0], profile.bestScore[1]);
    }
    return status;
}
