// The file calls beneath every save, run against the real system: the temporary files a save
// writes first, and on Windows what other programs do to the game's files there (a second game
// on the folder, a virus scanner holding a profile open while the game saves it).
#include "Libs/SystemFiles.h"
#include "storage/AtomicFile.h"
#include "storage/DataFolderLock.h"
#include "storage/InterruptedSaves.h"

#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "Libs/WideText.h"
#endif

#include "TempFolder.h"

namespace {

class SystemFilesTest : public TempFolderTest {};

// Every file in the folder, by name.
std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(SystemFiles::PathOf(folder)))
        names.insert(SystemFiles::NameOf(entry.path().filename()));
    return names;
}

} // namespace

// Many saves of one file open their temporaries at once (a profile, its copies): each gets a new
// file of its own, under a name the start-up clean-up knows as a leftover and no other.
TEST_F(SystemFilesTest, TemporaryFilesAreNewFilesUnderLeftoverNames) {
    writeFile("data/Anna.user", "kept");
    const int count = 300;
    std::vector<int> descriptors;
    std::set<std::string> names;
    for (int i = 0; i < count; ++i) {
        std::string created;
        const int descriptor = SystemFiles::CreateTemporary("data/Anna.user", created);
        ASSERT_GE(descriptor, 0) << "temporary " << i << " was not created";
        descriptors.push_back(descriptor);
        ASSERT_EQ(0u, created.rfind("data/", 0)) << "expected beside the target, got " << created;
        const std::string name = created.substr(5);
        EXPECT_TRUE(isInterruptedSaveName(name)) << "not a leftover name: " << name;
        EXPECT_EQ(0u, name.rfind("Anna.user", 0)) << "expected the target's name first: " << name;
        EXPECT_TRUE(names.insert(name).second) << "name handed out twice: " << name;
        EXPECT_TRUE(SystemFiles::IsRegularFile(created)) << created << " is not on the disk";
    }
    for (int descriptor : descriptors) EXPECT_TRUE(SystemFiles::Close(descriptor));
    EXPECT_EQ("kept", readFile("data/Anna.user")) << "the target changed";
    EXPECT_EQ(static_cast<size_t>(count + 1), filesIn("data").size());
    removeInterruptedSaves();
    EXPECT_EQ((std::set<std::string>{"Anna.user"}), filesIn("data"))
        << "the start-up clean-up left temporaries behind or took the target";
}

#ifdef _WIN32

namespace {

// The test program started again stands in for a second game: it takes the lock of the folder
// named in this variable, says so in the file "held" there, and waits to be killed.
constexpr const char* SecondGameFolder = "BRIXEL_SECOND_GAME_FOLDER";

struct SecondGame {
    SecondGame() {
        const char* folder = std::getenv(SecondGameFolder);
        if (!folder || !*folder) return;
        DataFolderLock lock;
        if (lock.take(folder) == DataFolderLock::Taken)
            std::fclose(SystemFiles::Open(std::string(folder) + "/held", "wb"));
        Sleep(60000); // killed long before
        ExitProcess(2);
    }
} secondGame;

// Starts the second game on `folder`; its process handle, or null.
HANDLE startSecondGame(const std::string& folder) {
    wchar_t program[MAX_PATH];
    if (GetModuleFileNameW(nullptr, program, MAX_PATH) == 0) return nullptr;
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    SetTestEnvironment(SecondGameFolder, folder.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process) != 0;
    SetTestEnvironment(SecondGameFolder, "");
    if (!started) return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

} // namespace

// A game that is killed leaves no lock behind: the system closes its lock file.
TEST_F(SystemFilesTest, AKilledGameLeavesNoLock) {
    const std::string data = SystemFiles::NameOf(std::filesystem::current_path() / "data");
    std::filesystem::create_directories("data");
    const HANDLE other = startSecondGame(data);
    ASSERT_NE(nullptr, other) << "the second game did not start";
    bool held = false;
    for (int waited = 0; waited < 60000 && !held; waited += 20) {
        held = exists("data/held");
        if (!held && WaitForSingleObject(other, 20) == WAIT_OBJECT_0) break;
    }
    ASSERT_TRUE(held) << "expected the second game to take the lock, it did not";
    DataFolderLock mine;
    EXPECT_EQ(DataFolderLock::HeldElsewhere, mine.take("data")) << "while the other game runs";
    TerminateProcess(other, 1);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(other, 60000)) << "the second game did not end";
    CloseHandle(other);
    EXPECT_EQ(DataFolderLock::Taken, mine.take("data")) << "after it was killed";
}

// A virus scanner or a sync client opens a freshly written profile without letting others
// delete it, and closes it a moment later: the save in the meantime waits for it, does not
// replace the file under it, and succeeds once it is closed.
TEST_F(SystemFilesTest, ASaveWaitsForAProgramThatHoldsTheFileForAMoment) {
    writeFile("data/Anna.user", "old");
    const HANDLE scanner =
        CreateFileW(WideFromUtf8("data/Anna.user").c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, scanner);
    std::string seenBeforeClosing;
    std::thread scanning([&] {
        Sleep(300);
        seenBeforeClosing = readFile("data/Anna.user");
        CloseHandle(scanner);
    });
    AtomicFile file;
    const bool saved = file.open("data/Anna.user") && file.write("new", 3) && file.commit();
    scanning.join();
    EXPECT_TRUE(saved) << "expected the save to succeed once the file was closed; problem "
                       << static_cast<int>(file.problem());
    EXPECT_EQ("old", seenBeforeClosing) << "the file was replaced while the scanner held it";
    EXPECT_EQ("new", readFile("data/Anna.user"));
    EXPECT_EQ((std::set<std::string>{"Anna.user"}), filesIn("data")) << "temporaries were left";
}

#endif
