#include "Libs/Win1252.h"
#include "storage/ContentLists.h"
#include "storage/DirectoryListing.h"
#include "storage/LanguageTable.h"

#include <functional>
#include <string>
#include <vector>

#include "TempFolder.h"

class Content : public TempFolderTest {};

TEST_F(Content, AListingIsInByteOrderOfTheNames) {
    for (const char* name : {"b.png", "A.png", "a.b.png", "Z.jpg", "\xC3\xA4rger.png", "c.PNG"})
        writeFile(std::string("images/block/") + name, "x");
#ifndef _WIN32 // a Windows file name is always Unicode
    writeFile("images/block/\xFF.png", "not UTF-8");
#endif
    std::filesystem::create_directory("images/block/dir.png");
    DirectoryListing listing;
    listing.setPattern("images/block/*.png");
    std::vector<std::string> seen;
    while (listing.next())
        seen.push_back(listing.fileName + "|" + listing.title + "|" + listing.extension + "|" +
                       std::to_string(listing.isDirectory));
    EXPECT_EQ((std::vector<std::string>{"A.png|A|png|0", "a.b.png|a|b.png|0", "b.png|b|png|0",
                                        "c.PNG|c|PNG|0", "dir.png|dir|png|1",
                                        "\xE4rger.png|\xE4rger|png|0"}),
              seen);
    EXPECT_FALSE(listing.next()) << "stays closed";
    listing.setPattern("nowhere/*.png");
    EXPECT_FALSE(listing.next());
}

// Windows lists a folder's files regardless of the letter case of their ending, and names that
// are not ASCII are titles like any other; every system lists them the same way.
TEST_F(Content, EveryFolderFindsEndingsInAnyCaseAndNamesBeyondAscii) {
    struct Case {
        const ContentFolder& folder;
        const char* file;  // UTF-8, as on the disk
        const char* title; // Windows-1252, as in the game
    } cases[] = {
        {languageFolder,
         "language/Fran\xC3\xA7"
         "ais.txt",
         "Fran\xE7"
         "ais"},
        {languageFolder, "language/English.TXT", "English"},
        {blockSetFolder, "images/block/Kl\xC3\xB6tze.Png", "Kl\xF6tze"},
        {skinFolder, "skin/Golden.STYLE", "Golden"},
        {backgroundFolder, "images/background/Strand.JPG", "Strand"},
        {backgroundFolder,
         "images/background/Stra\xC3\x9F"
         "e.jpg",
         "Stra\xDF"
         "e"},
    };
    for (const Case& c : cases) writeFile(c.file, "x");
    for (const Case& c : cases) {
        TitleList list;
        std::string setting = c.title;
        buildContentList(list, c.folder, setting);
        EXPECT_EQ(c.title, setting) << c.file << " is not listed under its title";
        // The file is found again by its title with the ending the game writes.
        const std::string pattern = c.folder.pattern;
        const std::string path = pattern.substr(0, pattern.rfind('/') + 1) + c.title +
                                 pattern.substr(pattern.rfind('*') + 1);
        EXPECT_EQ("x", readFile(Win1252ToUtf8(path))) << path << " does not open " << c.file;
    }
}

TEST_F(Content, ASettingNamingNoFileBecomesTheFirstTitle) {
    writeFile("language/Deutsch.txt", "102=Spieler\n");
    struct Case {
        std::string setting, expected;
    } cases[] = {
        {"English", "Deutsch"}, {"Deutsch", "Deutsch"}, {"deutsch", "Deutsch"}, {"", "Deutsch"}};
    for (Case& c : cases) {
        TitleList list;
        std::string setting = c.setting;
        buildContentList(list, languageFolder, setting);
        EXPECT_EQ(c.expected, setting) << "setting \"" << c.setting << "\"";
        EXPECT_EQ(1, list.Count());
    }
    writeFile("language/Alt.txt", "");
    TitleList list;
    std::string setting = "English";
    buildContentList(list, languageFolder, setting);
    EXPECT_EQ("Alt", setting) << "the first in byte order";
}

TEST_F(Content, BackgroundsAreCountedAndNamedInOrder) {
    for (const char* name : {"see.jpg", "berg.jpg", "wald.jpg"})
        writeFile(std::string("images/background/") + name, "x");
    TitleList backgrounds;
    buildBackgroundList(backgrounds);
    EXPECT_EQ(3, backgrounds.Count());
    struct Case {
        int index;
        const char* title;
    } cases[] = {{0, "berg"}, {1, "see"}, {2, "wald"}, {3, "wald"}, {99, "wald"}};
    for (const Case& c : cases)
        EXPECT_EQ(c.title, titleAt(backgrounds, c.index)) << "index " << c.index;

    Settings fixed;
    fixed.backgroundKind = 2;
    fixed.backgroundIndex = 7;
    pickStartBackground(fixed, backgrounds, 12345);
    EXPECT_EQ(2, fixed.backgroundIndex);
    EXPECT_EQ("wald", fixed.backgroundName);
    Settings random;
    random.backgroundKind = 1;
    pickStartBackground(random, backgrounds, 4);
    EXPECT_EQ(1, random.backgroundIndex) << "4 modulo 3";
    EXPECT_EQ("see", random.backgroundName);
}

// "wald 2.jpg" lists before "wald.jpg" (a blank sorts before a dot), but its title comes after:
// a fixed background must name the same picture after a restart as on the settings page.
TEST_F(Content, AFixedBackgroundKeepsItsPictureWhenOneTitleBeginsAnother) {
    for (const char* name : {"wald.jpg", "wald 2.jpg", "wald.b.jpg", "see.jpg"})
        writeFile(std::string("images/background/") + name, "x");
    TitleList backgrounds;
    buildBackgroundList(backgrounds);
    EXPECT_EQ(3, backgrounds.Count()) << "\"wald.jpg\" and \"wald.b.jpg\" are one title";
    for (int index = 0; index < backgrounds.Count(); ++index) {
        Settings restarted;
        restarted.backgroundKind = 2;
        restarted.backgroundIndex = index;
        pickStartBackground(restarted, backgrounds, 0);
        EXPECT_EQ(titleAt(backgrounds, index), restarted.backgroundName)
            << "stored index " << index;
    }
    EXPECT_EQ("wald 2", titleAt(backgrounds, 2));
}

TEST_F(Content, LanguageTextsByNumber) {
    writeFile("language/Deutsch.txt", "100=Ja\n101=Nein\r\n"
                                      "300=Erste Zeile\\nZweite Zeile\n"
                                      "ohne Gleichheitszeichen\n"
                                      "Titel=ohne Ziffern\n"
                                      "  +42=Text = mit Gleichheit\n"
                                      "101=Nein!\n"
                                      "500=Ende");
    LanguageTable language;
    ASSERT_TRUE(language.Load("language/Deutsch.txt"));
    struct Case {
        int id;
        std::string text;
    } cases[] = {
        {100, "Ja"},
        {101, "Nein!"},
        {300, "Erste Zeile\nZweite Zeile"},
        {0, "ohne Ziffern"},
        {42, "Text = mit Gleichheit"},
        {500, "Ende"},
        {999, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, language.Text(c.id)) << "text " << c.id;

    EXPECT_FALSE(language.Load("language/English.txt"));
    EXPECT_EQ(0, language.Count()) << "a failed load leaves the table empty";
    EXPECT_EQ("", language.Text(100));
}

TEST_F(Content, AnEmptyContentFolderIsFatal) {
    struct Case {
        const char* message;
        int line;
        std::function<void()> run;
    } cases[] = {
        {"Keine Sprachen vorhanden", 23,
         [] {
             TitleList list;
             std::string setting = "x";
             buildContentList(list, languageFolder, setting);
         }},
        {"Keine Steine vorhanden", 64,
         [] {
             TitleList list;
             std::string setting = "x";
             buildContentList(list, blockSetFolder, setting);
         }},
        {"Keine Skins vorhanden", 78,
         [] {
             TitleList list;
             std::string setting = "x";
             buildContentList(list, skinFolder, setting);
         }},
        {"Keine Hintergrundbilder vorhanden", 970,
         [] {
             TitleList list;
             buildBackgroundList(list);
         }},
    };
    for (const Case& c : cases) {
        std::filesystem::remove("DirectX Fehler.txt");
        ShareWorkingFolder();
        EXPECT_EXIT(
            {
                EnterSharedWorkingFolder();
                c.run();
            },
            ::testing::ExitedWithCode(1), c.message);
        const std::string log = readFile("DirectX Fehler.txt");
        EXPECT_NE(std::string::npos, log.find("Zeile " + std::to_string(c.line) + " "))
            << c.message << ": the log names line " << c.line << "; log: " << log;
        EXPECT_NE(std::string::npos, log.find("t_menu")) << c.message << ": module; log: " << log;
    }
    EXPECT_EQ("", titleAt(TitleList{}, 0)) << "naming without pictures is no error";
}
