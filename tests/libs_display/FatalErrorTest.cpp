#include "DisplayFixture.h"

#include "Libs/FatalError.h"
#include "tests/TestSupport.h"

#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Header lines are ".-=====° dd.mm. yyyy - hh:mm:ss  °=====-." with CR LF.
bool IsHeader(const std::string& line) {
    const std::string pattern = ".-=====\xB0 99.99. 9999 - 99:99:99  \xB0=====-.";
    if (line.size() != pattern.size()) return false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (pattern[i] == '9' ? !isdigit(static_cast<unsigned char>(line[i]))
                              : line[i] != pattern[i])
            return false;
    }
    return true;
}

} // namespace

TEST(FatalReport, PiecesInOrder) {
    EXPECT_EQ(FatalReportText("Kann Textur: \"a.png\" nicht laden.", 42, "Libs\\DirectX", 0, "1.2",
                              "software"),
              "Fehler in Zeile 42 der Datei:\nLibs\\DirectX\n\nKann Textur: \"a.png\" nicht "
              "laden.\n\nVersion: 1.2\nGafikkarte: software");
    std::string withCode = FatalReportText("Nicht unterst\xFCtzter Bildschirmmodus.", 7,
                                           "Libs\\DirectX", 0x8876086Cu, "1.2", "");
    EXPECT_NE(withCode.find("modus.\n\nD3DERR_INVALIDCALL\n"), std::string::npos) << withCode;
    EXPECT_NE(withCode.find("\nUng\xFCltiger Aufruf."), std::string::npos)
        << "the description in the game's code page: " << withCode;
    const std::string tail = "\n\nVersion: 1.2\nGafikkarte: ";
    EXPECT_TRUE(withCode.ends_with(tail)) << withCode;
}

TEST(FatalReport, HeaderAndLogEntryByteForByte) {
    std::string header = FatalLogHeader(9, 12, 2026, 7, 5, 3);
    EXPECT_EQ(header, ".-=====\xB0 09.12. 2026 - 07:05:03  \xB0=====-.");

    std::string path = ::testing::TempDir() + "fatal_log_test.txt";
    std::remove(path.c_str());
    ASSERT_EQ(AppendFatalLog(path.c_str(), header, "Zeile 1\nZeile 2 mit 100%"), 1);
    ASSERT_EQ(AppendFatalLog(path.c_str(), header, "Zweiter"), 1);
    std::string entry1 = header + "\r\n\r\nZeile 1\r\nZeile 2 mit 100%\r\n\r\n";
    std::string entry2 = header + "\r\n\r\nZweiter\r\n\r\n";
    EXPECT_EQ(ReadFile(path), entry1 + entry2);
    std::remove(path.c_str());
    EXPECT_EQ(AppendFatalLog("/no/such/folder/log.txt", header, "x"), 0);
}

// The fatal path runs in a child process, which works in this test's working folder.
using FatalDeathTest = DisplayTest;

TEST_F(FatalDeathTest, MissingImageEndsWithOneLogEntryPerRun) {
    GTEST_FLAG_SET(death_test_style, "fast");
    ShareWorkingFolder();
    for (int run = 0; run < 2; ++run) {
        EXPECT_EXIT(
            {
                EnterSharedWorkingFolder();
                Texture t;
                t.Load("fehlt.png", 0);
            },
            ::testing::ExitedWithCode(1), "Kann Textur: \"fehlt.png\" nicht laden.");
    }
    std::string log = ReadFile(FatalLogName);
    std::string report = "Fehler in Zeile ";
    size_t first = log.find("\r\n");
    ASSERT_NE(first, std::string::npos);
    EXPECT_TRUE(IsHeader(log.substr(0, first))) << log.substr(0, first);

    // Two entries, identical after their headers; no result-code paragraph.
    size_t half = log.size() / 2;
    std::string a = log.substr(0, half), b = log.substr(half);
    EXPECT_TRUE(IsHeader(b.substr(0, b.find("\r\n"))));
    EXPECT_EQ(a.substr(a.find("\r\n")), b.substr(b.find("\r\n")));
    std::string body = a.substr(first + 4); // after the header and the empty line
    EXPECT_EQ(body.substr(0, report.size()), report);
    EXPECT_NE(body.find("der Datei:\r\nLibs\\DirectX\r\n\r\nKann Textur: \"fehlt.png\" nicht "
                        "laden.\r\n\r\nVersion: 1.2\r\nGafikkarte: "),
              std::string::npos)
        << body;
    EXPECT_EQ(body.substr(body.size() - 4), "\r\n\r\n");
}
