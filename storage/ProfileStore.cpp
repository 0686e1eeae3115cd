#include "storage/ProfileStore.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "Libs/DataFolder.h"
#include "Libs/SystemFiles.h"
#include "Libs/Win1252.h"
#include "storage/AtomicFile.h"
#include "storage/DirectoryListing.h"
#include "storage/ProfileList.h"
#include "storage/RecordFile.h"

namespace {

constexpr uint32_t formatVersion = 1;
constexpr int storedWords = 88; // words 2..89 of the file
constexpr size_t legacySize = 148;
// The longest file a profile can be: magic, version, the record words and the checksum.
constexpr size_t largestProfileSize = 4 * (2 + storedWords + 1);

// The record's fields in the order of file words 2..89.
std::array<uint32_t*, storedWords> fileOrder(PlayerProfile& p) {
    std::array<uint32_t*, storedWords> words{};
    size_t n = 0;
    for (uint32_t* field :
         {&p.keyRepeatDelay, &p.keyRepeatInterval, &p.softDropSpeed, &p.rotateDirection,
          &p.displayFlags, &p.displayOption, &p.overlayOpacity})
        words[n++] = field;
    for (auto& set : p.keys)
        for (uint32_t& key : set) words[n++] = &key;
    for (uint32_t* field :
         {&p.bestScore[0], &p.bestScore[1], &p.duelWins, &p.duelGames, &p.bestComputerLevel,
          &p.computerLevel, &p.gamesPlayed, &p.totalPieces, &p.totalRows})
        words[n++] = field;
    for (int t = 0; t < PlayerProfile::tables; ++t) {
        words[n++] = &p.highScoreCount[t];
        for (int i = 0; i < PlayerProfile::tableSize; ++i) {
            words[n++] = &p.highScore[t][i];
            words[n++] = &p.highScoreLevel[t][i];
            words[n++] = &p.highScoreTime[t][i];
        }
    }
    return words;
}

// The nine statistics words in block order.
std::array<uint32_t*, 9> statisticsBlock(PlayerProfile& p) {
    return {&p.bestScore[0],  &p.bestScore[1], &p.duelWins,    &p.duelGames, &p.bestComputerLevel,
            &p.computerLevel, &p.gamesPlayed,  &p.totalPieces, &p.totalRows};
}

// The check value an old-format file keeps over its statistics block.
uint32_t legacyCheckValue(PlayerProfile& p) {
    uint32_t t = 0, u = 0;
    const auto block = statisticsBlock(p);
    for (uint32_t i = 0; i < block.size(); ++i) {
        t += *block[i] * (1989 + i);
        u += *block[i] * (1983 - i);
    }
    return u + (t | (t * 65536));
}

// The whole file, read only when it is a regular file no longer than any profile: ok is false
// when it could not be read or is longer, so a stray huge file never fills the memory and a pipe
// never blocks the start.
std::vector<char> readSmallFile(const std::string& path, bool& ok) {
    std::vector<char> bytes(largestProfileSize + 1);
    ok = false;
    if (!SystemFiles::IsRegularFile(path)) return {};
    FILE* in = SystemFiles::Open(path, "rb");
    if (!in) return {};
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
    ok = !std::ferror(in) && got <= largestProfileSize;
    std::fclose(in);
    bytes.resize(got);
    return bytes;
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(SystemFiles::PathOf(path), error);
}

// Puts the bytes in place of `to` whole, synced, and reads them back: true only when the file
// now holds exactly them. A file that only holds them does not need writing.
bool writeVerified(const std::vector<char>& bytes, const std::string& to) {
    bool sameOk = false;
    if (readSmallFile(to, sameOk) == bytes && sameOk) return true;
    if (fileExists(to) && !SystemFiles::IsRegularFile(to)) return false; // not ours to replace
    AtomicFile out;
    if (!(out.open(to) && out.write(bytes.data(), bytes.size()) && out.commit())) return false;
    bool backOk = false;
    return readSmallFile(to, backOk) == bytes && backOk;
}

// A copy of the file, made whole or not at all, and only when it differs, so a normal start
// writes nothing. A file longer than any profile is not copied.
bool copyWhole(const std::string& from, const std::string& to) {
    bool readOk = false;
    const std::vector<char> bytes = readSmallFile(from, readOk);
    return readOk && writeVerified(bytes, to);
}

// The names a damaged file's bytes are kept under, beside it: "<file>.damaged", then
// "<file>.damaged2" up to "<file>.damaged99". Each distinct damaged version gets its own.
constexpr int keptVersions = 99;
std::string keptName(const std::string& path, int version) {
    return path + ".damaged" + (version == 1 ? "" : std::to_string(version));
}

// True when the exact bytes of the damaged file are kept beside it: already under one of the
// kept names, or now under the first free one (read back to be sure). False when they could not
// be kept; the file must then stay as it is.
bool keepDamaged(const std::string& path) {
    bool readOk = false;
    const std::vector<char> bytes = readSmallFile(path, readOk);
    if (!readOk) return false;
    for (int version = 1; version <= keptVersions; ++version) {
        const std::string kept = keptName(path, version);
        if (!fileExists(kept)) return writeVerified(bytes, kept);
        bool keptOk = false;
        if (readSmallFile(kept, keptOk) == bytes && keptOk) return true;
    }
    return false;
}

uint32_t littleEndianWord(const unsigned char* b) {
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

// A file that could not be loaded stays as it is, and so do its copies: only a missing copy is
// made. Its name stays taken, so no profile is ever saved over it.
void keepUnreadable(ProfileList& profiles, const std::string& name, const std::string& copy) {
    if (!fileExists(copy)) copyWhole(profilePath(name), copy);
    profiles.unreadableNames.push_back(name);
}

enum class FileKind { NotAProfile, Current, Legacy };

// What the file is by its length alone (all 64 bits of it): a file longer than any profile, or
// anything but a regular file, is none, and nothing of it is read.
FileKind kindOf(const std::string& path) {
    if (!SystemFiles::IsRegularFile(path)) return FileKind::NotAProfile;
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(SystemFiles::PathOf(path), error);
    if (error || size > largestProfileSize) return FileKind::NotAProfile;
    return size == legacySize ? FileKind::Legacy : FileKind::Current;
}

// The reader of the kind; the answers of readProfileFile.
int readAs(FileKind kind, const std::string& path, PlayerProfile& profile) {
    if (kind == FileKind::Current) return readProfileFile(path, profile);
    if (kind == FileKind::Legacy) return readLegacyProfileFile(path, profile);
    return 0;
}

// The fallback copy follows a cleanly read profile. A copy that does not read cleanly itself
// is kept as a damaged version first, and stays when that fails.
void refreshCopy(const std::string& path, const std::string& copy) {
    PlayerProfile old;
    if (fileExists(copy) && loadProfileFile(copy, old) != 1 && !keepDamaged(copy)) return;
    copyWhole(path, copy);
}

// A listed "data/*.user" file: the profile name is the file name without its ending.
void loadOne(ProfileList& profiles, const std::string& fileName) {
    const std::string name = fileName.substr(0, fileName.size() - 5);
    // e.g. a bare ".user", a reserved or an over-long name: no name it could be saved under.
    if (!isFileSafeName(name)) return;
    const std::string path = profilePath(name);
    if (!SystemFiles::IsRegularFile(path)) {
        profiles.unreadableNames.push_back(name); // a pipe or a device: never opened
        return;
    }
    const std::string copy = profilePath(name, kindOf(path) == FileKind::Legacy ? ".bak2" : ".bak");
    PlayerProfile loaded;
    const int result = readUnderName(path, name, loaded);
    if (result == 0) {
        keepUnreadable(profiles, name, copy);
        return;
    }
    if (result == 2) {
        // The first save would replace the damaged file: without its bytes safe beside it the
        // profile waits for a later start, untouched, rather than be lost.
        if (!keepDamaged(path)) {
            profiles.unreadableNames.push_back(name);
            return;
        }
        // The copy holds the last good state: the player goes on from there rather than from
        // cleared statistics, and the copy itself stays as it is.
        PlayerProfile lastGood;
        if (loadProfileFile(copy, lastGood) == 1) loaded = lastGood;
    } else {
        refreshCopy(path, copy);
    }
    PlayerProfile* profile = addProfile(profiles, name);
    if (!profile) return;
    loaded.name = name;
    *profile = loaded;
}

} // namespace

bool isReservedOnWindows(const std::string& name) {
    // Windows gives these names to devices, whatever follows a dot and whatever trails them.
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    std::string upper;
    for (char c : base) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (upper == device) return true;
    if (upper.size() != 4 || !(upper.starts_with("COM") || upper.starts_with("LPT"))) return false;
    const unsigned char last = static_cast<unsigned char>(upper[3]);
    return (last >= '0' && last <= '9') || last == 0xB9 || last == 0xB2 || last == 0xB3; // ¹²³
}

bool fitsFileNameLimit(const std::string& name) {
    constexpr size_t limit = 255; // bytes, or UTF-16 units on Windows
    constexpr size_t longestEnding = sizeof ".user.damaged99" - 1; // and ".bak2.damaged99"
    return Win1252ToUtf8(name).size() + longestEnding + SystemFiles::TemporaryNameExtra <= limit;
}

bool isFileSafeName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == '/' || c == '\\') return false;
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) return false;
    }
    return !isReservedOnWindows(name) && fitsFileNameLimit(name);
}

std::string profilePath(const std::string& name, const char* ending) {
    return DataFolder::Path("data/" + Win1252ToUtf8(name) + ending);
}

int readProfileFile(const std::string& path, PlayerProfile& profile) {
    RecordFile file;
    if (!file.open(path, RecordFile::Reading)) return 0;
    uint32_t version = 0;
    if (!file.readWord(version) || version != formatVersion) return 0;
    // A short file leaves the remaining fields at their defaults.
    for (uint32_t* field : fileOrder(profile))
        if (!file.readWord(*field)) break;
    int result = 1;
    // A failed checksum: the options are still of use once clamped, but the statistics and
    // tables cannot be told right from wrong, so they start over rather than show made-up records.
    if (!file.close()) {
        clearStatistics(profile);
        clearHighScores(profile);
        result = 2;
    }
    clampProfile(profile);
    return result;
}

int readLegacyProfileFile(const std::string& path, PlayerProfile& p) {
    FILE* file = SystemFiles::Open(path, "rb");
    if (!file) return 0;
    unsigned char bytes[legacySize];
    const size_t got = std::fread(bytes, 1, legacySize, file);
    std::fclose(file);
    if (got < legacySize) return 0;
    uint32_t w[37];
    for (int i = 0; i < 37; ++i) w[i] = littleEndianWord(bytes + 4 * i);

    p.rotateDirection = w[0];
    p.keyRepeatDelay = w[1];
    p.keyRepeatInterval = w[2];
    p.softDropSpeed = w[3];
    for (int a = 0; a < 4; ++a) {
        p.keys[0][a] = w[4 + a];
        p.keys[1][a] = w[8 + a];
    }
    p.displayFlags = w[12];
    p.displayOption = w[13];
    p.overlayOpacity = (w[14] == 0 ? 51 : w[14]) - 1;
    // A hard-drop key of 0 (never set) falls back to the default key of its set.
    const PlayerProfile defaults;
    p.keys[0][4] = w[15] == 0 ? defaults.keys[0][4] : w[15];
    p.keys[1][4] = w[16] == 0 ? defaults.keys[1][4] : w[16];
    const auto block = statisticsBlock(p);
    for (size_t i = 0; i < block.size(); ++i) *block[i] = w[20 + i];
    const bool checked = w[36] == legacyCheckValue(p);
    if (!checked) clearStatistics(p);

    // The old format kept no tables: a best score becomes a table of one.
    clearHighScores(p);
    for (int t = 0; t < PlayerProfile::tables; ++t) {
        if (p.bestScore[t] == 0) continue;
        p.highScoreCount[t] = 1;
        p.highScore[t][0] = p.bestScore[t];
    }
    clampProfile(p);
    return checked ? 1 : 2;
}

int loadProfileFile(const std::string& path, PlayerProfile& profile) {
    return readAs(kindOf(path), path, profile);
}

int readUnderName(const std::string& path, const std::string& name, PlayerProfile& profile) {
    if (!isFileSafeName(name)) return 0;
    const FileKind kind = kindOf(path);
    // The old format kept names of at most 20 characters; a longer one is no such file.
    if (kind == FileKind::Legacy && name.size() > maxProfileNameLength) return 0;
    return readAs(kind, path, profile);
}

void loadProfiles(ProfileList& profiles) {
    DirectoryListing listing;
    listing.setPattern("data/*.user", DataFolder::Root());
    while (listing.next()) {
        if (listing.isDirectory) continue;
        loadOne(profiles, listing.fileName);
    }
}

bool writeProfileFile(const std::string& path, const PlayerProfile& profile, SaveProblem* problem) {
    PlayerProfile copy = profile;
    RecordFile file;
    bool saved = file.open(path, RecordFile::Writing);
    if (saved) {
        file.writeWord(formatVersion);
        for (uint32_t* field : fileOrder(copy)) file.writeWord(*field);
        saved = file.close();
    }
    if (problem) *problem = file.problem();
    return saved;
}

bool saveProfile(const PlayerProfile& profile, SaveProblem* problem) {
    if (!isFileSafeName(profile.name)) {
        if (problem) *problem = SaveProblem::NameRefused;
        return false;
    }
    std::error_code ignored;
    std::filesystem::create_directory(SystemFiles::PathOf(DataFolder::Path("data")), ignored);
    return writeProfileFile(profilePath(profile.name), profile, problem);
}

std::vector<SaveFailure> saveProfiles(const ProfileList& profiles) {
    std::error_code ignored;
    std::filesystem::create_directory(SystemFiles::PathOf(DataFolder::Path("data")), ignored);
    std::vector<SaveFailure> failures;
    // The list key is the name the profile is found under.
    for (const auto& [name, profile] : profiles) {
        SaveProblem problem = SaveProblem::NameRefused;
        if (isFileSafeName(name) && writeProfileFile(profilePath(name), profile, &problem))
            continue;
        failures.push_back({name + ".user", problem});
    }
    return failures;
}

bool deleteProfileFile(const std::string& name) {
    return SystemFiles::Remove(profilePath(name));
}
