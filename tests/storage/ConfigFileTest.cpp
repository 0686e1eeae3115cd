#include "storage/ConfigFile.h"
#include "storage/AtomicFile.h"
#include "storage/Settings.h"

#include <functional>
#include <string>

#include "TempFolder.h"
#include "tests/support/DiskFaults.h"

class SettingsFile : public TempFolderTest {};

TEST_F(SettingsFile, LinesAreReadAsTheGameWroteThem) {
    const std::string longLine(1000, 'x');
    struct Case {
        const char* what;
        std::string file;
        std::function<std::string(const Settings&)> field;
        std::string expected;
    } cases[] = {
        {"an empty file gives the default", "",
         [](const Settings& s) { return std::to_string(s.particleCount); }, "150"},
        {"lines without = are ignored", "[Section]\n;Partikel 40\nPartikel\n",
         [](const Settings& s) { return std::to_string(s.particleCount); }, "150"},
        {"spaces around = belong to key and value", "Partikel = 40\n",
         [](const Settings& s) { return std::to_string(s.particleCount); }, "150"},
        {"a plain number", "Partikel=40\n",
         [](const Settings& s) { return std::to_string(s.particleCount); }, "40"},
        {"leading blanks and trailing junk", "Partikel=  77abc\n",
         [](const Settings& s) { return std::to_string(s.particleCount); }, "77"},
        {"an empty player 1", "Spieler 1=\n", [](const Settings& s) { return s.player1Name; }, ""},
        {"= inside a value", "Sprache=Eng=lisch\n",
         [](const Settings& s) { return s.languageName; }, "Eng=lisch"},
        {"the last duplicate wins", "Partikel=50\nPartikel=60\n",
         [](const Settings& s) { return std::to_string(s.particleCount); }, "60"},
        {"CR LF endings", "Skin=Blue\r\nStein=Glas\r\n",
         [](const Settings& s) { return s.skinName + "|" + s.blockSetName; }, "Blue|Glas"},
        {"a last line without a break", "Skin=Blue", [](const Settings& s) { return s.skinName; },
         "Blue"},
        {"a 1000-character line ends the reading", "Skin=Blue\n" + longLine + "\nStein=Glas\n",
         [](const Settings& s) { return s.skinName + "|" + s.blockSetName; }, "Blue|design druve"},
        {"a 999-character line is read", "Skin=" + std::string(994, 'b') + "\nStein=Glas\n",
         [](const Settings& s) { return std::to_string(s.skinName.size()) + "|" + s.blockSetName; },
         "994|Glas"},
        {"volume 250 is brought to 100", "Volume Sounds=250\n",
         [](const Settings& s) { return std::to_string(s.soundVolume); }, "100"},
        {"particles below the slider", "Partikel=-5\n",
         [](const Settings& s) { return std::to_string(s.particleCount); }, "10"},
        {"a non-numeric mode gives 0", "Modus Einzelspieler=abc\n",
         [](const Settings& s) { return std::to_string(s.singlePlayerMode); }, "0"},
        {"background kind out of range", "Hintergrund Art=7\n",
         [](const Settings& s) { return std::to_string(s.backgroundKind); }, "2"},
        {"the network opponent is kept", "Modus Mehrspieler=2\n",
         [](const Settings& s) { return std::to_string(s.twoPlayerMode); }, "2"},
        {"an opponent the game does not know is clamped", "Modus Mehrspieler=3\n",
         [](const Settings& s) { return std::to_string(s.twoPlayerMode); }, "2"},
        {"a negative opponent is clamped", "Modus Mehrspieler=-1\n",
         [](const Settings& s) { return std::to_string(s.twoPlayerMode); }, "0"},
        {"an older file without the network address", "Modus Mehrspieler=0\n",
         [](const Settings& s) { return "[" + s.networkAddress + "]"; }, "[]"},
        {"the remembered network address", "Netzwerk Adresse=brixel.example:27961\n",
         [](const Settings& s) { return s.networkAddress; }, "brixel.example:27961"},
        {"keys are case-sensitive", "skin=Blue\n", [](const Settings& s) { return s.skinName; },
         "Golden"},
        {"a huge number does not wrap", "Partikel=99999999999999999999\n",
         [](const Settings& s) { return std::to_string(s.particleCount); }, "500"},
    };
    for (const Case& c : cases) {
        writeFile("data/brixel.ini", c.file);
        Settings settings;
        settings.skinName = "stale";
        readSettingsFile(settings);
        EXPECT_EQ(c.expected, c.field(settings)) << c.what;
    }
}

TEST_F(SettingsFile, AMissingFileGivesEveryDefault) {
    Settings settings;
    settings.particleCount = 3;
    settings.languageName = "x";
    readSettingsFile(settings);
    EXPECT_EQ(Settings{}.particleCount, settings.particleCount);
    EXPECT_EQ("Deutsch", settings.languageName);
    EXPECT_EQ("Spieler 1", settings.managedPlayerName);
}

TEST_F(SettingsFile, ASaveWritesExactlyItsKeysInByteOrder) {
    writeFile("data/brixel.ini", "Zusatz=1\nVolume Sounds=40\nSkin=Blue\n");
    Settings settings;
    readSettingsFile(settings);
    settings.particleCount = 300;
    ASSERT_TRUE(writeSettingsFile(settings, "Anna", "Bert", "Carl"));
    EXPECT_EQ("Hintergrund Art=1\r\n"
              "Hintergrund Bild=0\r\n"
              "Modus Einzelspieler=1\r\n"
              "Modus Mehrspieler=1\r\n"
              "Modus Mehrspieler_endlos=1\r\n"
              "Netzwerk Adresse=\r\n"
              "Netzwerk Relay=\r\n"
              "Partikel=300\r\n"
              "Skin=Blue\r\n"
              "Spieler 1=Anna\r\n"
              "Spieler 2=Bert\r\n"
              "Spieler Manage=Carl\r\n"
              "Sprache=Deutsch\r\n"
              "Stein=design druve\r\n"
              "Volume Sounds=40\r\n",
              readFile("data/brixel.ini"));
}

TEST_F(SettingsFile, ASavedFileReadsBackAsWritten) {
    Settings written;
    written.particleCount = 320;
    written.skinName = "Blue";
    std::filesystem::create_directory("data");
    ASSERT_TRUE(writeSettingsFile(written, "Anna", "Bert", "Carl"));
    Settings read;
    readSettingsFile(read);
    EXPECT_EQ("Anna|Bert|Carl|Blue|320", read.player1Name + "|" + read.player2Name + "|" +
                                             read.managedPlayerName + "|" + read.skinName + "|" +
                                             std::to_string(read.particleCount))
        << "no line end is left in a value";
}

TEST_F(SettingsFile, AFailedWriteLeavesTheOldFile) {
    writeFile("data/brixel.ini", "Skin=Blue\n");
    Settings settings;
    settings.skinName = "Red";
    DiskFaults::FillAfter(20);
    EXPECT_FALSE(writeSettingsFile(settings, "a", "b", "c"));
    DiskFaults::Reset();
    EXPECT_EQ("Skin=Blue\n", readFile("data/brixel.ini"));
    int leftovers = 0;
    for (auto& entry : std::filesystem::directory_iterator("data"))
        leftovers += entry.path().filename() != "brixel.ini";
    EXPECT_EQ(0, leftovers) << "the temporary file is removed";
}

TEST_F(SettingsFile, WritingIntoAMissingFolderFails) {
    ConfigFile file;
    file.setString("a", "b");
    EXPECT_FALSE(file.write("nowhere/brixel.ini"));
}

TEST(ConfigFileEntries, GettersReportPresence) {
    ConfigFile file;
    file.setInt("n", -42);
    file.setString("s", "");
    int n = 0;
    std::string s = "x";
    EXPECT_TRUE(file.getInt("n", n, 7));
    EXPECT_EQ(-42, n);
    EXPECT_TRUE(file.getString("s", s, "fallback")) << "an empty value is still present";
    EXPECT_EQ("", s);
    EXPECT_FALSE(file.getInt("missing", n, 7));
    EXPECT_EQ(7, n);
}
