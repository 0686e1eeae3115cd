#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Libs/DataFolder.h"
#include "storage/AtomicFile.h"
#include "storage/PlayerProfile.h"

// The user settings kept in "data/brixel.ini" (the file key of each field beside it).
struct Settings {
    int32_t singlePlayerMode = 1; // "Modus Einzelspieler", 0 or 1
    int32_t twoPlayerMode = 1;    // "Modus Mehrspieler": 0 a person, 1 the computer, 2 network
    int32_t twoPlayerEndless = 1; // "Modus Mehrspieler_endlos", 0 or 1
    int32_t backgroundKind = 1;   // "Hintergrund Art": 0 random once, 1 random every game, 2 fixed
    int32_t particleCount = 150;  // "Partikel", 10..500
    int32_t soundVolume = 100;    // "Volume Sounds", percent 0..100
    int32_t backgroundIndex = 0;  // "Hintergrund Bild"
    std::string backgroundName;   // title of the picture at backgroundIndex; never stored
    std::string player1Name = "Spieler 1";       // "Spieler 1"
    std::string player2Name = "Spieler 2";       // "Spieler 2"
    std::string managedPlayerName = "Spieler 1"; // "Spieler Manage"
    std::string skinName = "Golden";             // "Skin"
    std::string languageName = "Deutsch";        // "Sprache"
    std::string blockSetName = "design druve";   // "Stein"
    std::string networkAddress;                  // "Netzwerk Adresse": the last game joined
    std::string relayAddress; // "Netzwerk Relay": the relay for players who cannot open a port
};

// "data/brixel.ini" in the folder the game writes into.
inline std::string settingsPath() {
    return DataFolder::Path("data/brixel.ini");
}

// Removes what interrupted saves left in "data", loads every profile (data/*.user) into the list,
// then reads the settings file; missing or damaged values take their defaults, values outside
// the settings page's ranges are brought into range.
void loadSettings(Settings& settings, ProfileList& profiles);
// Only the settings file part of loadSettings.
void readSettingsFile(Settings& settings, const std::string& path = settingsPath());
// Brings every value into the range the menus offer.
void clampSettings(Settings& settings);

// Finds the three players by exact name; a name not found gives the first profile; player 2 is
// never player 1 (the first other profile in list order). Needs at least two profiles.
void resolvePlayers(ProfileList& profiles, const Settings& settings, PlayerProfile*& player1,
                    PlayerProfile*& player2, PlayerProfile*& managedPlayer);

// Writes every profile in list order, then the settings file with exactly its fifteen keys
// (player names taken from the three profiles). Each file is replaced whole or not at all; the
// files that could not be saved, and why.
std::vector<SaveFailure> saveSettings(const Settings& settings, ProfileList& profiles,
                                      const PlayerProfile* player1, const PlayerProfile* player2,
                                      const PlayerProfile* managedPlayer);
// Only the settings file part of saveSettings; false when it could not be written.
bool writeSettingsFile(const Settings& settings, const std::string& player1Name,
                       const std::string& player2Name, const std::string& managedPlayerName,
                       const std::string& path = settingsPath(), SaveProblem* problem = nullptr);
