#include "Libs/KeyCodes.h"
#include "Libs/SystemFiles.h"
#include "storage/AtomicFile.h"
#include "storage/ProfileList.h"
#include "storage/ProfileStore.h"
#include "storage/Settings.h"
#include "tests/support/FoldedFileNames.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "ProfileFolder.h"
#include "tests/support/DiskFaults.h"

namespace {

std::string littleEndian(const std::vector<uint32_t>& words) {
    std::string bytes;
    for (uint32_t w : words)
        for (int b = 0; b < 4; ++b) bytes += static_cast<char>(w >> (8 * b));
    return bytes;
}

// An old-format file: 37 words without magic, version or checksum; `changes` sets words.
std::string legacyFile(uint32_t checkValue, std::vector<std::pair<int, uint32_t>> changes = {}) {
    std::vector<uint32_t> w(37, 0);
    w[0] = 0;                         // rotate direction
    w[1] = 120, w[2] = 40, w[3] = 60; // delay, interval, soft drop
    w[4] = 200, w[5] = 205, w[6] = 203, w[7] = 208;
    w[8] = 17, w[9] = 32, w[10] = 30, w[11] = 31;
    w[12] = 2, w[13] = 1; // display flags, option
    w[14] = 0;            // opacity + 1; 0 stands for 51
    w[15] = 0;            // hard drop of set 1; 0 stands for 57
    w[16] = 44;           // hard drop of set 2
    w[17] = w[18] = w[19] = 0xDEAD;
    const uint32_t statistics[9] = {1234, 567, 3, 5, 6, 7, 20, 800, 90};
    for (int i = 0; i < 9; ++i) w[20 + i] = statistics[i];
    for (int i = 29; i < 36; ++i) w[i] = 0xBEEF;
    w[36] = checkValue;
    for (const auto& [index, word] : changes) w[index] = word;
    return littleEndian(w);
}
constexpr uint32_t rightCheckValue = 0x06AD94B0; // worked out by hand for the statistics above

std::vector<std::string> names(const ProfileList& profiles) {
    std::vector<std::string> out;
    for (const auto& [name, profile] : profiles) out.push_back(name);
    return out;
}

} // namespace

class Profiles : public ProfileFolderTest {
protected:
    // Files of a name the game cannot load.
    static std::vector<std::pair<const char*, std::string>> unreadableFiles() {
        std::string flippedMagic = profileBytes(3);
        flippedMagic[0] ^= 1;
        std::string otherVersion = profileBytes(3);
        otherVersion[4] = 2;
        return {{"one bit of the magic flipped", flippedMagic},
                {"another version", otherVersion},
                {"empty", ""},
                {"a profile and one word more", profileBytes(3) + std::string(4, '\x01')},
                {"a profile and one byte more", profileBytes(3) + "x"},
                {"a megabyte", std::string(1 << 20, 'x')}};
    }
};

TEST_F(Profiles, LegacyFilesAreConverted) {
    struct Case {
        const char* what;
        uint32_t check;
        uint32_t gamesPlayed, tableCount, tableScore;
        const char* keptAs; // the old-format copy, or the damaged file's kept bytes
    } cases[] = {
        {"right check value", rightCheckValue, 20, 1, 1234, "data/Oldie.bak2"},
        {"wrong check value", rightCheckValue + 1, 0, 0, 0, "data/Oldie.user.damaged"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all("data");
        writeFile("data/Oldie.user", legacyFile(c.check));
        ProfileList profiles;
        loadProfiles(profiles);
        ASSERT_EQ(1, profiles.Count()) << c.what;
        const PlayerProfile& p = *profiles.Find("Oldie");
        EXPECT_EQ("Oldie", p.name);
        EXPECT_EQ(0u, p.rotateDirection) << c.what;
        EXPECT_EQ(120u, p.keyRepeatDelay) << c.what;
        EXPECT_EQ(60u, p.softDropSpeed) << c.what;
        EXPECT_EQ(208u, p.keys[0][3]) << c.what;
        EXPECT_EQ(57u, p.keys[0][4]) << c.what << ": a 0 hard-drop key is space";
        EXPECT_EQ(44u, p.keys[1][4]) << c.what;
        EXPECT_EQ(50u, p.overlayOpacity) << c.what << ": a 0 opacity word is 51 - 1";
        EXPECT_EQ(2u, p.displayFlags) << c.what;
        EXPECT_EQ(c.gamesPlayed, p.gamesPlayed) << c.what;
        EXPECT_EQ(c.tableCount, p.highScoreCount[0]) << c.what;
        EXPECT_EQ(c.tableScore, p.highScore[0][0]) << c.what;
        EXPECT_EQ(c.tableCount, p.highScoreCount[1]) << c.what;
        EXPECT_EQ(0u, p.highScoreTime[0][0]) << c.what;
        EXPECT_EQ(legacyFile(c.check), readFile(c.keptAs)) << c.what << ": " << c.keptAs;
    }
}

TEST_F(Profiles, LegacyDisplayWordsOtherThan0StillLoad) {
    struct Case {
        const char* what;
        int word;
        uint32_t value;
        uint32_t opacity, displayOption;
    } cases[] = {
        {"opacity word 1", 14, 1, 0, 1},
        {"opacity word 30", 14, 30, 29, 1},
        {"opacity word 0xFF", 14, 0xFF, 99, 1},
        {"opacity word with every bit", 14, 0xFFFFFFFF, 99, 1},
        {"display option 0", 13, 0, 50, 0},
        {"display option 0x100", 13, 0x100, 50, 1},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all("data");
        writeFile("data/Oldie.user", legacyFile(rightCheckValue, {{c.word, c.value}}));
        ProfileList profiles;
        loadProfiles(profiles);
        const PlayerProfile* p = profiles.Find("Oldie");
        ASSERT_NE(nullptr, p) << c.what << ": not loaded";
        EXPECT_EQ(c.opacity, p->overlayOpacity) << c.what;
        EXPECT_EQ(c.displayOption, p->displayOption) << c.what;
        EXPECT_EQ(20u, p->gamesPlayed) << c.what << ": the check value holds";
    }
}

TEST_F(Profiles, LoadingFindsNamesAsTheyWereSaved) {
    struct Case {
        const char* what;
        std::string name;
    } cases[] = {
        {"plain", "Anna"},
        {"Windows-1252 letters", "J\xFCrgen"},
        {"a dot in the name", "Dr. Who"},
        {"twenty characters", std::string(20, 'z')},
    };
    for (const Case& c : cases) {
        PlayerProfile p;
        p.name = c.name;
        p.gamesPlayed = 17;
        ASSERT_TRUE(saveProfile(p)) << c.what;
    }
    EXPECT_TRUE(exists("data/J\xC3\xBCrgen.user")) << "file names are UTF-8";
#ifndef _WIN32 // a Windows file name is always Unicode
    writeFile("data/\xFF\xFE.user", readFile("data/Anna.user")); // not UTF-8: passed over
#endif
    writeFile("data/Empty.user", "");
    writeFile("data/.user", readFile("data/Anna.user")); // no name at all
    std::filesystem::create_directory("data/Folder.user");
    writeFile("data/Anna.bak", "not a profile");

    ProfileList profiles;
    loadProfiles(profiles);
    for (const Case& c : cases) {
        const PlayerProfile* p = profiles.Find(c.name);
        ASSERT_NE(nullptr, p) << c.what;
        EXPECT_EQ(c.name, p->name) << c.what;
        EXPECT_EQ(17u, p->gamesPlayed) << c.what;
    }
    EXPECT_EQ(4, profiles.Count());
    EXPECT_TRUE(exists("data/J\xC3\xBCrgen.bak")) << "a copy of every current-format file";
    EXPECT_TRUE(exists("data/Empty.bak"));
    EXPECT_EQ(readFile("data/Anna.user"), readFile("data/Anna.bak")) << "a stale copy is replaced";
}

// Windows lists "Anna.USER" as a profile; so does every system, and the profile is saved back
// into that file: a second file beside it would be the same file on a disk that ignores case.
TEST_F(Profiles, AProfileWhoseEndingIsInCapitalsIsLoadedAndSavedInPlace) {
    PlayerProfile anna;
    anna.name = "Anna";
    anna.gamesPlayed = 5;
    ASSERT_TRUE(saveProfile(anna));
    std::filesystem::rename(SystemFiles::PathOf("data/Anna.user"), "data/Anna.USER");

    ProfileList profiles;
    loadProfiles(profiles);
    PlayerProfile* loaded = profiles.Find("Anna");
    ASSERT_NE(nullptr, loaded) << "\"Anna.USER\" is not seen as a profile; names: "
                               << ::testing::PrintToString(names(profiles));
    EXPECT_EQ(5u, loaded->gamesPlayed);

    loaded->gamesPlayed = 6;
    ASSERT_TRUE(saveProfile(*loaded));
    // One file (Windows may take over the new spelling of the ending as it replaces the file).
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator("data")) {
        const std::string name = SystemFiles::NameOf(entry.path().filename());
        if (name == "Anna.USER" || name == "Anna.user") files.push_back(name);
    }
    EXPECT_EQ(1u, files.size()) << "saved beside it, not into it: "
                                << ::testing::PrintToString(files);
    ProfileList again;
    loadProfiles(again);
    ASSERT_NE(nullptr, again.Find("Anna"));
    EXPECT_EQ(6u, again.Find("Anna")->gamesPlayed);
}

// A game controller's buttons are keys like any other: bound, saved and loaded as they were.
TEST_F(Profiles, PadKeysSurviveSavingAndLoading) {
    PlayerProfile p;
    p.name = "Pia";
    const PadControl set2[5] = {PadControl::A, PadControl::Right, PadControl::Left,
                                PadControl::LeftStickDown, PadControl::RightTrigger};
    for (int a = 0; a < 5; ++a) {
        p.keys[0][a] = static_cast<uint32_t>(PadKeyCode(0, set2[a]));
        p.keys[1][a] = static_cast<uint32_t>(PadKeyCode(1, set2[a]));
    }
    ASSERT_TRUE(saveProfile(p));
    ProfileList profiles;
    loadProfiles(profiles);
    const PlayerProfile* loaded = profiles.Find("Pia");
    ASSERT_NE(nullptr, loaded);
    for (int set = 0; set < 2; ++set)
        for (int a = 0; a < 5; ++a)
            EXPECT_EQ(loaded->keys[set][a], p.keys[set][a]) << "set " << set << " action " << a;
}

TEST_F(Profiles, NewProfilesTakeTheFirstFreeNumber) {
    struct Case {
        std::vector<std::string> existing;
        std::string expected;
    } cases[] = {
        {{}, "Spieler 1"},
        {{"Spieler 1"}, "Spieler 2"},
        {{"Spieler 1", "Spieler 3"}, "Spieler 2"},
        {{"spieler 1"}, "Spieler 2"},
        {{"SPIELER 1", "sPIELER 2"}, "Spieler 3"},
        {{"Spieler 10"}, "Spieler 1"},
    };
    for (const Case& c : cases) {
        ProfileList profiles;
        for (const std::string& name : c.existing) addProfile(profiles, name);
        PlayerProfile* made = createProfile(profiles, "Spieler");
        ASSERT_NE(nullptr, made);
        EXPECT_EQ(c.expected, made->name) << "after " << c.existing.size() << " names";
        EXPECT_EQ(made, profiles.CurrentValue()) << "the new profile is current";
        EXPECT_TRUE(*made == [&] {
            PlayerProfile d;
            d.name = c.expected;
            return d;
        }());
    }
}

TEST_F(Profiles, AnEmptyDataFolderGivesTwoNumberedProfiles) {
    Settings settings;
    ProfileList profiles;
    loadSettings(settings, profiles);
    while (profiles.Count() < 2) createProfile(profiles, "Spieler");
    EXPECT_EQ((std::vector<std::string>{"Spieler 1", "Spieler 2"}), names(profiles));
    PlayerProfile *p1, *p2, *managed;
    resolvePlayers(profiles, settings, p1, p2, managed);
    EXPECT_EQ("Spieler 1", p1->name);
    EXPECT_EQ("Spieler 2", p2->name);
    EXPECT_EQ("Spieler 1", managed->name);
}

TEST_F(Profiles, PlayersAreResolvedByExactName) {
    struct Case {
        const char* file;
        const char *player1, *player2, *managed;
    } cases[] = {
        {"Spieler 1=Bert\nSpieler 2=Carl\nSpieler Manage=Carl\n", "Bert", "Carl", "Carl"},
        {"Spieler 1=\n", "Anna", "Bert", "Anna"},
        {"Spieler 1=bert\nSpieler 2=Nobody\n", "Anna", "Bert", "Anna"},
        {"Spieler 1=Carl\nSpieler 2=Carl\n", "Carl", "Anna", "Anna"},
        {"Spieler 1=Anna\nSpieler 2=Anna\n", "Anna", "Bert", "Anna"},
    };
    for (const Case& c : cases) {
        ProfileList profiles;
        for (const char* name : {"Carl", "Anna", "Bert"}) addProfile(profiles, name);
        writeFile("data/brixel.ini", c.file);
        Settings settings;
        readSettingsFile(settings);
        PlayerProfile *p1, *p2, *managed;
        resolvePlayers(profiles, settings, p1, p2, managed);
        EXPECT_EQ(c.player1, p1->name) << c.file;
        EXPECT_EQ(c.player2, p2->name) << c.file;
        EXPECT_EQ(c.managed, managed->name) << c.file;
    }
}

TEST_F(Profiles, FindSteppingWraps) {
    ProfileList profiles;
    for (const char* name : {"b", "a", "c"}) addProfile(profiles, name);
    EXPECT_EQ(nullptr, addProfile(profiles, "a")) << "names are unique";
    struct Case {
        const char* name;
        int step;
        const char* expected;
    } cases[] = {
        {"a", 0, "a"},  {"a", 1, "b"},  {"c", 1, "a"},
        {"a", -1, "c"}, {"c", -1, "b"}, {"x", 1, nullptr},
    };
    for (const Case& c : cases) {
        PlayerProfile* found = findProfile(profiles, c.name, c.step);
        EXPECT_EQ(c.expected ? std::string(c.expected) : "(none)", found ? found->name : "(none)")
            << c.name << " step " << c.step;
    }
}

TEST_F(Profiles, DeletingMovesThePlayersOn) {
    ProfileList two;
    PlayerProfile* a = addProfile(two, "A");
    PlayerProfile* b = addProfile(two, "B");
    PlayerProfile *p1 = a, *p2 = b, *managed = a;
    EXPECT_EQ(DeleteRefused, deleteProfile(two, a, p1, p2, managed)) << "two profiles stay";
    EXPECT_EQ(2, two.Count());

    struct Case {
        const char* what;
        const char *deleted, *player1, *player2;
        const char *newPlayer1, *newPlayer2, *newManaged;
        int result;
    } cases[] = {
        {"player 1 moves past player 2", "A", "A", "B", "C", "B", "B", Deleted | DeletedPlayer1},
        {"player 1 moves to the next", "A", "A", "C", "B", "C", "B", Deleted | DeletedPlayer1},
        {"player 2 wraps past player 1", "C", "A", "C", "A", "B", "A", Deleted | DeletedPlayer2},
        {"player 2 moves past player 1", "B", "C", "B", "C", "A", "C", Deleted | DeletedPlayer2},
        {"neither player", "B", "A", "C", "A", "C", "C", Deleted},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all("data");
        ProfileList profiles;
        for (const char* name : {"A", "B", "C"})
            ASSERT_TRUE(saveProfile(*addProfile(profiles, name)));
        PlayerProfile* player1 = profiles.Find(c.player1);
        PlayerProfile* player2 = profiles.Find(c.player2);
        PlayerProfile* managedPlayer = profiles.Find(c.deleted);
        // The menus pass the managed player both as the profile and as the pointer to move.
        EXPECT_EQ(c.result, deleteProfile(profiles, managedPlayer, player1, player2, managedPlayer))
            << c.what;
        EXPECT_EQ(2, profiles.Count()) << c.what;
        EXPECT_EQ(c.newPlayer1, player1->name) << c.what;
        EXPECT_EQ(c.newPlayer2, player2->name) << c.what;
        EXPECT_EQ(c.newManaged, managedPlayer->name) << c.what;
        EXPECT_FALSE(exists(std::string("data/") + c.deleted + ".user")) << c.what;
    }
}

TEST_F(Profiles, RenamingWritesTheNewFileBeforeTheOldGoes) {
    ProfileList profiles;
    PlayerProfile* anna = addProfile(profiles, "Anna");
    anna->gamesPlayed = 5;
    addProfile(profiles, "Bert");
    ASSERT_TRUE(saveProfile(*anna));

    EXPECT_FALSE(renameProfile(profiles, anna, "bert")) << "taken in another case";
    EXPECT_FALSE(renameProfile(profiles, anna, "")) << "empty";
    EXPECT_FALSE(renameProfile(profiles, anna, std::string(21, 'x'))) << "too long";
    EXPECT_TRUE(exists("data/Anna.user"));

    EXPECT_TRUE(renameProfile(profiles, anna, "Zoe"));
    EXPECT_EQ(anna, profiles.Find("Zoe")) << "pointers to the record stay valid";
    EXPECT_EQ("Zoe", anna->name);
    EXPECT_EQ((std::vector<std::string>{"Bert", "Zoe"}), names(profiles));
    EXPECT_FALSE(exists("data/Anna.user"));
    PlayerProfile read;
    EXPECT_EQ(1, readProfileFile("data/Zoe.user", read));
    EXPECT_EQ(5u, read.gamesPlayed);

    // When the new file cannot be written the old one stays.
    DiskFaults::FillAfter(0);
    EXPECT_TRUE(renameProfile(profiles, anna, "Yves"));
    DiskFaults::Reset();
    EXPECT_TRUE(exists("data/Zoe.user"));
}

// On a file system that ignores letter case (Windows; the Windows build's tests run on one)
// "anna" and "Anna" are one file. Here it runs on this system's own, and once more as if it
// ignored letter case, so deleting "the old file" after saving the new one fails on Linux too.
TEST_F(Profiles, RenamingToOtherLetterCaseKeepsTheProfile) {
    struct Folding {
        explicit Folding(bool on) { SystemFiles::FoldCaseForTests(on); }
        ~Folding() { SystemFiles::FoldCaseForTests(false); }
    };
    for (bool folded : {false, true}) {
        const std::string what = folded ? "letter case ignored" : "this system's file names";
        std::filesystem::remove_all("data");
        Folding folding(folded);
        if (folded) {
            ASSERT_EQ("data/anna.user", SystemFiles::SystemName("data/Anna.user"))
                << "the folding SystemName of the tests is not the one linked";
        }
        ProfileList profiles;
        PlayerProfile* anna = addProfile(profiles, "anna");
        anna->gamesPlayed = 9;
        ASSERT_TRUE(saveProfile(*anna)) << what;

        EXPECT_TRUE(renameProfile(profiles, anna, "Anna")) << what;
        EXPECT_EQ("Anna", anna->name) << what;
        ProfileList loaded;
        loadProfiles(loaded);
        ASSERT_EQ(1, loaded.Count()) << what << ": the profile is gone, or there are two";
        const PlayerProfile& read = loaded.begin()->second;
        // Windows renames the file to the new spelling; wine keeps the old one.
        EXPECT_TRUE(read.name == "Anna" || read.name == "anna") << what << ": " << read.name;
        EXPECT_EQ(9u, read.gamesPlayed) << what;
    }
}

TEST_F(Profiles, NamesThatCannotBeFilesAreNotWritten) {
    ProfileList profiles;
    for (const char* name : {"../escape", "sub/dir", "Anna"}) addProfile(profiles, name);
    saveProfiles(profiles);
    EXPECT_FALSE(exists("escape.user")) << "nothing is written outside data";
    EXPECT_FALSE(exists("data/sub")) << "no folder is made from a name";
    EXPECT_TRUE(exists("data/Anna.user")) << "the others are still saved";
}

TEST_F(Profiles, TheNameOfAnUnreadableFileStaysTaken) {
    for (const auto& [what, bytes] : unreadableFiles()) {
        std::filesystem::remove_all("data");
        writeFile("data/Spieler 1.user", profileBytes(1));
        writeFile("data/Spieler 2.user", bytes);
        ProfileList profiles;
        loadProfiles(profiles);
        ASSERT_EQ((std::vector<std::string>{"Spieler 1"}), names(profiles)) << what;

        PlayerProfile* made = createProfile(profiles, "Spieler");
        ASSERT_NE(nullptr, made) << what;
        EXPECT_EQ("Spieler 3", made->name) << what << ": a new profile skips the unreadable name";
        PlayerProfile* first = profiles.Find("Spieler 1");
        EXPECT_FALSE(isValidProfileName(profiles, "sPIELER 2", first)) << what;
        EXPECT_FALSE(renameProfile(profiles, first, "SPIELER 2"))
            << what << ": renaming onto the unreadable name in any case is refused";
        EXPECT_EQ(bytes, readFile("data/Spieler 2.user")) << what;
    }
}

TEST_F(Profiles, AnUnreadableFileAndItsCopiesOutliveTwoRuns) {
    const std::string older = profileBytes(40);
    const std::string oldest(148, '\x07');
    for (const auto& [what, bytes] : unreadableFiles()) {
        std::filesystem::remove_all("data");
        writeFile("data/Spieler 2.user", bytes);
        writeFile("data/Spieler 2.bak", older);
        writeFile("data/Spieler 2.bak2", oldest);
        runTheGameOnce();
        runTheGameOnce();
        EXPECT_EQ(bytes, readFile("data/Spieler 2.user")) << what << ": the file itself";
        EXPECT_EQ(older, readFile("data/Spieler 2.bak")) << what << ": its copy";
        EXPECT_EQ(oldest, readFile("data/Spieler 2.bak2")) << what << ": its old-format copy";
        EXPECT_TRUE(exists("data/Spieler 1.user")) << what;
        EXPECT_TRUE(exists("data/Spieler 3.user")) << what << ": the second profile";
    }
}

TEST_F(Profiles, AFileLongerThanAnyProfileIsNeitherReadNorCopied) {
    const std::string tooLong = profileBytes(3) + std::string(148, '\0');
    writeFile("data/Spieler 2.user", tooLong);
    runTheGameOnce();
    EXPECT_EQ(tooLong, readFile("data/Spieler 2.user"));
    EXPECT_FALSE(exists("data/Spieler 2.bak")) << "a copy of a file that is no profile";
    EXPECT_FALSE(exists("data/Spieler 2.bak2")) << "a copy of a file that is no profile";
}

TEST_F(Profiles, AFileWhoseChecksumFailedIsKeptOnceBesideIt) {
    // A statistics word changed: the checksum fails, the profile loads with cleared statistics.
    auto damaged = [](std::string bytes, char value) {
        bytes[4 * 25] = value;
        return bytes;
    };
    const std::string firstDamage = damaged(profileBytes(7), 'a');
    writeFile("data/Anna.user", firstDamage);
    runTheGameOnce();
    EXPECT_EQ(firstDamage, readFile("data/Anna.user.damaged")) << "kept before the first save";
    PlayerProfile saved;
    EXPECT_EQ(1, readProfileFile("data/Anna.user", saved)) << "the save made a sound file";

    runTheGameOnce();
    const std::string lastGood = readFile("data/Anna.user");
    writeFile("data/Anna.user", damaged(profileBytes(8), 'b'));
    runTheGameOnce();
    EXPECT_EQ(firstDamage, readFile("data/Anna.user.damaged")) << "the kept copy is never replaced";
    EXPECT_EQ(lastGood, readFile("data/Anna.bak")) << "the copy keeps the last good state";

    ProfileList profiles;
    loadProfiles(profiles);
    EXPECT_EQ((std::vector<std::string>{"Anna", "Spieler 1"}), names(profiles))
        << "the kept copy is no profile of its own";
    EXPECT_FALSE(exists("data/Anna.user.damaged.damaged"));
    EXPECT_FALSE(exists("data/Anna.user.damaged.bak"));
}

TEST_F(Profiles, TheCheckerReportsWhatTheGameLoads) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string report;
        bool valid;
    } cases[] = {
        {"a sound profile", profileBytes(9), "gamesPlayed=9 ", true},
        {"a legacy profile", legacyFile(rightCheckValue), "gamesPlayed=20 ", true},
        {"a legacy profile with a wrong check value", legacyFile(rightCheckValue + 1),
         "checksum failed", false},
        {"a damaged magic word", "X" + profileBytes(9).substr(1), "unreadable", false},
        {"a profile and one word more", profileBytes(9) + "abcd", "unreadable", false},
    };
    for (const Case& c : cases) {
        writeFile("data/Oldie.user", c.bytes);
        const std::string command =
            std::string("\"") + PROFILE_CHECK + "\" data/Oldie.user >check.txt 2>&1";
        const int status = std::system(command.c_str());
        const std::string report = readFile("check.txt");
        EXPECT_NE(std::string::npos, report.find("data/Oldie.user: " + c.report))
            << c.what << ": expected \"" << c.report << "\" in the report, got \"" << report
            << "\"";
        EXPECT_EQ(c.valid, status == 0) << c.what << ": exit status " << status;
    }
}

TEST_F(Profiles, LeftoversOfInterruptedSavesAreRemovedAtStart) {
    struct Case {
        std::string name;
        bool removed;
    } cases[] = {
        {"Anna.user.brixel-tmp-ab12Cd", true},
        {"Anna.bak.brixel-tmp-ZZZZZZ", true},
        {"Anna.bak2.brixel-tmp-000000", true},
        {"Anna.user.damaged.brixel-tmp-a1b2c3", true},
        {"Anna.user.damaged2.brixel-tmp-a1b2c3", true},
        {"brixel.ini.brixel-tmp-Xy9Q1w", true},
        {"J\xC3\xBCrgen.user.brixel-tmp-abcdef", true},
        {"brixel.ini.bak.brixel-tmp-ab12Cd", true},
        {"Anna.user", false},
        {"brixel.ini", false},
        // Names players give their own copies.
        {"Spieler 1.user.backup", false},
        {"Spieler 1.user.240607", false},
        {"brixel.ini.backup", false},
        {"Anna.user.ab12Cd", false},
        // Near misses of the temporary name.
        {"Anna.user.brixel-tmp-ab12C", false},
        {"Anna.user.brixel-tmp-ab12Cde", false},
        {"Anna.user.brixel-tmp-ab-2Cd", false},
        {"Anna.user.brixel-tmpXab12Cd", false},
        {"Anna.txt.brixel-tmp-ab12Cd", false},
        {"xbrixel.ini.brixel-tmp-ab12Cd", false},
        {"notes.brixel-tmp-ab12Cd", false},
    };
    for (const Case& c : cases) writeFile("data/" + c.name, profileBytes(1));
    std::filesystem::create_directory("data/Bert.user.brixel-tmp-ab12Cd");
    Settings settings;
    ProfileList profiles;
    loadSettings(settings, profiles);
    for (const Case& c : cases)
        EXPECT_EQ(c.removed, !exists("data/" + c.name))
            << c.name << (c.removed ? " was expected removed" : " was expected kept");
    EXPECT_TRUE(exists("data/Bert.user.brixel-tmp-ab12Cd")) << "a folder is no leftover";
    EXPECT_EQ((std::vector<std::string>{"Anna"}), names(profiles));
}

TEST(ProfileNames, Validity) {
    ProfileList profiles;
    PlayerProfile* self = addProfile(profiles, "J\xFCrgen");
    addProfile(profiles, "Anna");
    struct Case {
        std::string name;
        const PlayerProfile* self;
        bool valid;
    } cases[] = {
        {"", nullptr, false},
        {std::string(20, 'a'), nullptr, true},
        {std::string(21, 'a'), nullptr, false},
        {"ANNA", nullptr, false},
        {"J\xDCRGEN", nullptr, false},
        {"J\xDCRGEN", self, true},
        {"Bert", nullptr, true},
        {"../../etc/x", nullptr, false},
        {"a\\b", nullptr, false},
        {"tab\tname", nullptr, false},
        {std::string("nul\0x", 5), nullptr, false},
        {"undefined \x81", nullptr, false},
        {"Dr. Who", nullptr, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.valid, isValidProfileName(profiles, c.name, c.self)) << "\"" << c.name << "\"";
}

TEST(HighScores, EntriesGoInScoreOrder) {
    PlayerProfile full;
    full.highScoreCount[0] = 10;
    for (int i = 0; i < 10; ++i) full.highScore[0][i] = 1000 - 100 * i; // 1000 .. 100
    struct Case {
        const char* what;
        PlayerProfile table;
        uint32_t score;
        int rank;
        uint32_t count;
        uint32_t last;
    } cases[] = {
        {"equal to the last of a full table", full, 100, 0, 10, 100},
        {"just above the last", full, 101, 10, 10, 101},
        {"a new best", full, 5000, 1, 10, 200},
        {"equal goes after equal", full, 500, 7, 10, 200},
        {"into an empty table", PlayerProfile{}, 7, 1, 1, 0},
        {"a score of 0", PlayerProfile{}, 0, 0, 0, 0},
    };
    for (Case& c : cases) {
        EXPECT_EQ(c.rank, insertHighScore(c.table, 0, c.score, 3, 61)) << c.what;
        EXPECT_EQ(c.count, c.table.highScoreCount[0]) << c.what;
        EXPECT_EQ(c.last, c.table.highScore[0][9]) << c.what;
        if (c.rank == 0) continue;
        EXPECT_EQ(c.score, c.table.highScore[0][c.rank - 1]) << c.what;
        EXPECT_EQ(61u, c.table.highScoreTime[0][c.rank - 1]) << c.what;
        EXPECT_EQ(3u, c.table.highScoreLevel[0][c.rank - 1]) << c.what;
    }
    PlayerProfile p;
    insertHighScore(p, 0, 50, 1, 1);
    EXPECT_EQ(2, insertHighScore(p, 0, 20, 1, 1)) << "lower than all goes to the end";
    EXPECT_EQ(0u, p.highScoreCount[1]) << "the other table is untouched";
}

TEST(Statistics, TextShowsOneValuePerLine) {
    struct Case {
        uint32_t wins, games;
        std::string mark;
        std::string rate;
    } cases[] = {{1, 3, ",", "33,3%"}, {0, 0, ",", "0,0%"},  {2, 2, ",", "100,0%"},
                 {1, 8, ",", "12,5%"}, {1, 3, ".", "33.3%"}, {2, 2, ".", "100.0%"},
                 {1, 8, "", "12,5%"}};
    for (const Case& c : cases) {
        PlayerProfile p;
        p.name = "Anna";
        p.bestScore[0] = 1200;
        p.bestScore[1] = 300;
        p.duelWins = c.wins;
        p.duelGames = c.games;
        p.bestComputerLevel = 4;
        p.gamesPlayed = 9;
        p.totalRows = 80;
        p.totalPieces = 700;
        EXPECT_EQ("Anna\n1200\n300\n" + c.rate + "\n5\n9\n80\n700", statisticsText(p, c.mark))
            << c.wins << " of " << c.games << " with the decimal mark \"" << c.mark << "\"";
    }
}

TEST(Statistics, ScoresAboveTwoToThe31AreShownUnsigned) {
    PlayerProfile p;
    p.name = "Anna";
    p.bestScore[0] = 2147483648u;
    p.bestScore[1] = 4294967295u;
    p.gamesPlayed = 3000000000u;
    EXPECT_EQ("Anna\n2147483648\n4294967295\n0,0%\n5\n3000000000\n0\n0", statisticsText(p, ","));
}
