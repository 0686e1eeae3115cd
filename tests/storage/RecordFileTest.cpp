#include "storage/RecordFile.h"
#include "storage/AtomicFile.h"
#include "storage/ProfileStore.h"

#include <string>

#include "TempFolder.h"
#include "tests/support/DiskFaults.h"

namespace {

// A profile with a different value in every word, so a swapped or lost field shows.
PlayerProfile distinctProfile(const std::string& name) {
    PlayerProfile p;
    p.name = name;
    p.keyRepeatDelay = 143;
    p.keyRepeatInterval = 47;
    p.softDropSpeed = 76;
    p.rotateDirection = 0;
    p.displayFlags = 3;
    p.displayOption = 1;
    p.overlayOpacity = 99;
    for (int s = 0; s < 2; ++s)
        for (int a = 0; a < 5; ++a) p.keys[s][a] = 100 + 10 * s + a;
    p.bestScore[0] = 90000;
    p.bestScore[1] = 4000000000u;
    p.duelWins = 3;
    p.duelGames = 9;
    p.bestComputerLevel = 12;
    p.computerLevel = 7;
    p.gamesPlayed = 55;
    p.totalPieces = 12345;
    p.totalRows = 2345;
    for (int t = 0; t < 2; ++t) {
        p.highScoreCount[t] = 10 - t;
        for (int i = 0; i < 10 - t; ++i) {
            p.highScore[t][i] = 10000 - 100 * i - t;
            p.highScoreTime[t][i] = 60 + i;
            p.highScoreLevel[t][i] = 1 + i + t;
        }
    }
    return p;
}

uint32_t wordAt(const std::string& bytes, size_t i) {
    uint32_t w = 0;
    for (int b = 3; b >= 0; --b) w = w << 8 | static_cast<unsigned char>(bytes[4 * i + b]);
    return w;
}

void setWordAt(std::string& bytes, size_t i, uint32_t w) {
    for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<char>(w >> (8 * b));
}

// Opens and reads every word; the answer of close, or -1 when open refused the file.
int readBack(const std::string& path) {
    RecordFile file;
    if (!file.open(path, RecordFile::Reading)) return -1;
    uint32_t w;
    for (int i = 1; i < 90; ++i) file.readWord(w);
    return file.close() ? 1 : 0;
}

} // namespace

class ProfileFile : public TempFolderTest {};

TEST_F(ProfileFile, AWrittenProfileReadsBackAsTheSameRecord) {
    const PlayerProfile written = distinctProfile("Anna");
    ASSERT_TRUE(saveProfile(written));
    const std::string bytes = readFile("data/Anna.user");
    ASSERT_EQ(364u, bytes.size()) << "91 words";
    EXPECT_EQ(std::string("\x47\x61\x64\x45", 4), bytes.substr(0, 4)) << "the magic, little-endian";
    EXPECT_EQ(1u, wordAt(bytes, 1)) << "version";
    EXPECT_EQ(143u, wordAt(bytes, 2)) << "key-repeat delay first";
    EXPECT_EQ(10000u, wordAt(bytes, 29)) << "table 0 entry 0 score";
    EXPECT_EQ(1u, wordAt(bytes, 30)) << "then its level";
    EXPECT_EQ(60u, wordAt(bytes, 31)) << "then its time";

    PlayerProfile read;
    read.name = "Anna";
    EXPECT_EQ(1, readProfileFile("data/Anna.user", read));
    EXPECT_TRUE(read == written);
}

TEST_F(ProfileFile, ChangingAnyWordFailsTheCheck) {
    ASSERT_TRUE(saveProfile(distinctProfile("Anna")));
    const std::string original = readFile("data/Anna.user");
    ASSERT_EQ(1, readBack("data/Anna.user"));
    for (size_t i = 0; i < 90; ++i) {
        // The state before word i, so the changed value is not one the update passes over.
        RecordChecksum before;
        for (size_t k = 0; k < i; ++k) before.update(wordAt(original, k));
        uint32_t changed = wordAt(original, i) ^ 1;
        if (changed == before.sum) changed ^= 2;
        std::string damaged = original;
        setWordAt(damaged, i, changed);
        writeFile("data/Anna.user", damaged);
        EXPECT_EQ(i == 0 ? -1 : 0, readBack("data/Anna.user")) << "word " << i << " changed";
    }
}

TEST_F(ProfileFile, DamagedFilesAreRefusedOrCleared) {
    PlayerProfile p = distinctProfile("Anna");
    ASSERT_TRUE(saveProfile(p));
    const std::string good = readFile("data/Anna.user");
    std::string otherVersion = good;
    setWordAt(otherVersion, 1, 2);
    std::string badStatistics = good;
    setWordAt(badStatistics, 25, 1);
    struct Case {
        const char* what;
        std::string bytes;
        int expected;
    } cases[] = {
        {"empty", "", 0},
        {"a partial magic", good.substr(0, 3), 0},
        {"version 2", otherVersion, 0},
        {"no checksum word", good.substr(0, 360), 2},
        {"cut after the keys", good.substr(0, 80), 2},
        {"one word too many", good + std::string(4, '\x01'), 2},
        {"a damaged statistics word", badStatistics, 2},
    };
    for (const Case& c : cases) {
        writeFile("data/Anna.user", c.bytes);
        PlayerProfile read;
        EXPECT_EQ(c.expected, readProfileFile("data/Anna.user", read)) << c.what;
        if (c.expected != 2) continue;
        EXPECT_EQ(0u, read.gamesPlayed) << c.what << ": statistics cleared";
        EXPECT_EQ(0u, read.highScoreCount[0]) << c.what << ": tables cleared";
        EXPECT_EQ(0u, read.highScore[0][0]) << c.what << ": tables cleared";
        EXPECT_EQ(100u, read.keys[0][0]) << c.what << ": the keys stay as read";
    }
    PlayerProfile missing;
    EXPECT_EQ(0, readProfileFile("data/Nobody.user", missing));
}

TEST_F(ProfileFile, AnInterruptedWriteLeavesTheOldProfileWhole) {
    PlayerProfile before = distinctProfile("Anna");
    ASSERT_TRUE(saveProfile(before));
    const std::string old = readFile("data/Anna.user");
    for (long budget : {0L, 100L, 360L}) {
        PlayerProfile after = before;
        after.gamesPlayed = 999;
        DiskFaults::FillAfter(budget);
        EXPECT_FALSE(saveProfile(after)) << "write failing after " << budget << " bytes";
        DiskFaults::Reset();
        EXPECT_EQ(old, readFile("data/Anna.user")) << "write failing after " << budget << " bytes";
    }
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator("data")) files += entry.exists();
    EXPECT_EQ(1, files) << "no temporary file is left behind";
}

TEST_F(ProfileFile, OutOfRangeValuesAreBroughtIntoRangeAfterLoading) {
    PlayerProfile p;
    p.keyRepeatDelay = 0;
    p.keyRepeatInterval = 5000;
    p.softDropSpeed = 1;
    p.rotateDirection = 7;
    p.displayFlags = 0xFF;
    p.overlayOpacity = 100;
    p.keys[0][2] = 0;
    p.keys[1][4] = 256;
    p.computerLevel = 0xFFFFFFFF;
    p.highScoreCount[1] = 11;
    ASSERT_TRUE(writeProfileFile("data.user", p));
    PlayerProfile read;
    ASSERT_EQ(1, readProfileFile("data.user", read));
    const PlayerProfile defaults;
    struct Case {
        const char* field;
        uint32_t expected, got;
    } cases[] = {
        {"keyRepeatDelay", 1, read.keyRepeatDelay},
        {"keyRepeatInterval", 400, read.keyRepeatInterval},
        {"softDropSpeed", 2, read.softDropSpeed},
        {"rotateDirection", 1, read.rotateDirection},
        {"displayFlags", 3, read.displayFlags},
        {"overlayOpacity", 99, read.overlayOpacity},
        {"keys[0][2]", defaults.keys[0][2], read.keys[0][2]},
        {"keys[1][4]", defaults.keys[1][4], read.keys[1][4]},
        {"computerLevel", maxComputerLevel, read.computerLevel},
        {"highScoreCount[1]", 10, read.highScoreCount[1]},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, c.got) << c.field;
}
