// profile-check FILE...: one line per profile file with its statistics, read as the game loads
// it (current or legacy format; a "<name>.user" file under its name's rules too); exit status 1
// when any file is not a whole, checksum-valid profile.
#include "Libs/Win1252.h"
#include "storage/ProfileStore.h"

#include <cstdio>
#include <string>

namespace {

// A "<name>.user" file is judged as the game's loader judges it, name included; any other file
// (a copy) as loading reads the copies.
int readAsTheGameDoes(const std::string& path, PlayerProfile& profile) {
    if (!path.ends_with(".user")) return loadProfileFile(path, profile);
    const size_t slash = path.find_last_of('/');
    const std::string fileName = path.substr(slash == std::string::npos ? 0 : slash + 1);
    std::string name;
    if (!Utf8ToWin1252(fileName.substr(0, fileName.size() - 5), name)) return 0; // never listed
    return readUnderName(path, name, profile);
}

} // namespace

int main(int argc, char** argv) {
    int status = argc > 1 ? 0 : 2;
    for (int i = 1; i < argc; ++i) {
        PlayerProfile profile;
        const int result = readAsTheGameDoes(argv[i], profile);
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
