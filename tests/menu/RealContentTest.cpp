// The menus built from the repository's own content: every picture, skin and text they name is
// there, and every page draws.
#include "MenuFixture.h"
#include "tests/TestSupport.h"
#include "tests/support/FrameAccess.h"

#include <SDL.h>

#include <cctype>
#include <fstream>
#include <map>
#include <vector>

#include "Libs/KeyCodes.h"

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
        EXPECT_NE(ReadPixel(*directX, 2, 2) & 0xFFFFFF, 0xFFFFFFu)
            << "page " << p << ": the background picture covers the white clear";
    }
    menu->showPage(MenuSystem::MainPage);
    activate(99);
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(ReadPixel(*directX, 600, 50) & 0xFFFFFF, 0u) << "the credits clear to black";
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

// Key names and numbers follow the language file: English names on the key fields and a decimal
// point in the win rate; German names and a decimal comma in German.
TEST_F(RealContentTest, KeyNamesAndNumbersFollowTheLanguage) {
    struct Case {
        const char* language;
        std::vector<std::string> keyNames; // Up, Down, Right, Delete, Page down
        const char* noWinRate;
    };
    const Case cases[] = {
        {"English", {"Up", "Down", "Right", "Del", "Pg down"}, "\n0.0%\n"},
        {"Deutsch", {"Hoch", "Runter", "Rechts", "Entf", "Bild ab"}, "\n0,0%\n"},
    };
    const int keys[] = {KeyUp, KeyDown, KeyRight, KeyDelete, KeyPageDown};
    for (const Case& c : cases) {
        // A fresh start in the language, as the game reads it from its settings file.
        menu.reset();
        fs::create_directories("data");
        std::ofstream("data/brixel.ini", std::ios::binary) << "Sprache=" << c.language << "\r\n";
        menu = std::make_unique<MenuSystem>();
        menu->build(*directX, *input);
        directX->windowState = DirectXLib::Active;
        ASSERT_EQ(menu->settings.languageName, c.language);
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(input->GetKeyName(keys[k]), c.keyNames[k])
                << c.language << ": key code " << keys[k];

        // The default key set as the player page shows it.
        menu->showPage(MenuSystem::PlayerPage);
        frame();
        std::string shown;
        for (auto& entry : menuState().playerWindow.controls) {
            const GuiControl& field = entry.second;
            if (field.kind == ControlKind::TextField && field.param3 == TextMode::KeyCapture)
                shown += "[" + field.text + "]";
        }
        for (const char* name : {c.keyNames[0].c_str(), c.keyNames[2].c_str()})
            EXPECT_NE(shown.find(std::string("[") + name + "]"), std::string::npos)
                << c.language << ": expected a key field showing \"" << name << "\", got " << shown;

        menu->buildStatisticsRows();
        ASSERT_GT(menuState().scoreRows.Count(), 0);
        const std::string row = *menuState().scoreRows.Find(0);
        EXPECT_NE(row.find(c.noWinRate), std::string::npos)
            << c.language << ": expected the win rate as \"" << c.noWinRate + 1 << "\" in \"" << row
            << "\"";
    }
}

// The menus and the credits come out the same whatever number of workers draws them.
TEST_F(RealContentTest, MenusAndCreditsAreTheSameForAnyNumberOfWorkers) {
    auto hash = [this] {
        directX->FlushFrame();
        const SDL_Surface* picture = directX->frame;
        uint64_t h = 1469598103934665603ull;
        for (int y = 0; y < picture->h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(picture->pixels) + size_t(y) * picture->pitch);
            for (int x = 0; x < picture->w; ++x) h = (h ^ row[x]) * 1099511628211ull;
        }
        return h;
    };
    const struct {
        int page;
        const char* what;
    } pages[] = {{MenuSystem::MainPage, "main menu"},
                 {MenuSystem::SettingsPage, "settings"},
                 {MenuSystem::PlayerPage, "players"},
                 {MenuSystem::ScorePage, "high scores"},
                 {-1, "credits"}};
    for (const auto& p : pages) {
        uint64_t one = 0;
        for (int workers : {1, 2, 3, 5}) {
            directX->composer.SetWorkers(workers);
            menu->showPage(p.page < 0 ? MenuSystem::MainPage : p.page);
            if (p.page < 0) activate(99);
            frame(0); // a page's first frame may still settle (focus, hover)
            frame(0);
            if (workers == 1)
                one = hash();
            else
                EXPECT_EQ(hash(), one) << p.what << " with " << workers << " workers";
        }
    }
    directX->composer.SetWorkers(0);
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

// Each way a network game can fail or end is told in words of its own: a player who reads
// "that address could not be found" must not be looking at a build without network play.
TEST_F(RealContentTest, EveryNetworkFailureHasItsOwnWords) {
    const net::Failure failures[] = {
        net::Refused,        net::NoAnswer,     net::VersionFailure, net::PeerLeft,
        net::ConnectionLost, net::HostileInput, net::PortInUse,      net::BadAddress,
        net::RoomWasFull,    net::NobodyCame,   net::NoNetwork,
    };
    std::map<std::string, net::Failure> seen;
    for (net::Failure f : failures) {
        const std::string text = menu->failureText(f);
        EXPECT_FALSE(text.empty()) << net::failureName(f) << ": no text";
        const auto [at, fresh] = seen.emplace(text, f);
        EXPECT_TRUE(fresh) << net::failureName(f) << ": expected words of its own, got the same \""
                           << text << "\" as " << net::failureName(at->second);
    }
}
