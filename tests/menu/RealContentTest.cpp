// The menus built from the repository's own content: every picture, skin and text they name is
// there, and every page draws.
#include "MenuFixture.h"
#include "tests/TestSupport.h"

#include <cctype>

namespace fs = std::filesystem;

class RealContentTest : public MenuFixture {
protected:
    void prepareContent() override { linkRepositoryContent(); }
};

TEST_F(RealContentTest, EveryPageDrawsOverTheBackground) {
    ASSERT_FALSE(menu->text(300).empty()) << "the main menu heading comes from the language file";
    EXPECT_EQ(menu->profiles.Count(), 2);
    for (int p : {MenuSystem::MainPage, MenuSystem::SettingsPage, MenuSystem::PlayerPage,
                  MenuSystem::ScorePage}) {
        menu->showPage(p);
        EXPECT_EQ(frame(), 1) << "page " << p;
        EXPECT_NE(directX->ReadPixel(2, 2) & 0xFFFFFF, 0xFFFFFFu)
            << "page " << p << ": the background picture covers the white clear";
    }
    menu->showPage(MenuSystem::MainPage);
    activate(99);
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(directX->ReadPixel(600, 50) & 0xFFFFFF, 0u) << "the credits clear to black";
}

// The credits in English: every line comes from the English language file, none of the German
// words the credits once carried remains.
TEST_F(RealContentTest, EnglishCreditsHoldNoGermanWords) {
    menu->settings.languageName = "English";
    menu->loadLanguage();
    const MenuSystem::CreditTexts credits = menu->creditTexts();
    const std::string lines[] = {credits.title, credits.thanksHeading, credits.thanks,
                                 credits.contact};
    const char* const german[] = {"dem",     "das",       "der",        "und",      "f\xFCr",
                                  "f\xFCrs", "Danke",     "Kontakt",    "Fragen",   "Ideen",
                                  "sind",    "Team",      "willkommen", "Familien", "Geduld",
                                  "Testen",  "Kl\xE4nge", "unseren",    "Werkzeug"};
    for (const std::string& line : lines) {
        EXPECT_FALSE(line.empty()) << "a credits line is empty";
        // Words are runs of letters (Windows-1252 umlauts count as letters).
        std::string words = " ";
        for (char c : line) {
            const unsigned char u = static_cast<unsigned char>(c);
            words += std::isalpha(u) || u >= 0x80 ? c : ' ';
        }
        words += " ";
        for (const char* word : german) {
            EXPECT_EQ(words.find(std::string(" ") + word + " "), std::string::npos)
                << "expected no German \"" << word << "\" in the English credits, got \"" << line
                << "\"";
        }
    }
}

// The German credits name the team with the contraction a German reader expects.
TEST_F(RealContentTest, GermanCreditsSayVomBrixelTeam) {
    menu->settings.languageName = "Deutsch";
    menu->loadLanguage();
    const std::string title = menu->creditTexts().title;
    EXPECT_NE(title.find("ein Spiel vom brixel-Team"), std::string::npos)
        << "expected \"... ein Spiel vom brixel-Team\", got \"" << title << "\"";
    EXPECT_EQ(title.find("von dem"), std::string::npos) << title;
}
