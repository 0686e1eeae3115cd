#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Libs/KeyCodes.h"
#include "Libs/Platform.h"
#include "game/Game.h"
#include "game/Random.h"
#include "menu/MenuSystem.h"
#include "tests/support/GameTestAccess.h"
#include "tests/support/MenuSystemTestAccess.h"

namespace fs = std::filesystem;

namespace {

// The menus built from the repository's content in a folder of their own, and the game set up
// on them, as the entry does it.
class GameContentTest : public ::testing::Test {
protected:
    void SetUp() override {
        clock = 1000;
        SetTickSource(&GameContentTest::testClock);
        previousFolder = fs::current_path();
        folder = fs::temp_directory_path() /
                 ("brixel_gameflow_content_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy(fs::path(BRIXEL_SOURCE_DIR) / "content", folder, fs::copy_options::recursive);
        fs::current_path(folder);

        directX = std::make_unique<DirectXLib>();
        directX->CreateMainWindow("brixel", 107, 108, 0, "1.2");
        directX->InitDirect3D(1024, 768, 32, 2);
        directX->windowState = DirectXLib::Active;
        input = std::make_unique<InputLib>();
        input->Init();
        soundLib = std::make_unique<SoundLib>();
        soundLib->Init(1);
        menu = std::make_unique<MenuSystem>();
        menu->build(*directX, *input);
        game = std::make_unique<Game>();
        game->setup(*menu);
        Random::Seed(99);
    }

    void TearDown() override {
        SetTickSource(nullptr);
        game.reset();
        menu.reset();
        soundLib.reset();
        input.reset();
        directX.reset();
        fs::current_path(previousFolder);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    void press(uint32_t code) {
        InputEvent event;
        event.offset = code;
        event.data = 0x80;
        input->PushKeyboardEvent(event);
        event.data = 0;
        input->PushKeyboardEvent(event);
    }

    MenuSystemTestAccess menuState() { return MenuSystemTestAccess(*menu); }
    GameTestAccess gameState() { return GameTestAccess(*game); }

    // One frame of the entry's loop while the game is shown.
    int frame(uint32_t elapsed) {
        directX->Clear(0x00FFFFFF);
        int result = game->frame(elapsed);
        directX->EndFrame();
        return result;
    }

    // The tick count stands still unless a test moves it on.
    static inline uint32_t clock = 0;
    static uint32_t testClock() { return clock; }

    fs::path previousFolder;
    fs::path folder;
    std::unique_ptr<DirectXLib> directX;
    std::unique_ptr<InputLib> input;
    std::unique_ptr<SoundLib> soundLib;
    std::unique_ptr<MenuSystem> menu;
    std::unique_ptr<Game> game;
};

TEST_F(GameContentTest, EveryModeRunsToItsResultOnTheRealContent) {
    struct Case {
        int requested, variant;
        std::set<uint32_t> hardDrops;
    };
    const Case cases[] = {
        {0, 0, {KeySpace}}, {0, 1, {KeySpace}}, {1, 0, {KeySpace, KeyTab}}, {1, 1, {KeySpace}}};
    for (const Case& c : cases) {
        if (c.requested == 0)
            menu->settings.singlePlayerMode = c.variant;
        else
            menu->settings.twoPlayerMode = c.variant;
        menu->settings.twoPlayerEndless = 0;
        menu->pausedGame = 0;
        menu->requestedGame = c.requested;
        game->start();
        int frames = 0;
        for (; frames < 3000 && !gameState().dialogOpen; ++frames) {
            for (uint32_t key : c.hardDrops) press(key);
            ASSERT_EQ(frame(16), 0) << "mode " << gameState().mode;
        }
        ASSERT_EQ(gameState().dialogOpen, 1) << "mode " << gameState().mode << " after " << frames;
        const std::string& name = menu->player1->name;
        EXPECT_NE(game->resultText().find(name), std::string::npos)
            << "mode " << gameState().mode << ": " << game->resultText();
        EXPECT_EQ(game->dialog().GetControl(Game::ResultLabel)->text, game->resultText());
        frame(16);    // the dialog drawn over the frozen boards
        clock += 500; // the dialog takes keys after half a second
        press(KeyEscape);
        EXPECT_EQ(frame(16), 1) << "Escape in the dialog goes back to the menus";
    }
}

TEST_F(GameContentTest, RandomBackgroundIsOneOfThePicturesFound) {
    menu->settings.backgroundKind = 1;
    std::set<std::string> pictures;
    for (auto& item : menuState().backgrounds) pictures.insert(item.first);
    ASSERT_FALSE(pictures.empty());
    std::set<std::string> chosen;
    for (int i = 0; i < 12; ++i) {
        menu->pausedGame = 0;
        menu->requestedGame = 0;
        game->start();
        chosen.insert(menu->settings.backgroundName);
        EXPECT_TRUE(pictures.count(menu->settings.backgroundName)) << menu->settings.backgroundName;
        EXPECT_EQ(menu->background.IsLoaded(), 1);
    }
    EXPECT_GT(chosen.size(), 1u) << "twelve games, one picture every time";
}

// Every label, button and picture of every page and dialog lies inside what its window shows:
// a framed dialog's client area (below its title bar), the whole screen for a page.
TEST_F(GameContentTest, EveryControlLiesInsideItsWindow) {
    struct Window {
        const char* name;
        GuiWindow& window;
    };
    const Window windows[] = {{"main page", menuState().mainWindow},
                              {"settings page", menuState().settingsWindow},
                              {"player page", menuState().playerWindow},
                              {"statistics page", menuState().scoreWindow},
                              {"question dialog", menuState().questionWindow},
                              {"two-player result", gameState().twoPlayerDialog},
                              {"one-player result", gameState().singlePlayerDialog}};
    for (const char* skin : {"Golden", "Silber"}) {
        menuState().guiManager.LoadSkin(skin, nullptr, nullptr);
        for (const Window& w : windows) {
            const GuiWindow& window = w.window;
            const int left = window.framed ? window.x : 0;
            const int top = window.framed ? window.y : 0;
            const int right = window.framed ? window.x + window.width : 1024;
            const int bottom = window.framed ? window.y + window.height : 768;
            for (const auto& [id, control] : window.controls) {
                int width = control.width, height = control.height;
                // A picture without a size is drawn at its own.
                if (control.kind == ControlKind::Image && control.param4.texture) {
                    if (width == 0) width = control.param4.texture->width;
                    if (height == 0) height = control.param4.texture->height;
                }
                const bool inside = control.x >= left && control.y >= top &&
                                    control.x + width <= right && control.y + height <= bottom;
                EXPECT_TRUE(inside)
                    << skin << ", " << w.name << ", control " << id << ": expected inside (" << left
                    << ", " << top << ")-(" << right << ", " << bottom << "), got (" << control.x
                    << ", " << control.y << ")-(" << control.x + width << ", " << control.y + height
                    << ")";
            }
        }
    }
}

// The wins tally sits inside each board's caption box: a long name is shortened with an
// ellipsis so its text keeps clear of the tally, a short one stays whole, and the computer's
// caption reads as a level.
TEST_F(GameContentTest, CaptionsKeepClearOfTheWinsTally) {
    struct Case {
        const char* name;
        int variant; // 0 two people, 1 against the computer
        bool cut;
    };
    const Case cases[] = {{"Maximilian Wellenbrt", 0, true},
                          {"WWWWWWWWWWWWWWWWWWWW", 0, true},
                          {"Anna", 0, false},
                          {"Maximilian Wellenbrt", 1, true}};
    auto widthOf = [&](const std::string& text) {
        int w = 0, h = 0;
        directX->MeasureText(text, &menu->captionFont, 0, w, h, 1);
        return w;
    };
    ASSERT_GT(widthOf("W"), 5) << "the caption font must be loaded";
    for (const Case& c : cases) {
        menu->player1->name = c.name;
        menu->player2->name = c.name;
        menu->player1->computerLevel = 4;
        menu->settings.twoPlayerMode = c.variant;
        menu->pausedGame = 0;
        menu->requestedGame = 1;
        game->start();
        gameState().leftWins = 10;
        gameState().rightWins = 7;
        gameState().screen.composeScreen(*game);
        std::vector<const ScreenItem*> captions, tallies;
        for (const ScreenItem& item : gameState().screen.picture.items) {
            if (item.role == ScreenRole::Caption) captions.push_back(&item);
            if (item.role == ScreenRole::WinsTally) tallies.push_back(&item);
        }
        ASSERT_EQ(captions.size(), 2u);
        ASSERT_EQ(tallies.size(), 2u);
        for (int side = 0; side < 2; ++side) {
            const ScreenItem& caption = *captions[side];
            const ScreenItem& tally = *tallies[side];
            const int captionWidth = widthOf(caption.text);
            const int captionLeft = caption.x + (caption.w - captionWidth) / 2;
            const int tallyWidth = widthOf(tally.text);
            const int tallyLeft = tally.x + (tally.w - tallyWidth) / 2;
            const bool clear = side == 0 ? captionLeft + captionWidth < tallyLeft
                                         : tallyLeft + tallyWidth < captionLeft;
            EXPECT_TRUE(clear) << c.name << ", side " << side << ": caption \"" << caption.text
                               << "\" from " << captionLeft << " to " << captionLeft + captionWidth
                               << ", tally from " << tallyLeft << " to " << tallyLeft + tallyWidth;
            const bool computer = c.variant == 1 && side == 1;
            if (computer) {
                EXPECT_EQ(caption.text, "Computer, Stufe 5") << "the computer's caption";
                continue;
            }
            if (c.cut) {
                ASSERT_FALSE(caption.text.empty()) << c.name;
                EXPECT_EQ(caption.text.back(), '\x85')
                    << c.name << ": expected an ellipsis, got \"" << caption.text << "\"";
            } else {
                EXPECT_EQ(caption.text, c.name);
            }
        }
    }
}

// A one-player caption too wide for its box ends with an ellipsis instead of a cut letter.
TEST_F(GameContentTest, LongOnePlayerCaptionEndsWithAnEllipsis) {
    for (const char* name : {"WWWWWWWWWWWWWWWWWWWW", "Anna"}) {
        menu->player1->name = name;
        menu->pausedGame = 0;
        menu->requestedGame = 0;
        game->start();
        gameState().screen.composeScreen(*game);
        const ScreenItem* caption = nullptr;
        for (const ScreenItem& item : gameState().screen.picture.items)
            if (item.role == ScreenRole::Caption) caption = &item;
        ASSERT_NE(caption, nullptr);
        int w = 0, h = 0;
        directX->MeasureText(caption->text, &menu->captionFont, 0, w, h, 1);
        EXPECT_LE(w, caption->w) << "\"" << caption->text << "\" is wider than its box";
        if (std::string(name) == "Anna")
            EXPECT_EQ(caption->text, "Anna");
        else
            EXPECT_EQ(caption->text.back(), '\x85') << "expected an ellipsis: " << caption->text;
    }
}

// The result table of a one-player game shows the new entry chosen.
TEST_F(GameContentTest, NewTopTenEntryIsMarkedInTheResultTable) {
    PlayerProfile& player = *menu->player1;
    player.highScoreCount[0] = 3;
    const uint32_t scores[3] = {900, 500, 100};
    for (int i = 0; i < 3; ++i) {
        player.highScore[0][i] = scores[i];
        player.highScoreLevel[0][i] = 2;
        player.highScoreTime[0][i] = 61;
    }
    menu->settings.singlePlayerMode = 0;
    menu->pausedGame = 0;
    menu->requestedGame = 0;
    game->start();
    gameState().singleBoard.score = 600;
    game->gameOver(1);
    const GuiControl& table = *gameState().singlePlayerDialog.GetControl(Game::ScoreTable);
    EXPECT_EQ(table.markedRow.substr(0, 4), "600\n") << "expected the new second place marked";
    int index = 0;
    for (const auto& row : gameState().scoreRows) {
        if (row.second == table.markedRow) break;
        ++index;
    }
    EXPECT_EQ(index, 1) << "the marked row is the second of the table";

    // A result that enters no table marks nothing.
    game->start();
    gameState().singleBoard.score = 0;
    game->gameOver(1);
    EXPECT_EQ(table.markedRow, "") << "nothing entered, nothing marked";
}

} // namespace
