// What must never cost a player's data: damaged files, full disks, odd names and odd files in
// the data folder, saves that fail, two games on one folder.
#include "storage/DataFolderLock.h"
#include "storage/ProfileList.h"
#include "storage/ProfileStore.h"
#include "storage/SaveReport.h"
#include "storage/Settings.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "ProfileFolder.h"
#include "tests/support/DiskFaults.h"

namespace {

std::vector<std::string> namesOf(const ProfileList& profiles) {
    std::vector<std::string> out;
    for (const auto& [name, profile] : profiles) out.push_back(name);
    return out;
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names)
        if (n == name) return true;
    return false;
}

} // namespace

class DataSafety : public ProfileFolderTest {
protected:
    // The same with a statistics word changed: the checksum fails.
    static std::string damagedBytes(uint32_t gamesPlayed, char mark) {
        std::string bytes = profileBytes(gamesPlayed);
        bytes[4 * 25] = mark;
        return bytes;
    }
    // Games played as the game loads the file; -1 when it does not read cleanly.
    static long gamesIn(const std::string& path) {
        PlayerProfile p;
        return loadProfileFile(path, p) == 1 ? static_cast<long>(p.gamesPlayed) : -1;
    }
};

// Anna plays, her file is damaged, she plays on, it is damaged again: at no point may the
// games she played be nowhere.
TEST_F(DataSafety, EveryDamagedVersionIsKeptAndPlayGoesOnFromTheCopy) {
    writeFile("data/Anna.user", profileBytes(7));
    runTheGameOnce(); // the copy now holds 7 games
    ASSERT_EQ(7, gamesIn("data/Anna.bak"));

    const std::string firstDamage = damagedBytes(7, 'a');
    writeFile("data/Anna.user", firstDamage);
    runTheGameOnce();
    runTheGameOnce();
    EXPECT_EQ(firstDamage, readFile("data/Anna.user.damaged")) << "the damaged bytes are kept";
    EXPECT_EQ(7, gamesIn("data/Anna.user")) << "the profile goes on from its copy, not from 0";
    EXPECT_EQ(7, gamesIn("data/Anna.bak")) << "the copy is never fed a cleared profile";

    writeFile("data/Anna.user", profileBytes(50)); // she played on
    runTheGameOnce();
    const std::string secondDamage = damagedBytes(50, 'b');
    writeFile("data/Anna.user", secondDamage);
    runTheGameOnce();
    runTheGameOnce();
    EXPECT_EQ(50, gamesIn("data/Anna.user")) << "the 50 games are still Anna's";
    EXPECT_EQ(50, gamesIn("data/Anna.bak"));
    EXPECT_EQ(firstDamage, readFile("data/Anna.user.damaged")) << "an earlier kept copy stays";
    EXPECT_EQ(secondDamage, readFile("data/Anna.user.damaged2"))
        << "a later damage is kept beside it, not dropped";
}

// With no sound copy the profile starts with cleared statistics; a damaged copy is kept before
// the next start replaces it.
TEST_F(DataSafety, ADamagedCopyIsKeptBeforeItIsReplaced) {
    const std::string damagedUser = damagedBytes(9, 'c');
    const std::string damagedCopy = damagedBytes(8, 'd');
    writeFile("data/Anna.user", damagedUser);
    writeFile("data/Anna.bak", damagedCopy);
    runTheGameOnce();
    EXPECT_EQ(0, gamesIn("data/Anna.user")) << "no sound state anywhere: statistics cleared";
    runTheGameOnce();
    EXPECT_EQ(damagedUser, readFile("data/Anna.user.damaged"));
    EXPECT_EQ(damagedCopy, readFile("data/Anna.bak.damaged"));
    EXPECT_EQ(0, gamesIn("data/Anna.bak"));
}

// The disk is full at start and has room again at quit: the damaged file cannot be kept, so
// the profile is not loaded and nothing is saved over it.
TEST_F(DataSafety, WhenTheDamagedFileCannotBeKeptTheProfileWaits) {
    const std::string damaged = damagedBytes(12, 'e');
    writeFile("data/Anna.user", damaged);
    Settings settings;
    ProfileList profiles;
    DiskFaults::FillAfter(0);
    loadSettings(settings, profiles);
    DiskFaults::Reset();
    EXPECT_FALSE(profiles.Contains("Anna")) << "not loaded while its bytes are not kept";
    EXPECT_TRUE(contains(profiles.unreadableNames, "Anna")) << "its name stays taken";
    while (profiles.Count() < 2) createProfile(profiles, "Spieler");
    PlayerProfile *player1, *player2, *managed;
    resolvePlayers(profiles, settings, player1, player2, managed);
    saveSettings(settings, profiles, player1, player2, managed);
    EXPECT_EQ(damaged, readFile("data/Anna.user")) << "the damaged file is untouched";
    EXPECT_FALSE(exists("data/Anna.user.damaged"));

    runTheGameOnce(); // room on the disk again
    EXPECT_EQ(damaged, readFile("data/Anna.user.damaged"));
    EXPECT_EQ(0, gamesIn("data/Anna.user"));
}

TEST_F(DataSafety, EveryCopyAndSaveIsSyncedBeforeItsRename) {
    writeFile("data/Anna.user", profileBytes(3));
    writeFile("data/Bert.user", damagedBytes(4, 'f'));
    runTheGameOnce();
    // Every file put in place: its last step before the replace is a sync.
    std::map<std::string, DiskStep> lastStep;
    std::vector<std::string> replaced;
    for (const DiskFaults::Step& s : DiskFaults::Steps()) {
        if (s.step == DiskStep::Replace) {
            EXPECT_EQ(DiskStep::Sync, lastStep[s.target])
                << s.target << " was renamed into place without a sync before";
            replaced.push_back(s.target);
        }
        lastStep[s.target] = s.step;
    }
    for (const char* file : {"data/Anna.bak", "data/Bert.user.damaged", "data/Anna.user",
                             "data/Bert.user", "data/brixel.ini"})
        EXPECT_TRUE(contains(replaced, file)) << file << " was expected to be written";
}

// Names a player could type or a file could carry that no system could save under.
TEST(ProfileFileNames, ReservedAndOverlongNamesAreRefused) {
    const std::string longest(222, 'x'); // + ".user.damaged99.brixel-tmp-XXXXXX" = 255
    struct Case {
        std::string name;
        bool safe;
    } cases[] = {
        {"Con", false},
        {"aux", false},
        {"NUL", false},
        {"pRn", false},
        {"COM1", false},
        {"com0", false},
        {"LPT9", false},
        {"Con.txt", false},
        {"nul.", false},
        {"Aux ", false},
        {"CON  .x", false},
        {"COM\xB9", false},
        {"Cone", true},
        {"COM10", true},
        {"LPT", true},
        {"Console", true},
        {"xCON", true},
        {"Anna", true},
        {longest, true},
        {longest + "x", false},
        {std::string(111, '\xFC'), true}, // two bytes each in UTF-8: 222
        {std::string(112, '\xFC'), false},
    };
    ProfileList profiles;
    for (const Case& c : cases) {
        const std::string shown =
            c.name.size() > 24 ? c.name.substr(0, 8) + "... (" + std::to_string(c.name.size()) + ")"
                               : c.name;
        EXPECT_EQ(c.safe, isFileSafeName(c.name))
            << "\"" << shown << "\" was expected " << (c.safe ? "accepted" : "refused");
        if (!c.safe) {
            EXPECT_FALSE(isValidProfileName(profiles, c.name)) << "\"" << shown << "\"";
        }
    }
    PlayerProfile* anna = addProfile(profiles, "Anna");
    EXPECT_FALSE(renameProfile(profiles, anna, "lpt1")) << "renaming to a device name";
    EXPECT_EQ("Anna", anna->name);
}

TEST_F(DataSafety, FilesUnderNamesThatCannotBeSavedAreLeftAlone) {
#ifdef _WIN32
    // Windows cannot make files under reserved or over-long names, so none can be found there.
    GTEST_SKIP() << "files under such names cannot exist on Windows";
#endif
    const std::string sound = profileBytes(5);
    const std::string tooLong(240, 'y'); // the file fits; its temporary names do not
    for (const std::string& name : {std::string("Con"), std::string("com3"), tooLong})
        writeFile("data/" + name + ".user", sound);
    writeFile("data/Anna.user", sound);
    EXPECT_TRUE(runTheGameOnce().empty()) << "no save failed: no such name was loaded";
    for (const std::string& name : {std::string("Con"), std::string("com3"), tooLong}) {
        const std::string shown = name.substr(0, 8);
        EXPECT_EQ(sound, readFile("data/" + name + ".user")) << shown << " was changed";
        EXPECT_FALSE(exists("data/" + name + ".bak")) << shown << " got a copy";
    }
    ProfileList profiles;
    loadProfiles(profiles);
    EXPECT_EQ((std::vector<std::string>{"Anna", "Spieler 1"}), namesOf(profiles));
}

#ifndef _WIN32
// A pipe or a device under a profile's name is never opened: it would block the start.
TEST_F(DataSafety, OnlyRegularFilesAreOpened) {
    std::filesystem::create_directory("data");
    ASSERT_EQ(0, mkfifo("data/Pipe.user", 0644));
    ASSERT_EQ(0, mkfifo("data/Anna.bak", 0644));
    ASSERT_EQ(0, mkfifo("data/Bert.user.damaged", 0644));
    writeFile("data/Anna.user", profileBytes(2));
    writeFile("data/Bert.user", damagedBytes(2, 'g'));
    EXPECT_TRUE(runTheGameOnce().empty()) << "the start and the save went through";
    ProfileList profiles;
    loadProfiles(profiles);
    EXPECT_TRUE(profiles.Contains("Anna"));
    EXPECT_FALSE(profiles.Contains("Pipe"));
    EXPECT_TRUE(contains(profiles.unreadableNames, "Pipe")) << "the pipe's name stays taken";
    for (const char* pipe : {"data/Pipe.user", "data/Anna.bak", "data/Bert.user.damaged"})
        EXPECT_TRUE(std::filesystem::is_fifo(pipe)) << pipe << " is no longer the pipe it was";
    EXPECT_EQ(2, gamesIn("data/Anna.user"));
    EXPECT_EQ(damagedBytes(2, 'g'), readFile("data/Bert.user.damaged2"))
        << "the damaged file is kept under the next name";
}
#endif

TEST_F(DataSafety, AFailedSaveIsReportedAndLeavesTheOldFile) {
    writeFile("data/Anna.user", profileBytes(1));
    writeFile("data/Bert.user", profileBytes(2));
    writeFile("data/brixel.ini", "Skin=Blue\r\n");
    struct Case {
        const char* what;
        std::function<void()> fault;
        std::vector<SaveFailure> expected;
    } cases[] = {
        {"a full disk",
         [] { DiskFaults::FillAfter(0); },
         {{"Anna.user", SaveProblem::DiskFull},
          {"Bert.user", SaveProblem::DiskFull},
          {"brixel.ini", SaveProblem::DiskFull}}},
        {"Bert's file held by another program",
         [] {
             DiskFaults::RefuseReplace(
                 [](const std::string& target) { return target == "data/Bert.user"; });
         },
         {{"Bert.user", SaveProblem::NotReplaced}}},
        {"a sound disk", [] {}, {}},
    };
    for (const Case& c : cases) {
        Settings settings;
        ProfileList profiles;
        loadSettings(settings, profiles);
        for (auto& [name, profile] : profiles) profile.gamesPlayed += 10;
        PlayerProfile *player1, *player2, *managed;
        resolvePlayers(profiles, settings, player1, player2, managed);
        const long annaBefore = gamesIn("data/Anna.user"), bertBefore = gamesIn("data/Bert.user");
        c.fault();
        const std::vector<SaveFailure> failures =
            saveSettings(settings, profiles, player1, player2, managed);
        DiskFaults::Reset();
        EXPECT_EQ(c.expected.size(), failures.size()) << c.what;
        for (size_t i = 0; i < failures.size() && i < c.expected.size(); ++i)
            EXPECT_TRUE(failures[i] == c.expected[i])
                << c.what << ": expected " << c.expected[i].fileName << " problem "
                << int(c.expected[i].problem) << ", got " << failures[i].fileName << " problem "
                << int(failures[i].problem);
        auto failed = [&](const char* file) {
            for (const SaveFailure& f : failures)
                if (f.fileName == file) return true;
            return false;
        };
        EXPECT_EQ(failed("Anna.user") ? annaBefore : annaBefore + 10, gamesIn("data/Anna.user"))
            << c.what;
        EXPECT_EQ(failed("Bert.user") ? bertBefore : bertBefore + 10, gamesIn("data/Bert.user"))
            << c.what;
    }
    // A name no system can save under is reported too.
    ProfileList profiles;
    addProfile(profiles, "Nul");
    const std::vector<SaveFailure> failures = saveProfiles(profiles);
    ASSERT_EQ(1u, failures.size());
    EXPECT_TRUE((failures[0] == SaveFailure{"Nul.user", SaveProblem::NameRefused}));
}

TEST(SaveReport, NamesEachFileAndWhy) {
    const std::map<int, std::string> texts = {{801, "Not saved:"},   {802, "not created"},
                                              {803, "disk full"},    {804, "not written"},
                                              {805, "not replaced"}, {806, "name refused"}};
    auto text = [&](int id) { return texts.at(id); };
    const std::string report = saveFailureText({{"Anna.user", SaveProblem::DiskFull},
                                                {"J\xFCrgen.user", SaveProblem::NotReplaced},
                                                {"brixel.ini", SaveProblem::NotCreated},
                                                {"Nul.user", SaveProblem::NameRefused},
                                                {"Bert.user", SaveProblem::NotWritten}},
                                               text);
    EXPECT_EQ("Not saved:\nAnna.user: disk full\nJ\xFCrgen.user: not replaced\n"
              "brixel.ini: not created\nNul.user: name refused\nBert.user: not written",
              report);
}

TEST_F(DataSafety, OneGameAtATimeOnADataFolder) {
    DataFolderLock first;
    ASSERT_EQ(DataFolderLock::Taken, first.take("data"));
    {
        DataFolderLock second;
        EXPECT_EQ(DataFolderLock::HeldElsewhere, second.take("data"))
            << "a second game on the folder must be told";
    }
    first.release();
    DataFolderLock third;
    EXPECT_EQ(DataFolderLock::Taken, third.take("data")) << "a released lock is free again";
}

#ifndef _WIN32
// A game that is killed leaves no lock behind.
TEST_F(DataSafety, AKilledGameLeavesNoLock) {
    int ready[2];
    ASSERT_EQ(0, pipe(ready));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        DataFolderLock lock;
        const char answer = lock.take("data") == DataFolderLock::Taken ? 'y' : 'n';
        if (write(ready[1], &answer, 1) != 1) _exit(2);
        pause(); // until killed
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(1, read(ready[0], &answer, 1));
    ASSERT_EQ('y', answer) << "the child could not take the lock";
    DataFolderLock mine;
    EXPECT_EQ(DataFolderLock::HeldElsewhere, mine.take("data")) << "while the other game runs";
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_EQ(DataFolderLock::Taken, mine.take("data")) << "after it was killed";
    close(ready[0]);
    close(ready[1]);
}
#endif

// profile-check says of every file what the game's loader does with it: the fuzz seeds and the
// edge files here, each under a short name and under names the loader treats apart.
TEST_F(DataSafety, TheCheckerAgreesWithTheLoaderOnEveryFile) {
#ifdef _WIN32
    // Windows cannot make files under reserved or over-long names, so none can be found there.
    GTEST_SKIP() << "files under such names cannot exist on Windows";
#endif
    std::vector<std::pair<std::string, std::string>> files; // what, bytes
    for (const auto& entry : std::filesystem::directory_iterator(std::string(BRIXEL_SOURCE_DIR) +
                                                                 "/fuzz/corpus/profile"))
        files.push_back(
            {"seed " + entry.path().filename().string(), readFile(entry.path().string())});
    files.push_back({"a sound profile", profileBytes(9)});
    files.push_back({"a damaged profile", damagedBytes(9, 'h')});
    files.push_back({"a legacy file of zeros", std::string(148, '\0')});
    files.push_back({"a legacy file with a wrong check value", std::string(148, '\x01')});
    files.push_back({"a profile and one word more", profileBytes(3) + "abcd"});
    const std::string names[] = {"Edge", std::string(20, 'n'), std::string(21, 'n'), "Nul",
                                 std::string(223, 'n')};
    for (const auto& [what, bytes] : files) {
        for (const std::string& name : names) {
            std::filesystem::remove_all("data");
            writeFile("data/" + name + ".user", bytes);
            ProfileList profiles;
            loadProfiles(profiles);
            std::string expected = "unreadable";
            if (exists("data/" + name + ".user.damaged"))
                expected = "checksum failed";
            else if (const PlayerProfile* p = profiles.Find(name))
                expected = "gamesPlayed=" + std::to_string(p->gamesPlayed) + " ";
            const std::string command =
                std::string("\"") + PROFILE_CHECK + "\" \"data/" + name + ".user\" >check.txt 2>&1";
            const int status = std::system(command.c_str());
            const std::string report = readFile("check.txt");
            EXPECT_NE(std::string::npos, report.find(".user: " + expected))
                << what << " under a name of " << name.size() << " letters: the game gives \""
                << expected << "\", the checker \"" << report << "\"";
            EXPECT_EQ(expected.starts_with("gamesPlayed"), status == 0)
                << what << " under a name of " << name.size() << " letters: exit status " << status;
        }
    }
}
