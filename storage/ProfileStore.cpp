#include "storage/ProfileStore.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

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

// The whole file, read only when it is no longer than any profile: ok is false when it could not
// be read or is longer, so a stray huge file never fills the memory.
std::vector<char> readSmallFile(const std::string& path, bool& ok) {
    std::vector<char> bytes(largestProfileSize + 1);
    ok = false;
    FILE* in = SystemFiles::Open(path, "rb");
    if (!in) return {};
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
    ok = !std::ferror(in) && got <= largestProfileSize;
    std::fclose(in);
    bytes.resize(got);
    return bytes;
}

// The user's fallback copy: made whole or not at all, and only when it differs, so a normal
// start writes nothing. It is not synced: it waits for no disk at start-up. A file longer than
// any profile is not copied.
bool copyWhole(const std::string& from, const std::string& to) {
    bool readOk = false;
    const std::vector<char> bytes = readSmallFile(from, readOk);
    if (!readOk) return false;
    bool copyOk = false;
    if (readSmallFile(to, copyOk) == bytes && copyOk) return true;
    AtomicFile out;
    return out.open(to) && out.write(bytes.data(), bytes.size()) && out.commit(false);
}

uint32_t littleEndianWord(const unsigned char* b) {
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(SystemFiles::PathOf(path), error);
}

// A file that could not be loaded stays as it is, and so do its copies: only a missing copy is
// made. Its name stays taken, so no profile is ever saved over it.
void keepUnreadable(ProfileList& profiles, const std::string& name, const std::string& copy) {
    if (!fileExists(copy)) copyWhole(profilePath(name), copy);
    profiles.unreadableNames.push_back(name);
}

// A file whose checksum failed is kept once, beside it, before the first save replaces it, so
// the player may still recover it by hand. An earlier such copy is never replaced.
void keepDamagedOnce(const std::string& path) {
    const std::string kept = path + ".damaged";
    if (!fileExists(kept)) copyWhole(path, kept);
}

enum class FileKind { NotAProfile, Current, Legacy };

// What the file is by its length alone (all 64 bits of it): a file longer than any profile is
// none, and nothing of it is read.
FileKind kindOf(const std::string& path) {
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

// A listed "data/*.user" file: the profile name is the file name without its ending.
void loadOne(ProfileList& profiles, const std::string& fileName) {
    const std::string name = fileName.substr(0, fileName.size() - 5);
    if (!isFileSafeName(name)) return; // e.g. a bare ".user": no name it could be saved under
    const std::string path = profilePath(name);
    const FileKind kind = kindOf(path);
    const std::string copy = profilePath(name, kind == FileKind::Legacy ? ".bak2" : ".bak");
    const bool nameFits = kind != FileKind::Legacy || name.size() <= maxProfileNameLength;
    PlayerProfile loaded;
    const int result = nameFits ? readAs(kind, path, loaded) : 0;
    if (result == 0) {
        keepUnreadable(profiles, name, copy);
        return;
    }
    // A damaged file goes beside it once; an existing copy keeps the last good state.
    if (result == 2) {
        keepDamagedOnce(path);
        if (!fileExists(copy)) copyWhole(path, copy);
    } else {
        copyWhole(path, copy);
    }
    PlayerProfile* profile = addProfile(profiles, name);
    if (!profile) return;
    loaded.name = name;
    *profile = loaded;
}

} // namespace

bool isFileSafeName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == '/' || c == '\\') return false;
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) return false;
    }
    return true;
}

std::string profilePath(const std::string& name, const char* ending) {
    return "data/" + Win1252ToUtf8(name) + ending;
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

void loadProfiles(ProfileList& profiles) {
    DirectoryListing listing;
    listing.setPattern("data/*.user");
    while (listing.next()) {
        if (listing.isDirectory) continue;
        loadOne(profiles, listing.fileName);
    }
}

bool writeProfileFile(const std::string& path, const PlayerProfile& profile) {
    PlayerProfile copy = profile;
    RecordFile file;
    if (!file.open(path, RecordFile::Writing)) return false;
    file.writeWord(formatVersion);
    for (uint32_t* field : fileOrder(copy)) file.writeWord(*field);
    return file.close();
}

bool saveProfile(const PlayerProfile& profile) {
    if (!isFileSafeName(profile.name)) return false;
    std::error_code ignored;
    std::filesystem::create_directory("data", ignored);
    return writeProfileFile(profilePath(profile.name), profile);
}

void saveProfiles(const ProfileList& profiles) {
    std::error_code ignored;
    std::filesystem::create_directory("data", ignored);
    // The list key is the name the profile is found under.
    for (const auto& [name, profile] : profiles)
        if (isFileSafeName(name)) writeProfileFile(profilePath(name), profile);
}

bool deleteProfileFile(const std::string& name) {
    return SystemFiles::Remove(profilePath(name));
}
