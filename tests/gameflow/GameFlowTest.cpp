#include "GameFixture.h"

#include <fstream>
#include <vector>

#include "Libs/KeyCodes.h"
#include "storage/TextFormat.h"

namespace {

// The profile's top ten of a table as "score/level/seconds ..." for readable failures.
std::string TableText(const PlayerProfile& profile, int table) {
    std::string text;
    for (uint32_t i = 0; i < profile.highScoreCount[table]; ++i) {
        text += std::to_string(profile.highScore[table][i]) + "/" +
                std::to_string(profile.highScoreLevel[table][i]) + "/" +
                std::to_string(profile.highScoreTime[table][i]) + " ";
    }
    return text;
}

void FillTable(PlayerProfile& profile, int table, std::initializer_list<uint32_t> scores) {
    uint32_t i = 0;
    for (uint32_t score : scores) {
        profile.highScore[table][i] = score;
        profile.highScoreLevel[table][i] = 1;
        profile.highScoreTime[table][i] = 60;
        ++i;
    }
    profile.highScoreCount[table] = i;
}

} // namespace

TEST_F(GameFixture, SetupBuildsBothResultDialogs) {
    struct Expected {
        GuiWindow* window;
        int id;
        ControlKind kind;
    };
    const Expected controls[] = {
        {&gameState().twoPlayerDialog, 10, ControlKind::Image},
        {&gameState().twoPlayerDialog, 11, ControlKind::Label},
        {&gameState().twoPlayerDialog, 12, ControlKind::Button},
        {&gameState().twoPlayerDialog, 13, ControlKind::Button},
        {&gameState().singlePlayerDialog, 14, ControlKind::Table},
        {&gameState().singlePlayerDialog, 15, ControlKind::Label},
        {&gameState().singlePlayerDialog, 12, ControlKind::Button},
    };
    for (const Expected& c : controls) {
        GuiControl* control = c.window->GetControl(c.id);
        ASSERT_NE(control, nullptr) << "control " << c.id;
        EXPECT_EQ(control->kind, c.kind) << "control " << c.id;
    }
    EXPECT_EQ(gameState().twoPlayerDialog.GetControl(12)->text, "Ja");
    EXPECT_EQ(gameState().singlePlayerDialog.GetControl(14)->param4.columns,
              &gameState().scoreColumns);
    EXPECT_EQ(gameState().scoreColumns.Count(), 3);
    EXPECT_EQ(gameState().twoPlayerDialog.hasCloseButton, 0);
    EXPECT_EQ(gameState().singlePlayerDialog.hasStatusBar, 0);
    EXPECT_EQ(gameState().lastPairing, 0);
}

TEST_F(GameFixture, EscapeBelowBestRecordsNothingAndTheResumedGameEndRecordsIt) {
    anna().bestScore[0] = 1000;
    startSingle(0);
    gameState().singleBoard.score = 500;

    EXPECT_EQ(tapKey(KeyEscape), 1);
    EXPECT_EQ(anna().highScoreCount[0], 0u) << TableText(anna(), 0);
    EXPECT_EQ(menu->pausedGame, 1) << "the game stays resumable";

    resume(0);
    EXPECT_EQ(gameState().singleBoard.score, 500u) << "resuming keeps the game";
    loseAtNextUpdate(gameState().singleBoard);
    EXPECT_EQ(frame(10), 0);
    ASSERT_EQ(gameState().dialogOpen, 1);
    EXPECT_EQ(TableText(anna(), 0), "500/1/0 ");
    EXPECT_EQ(anna().gamesPlayed, 1u);
    EXPECT_EQ(menu->pausedGame, 0) << "a finished game cannot be resumed";
    EXPECT_EQ(game->resultText(), FormatText(FixtureText::newRecord, {"Anna", 500u, 1}));
}

TEST_F(GameFixture, OneGameHoldsOnePlaceInTheTopTen) {
    startSingle(0);
    gameState().singleBoard.score = 300;
    EXPECT_EQ(tapKey(KeyEscape), 1);
    EXPECT_EQ(TableText(anna(), 0), "300/1/0 ") << "a new best is recorded on Escape";
    EXPECT_EQ(anna().bestScore[0], 300u);

    resume(0);
    gameState().singleBoard.score = 700;
    loseAtNextUpdate(gameState().singleBoard);
    frame(10);
    EXPECT_EQ(TableText(anna(), 0), "700/1/0 ") << "the later record replaces the earlier one";
    EXPECT_EQ(anna().bestScore[0], 700u);
}

TEST_F(GameFixture, FirstF1RecordsOnceAndMarksTheGameAssisted) {
    struct Case {
        uint32_t score;
        const char* table;
    };
    const Case cases[] = {{0, ""}, {250, "250/1/0 "}};
    for (const Case& c : cases) {
        fresh();
        startSingle(0);
        gameState().singleBoard.score = c.score;
        tapKey(KeyF1);
        EXPECT_EQ(gameState().singleBoard.assisted, 1) << "score " << c.score;
        EXPECT_EQ(gameState().singleBoard.aiMode, 1) << "score " << c.score;
        EXPECT_EQ(TableText(anna(), 0), c.table) << "score " << c.score;
        gameState().singleBoard.score = c.score + 1000;
        tapKey(KeyF1);
        loseAtNextUpdate(gameState().singleBoard);
        frame(10);
        EXPECT_EQ(TableText(anna(), 0), c.table) << "nothing after the first F1 is recorded";
        EXPECT_EQ(anna().gamesPlayed, 0u) << "an assisted game counts no statistics";
        EXPECT_EQ(gameState().dialogOpen, 1);
    }
}

TEST_F(GameFixture, FullTopTenTakesOnlyBetterResults) {
    struct Case {
        uint32_t score;
        int rank;
        int resultText; // 219 or 220
    };
    const Case cases[] = {
        {50, 0, 220},   // below all ten
        {100, 0, 220},  // equal to the tenth
        {150, 10, 219}, // just better than the tenth
        {1000, 2, 219}, // equal to the best: after it
    };
    for (const Case& c : cases) {
        fresh();
        FillTable(anna(), 0, {1000, 900, 800, 700, 600, 500, 400, 300, 200, 100});
        startSingle(0);
        gameState().singleBoard.score = c.score;
        loseAtNextUpdate(gameState().singleBoard);
        frame(10);
        std::string expected = c.resultText == 219
                                   ? FormatText(FixtureText::newRecord, {"Anna", c.score, c.rank})
                                   : FormatText(FixtureText::noRecord, {"Anna", c.score});
        EXPECT_EQ(game->resultText(), expected) << "score " << c.score;
        EXPECT_EQ(anna().highScoreCount[0], 10u) << "score " << c.score;
        EXPECT_EQ(gameState().scoreRows.Count(), 10) << "score " << c.score;
        if (c.rank > 0) {
            EXPECT_EQ(anna().highScore[0][c.rank - 1], c.score) << "score " << c.score;
        }
    }
}

TEST_F(GameFixture, ScoreRowsShowTimeAndUnknownLevels) {
    anna().highScore[1][0] = 900;
    anna().highScoreLevel[1][0] = 0; // an entry converted from an old file
    anna().highScoreCount[1] = 1;
    startSingle(1);
    gameState().singleBoard.score = 1234;
    gameState().singleBoard.level = 5;
    gameState().singleBoard.minutes = 3;
    gameState().singleBoard.tickAcc = 705;
    loseAtNextUpdate(gameState().singleBoard);
    frame(10);
    std::string rows;
    for (auto& row : gameState().scoreRows) rows += row.second + "|";
    EXPECT_NE(rows.find("1234\n5\n2:07|"), std::string::npos) << rows;
    EXPECT_NE(rows.find("900\n?\n?|"), std::string::npos) << rows;
}

TEST_F(GameFixture, ReturnTogglesTheStatusViewInSinglePlayerGamesOnly) {
    startSingle(0);
    tapKey(KeyReturn);
    EXPECT_EQ(gameState().statusView, 1);
    tapKey(KeyReturn);
    EXPECT_EQ(gameState().statusView, 0);
    startPair(0, 0);
    tapKey(KeyReturn);
    EXPECT_EQ(gameState().statusView, 0);
}

TEST_F(GameFixture, KeysReachOnlyTheHumanBoards) {
    // Key set 1 (cursor right 205) is player index 0: the right board in mode 2, the left in
    // mode 3. Key set 2 (D, 32) is the left board in mode 2 and nobody in mode 3.
    struct Case {
        int variant;
        uint32_t key;
        int leftMoves, rightMoves;
    };
    const Case cases[] = {{0, 205, 0, 1}, {0, 32, 1, 0}, {1, 205, 1, 0}, {1, 32, 0, 0}};
    for (const Case& c : cases) {
        startPair(c.variant, 0);
        int left = gameState().leftBoard.field.pieceColumn;
        int right = gameState().rightBoard.field.pieceColumn;
        tapKey(c.key);
        EXPECT_EQ(gameState().leftBoard.field.pieceColumn - left, c.leftMoves)
            << "mode " << c.variant + 2 << " key " << c.key;
        EXPECT_EQ(gameState().rightBoard.field.pieceColumn - right, c.rightMoves)
            << "mode " << c.variant + 2 << " key " << c.key;
    }
}

// Every mode played to its end with hard drops only, from the default keys of the key sets
// that the human boards use: Space for set 1, Tab for set 2.
TEST_F(GameFixture, EveryModePlaysToItsEndWithTheDefaultKeys) {
    struct Case {
        bool pair;
        int variant;
        std::vector<uint32_t> hardDrops;
    };
    const Case cases[] = {
        {false, 0, {57}},
        {false, 1, {57}},
        {true, 0, {57, 15}},
        {true, 1, {57}},
    };
    for (const Case& c : cases) {
        fresh();
        if (c.pair)
            startPair(c.variant, 0);
        else
            startSingle(c.variant);
        int frames = 0;
        for (; frames < 5000 && !gameState().dialogOpen; ++frames) {
            for (uint32_t key : c.hardDrops) {
                pushPress(key);
                pushRelease(key);
            }
            ASSERT_EQ(frame(10), 0);
        }
        EXPECT_EQ(gameState().dialogOpen, 1)
            << "mode " << gameState().mode << " after " << frames << " frames";
        EXPECT_EQ(gameState().running, 0) << "mode " << gameState().mode;
        EXPECT_FALSE(game->resultText().empty()) << "mode " << gameState().mode;
        EXPECT_EQ(menu->pausedGame, 0) << "mode " << gameState().mode;
    }
}

TEST_F(GameFixture, EndlessTallyRisesWithEveryLostBoardAndGarbageStaysPending) {
    startPair(0, 1);
    BoardContext& context = menu->boardContext;
    context.pendingGarbage[0] = 2; // waiting for the right board (player index 0)
    for (int e = 0; e < 10; ++e) context.garbage[0][0][e] = context.garbage[0][1][e] = 3;

    loseAtNextUpdate(gameState().leftBoard);
    frame(10);
    EXPECT_EQ(gameState().rightWins, 1);
    EXPECT_EQ(gameState().leftWins, 0);
    EXPECT_EQ(gameState().dialogOpen, 0) << "no dialog in an endless game";
    EXPECT_EQ(gameState().leftBoard.state, 0) << "the losing board starts again";
    EXPECT_EQ(context.pendingGarbage[0], 2);

    game->gameOver(2);
    EXPECT_EQ(gameState().leftWins, 1);
    EXPECT_EQ(context.pendingGarbage[0], 2) << "garbage for the restarted board stays pending";
    EXPECT_EQ(bert().duelGames, 2u);
    EXPECT_EQ(bert().duelWins, 1u);
    EXPECT_EQ(anna().duelWins, 1u);
    EXPECT_EQ(gameState().running, 1);
}

// In an endless game the survivor plays on: each piece and row counts once in the totals,
// however many rounds it lives through.
TEST_F(GameFixture, EndlessRoundsCountEveryPieceAndRowOnce) {
    startPair(0, 1);
    PlayerProfile& left = *gameState().leftBoard.profile;
    PlayerProfile& right = *gameState().rightBoard.profile;
    const uint32_t leftPieces = left.totalPieces, leftRows = left.totalRows;
    const uint32_t rightPieces = right.totalPieces, rightRows = right.totalRows;
    struct Round {
        int loser;
        int32_t leftPieces, leftRows, rightPieces, rightRows; // on the boards at the loss
    };
    // The left board loses round 1 and starts again; the right one plays on to 12 pieces.
    const Round rounds[] = {{1, 5, 2, 7, 3}, {2, 4, 1, 12, 6}};
    for (const Round& r : rounds) {
        gameState().leftBoard.pieces = r.leftPieces;
        gameState().leftBoard.totalLines = r.leftRows;
        gameState().rightBoard.pieces = r.rightPieces;
        gameState().rightBoard.totalLines = r.rightRows;
        game->gameOver(r.loser);
    }
    struct Total {
        const char* what;
        uint32_t got, expected;
    } totals[] = {
        {"left pieces", left.totalPieces - leftPieces, 5 + 4},
        {"left rows", left.totalRows - leftRows, 2 + 1},
        {"right pieces", right.totalPieces - rightPieces, 12},
        {"right rows", right.totalRows - rightRows, 6},
    };
    for (const Total& t : totals)
        EXPECT_EQ(t.got, t.expected) << t.what << ": expected " << t.expected << ", got " << t.got;
}

// Both boards can lose in one frame; the left board's loss decides the game, and it is
// counted once: one game, one win, one change of the computer's level, one result.
TEST_F(GameFixture, BothBoardsLosingInOneFrameCountOneGame) {
    for (int variant : {0, 1}) {
        fresh();
        anna().computerLevel = 4;
        startPair(variant, 0);
        PlayerProfile& left = *gameState().leftBoard.profile;
        PlayerProfile& right = *gameState().rightBoard.profile;
        const uint32_t leftGames = left.gamesPlayed, rightGames = right.gamesPlayed;
        const uint32_t leftDuels = left.duelGames, rightWinsBefore = right.duelWins;
        loseAtNextUpdate(gameState().leftBoard);
        loseAtNextUpdate(gameState().rightBoard);
        frame(10);
        ASSERT_EQ(gameState().dialogOpen, 1) << "variant " << variant;
        EXPECT_EQ(gameState().rightWins, 1) << "variant " << variant;
        EXPECT_EQ(gameState().leftWins, 0) << "variant " << variant;
        if (variant == 0) {
            EXPECT_EQ(left.gamesPlayed - leftGames, 1u) << "left games";
            EXPECT_EQ(right.gamesPlayed - rightGames, 1u) << "right games";
            EXPECT_EQ(left.duelGames - leftDuels, 1u) << "left duel games";
            EXPECT_EQ(right.duelWins - rightWinsBefore, 1u) << "right duel wins";
            EXPECT_EQ(game->resultText(), FormatText(FixtureText::duel, {"Anna", "Bert"}));
        } else {
            EXPECT_EQ(anna().computerLevel, 3u) << "the computer won once: one level down";
            EXPECT_EQ(game->resultText(), FormatText(FixtureText::playerLost, {"Anna", 5u}));
        }
    }
}

TEST_F(GameFixture, TallyKeptForTheSamePairingAndResetOtherwise) {
    struct Step {
        int variant;
        bool swapPlayers;
        int expectedLeftWins; // after start, before this game's result
    };
    // Every game is won by the left board.
    const Step steps[] = {
        {0, false, 0}, // first pairing
        {0, false, 1}, // same two players: the tally stays
        {0, true, 0},  // swapped: a new pairing
        {0, false, 1}, // the swapped pairing again
        {1, false, 0}, // against the computer: new pairing
        {1, false, 1}, // the same player against the computer again
    };
    int n = 0;
    for (const Step& step : steps) {
        if (step.swapPlayers) std::swap(menu->player1, menu->player2);
        startPair(step.variant, 0);
        EXPECT_EQ(gameState().leftWins, step.expectedLeftWins) << "step " << n;
        loseAtNextUpdate(gameState().rightBoard);
        frame(10);
        EXPECT_EQ(gameState().dialogOpen, 1) << "step " << n;
        ++n;
    }
    EXPECT_EQ(gameState().pairName2, FixtureText::computerName);
}

TEST_F(GameFixture, ComputerLevelFollowsThePlayersResults) {
    struct Case {
        uint32_t level;
        int loser;
        uint32_t levelAfter, bestAfter;
        const char* text;
    };
    const Case cases[] = {
        {4, 2, 5, 5, FixtureText::playerWon},
        {4, 1, 3, 4, FixtureText::playerLost},
        {0, 1, 0, 4, FixtureText::playerLost},
    };
    for (const Case& c : cases) {
        anna().computerLevel = c.level;
        anna().bestComputerLevel = 4;
        startPair(1, 0);
        loseAtNextUpdate(c.loser == 1 ? gameState().leftBoard : gameState().rightBoard);
        frame(10);
        EXPECT_EQ(anna().computerLevel, c.levelAfter)
            << "level " << c.level << " loser " << c.loser;
        EXPECT_EQ(anna().bestComputerLevel, c.bestAfter) << "level " << c.level;
        EXPECT_EQ(game->resultText(), FormatText(c.text, {"Anna", c.level + 1}));
        EXPECT_EQ(anna().gamesPlayed, 0u) << "no other statistics change against the computer";
    }
}

TEST_F(GameFixture, ResultDialogStartsAgainOrLeavesForTheMenus) {
    startPair(0, 0);
    loseAtNextUpdate(gameState().leftBoard);
    frame(10);
    ASSERT_EQ(gameState().dialogOpen, 1);
    EXPECT_EQ(game->dialog().GetControl(11)->text, FormatText(FixtureText::duel, {"Anna", "Bert"}));
    EXPECT_EQ(gameState().running, 0);

    // Return on the focused button 12: a new game of the same mode with the same players.
    waitOutResultGuard();
    pushPress(KeyReturn);
    pushRelease(KeyReturn);
    EXPECT_EQ(frame(0), 0);
    EXPECT_EQ(gameState().dialogOpen, 0);
    EXPECT_EQ(gameState().running, 1);
    EXPECT_EQ(gameState().mode, 2);
    EXPECT_EQ(menu->pausedGame, 2);

    loseAtNextUpdate(gameState().rightBoard);
    frame(10);
    ASSERT_EQ(gameState().dialogOpen, 1);
    waitOutResultGuard();
    EXPECT_EQ(tapKey(KeyEscape), 1) << "Escape in the dialog leads back to the menus";
    EXPECT_EQ(gameState().dialogOpen, 0);
    EXPECT_EQ(menu->pausedGame, 0);
}

// The hard drop that ends a game is still held when the result dialog opens: letting go of it
// must leave the result on screen; a whole press and release of it then starts again.
TEST_F(GameFixture, KeyHeldFromTheGameLeavesTheResultDialogOpen) {
    startSingle(0);
    loseAtNextUpdate(gameState().singleBoard);
    pushPress(KeySpace);
    frame(10);
    ASSERT_EQ(gameState().dialogOpen, 1);
    waitOutResultGuard();
    pushRelease(KeySpace);
    frame(0);
    EXPECT_EQ(gameState().dialogOpen, 1) << "the release of the game's Space closed the dialog";
    pushPress(KeySpace);
    pushRelease(KeySpace);
    frame(0);
    EXPECT_EQ(gameState().dialogOpen, 0) << "Space pressed and released in the dialog starts again";
    EXPECT_EQ(gameState().running, 1);
}

// Hard drops hammered while the stack tops out must not answer the result before it was read:
// keys of the dialog's first half second are dropped (not kept for later); the mouse answers
// at once.
TEST_F(GameFixture, ResultDialogIgnoresKeysOfItsFirstHalfSecond) {
    struct Case {
        const char* name;
        int pair, variant;
    };
    const Case cases[] = {{"one player", 0, 0}, {"two players", 1, 0}, {"computer", 1, 1}};
    for (const Case& c : cases) {
        fresh();
        if (c.pair)
            startPair(c.variant, 0);
        else
            startSingle(c.variant);
        loseAtNextUpdate(c.pair ? gameState().leftBoard : gameState().singleBoard);
        frame(10);
        ASSERT_EQ(gameState().dialogOpen, 1) << c.name;
        for (uint32_t waited : {0u, 250u, 499u}) {
            clock = 1000 + waited;
            for (uint32_t key : {KeySpace, KeyReturn, KeyEscape}) {
                pushPress(key);
                pushRelease(key);
            }
            EXPECT_EQ(frame(0), 0) << c.name << " after " << waited << " ms";
            EXPECT_EQ(gameState().dialogOpen, 1)
                << c.name << ": expected the dialog still open " << waited
                << " ms after it opened, got it answered";
        }
        waitOutResultGuard();
        EXPECT_EQ(frame(0), 0) << c.name;
        EXPECT_EQ(gameState().dialogOpen, 1)
            << c.name << ": a dropped key came back once the guard had passed";
        pushPress(KeySpace);
        pushRelease(KeySpace);
        frame(0);
        EXPECT_EQ(gameState().dialogOpen, 0)
            << c.name << ": expected a key after half a second to start again";
        EXPECT_EQ(gameState().running, 1) << c.name;
    }

    // The mouse needs no waiting: a click on the first button starts again at once.
    fresh();
    startSingle(0);
    loseAtNextUpdate(gameState().singleBoard);
    frame(10);
    ASSERT_EQ(gameState().dialogOpen, 1);
    const GuiControl& again = *game->dialog().GetControl(Game::AgainButton);
    directX->mouseX = again.x + 5;
    directX->mouseY = again.y + 5;
    InputEvent click;
    click.offset = 12;
    click.data = 0x80;
    input->PushMouseEvent(click);
    click.data = 0;
    input->PushMouseEvent(click);
    frame(0);
    EXPECT_EQ(gameState().dialogOpen, 0) << "expected a click to answer the dialog at once";
}

TEST_F(GameFixture, LanguageTextsNeverReachAFormatterUnchecked) {
    // A damaged language file: conversions the formatter does not know are shown as they stand.
    std::ofstream file(folder / "bad.txt");
    file << "215=%n%s%x%08d%s\n";
    file.close();
    menuState().language.Load((folder / "bad.txt").string());
    startPair(0, 0);
    loseAtNextUpdate(gameState().rightBoard);
    frame(10);
    EXPECT_EQ(game->resultText(), "%nBert%x%08dAnna");
}

// Leaving with Escape and coming back with the same kind of game resumes it; only the key sets
// are taken again from the profiles, so a key changed in the menus meanwhile works at once.
TEST_F(GameFixture, ResumeKeepsTheGameAndTakesTheKeysAgain) {
    for (int requested = 0; requested < 2; ++requested) {
        fresh();
        if (requested == 0)
            startSingle(0);
        else
            startPair(0, 0);
        Board& board =
            requested == 0 ? gameState().singleBoard : gameState().rightBoard; // Anna, set 1
        board.score = 40;
        board.pieces = 3;
        EXPECT_EQ(tapKey(KeyEscape), 1);
        EXPECT_EQ(menu->pausedGame, requested + 1);

        anna().keys[0][1] = 32; // move right is now D
        resume(requested);
        EXPECT_EQ(board.score, 40u) << "kind " << requested;
        EXPECT_EQ(board.pieces, 3) << "kind " << requested;
        int column = board.field.pieceColumn;
        tapKey(32);
        EXPECT_EQ(board.field.pieceColumn, column + 1) << "kind " << requested;
    }
}
