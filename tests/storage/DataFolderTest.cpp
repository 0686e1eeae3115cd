// Where the game writes: beside the game when that folder can be written, else in the player's
// own folder, with every file the game writes following that one choice, the saves kept beside
// the game brought along once, and the player told once.
#include "Libs/DataFolder.h"
#include "Libs/FatalError.h"
#include "Libs/PlayersFolder.h"
#include "storage/DataFolderChoice.h"
#include "storage/DataFolderLock.h"
#include "storage/ProfileList.h"
#include "storage/ProfileStore.h"
#include "storage/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "TempFolder.h"

namespace {

// The names in a folder, sorted; empty when there is no such folder.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(SystemFiles::PathOf(folder), error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error))
        names.push_back(SystemFiles::NameOf(it->path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::string joined(const std::vector<std::string>& names) {
    std::string all;
    for (const std::string& n : names) all += (all.empty() ? "" : ", ") + n;
    return "[" + all + "]";
}

// The game's folder as the test says, the player's folder really tried.
std::function<bool(const std::string&)> gameFolderWritable(bool writable) {
    return [writable](const std::string& folder) {
        return folder.empty() ? writable : canWriteInside(folder);
    };
}

} // namespace

class DataFolderTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        // A name in another script: the player's folder must work under any user name.
        players = SystemFiles::NameOf(folder) + "/home of J\xC3\xBCrgen \xD0\xB6/brixel";
    }
    void TearDown() override {
        DataFolder::SetRoot("");
        TempFolderTest::TearDown();
    }
    std::string players;
};

TEST_F(DataFolderTest, TheGameFolderWhereItCanBeWrittenElseThePlayersFolder) {
    struct Case {
        const char* what;
        bool gameWritable;
        bool playersKnown;
        bool playersWritable;
        bool toldBefore;
        bool expectPlayers;
        bool expectTell;
    };
    const Case cases[] = {
        {"writable game folder", true, true, true, false, false, false},
        {"read-only game folder, first time", false, true, true, false, true, true},
        {"read-only game folder, told before", false, true, true, true, true, false},
        {"read-only, the system names no player's folder", false, false, true, false, false, false},
        {"read-only, the player's folder cannot be written either", false, true, false, false,
         false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(SystemFiles::PathOf(players));
        if (c.toldBefore) writeFile(players + "/" + toldMarkerName, "brixel: elsewhere\n");
        auto canWrite = [&](const std::string& f) {
            if (f.empty()) return c.gameWritable;
            return c.playersWritable && canWriteInside(f);
        };
        const DataFolderChoice choice = chooseDataFolder(c.playersKnown ? players : "", canWrite);
        const std::string expectedRoot = c.expectPlayers ? players + "/" : "";
        EXPECT_EQ(expectedRoot, choice.root);
        EXPECT_EQ(c.expectPlayers, choice.inPlayersFolder);
        EXPECT_EQ(c.expectTell, choice.tellPlayer);
        if (c.gameWritable) {
            EXPECT_FALSE(exists(players)) << "the player's folder is not even made";
        }
    }
}

// The notice is said once, and "once" survives a restart: the next start sees the marker.
TEST_F(DataFolderTest, ThePlayerIsToldOnlyTheFirstTime) {
    const DataFolderChoice first = chooseDataFolder(players, gameFolderWritable(false));
    ASSERT_TRUE(first.tellPlayer) << "a fresh player's folder: the player was never told";
    EXPECT_TRUE(rememberPlayerTold(first));
    const DataFolderChoice second = chooseDataFolder(players, gameFolderWritable(false));
    EXPECT_TRUE(second.inPlayersFolder);
    EXPECT_FALSE(second.tellPlayer) << "told at the first start, the second start says nothing";
    const std::string marker = readFile(players + "/" + toldMarkerName);
    EXPECT_NE(std::string::npos, marker.find(SystemFiles::NameOf(folder)))
        << "the marker names the game's folder; it holds: " << marker;
}

// The probe really writes: a folder it can write gets its data folder and keeps nothing else;
// one it cannot is found out whatever the permission bits say.
TEST_F(DataFolderTest, WritableMeansAFileCouldBeMadeAndRemoved) {
    EXPECT_TRUE(canWriteInside(""));
    EXPECT_EQ("[]", joined(namesIn("data"))) << "data/ is made and the probe file is gone";

    writeFile("blocked/data", "a file where the data folder would be");
    EXPECT_FALSE(canWriteInside("blocked/")) << "no data folder can be made there";
#ifndef _WIN32
    // Not even root can make a file there.
    EXPECT_FALSE(canWriteInside("/proc/"));
    if (::geteuid() != 0) {
        std::filesystem::create_directories("locked/data");
        std::filesystem::permissions("locked/data", std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_exec);
        EXPECT_FALSE(canWriteInside("locked/"));
        std::filesystem::permissions("locked/data", std::filesystem::perms::owner_all);
    }
#endif
}

// Every file the game writes follows the choice: the lock, the profiles and their copies, the
// settings, the error log; the start-up clean-up and the profile listing look there too. The
// game's own folder gets nothing.
TEST_F(DataFolderTest, EveryWriteFollowsTheChoice) {
    const DataFolderChoice choice = chooseDataFolder(players, gameFolderWritable(false));
    ASSERT_TRUE(choice.inPlayersFolder);
    DataFolder::SetRoot(choice.root);
    const std::string data = players + "/data/";
    writeFile(data + "Anna.user.brixel-tmp-abc123", "left by a killed save");
    {
        PlayerProfile bert;
        bert.name = "Bert";
        bert.gamesPlayed = 5;
        ASSERT_TRUE(saveProfile(bert));
    }

    DataFolderLock lock;
    ASSERT_EQ(DataFolderLock::Taken, lock.take());
    Settings settings;
    ProfileList profiles;
    loadSettings(settings, profiles);
    EXPECT_TRUE(profiles.Contains("Bert")) << "the profiles are listed in the player's folder";
    createProfile(profiles, "Anna");
    PlayerProfile *player1, *player2, *managed;
    resolvePlayers(profiles, settings, player1, player2, managed);
    EXPECT_TRUE(saveSettings(settings, profiles, player1, player2, managed).empty());
    EXPECT_EQ(1, LogErrorEntry("a report"));

    EXPECT_EQ("[Anna 1.user, Bert.bak, Bert.user, brixel.ini, brixel.lock]", joined(namesIn(data)))
        << "the killed save's leftover is cleared there, everything is written there";
    EXPECT_EQ("[DirectX Fehler.txt, data]", joined(namesIn(players)));
    EXPECT_EQ("[home of J\xC3\xBCrgen \xD0\xB6]", joined(namesIn(".")))
        << "nothing is written beside the game";
}

// A game folder that held saves before it became read-only: they come along once, whole, and
// nothing in the player's folder is written over.
TEST_F(DataFolderTest, SavesBesideTheGameComeAlongWithoutReplacingAny) {
    writeFile("data/Anna.user", "Anna's profile");
    writeFile("data/Anna.bak", "Anna's copy");
    writeFile("data/Bert.user", "Bert beside the game");
    writeFile("data/brixel.ini", "[brixel]\r\n");
    writeFile("data/Cleo.user.damaged2", "kept for recovery");
    writeFile("data/brixel.lock", "");
    writeFile("data/notes.txt", "the player's own");
    writeFile("data/Anna.user.brixel-tmp-x1y2z3", "a killed save");
    writeFile(players + "/data/Bert.user", "Bert in the player's folder");
    const DataFolderChoice choice = chooseDataFolder(players, gameFolderWritable(false));

    EXPECT_EQ(4, bringOverSavedFiles(choice));
    const std::string data = players + "/data/";
    EXPECT_EQ("[Anna.bak, Anna.user, Bert.user, Cleo.user.damaged2, brixel.ini]",
              joined(namesIn(data)));
    EXPECT_EQ("Anna's profile", readFile(data + "Anna.user"));
    EXPECT_EQ("Bert in the player's folder", readFile(data + "Bert.user"))
        << "a file already there is never replaced";
    EXPECT_EQ("Bert beside the game", readFile("data/Bert.user")) << "the originals stay";
    EXPECT_EQ(0, bringOverSavedFiles(DataFolderChoice{})) << "nothing to do beside the game";
}

TEST(DataFolderNotice, SaysWhyWhereAndWhetherTheSavesCameAlong) {
    auto text = [](int id) { return "<" + std::to_string(id) + ">"; };
    DataFolderChoice choice;
    choice.inPlayersFolder = true;
#ifdef _WIN32
    choice.root = "C:\\Users\\J\xC3\xBCrgen \xD0\xB6\\AppData\\Local\\brixel/";
    const std::string shown = "C:\\Users\\J\xFCrgen ?\\AppData\\Local\\brixel";
#else
    choice.root = "/home/J\xC3\xBCrgen \xD0\xB6/.local/share/brixel/";
    const std::string shown = "/home/J\xFCrgen ?/.local/share/brixel";
#endif
    EXPECT_EQ("<821>\n\n" + shown, dataFolderNotice(choice, 0, text))
        << "Windows-1252 like every text; a letter it lacks is a '?'";
    EXPECT_EQ("<821>\n\n" + shown + "\n\n<822>", dataFolderNotice(choice, 3, text));
}

TEST(PlayersFolder, IsTheSystemsPlaceForAPlayersData) {
#ifdef _WIN32
    const std::string local = PlayersFolder();
    ASSERT_GT(local.size(), 10u) << local;
    EXPECT_EQ("\\brixel", local.substr(local.size() - 7)) << local;
    EXPECT_TRUE(SystemFiles::PathOf(local).is_absolute()) << local;
    EXPECT_NE(std::string::npos, local.find("AppData\\Local")) << "not the roaming one: " << local;
#else
    struct Case {
        const char* dataHome; // nullptr: not set
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/x/data", "/home/anna", "/x/data/brixel"},
        {nullptr, "/home/anna", "/home/anna/.local/share/brixel"},
        {"", "/home/anna", "/home/anna/.local/share/brixel"},
        {"relative/data", "/home/anna", "/home/anna/.local/share/brixel"},
        {nullptr, nullptr, ""},
    };
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* oldDataHome = std::getenv("XDG_DATA_HOME");
    const std::string savedDataHome = oldDataHome ? oldDataHome : "";
    for (const Case& c : cases) {
        c.dataHome ? ::setenv("XDG_DATA_HOME", c.dataHome, 1) : ::unsetenv("XDG_DATA_HOME");
        c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
        EXPECT_EQ(c.expected, PlayersFolder())
            << "XDG_DATA_HOME=" << (c.dataHome ? c.dataHome : "(unset)")
            << " HOME=" << (c.home ? c.home : "(unset)");
    }
    ::setenv("HOME", oldHome.c_str(), 1);
    oldDataHome ? ::setenv("XDG_DATA_HOME", savedDataHome.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
#endif
}
