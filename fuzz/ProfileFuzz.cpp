// A profile file, current or legacy: any bytes are read as loading reads them, and by each of
// the two readers; every file a reader accepts is saved by the game's writer and must read back
// to the same record.
#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "storage/PlayerProfile.h"
#include "storage/ProfileStore.h"

namespace {

using Reader = int (*)(const std::string&, PlayerProfile&);

void readSaveAndReadBack(Reader read, const std::string& path) {
    PlayerProfile loaded;
    const int result = read(path, loaded);
    if (result < 0 || result > 2) fuzz::fail("a reader answered other than 0, 1 or 2");
    if (result == 0) return;
    const std::string saved = fuzz::folder() + "/saved.user";
    if (!writeProfileFile(saved, loaded)) fuzz::fail("an accepted profile could not be saved");
    PlayerProfile back;
    if (readProfileFile(saved, back) != 1) fuzz::fail("a saved profile does not read back whole");
    if (!(back == loaded)) fuzz::fail("a saved profile reads back as another record");
    // The record as read is already in range: clamping it changes nothing.
    PlayerProfile clamped = loaded;
    clampProfile(clamped);
    if (!(clamped == loaded)) fuzz::fail("an accepted profile holds values out of range");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::writeInput("fuzz.user", data, size);
    readSaveAndReadBack(loadProfileFile, path);
    readSaveAndReadBack(readProfileFile, path);
    readSaveAndReadBack(readLegacyProfileFile, path);
    return 0;
}
