#pragma once
#include <cstdint>
#include <string>

#include "game/Game.h"

// The game's own state that the tests set up and look at: the boards, the mode and the tally,
// the result dialogs with their table, and the screen's picture.
struct GameTestAccess {
    explicit GameTestAccess(Game& game)
        : mode(game.mode), running(game.running), leftWins(game.leftWins),
          rightWins(game.rightWins), statusView(game.statusView), lastPairing(game.lastPairing),
          dialogOpen(game.dialogOpen), pairName2(game.pairName2), singleBoard(game.singleBoard),
          leftBoard(game.leftBoard), rightBoard(game.rightBoard),
          twoPlayerDialog(game.twoPlayerDialog), singlePlayerDialog(game.singlePlayerDialog),
          scoreColumns(game.scoreColumns), scoreRows(game.scoreRows), screen(game.screen),
          online(game.online), duel(game.duel) {}

    int32_t& mode;
    int32_t& running;
    int32_t& leftWins;
    int32_t& rightWins;
    int32_t& statusView;
    int32_t& lastPairing;
    int32_t& dialogOpen;
    std::string& pairName2;
    Board& singleBoard;
    Board& leftBoard;
    Board& rightBoard;
    GuiWindow& twoPlayerDialog;
    GuiWindow& singlePlayerDialog;
    ColumnTable& scoreColumns;
    RowTable& scoreRows;
    GameScreen& screen;
    int32_t& online;
    net::OnlineDuel& duel;
};
