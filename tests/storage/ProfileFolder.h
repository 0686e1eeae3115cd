#pragma once
// A fresh data folder with what the profile tests need of the game: a profile file as the
// game's writer makes it, and one run of the game over the folder.
#include "storage/ProfileList.h"
#include "storage/ProfileStore.h"
#include "storage/Settings.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"

class ProfileFolderTest : public TempFolderTest {
protected:
    // The bytes the game's writer makes of a profile with that many games.
    static std::string profileBytes(uint32_t gamesPlayed) {
        PlayerProfile p;
        p.gamesPlayed = gamesPlayed;
        p.totalPieces = gamesPlayed * 97;
        EXPECT_TRUE(writeProfileFile("bytes.tmp", p));
        const std::string bytes = readFile("bytes.tmp");
        std::filesystem::remove("bytes.tmp");
        return bytes;
    }

    // A start of the game up to the menus, and its quit: load, two profiles at least, save.
    static std::vector<SaveFailure> runTheGameOnce() {
        Settings settings;
        ProfileList profiles;
        loadSettings(settings, profiles);
        while (profiles.Count() < 2) createProfile(profiles, "Spieler");
        PlayerProfile *player1, *player2, *managed;
        resolvePlayers(profiles, settings, player1, player2, managed);
        return saveSettings(settings, profiles, player1, player2, managed);
    }
};
