// The settings file: any bytes are read; what was read is written and reads back the same; the
// settings built from it are in the menus' ranges and go through the game's own writer and
// reader unchanged.
#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "storage/ConfigFile.h"
#include "storage/Settings.h"

namespace {

// The menus' ranges, written out here on their own so a wrong clamp in the reader is caught.
struct Range {
    int32_t Settings::*field;
    int32_t low, high;
};
constexpr Range menuRanges[] = {
    {&Settings::backgroundKind, 0, 2},          {&Settings::singlePlayerMode, 0, 1},
    {&Settings::twoPlayerMode, 0, 2},           {&Settings::twoPlayerEndless, 0, 1},
    {&Settings::particleCount, 10, 500},        {&Settings::soundVolume, 0, 100},
    {&Settings::backgroundIndex, 0, INT32_MAX},
};

bool sameStored(const Settings& a, const Settings& b) {
    for (const Range& r : menuRanges)
        if (a.*r.field != b.*r.field) return false;
    return a.player1Name == b.player1Name && a.player2Name == b.player2Name &&
           a.managedPlayerName == b.managedPlayerName && a.skinName == b.skinName &&
           a.languageName == b.languageName && a.blockSetName == b.blockSetName;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::writeInput("brixel.ini", data, size);
    ConfigFile config;
    if (!config.read(path)) fuzz::fail("an existing settings file could not be opened");

    const std::string copy = fuzz::folder() + "/copy.ini";
    if (!config.write(copy)) fuzz::fail("the settings read could not be written");
    ConfigFile again;
    if (!again.read(copy)) fuzz::fail("the written settings could not be opened");
    if (again.entries.Count() != config.entries.Count())
        fuzz::fail("the written settings read back with another number of keys");
    for (const auto& [key, value] : config.entries) {
        const std::string* back = again.entries.Find(key);
        if (!back || *back != value) fuzz::fail("a key read back missing or changed");
    }

    Settings settings;
    readSettingsFile(settings, path);
    for (const Range& r : menuRanges)
        if (settings.*r.field < r.low || settings.*r.field > r.high)
            fuzz::fail("settings read from a file are outside the menus' ranges");

    // The game's own save and load: what it saved is what it reads at the next start.
    const std::string saved = fuzz::folder() + "/saved.ini";
    if (!writeSettingsFile(settings, settings.player1Name, settings.player2Name,
                           settings.managedPlayerName, saved))
        fuzz::fail("the game could not save settings it read");
    Settings back;
    readSettingsFile(back, saved);
    if (!sameStored(settings, back)) fuzz::fail("saved settings read back as other settings");
    return 0;
}
