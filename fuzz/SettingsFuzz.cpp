// The settings file: any bytes are read; what was read is written and reads back the same; the
// settings built from it stay in the menus' ranges.
#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "storage/ConfigFile.h"
#include "storage/Settings.h"

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
    const Settings clamped = [&] {
        Settings s = settings;
        clampSettings(s);
        return s;
    }();
    if (clamped.particleCount != settings.particleCount ||
        clamped.soundVolume != settings.soundVolume ||
        clamped.backgroundKind != settings.backgroundKind)
        fuzz::fail("settings read from a file are outside the menus' ranges");
    return 0;
}
