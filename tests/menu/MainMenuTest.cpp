// The menu frame: input routing, the question dialog, the main menu and the player panel.
#include "MenuFixture.h"

#include <fstream>
#include <iterator>

namespace {
constexpr uint32_t escapeKey = 1, enterKey = 28, digit3Key = 4;
} // namespace

using MainMenuTest = MenuFixture;

TEST_F(MainMenuTest, BuildsTwoProfilesAndStartsOnTheMainPage) {
    EXPECT_EQ(menu->profiles.Count(), 2);
    ASSERT_NE(menu->player1, nullptr);
    ASSERT_NE(menu->player2, nullptr);
    EXPECT_EQ(menu->player1->name, "Spieler 1");
    EXPECT_EQ(menu->player2->name, "Spieler 2");
    EXPECT_EQ(menuState().page, MenuSystem::MainPage);
    EXPECT_EQ(menu->pieceColours[0], 0xFFFF5E00u);
    EXPECT_EQ(menu->pieceColours[6], 0xFF41C4B0u);
    EXPECT_EQ(control(menuState().mainWindow, 90).text, "Spieler 1");
    EXPECT_EQ(control(menuState().scoreWindow, 91).text, "Spieler 2");
}

TEST_F(MainMenuTest, EscapeOnTheMainMenuEndsLikeTheEndButton) {
    EXPECT_EQ(tapKey(escapeKey), 1);
    EXPECT_EQ(menuState().page, MenuSystem::CreditsPage)
        << "Escape without a paused game starts the credits";
}

TEST_F(MainMenuTest, EscapeWithAPausedGameAsksAndEscapeInTheDialogAnswersNo) {
    menu->pausedGame = 1;
    tapKey(escapeKey);
    ASSERT_EQ(menuState().questionOpen, 1) << "ending with a paused game asks first";
    EXPECT_EQ(menuState().pendingId, 99);
    EXPECT_EQ(menuState().questionWindow.title, languageText(329));
    EXPECT_EQ(control(menuState().questionWindow, 11).text, languageText(332));

    tapKey(escapeKey);
    EXPECT_EQ(menuState().questionOpen, 0);
    EXPECT_EQ(menuState().answer, 1) << "Escape in the dialog is no";
    EXPECT_EQ(menuState().page, MenuSystem::MainPage) << "no keeps the menus running";
    EXPECT_EQ(menu->pausedGame, 1);
}

TEST_F(MainMenuTest, EscapeOnAnyOtherPageGoesBackToTheMainMenu) {
    for (int button : {30, 31, 32}) {
        activate(button);
        ASSERT_NE(menuState().page, MenuSystem::MainPage) << "button " << button;
        tapKey(escapeKey);
        EXPECT_EQ(menuState().page, MenuSystem::MainPage)
            << "Escape on the page of button " << button;
        EXPECT_EQ(menuState().currentWindow, &menuState().mainWindow);
    }
}

TEST_F(MainMenuTest, APausedOnePlayerGameShowsOnlyItsResumeButton) {
    menu->pausedGame = 1;
    frame();
    EXPECT_EQ(control(menuState().mainWindow, 17).visible, 1);
    EXPECT_EQ(control(menuState().mainWindow, 18).visible, 0);
    menu->pausedGame = 2;
    frame();
    EXPECT_EQ(control(menuState().mainWindow, 17).visible, 0);
    EXPECT_EQ(control(menuState().mainWindow, 18).visible, 1);
}

TEST_F(MainMenuTest, ANewGameOverAPausedOneAsksAndNoKeepsThePausedGame) {
    menu->pausedGame = 1;
    EXPECT_EQ(activate(11), 1) << "the question comes first";
    ASSERT_EQ(menuState().questionOpen, 1);
    EXPECT_EQ(control(menuState().questionWindow, 11).text, languageText(331));
    EXPECT_EQ(tapKey(escapeKey), 1) << "no starts nothing";
    EXPECT_EQ(menu->pausedGame, 1);

    activate(12);
    ASSERT_EQ(menuState().questionOpen, 1);
    EXPECT_EQ(menu->answerQuestion(12), 0) << "yes starts the two-player game";
    EXPECT_EQ(menu->requestedGame, 1);
    EXPECT_EQ(menu->pausedGame, 0);
}

TEST_F(MainMenuTest, YesThroughTheFocusedButtonStartsTheGame) {
    menu->pausedGame = 2;
    activate(11);
    ASSERT_EQ(menuState().questionOpen, 1);
    pushKey(enterKey);
    EXPECT_EQ(frame(), 0) << "Enter on the focused yes button answers yes";
    EXPECT_EQ(menu->requestedGame, 0);
    EXPECT_EQ(menu->pausedGame, 0);
}

TEST_F(MainMenuTest, ResumeButtonsAskForTheirKindOfGame) {
    menu->pausedGame = 1;
    EXPECT_EQ(activate(17), 0);
    EXPECT_EQ(menu->requestedGame, 0);
    EXPECT_EQ(menu->pausedGame, 1) << "the paused game stays to be resumed";
    menu->pausedGame = 2;
    EXPECT_EQ(activate(18), 0);
    EXPECT_EQ(menu->requestedGame, 1);
}

TEST_F(MainMenuTest, AVariantChangeDuringAPausedGameAsksAndNoRestoresTheList) {
    menu->settings.singlePlayerMode = 1;
    menu->pausedGame = 1;
    menuState().mainWindow.SetControlParams(13, 1, 0);
    activate(13);
    ASSERT_EQ(menuState().questionOpen, 1);
    menu->answerQuestion(13);
    EXPECT_EQ(control(menuState().mainWindow, 13).param1, 1) << "no puts the list back";
    EXPECT_EQ(menu->settings.singlePlayerMode, 1);

    menuState().mainWindow.SetControlParams(13, 1, 0);
    activate(13);
    menu->answerQuestion(12);
    EXPECT_EQ(menu->settings.singlePlayerMode, 0);
    EXPECT_EQ(menu->pausedGame, 0);
}

TEST_F(MainMenuTest, ChoosingPlayerTwosProfileForPlayerOneSwapsThem) {
    PlayerProfile* one = menu->player1;
    PlayerProfile* two = menu->player2;
    menu->selectItem(menuState().mainWindow, 90, two->name);
    activate(90);
    EXPECT_EQ(menu->player1, two);
    EXPECT_EQ(menu->player2, one);
    EXPECT_EQ(control(menuState().mainWindow, 91).text, one->name)
        << "the other box follows the swap";
}

TEST_F(MainMenuTest, KeyThreeSwapsThePlayersOnEveryPage) {
    const int pages[] = {MenuSystem::MainPage, MenuSystem::SettingsPage, MenuSystem::PlayerPage,
                         MenuSystem::ScorePage};
    for (int p : pages) {
        menu->showPage(p);
        PlayerProfile* one = menu->player1;
        PlayerProfile* two = menu->player2;
        tapKey(digit3Key);
        EXPECT_EQ(menu->player1, two) << "page " << p;
        EXPECT_EQ(menu->player2, one) << "page " << p;
        EXPECT_EQ(control(*menuState().currentWindow, 90).text, two->name) << "page " << p;
        EXPECT_EQ(control(*menuState().currentWindow, 91).text, one->name) << "page " << p;
    }
}

TEST_F(MainMenuTest, ThePanelOfALeftPageIsCopiedToTheOthers) {
    menu->showPage(MenuSystem::SettingsPage);
    tapKey(digit3Key);
    tapKey(escapeKey);
    for (GuiWindow* w :
         {&menuState().mainWindow, &menuState().playerWindow, &menuState().scoreWindow}) {
        EXPECT_EQ(control(*w, 90).text, menu->player1->name);
        EXPECT_EQ(control(*w, 91).text, menu->player2->name);
    }
}

TEST_F(MainMenuTest, PlayerOneChangeDuringAPausedGameAsks) {
    menu->pausedGame = 1;
    PlayerProfile* one = menu->player1;
    tapKey(digit3Key);
    ASSERT_EQ(menuState().questionOpen, 1);
    EXPECT_EQ(menuState().pendingId, 90);
    tapKey(escapeKey);
    EXPECT_EQ(menu->player1, one) << "no keeps player 1";
    EXPECT_EQ(control(menuState().mainWindow, 90).text, one->name);
    EXPECT_EQ(menu->pausedGame, 1);
}

TEST_F(MainMenuTest, PlayerTwoChangeDuringAPausedOnePlayerGameAsksNothing) {
    menu->showPage(MenuSystem::PlayerPage);
    activate(11); // a third profile
    ASSERT_EQ(menu->profiles.Count(), 3);
    menu->showPage(MenuSystem::MainPage);
    PlayerProfile* third = profile("Spieler 3");
    ASSERT_NE(third, nullptr);

    menu->pausedGame = 1;
    menu->selectItem(menuState().mainWindow, 91, third->name);
    activate(91);
    EXPECT_EQ(menuState().questionOpen, 0);
    EXPECT_EQ(menu->player2, third);
    EXPECT_EQ(menu->pausedGame, 1) << "the paused one-player game stays";

    menu->pausedGame = 2;
    menu->settings.twoPlayerMode = 0;
    menu->selectItem(menuState().mainWindow, 91, "Spieler 2");
    activate(91);
    EXPECT_EQ(menuState().questionOpen, 1) << "a paused game against a person asks";
}

TEST_F(MainMenuTest, AFrameWithoutInputCallsThePageHandlerWithIdZero) {
    menu->showPage(MenuSystem::SettingsPage);
    menuState().fadeAmount = 255;
    menuState().fadeTick = MenuFixture::clock;
    menuState().fadeCarry = 0;
    frame(402); // the fade reads the tick count: 402 ms is 100 steps and 2 ms carried
    EXPECT_EQ(menuState().fadeAmount, 155);
    EXPECT_EQ(menuState().fadeCarry, 2u);
}

TEST_F(MainMenuTest, TheEndButtonStartsTheCredits) {
    activate(99);
    EXPECT_EQ(menuState().page, MenuSystem::CreditsPage);
    EXPECT_FLOAT_EQ(menuState().swirl, 0.7f);
    EXPECT_FLOAT_EQ(menuState().drift, 0.9f);
    EXPECT_EQ(frame(), 1) << "the credits never start a game";
}

TEST_F(MainMenuTest, DigitKeysStepThePlayersThroughTheProfiles) {
    menu->showPage(MenuSystem::PlayerPage);
    activate(11); // Spieler 3
    menu->showPage(MenuSystem::MainPage);
    struct Case {
        uint32_t key;
        const char* player1;
        const char* player2;
    };
    // Key 1 steps player 1 on, key 2 player 2 (wrapping); meeting the other player swaps them.
    const Case cases[] = {
        {2, "Spieler 2", "Spieler 1"}, {3, "Spieler 1", "Spieler 2"}, {3, "Spieler 1", "Spieler 3"},
        {3, "Spieler 3", "Spieler 1"}, {2, "Spieler 1", "Spieler 3"},
    };
    int step = 0;
    for (const Case& c : cases) {
        ++step;
        tapKey(c.key);
        EXPECT_EQ(menu->player1->name, c.player1) << "step " << step << ", key code " << c.key;
        EXPECT_EQ(menu->player2->name, c.player2) << "step " << step << ", key code " << c.key;
        EXPECT_EQ(control(menuState().mainWindow, 90).text, c.player1) << "step " << step;
        EXPECT_EQ(control(menuState().mainWindow, 91).text, c.player2) << "step " << step;
    }
}

TEST_F(MainMenuTest, SavingWritesTheChosenPlayers) {
    tapKey(4); // key 3 swaps
    menu->saveSettings();
    std::ifstream file("data/brixel.ini");
    ASSERT_TRUE(file.good()) << "the settings file was written";
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(content.find("Spieler 1=Spieler 2"), std::string::npos) << content;
    EXPECT_NE(content.find("Spieler 2=Spieler 1"), std::string::npos) << content;
    EXPECT_TRUE(std::filesystem::exists("data/Spieler 1.user"));
}

TEST_F(MainMenuTest, TheStatisticsPageShowsScoresAboveTwoToThe31Unsigned) {
    menu->player1->bestScore[0] = 2147483648u;
    menu->player1->bestScore[1] = 4294967295u;
    menu->buildStatisticsRows();
    const std::string start = menu->player1->name + "\n2147483648\n4294967295\n";
    std::string rows;
    for (const auto& row : menuState().scoreRows) rows += row.second + "\n--\n";
    EXPECT_NE(rows.find(start), std::string::npos)
        << "expected a row starting \"" << start << "\", got rows:\n"
        << rows;
}

TEST_F(MainMenuTest, ALostDeviceReleasesTheSharedTexturesButTheCreditsParticle) {
    menu->releaseTextures();
    const struct {
        const char* name;
        Texture& texture;
        int loaded;
    } afterRelease[] = {{"background", menu->background, 0},
                        {"block", menu->block, 0},
                        {"language picture", menuState().languagePicture, 0},
                        {"game field", menu->gameField, 0},
                        {"question icon", menuState().iconQuestion, 0},
                        {"credits particle", menuState().outroParticle, 1}};
    for (const auto& t : afterRelease)
        EXPECT_EQ(t.texture.IsLoaded(), t.loaded) << t.name << " after the release";
    menu->reloadTextures();
    for (const auto& t : afterRelease) EXPECT_EQ(t.texture.IsLoaded(), 1) << t.name << " reloaded";
}
