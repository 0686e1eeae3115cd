#include "storage/Settings.h"

#include <algorithm>

#include "storage/ConfigFile.h"
#include "storage/InterruptedSaves.h"
#include "storage/ProfileStore.h"

namespace {

// The numeric settings with their file keys and the ranges the menus offer.
struct NumberKey {
    int32_t Settings::*field;
    const char* key;
    int32_t fallback;
    int32_t low;
    int32_t high;
};
constexpr NumberKey numberKeys[] = {
    {&Settings::backgroundKind, "Hintergrund Art", 1, 0, 2},
    {&Settings::backgroundIndex, "Hintergrund Bild", 0, 0, INT32_MAX},
    {&Settings::singlePlayerMode, "Modus Einzelspieler", 1, 0, 1},
    {&Settings::twoPlayerMode, "Modus Mehrspieler", 1, 0, 2},
    {&Settings::twoPlayerEndless, "Modus Mehrspieler_endlos", 1, 0, 1},
    {&Settings::particleCount, "Partikel", 150, 10, 500},
    {&Settings::soundVolume, "Volume Sounds", 100, 0, 100},
};

struct TextKey {
    std::string Settings::*field;
    const char* key;
    const char* fallback;
};
constexpr TextKey textKeys[] = {
    {&Settings::player1Name, "Spieler 1", "Spieler 1"},
    {&Settings::player2Name, "Spieler 2", "Spieler 2"},
    {&Settings::managedPlayerName, "Spieler Manage", "Spieler 1"},
    {&Settings::skinName, "Skin", "Golden"},
    {&Settings::languageName, "Sprache", "Deutsch"},
    {&Settings::blockSetName, "Stein", "design druve"},
    {&Settings::networkAddress, "Netzwerk Adresse", ""},
    {&Settings::relayAddress, "Netzwerk Relay", ""},
};

} // namespace

void readSettingsFile(Settings& settings, const std::string& path) {
    ConfigFile file;
    file.read(path);
    for (const NumberKey& n : numberKeys) {
        int value = 0;
        file.getInt(n.key, value, n.fallback);
        settings.*n.field = value;
    }
    for (const TextKey& t : textKeys) file.getString(t.key, settings.*t.field, t.fallback);
    clampSettings(settings);
}

void clampSettings(Settings& settings) {
    for (const NumberKey& n : numberKeys)
        settings.*n.field = std::clamp(settings.*n.field, n.low, n.high);
}

void loadSettings(Settings& settings, ProfileList& profiles) {
    removeInterruptedSaves();
    loadProfiles(profiles);
    readSettingsFile(settings);
}

void resolvePlayers(ProfileList& profiles, const Settings& settings, PlayerProfile*& player1,
                    PlayerProfile*& player2, PlayerProfile*& managedPlayer) {
    PlayerProfile* first = profiles.First();
    auto byName = [&](const std::string& name) {
        PlayerProfile* found = profiles.Find(name);
        return found ? found : first;
    };
    player1 = byName(settings.player1Name);
    player2 = byName(settings.player2Name);
    managedPlayer = byName(settings.managedPlayerName);
    if (player1 != player2) return;
    for (auto& [name, profile] : profiles) {
        if (&profile != player1) {
            player2 = &profile;
            return;
        }
    }
}

bool writeSettingsFile(const Settings& settings, const std::string& player1Name,
                       const std::string& player2Name, const std::string& managedPlayerName,
                       const std::string& path, SaveProblem* problem) {
    ConfigFile file;
    for (const NumberKey& n : numberKeys) file.setInt(n.key, settings.*n.field);
    Settings named = settings;
    named.player1Name = player1Name;
    named.player2Name = player2Name;
    named.managedPlayerName = managedPlayerName;
    for (const TextKey& t : textKeys) file.setString(t.key, named.*t.field);
    return file.write(path, problem);
}

std::vector<SaveFailure> saveSettings(const Settings& settings, ProfileList& profiles,
                                      const PlayerProfile* player1, const PlayerProfile* player2,
                                      const PlayerProfile* managedPlayer) {
    std::vector<SaveFailure> failures = saveProfiles(profiles); // this also makes the data folder
    auto nameOf = [](const PlayerProfile* p, const std::string& fallback) {
        return p ? p->name : fallback;
    };
    SaveProblem problem = SaveProblem::None;
    if (!writeSettingsFile(
            settings, nameOf(player1, settings.player1Name), nameOf(player2, settings.player2Name),
            nameOf(managedPlayer, settings.managedPlayerName), settingsPath(), &problem))
        failures.push_back({"brixel.ini", problem});
    return failures;
}
