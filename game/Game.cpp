#include "game/Game.h"

#include "Libs/KeyCodes.h"
#include "Libs/Tick.h"
#include "menu/ControlRow.h"
#include "storage/TextFormat.h"

namespace {

constexpr uint32_t Pressed = 0x80;

// Language texts of the game flow.
enum GameText {
    TextYes = 100,
    TextNo = 101,
    TextComputerName = 212,
    TextDialogTitle = 213,
    TextDuelResult = 215,
    TextComputerLost = 216,
    TextComputerWon = 217,
    TextNewRecord = 219,
    TextNoRecord = 220,
    TextScoreCaption = 221,
    TextScoreColumn = 222,
    TextLevelColumn = 223,
    TextTimeColumn = 224
};

// One control of a result dialog, placed relative to the layout cursor (placement 0).
struct DialogRow {
    int id, x, y, w, h;
    ControlKind kind;
    int text; // language id, 0 = the fixed text "Frage", -1 = empty
};

// The two dialogs, row by row in the order they are built.
constexpr DialogRow TwoPlayerRows[] = {
    {10, 10, 30, 0, 0, ControlKind::Image, -1},
    {11, 40, -20, 230, 70, ControlKind::Label, 0},
    {12, 0, 60, 100, 22, ControlKind::Button, TextYes},
    {13, 110, 0, 100, 22, ControlKind::Button, TextNo},
};
constexpr DialogRow SinglePlayerRows[] = {
    {10, 10, 130, 0, 0, ControlKind::Image, -1},
    {11, 40, -120, 230, 70, ControlKind::Label, 0},
    {14, 0, 60, 200, 177, ControlKind::Table, -1},
    // One line of room, so the question stays inside the dialog above its buttons.
    {15, 0, 188, 230, 20, ControlKind::Label, TextScoreCaption},
    {12, 0, 20, 100, 22, ControlKind::Button, TextYes},
    {13, 110, 0, 100, 22, ControlKind::Button, TextNo},
};

// The top-ten list's columns: the level is a short number, the time header needs more room.
constexpr ColumnRow ScoreColumnRows[] = {
    {70, 1, 2, TextScoreColumn},
    {60, 1, 1, TextLevelColumn},
    {70, 1, 2, TextTimeColumn},
};

template <size_t N>
void BuildDialog(GuiWindow& window, MenuSystem& menu, const DialogRow (&rows)[N]) {
    for (const DialogRow& row : rows) {
        std::string text = row.text > 0 ? menu.text(row.text) : row.text == 0 ? "Frage" : "";
        std::string status = row.kind == ControlKind::Table ? "Highscore" : "";
        window.AddControl(row.id, row.x, row.y, row.w, row.h, 0, row.kind, text, status, "standard",
                          "standard");
    }
    window.SetControlParams(Game::IconControl, 4, 0, 0, 0, &menu.iconScore);
    window.hasCloseButton = 0;
    window.hasStatusBar = 0;
}

// The playing time of a board in whole seconds.
uint32_t PlayingSeconds(const Board& board) {
    return static_cast<uint32_t>((board.minutes - 1) * 60 + board.tickAcc / 100);
}

} // namespace

void Game::setup(MenuSystem& menuSystem) {
    menu = &menuSystem;
    directX = menuSystem.directX;
    input = menuSystem.input;
    lastPairing = 0;
    // The boards read the key event just read from the input layer.
    menuSystem.boardContext.inputEvent = &input->event;

    twoPlayerDialog.SetupWindow(375, 300, 300, 100, 1, menu->text(TextDialogTitle), "window",
                                "window");
    BuildDialog(twoPlayerDialog, *menu, TwoPlayerRows);

    singlePlayerDialog.SetupWindow(375, 222, 300, 310, 1, menu->text(TextDialogTitle), "window",
                                   "window");
    addColumns(scoreColumns, ScoreColumnRows, [this](int id) { return menu->text(id); });
    BuildDialog(singlePlayerDialog, *menu, SinglePlayerRows);
    singlePlayerDialog.SetControlParams(ScoreTable, 5, 0, 0, 0, &scoreColumns, &scoreRows);
    activeDialog = &twoPlayerDialog;
}

// Key sets and key repeat, taken again from the profiles: one player plays with set 1; in mode
// 2 the left board is player 2 with set 2; in mode 3 the computer's board holds index 1.
void Game::applyKeys() {
    if (mode < 2) {
        singleBoard.applyKeys(0);
    } else if (mode == 2) {
        leftBoard.applyKeys(1);
        rightBoard.applyKeys(0);
    } else {
        leftBoard.applyKeys(0);
        rightBoard.applyKeys(1);
    }
}

void Game::start() {
    dialogOpen = 0;
    endless = menu->settings.twoPlayerEndless;
    // The game in progress of the requested kind goes on unchanged.
    if (menu->requestedGame + 1 == menu->pausedGame) {
        applyKeys();
        return;
    }
    statusView = 0;
    running = 1;
    recordedEntry = -1;
    // A random picture for this game; with no picture found the current one stays.
    if (menu->settings.backgroundKind == 1) menu->useRandomBackground();
    if (menu->requestedGame == 0)
        startSingle();
    else
        startPair();
}

void Game::startSingle() {
    BoardContext& context = menu->boardContext;
    menu->pausedGame = 1;
    mode = menu->settings.singlePlayerMode == 1 ? 1 : 0;
    context.pendingGarbage[0] = context.pendingGarbage[1] = -1;
    singleBoard.init(context, *menu->player1, 0);
}

void Game::startPair() {
    online = 0;
    if (menu->settings.twoPlayerMode == 2) {
        startOnline();
        return;
    }
    BoardContext& context = menu->boardContext;
    PlayerProfile& player1 = *menu->player1;
    PlayerProfile& player2 = *menu->player2;
    menu->pausedGame = 2;
    mode = menu->settings.twoPlayerMode == 1 ? 3 : 2;
    context.pendingGarbage[0] = context.pendingGarbage[1] = 0;
    if (mode == 2) {
        leftBoard.init(context, player2, 1);
        rightBoard.init(context, player1, 0);
        bool samePair = lastPairing == 2 && player1.name == pairName1 && player2.name == pairName2;
        if (samePair) return;
        pairName1 = player1.name;
        pairName2 = player2.name;
    } else {
        leftBoard.init(context, player1, 0);
        rightBoard.init(context, player1, 1);
        if (lastPairing == 3 && player1.name == pairName1) return;
        pairName1 = player1.name;
        pairName2 = menu->text(TextComputerName);
    }
    lastPairing = mode;
    leftWins = rightWins = 0;
}

// Frame by frame:
//   | situation                 | what happens                                              |
//   |---------------------------|-----------------------------------------------------------|
//   | every frame               | background, then the game screen, before any input        |
//   | result dialog shown       | dialog drawn and given all input; 12 new game, 13 or      |
//   |                           | Escape back to the menus (1); boards frozen; a pad steers |
//   |                           | it as in the menus                                        |
//   | Escape (or a pad's Start) | a new personal best is recorded; back to the menus (1),   |
//   |                           | the game stays resumable                                  |
//   | Return (one player)       | status panel: standard view <-> piece statistics          |
//   | F1 (one player)           | first press records the result so far; the computer       |
//   |                           | cycles: player, with look-ahead, without look-ahead       |
//   | other keys                | to the boards humans play (never the computer's board)    |
//   | running                   | every board in play advances by elapsed / 10 ticks        |
int Game::frame(uint32_t elapsed) {
    menu->background.Draw(0, 0, 0, 0, 0, 0.0f, 0, 0);
    screen.drawScreen(*this);
    if (online) return onlineFrame(elapsed);
    if (dialogOpen) return runDialog();

    if (handleGameKeys()) return 1;
    if (running) updateBoards(elapsed / 10);
    return 0;
}

// The frame's key events to the running game: 1 when one leads back to the menus.
int Game::handleGameKeys() {
    // In play a pad's buttons are the players' keys; only Start leaves, like Escape.
    input->padMeaning = PadMeaning::Play;
    while (input->ReadKey(1, 1, 0)) {
        if (handleGameKey()) return 1;
    }
    return 0;
}

// One key event of a running game: 1 when it leads back to the menus.
int Game::handleGameKey() {
    const InputEvent& event = input->event;
    if (event.IsPress()) {
        if (event.offset == KeyEscape) {
            if (mode < 2 && !singleBoard.assisted &&
                singleBoard.score > singleBoard.profile->bestScore[mode]) {
                recordHighScore();
                singleBoard.profile->bestScore[mode] = singleBoard.score;
            }
            input->SetKeyRepeat(-1, 300, 50);
            return 1;
        }
        if (event.offset == KeyReturn && mode < 2) statusView = 1 - statusView;
        if (event.offset == KeyF1 && mode < 2) {
            if (!singleBoard.assisted) {
                recordHighScore();
                uint32_t& best = singleBoard.profile->bestScore[mode];
                if (singleBoard.score > best) best = singleBoard.score;
            }
            singleBoard.aiMode = (singleBoard.aiMode + 1) % 3;
            singleBoard.assisted = 1;
        }
    }
    if (!running) return 0;
    if (mode < 2) {
        singleBoard.handleKey(true);
    } else {
        leftBoard.handleKey(true);
        if (mode == 2) rightBoard.handleKey(true);
    }
    return 0;
}

void Game::updateBoards(uint32_t ticks) {
    int t = static_cast<int>(ticks);
    if (mode < 2) {
        if (singleBoard.update(t, mode)) gameOver(1);
        return;
    }
    // Both boards advance even when the left one has just lost; a game already decided in
    // this frame is not decided a second time.
    if (leftBoard.update(t, mode)) gameOver(1);
    bool rightLost = rightBoard.update(t, mode);
    if (rightLost && running) gameOver(2);
}

// The result dialog takes every event of the frame: 1 when it leads back to the menus.
int Game::runDialog() {
    activeDialog->DrawWindow();
    input->padMeaning = PadMeaning::Menus;
    bool anyEvent = false;
    for (;;) {
        int32_t id = -1;
        int32_t result = 0;
        if (input->ReadKey(1, 1, 0)) {
            anyEvent = true;
            if (GetTickCount() - dialogOpenedAt < resultKeyGuardMs) continue; // dropped
            result = activeDialog->RunFrame(GuiInput::Keyboard, id);
            if (result == 0 && input->event.offset == KeyEscape && input->event.data == Pressed) {
                result = MenuButton;
                id = MenuButton;
            }
        } else if (input->ReadMouse(0, 1, 1)) {
            anyEvent = true;
            result = activeDialog->RunFrame(GuiInput::Mouse, id);
        } else {
            if (!anyEvent) activeDialog->RunFrame(GuiInput::None, id);
            return 0;
        }
        if (result <= 0 || (id != AgainButton && id != MenuButton)) continue;
        dialogOpen = 0;
        directX->ShowCursor(0);
        if (id == MenuButton) {
            input->SetKeyRepeat(-1, 300, 50);
            return 1;
        }
        // A new game of the same mode and players; the rest of this frame's events go to it.
        start();
        return handleGameKeys();
    }
}

int Game::recordHighScore() {
    Board& board = singleBoard;
    PlayerProfile& profile = *board.profile;
    int table = mode;
    uint32_t score = board.score;
    if (score == 0) return 0;

    uint32_t* scores = profile.highScore[table];
    uint32_t* levels = profile.highScoreLevel[table];
    uint32_t* times = profile.highScoreTime[table];
    uint32_t& count = profile.highScoreCount[table];
    if (count > 10) count = 10;

    // This game's earlier entry, if it is still where it was written, gives way to the new one.
    if (recordedEntry >= 0 && recordedEntry < static_cast<int>(count) &&
        scores[recordedEntry] == recordedScore && levels[recordedEntry] == recordedLevel &&
        times[recordedEntry] == recordedTime) {
        for (int i = recordedEntry; i + 1 < static_cast<int>(count); ++i) {
            scores[i] = scores[i + 1];
            levels[i] = levels[i + 1];
            times[i] = times[i + 1];
        }
        --count;
        scores[count] = levels[count] = times[count] = 0;
    }
    recordedEntry = -1;

    uint32_t level = static_cast<uint32_t>(board.level);
    uint32_t seconds = PlayingSeconds(board);
    int rank = insertHighScore(profile, table, score, level, seconds);
    if (rank == 0) return 0;
    recordedEntry = rank - 1;
    recordedScore = score;
    recordedLevel = level;
    recordedTime = seconds;
    return rank;
}

void Game::gameOver(int loser) {
    if (mode < 2) {
        finishSingle();
    } else {
        if (mode == 2)
            finishDuel(loser);
        else
            finishComputerDuel(loser);
        if (loser == 1)
            ++rightWins;
        else
            ++leftWins;
        if (endless) {
            // Only the losing board starts again; garbage pending for it stays pending.
            BoardContext& context = menu->boardContext;
            Board& board = loser == 1 ? leftBoard : rightBoard;
            board.init(context, *board.profile, board.playerIndex);
            return;
        }
    }
    openDialog();
}

void Game::finishSingle() {
    activeDialog = &singlePlayerDialog;
    Board& board = singleBoard;
    PlayerProfile& profile = *board.profile;
    int rank = 0;
    if (!board.assisted) {
        if (board.score > profile.bestScore[mode]) profile.bestScore[mode] = board.score;
        ++profile.gamesPlayed;
        profile.totalPieces += static_cast<uint32_t>(board.pieces);
        profile.totalRows += static_cast<uint32_t>(board.totalLines);
        rank = recordHighScore();
    }
    fillScoreRows(rank);
    if (rank != 0)
        lastResult = FormatText(menu->text(TextNewRecord), {profile.name, board.score, rank});
    else
        lastResult = FormatText(menu->text(TextNoRecord), {profile.name, board.score});
}

void Game::fillScoreRows(int rank) {
    PlayerProfile& profile = *singleBoard.profile;
    GuiControl* list = singlePlayerDialog.GetControl(ScoreTable);
    int table = mode;
    scoreRows.Clear();
    if (list) list->markedRow.clear();
    uint32_t count = profile.highScoreCount[table];
    if (count > 10) count = 10;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t score = profile.highScore[table][i];
        uint32_t level = profile.highScoreLevel[table][i];
        uint32_t time = profile.highScoreTime[table][i];
        std::string row = level == 0 ? FormatText("%u\n?\n?", {score})
                                     : FormatText("%u\n%u\n%u:", {score, level, time / 60});
        if (level != 0) row += (time % 60 < 10 ? "0" : "") + std::to_string(time % 60);
        scoreRows.SelectOrInsert(static_cast<int32_t>(i)) = row;
        // The new entry is shown chosen, so the player finds it in the list.
        if (list && static_cast<int>(i) == rank - 1) list->markedRow = row;
    }
    singlePlayerDialog.SetControlParams(ScoreTable, 1, 0);
    singlePlayerDialog.SetControlParams(ScoreTable, 1, 0);
}

void Game::finishDuel(int loser) {
    activeDialog = &twoPlayerDialog;
    Board* boards[2] = {&leftBoard, &rightBoard};
    for (Board* board : boards) {
        PlayerProfile& profile = *board->profile;
        ++profile.duelGames;
        ++profile.gamesPlayed;
        profile.totalPieces += static_cast<uint32_t>(board->pieces - board->countedPieces);
        profile.totalRows += static_cast<uint32_t>(board->totalLines - board->countedRows);
        board->countedPieces = board->pieces;
        board->countedRows = board->totalLines;
    }
    PlayerProfile& winner = loser == 1 ? *rightBoard.profile : *leftBoard.profile;
    PlayerProfile& other = loser == 1 ? *leftBoard.profile : *rightBoard.profile;
    ++winner.duelWins;
    lastResult = FormatText(menu->text(TextDuelResult), {winner.name, other.name});
}

void Game::finishComputerDuel(int loser) {
    activeDialog = &twoPlayerDialog;
    PlayerProfile& player = *leftBoard.profile;
    uint32_t shownLevel = player.computerLevel + 1;
    if (loser == 1) {
        lastResult = FormatText(menu->text(TextComputerWon), {player.name, shownLevel});
        if (player.computerLevel != 0) --player.computerLevel;
    } else {
        lastResult = FormatText(menu->text(TextComputerLost), {player.name, shownLevel});
        if (player.computerLevel < maxComputerLevel) ++player.computerLevel;
    }
    if (player.computerLevel > player.bestComputerLevel)
        player.bestComputerLevel = player.computerLevel;
}

void Game::openDialog() {
    dialogOpen = 1;
    activeDialog->SetFocus(AgainButton, 0);
    if (GuiControl* label = activeDialog->GetControl(ResultLabel)) label->text = lastResult;
    directX->ShowCursor(1);
    dialogOpenedAt = GetTickCount();
    // A key held from the game repeats no more: only a fresh press answers the dialog.
    for (KeyRepeat& repeat : input->keyRepeat) repeat.pressTime = 0;
    menu->pausedGame = 0;
    running = 0;
    statusView = 0;
}
