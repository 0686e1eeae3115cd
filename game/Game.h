#pragma once
#include <cstdint>
#include <string>

#include "game/Board.h"
#include "game/GameScreen.h"
#include "menu/MenuSystem.h"
#include "net/OnlineDuel.h"

// One game at a time between the menus: picks the mode and the players from the menus'
// choices, runs one or two boards, handles the keys that belong to the whole game, ends the
// game with its statistics and top-ten entries and shows the result dialog.
//
// Modes: 0 one player against the clock, 1 one player with task stages, 2 two players,
// 3 one player against the computer (the right board).
class Game {
public:
    // Control ids of the two result dialogs.
    enum DialogControl {
        IconControl = 10,
        ResultLabel = 11,
        AgainButton = 12,
        MenuButton = 13,
        ScoreTable = 14,
        ScoreCaption = 15
    };

    Game() = default;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Once at start-up: takes the platform from the menus and builds both result dialogs.
    void setup(MenuSystem& menuSystem);
    // When the menus hand over: resumes the paused game of the requested kind or starts anew.
    void start();
    // Every frame while the game is shown: 1 to go back to the menus, else 0.
    int frame(uint32_t elapsed);
    // Enters the single board's result into the player's top ten of this mode: the 1-based
    // rank, or 0 when nothing was entered. A later record of the same game replaces its
    // earlier entry, so one game holds at most one place in the table.
    int recordHighScore();
    // loser: 1 = the single or the left board, 2 = the right board.
    void gameOver(int loser);

    // The result text of the last finished game (what label 11 of the dialog shows).
    const std::string& resultText() const { return lastResult; }
    GuiWindow& dialog() { return *activeDialog; }

private:
    // The screen draws the game's state; the tests set up and look at it through
    // GameTestAccess (tests/support).
    friend class GameScreen;
    friend struct GameTestAccess;

    // --- data, in the order the game keeps it ---
    DirectXLib* directX = nullptr;
    InputLib* input = nullptr;
    MenuSystem* menu = nullptr;
    int32_t mode = 0;
    int32_t running = 0;
    int32_t leftWins = 0;
    int32_t rightWins = 0;
    int32_t statusView = 0; // single-player status panel: 0 standard, 1 piece statistics
    int32_t endless = 0;
    int32_t lastPairing = 0; // kind of the last two-player game: 2 or 3; 0 before any
    int32_t dialogOpen = 0;
    uint32_t dialogOpenedAt = 0; // tick count when the result dialog opened
    // A result dialog ignores the keyboard this long after it opens, so that keys still hammered
    // from the game's last moments cannot answer it before it was read.
    static constexpr uint32_t resultKeyGuardMs = 500;
    std::string pairName1, pairName2;
    Board singleBoard;
    Board leftBoard, rightBoard;
    GuiWindow twoPlayerDialog;
    GuiWindow singlePlayerDialog;
    GuiWindow* activeDialog = &twoPlayerDialog;
    ColumnTable scoreColumns;
    RowTable scoreRows;

    // The top-ten entry this game holds (index into the table of `mode`), -1 for none, with
    // what was written there, so a later record of the same game can replace it.
    int32_t recordedEntry = -1;
    uint32_t recordedScore = 0;
    uint32_t recordedLevel = 0;
    uint32_t recordedTime = 0;

    std::string lastResult;
    GameScreen screen;

    // The online game (GameOnline.cpp): the right board is played here, the left one is the
    // other player's, drawn from what arrives.
    enum OnlineDialog { NoOnlineDialog = 0, LeaveQuestion, OnlineResult, ConnectionEnded };
    int32_t online = 0;
    int32_t onlineDialog = NoOnlineDialog;
    net::OnlineDuel duel;
    PlayerProfile remotePlayer; // only the name and the look of the other board

    void startOnline();
    int onlineFrame(uint32_t elapsed);
    int runOnlineDialog();
    void openOnlineDialog(int kind, const std::string& message);
    void showOnlineOutcome(net::OnlineDuel::Outcome outcome);

    void applyKeys();
    void startSingle();
    void startPair();
    int runDialog();
    int handleGameKeys();
    int handleGameKey();
    void updateBoards(uint32_t ticks);
    void finishSingle();
    void finishDuel(int loser);
    void finishComputerDuel(int loser);
    // The top ten of the mode into the dialog's table; rank (1 to 10, 0 none) is marked.
    void fillScoreRows(int rank);
    void openDialog();
};
