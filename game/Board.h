#pragma once
#include <cstdint>

#include "game/BoardContext.h"
#include "game/ComputerPlayer.h"
#include "game/PlayField.h"

struct PlayerProfile;

// One particle of a cleared row's burst. x, y in thousandths of a cell from the top-left corner
// of the playable area; vx, vy in thousandths of a cell per tick; life from 2550 down, fade
// per tick; colour is a piece type; size the drawn edge in pixels (32 = a whole block).
struct Particle {
    int32_t x, y, vx, vy, life, fade, colour, size;
};

// One player's running game: time, keys, falling speed, landing, row clears with their pause,
// score, level, tasks, garbage exchange with the other board and particle bursts.
class Board {
public:
    // Game modes: 0 against the clock, 1 task stages, 2 two players, 3 against the computer.
    static constexpr int bursts = 10;
    static constexpr int particlesPerBurst = 500;
    static constexpr int queueSize = 100;
    static constexpr int ticksPerMinute = 6000;

    // Queued actions during the pause after a clear.
    enum Action { RotateAction = 1, RightAction = 2, LeftAction = 3 };
    // Key set positions in the profile and in activeKeys.
    enum KeySlot { RotateKey = 0, RightKey = 1, LeftKey = 2, SoftDropKey = 3, HardDropKey = 4 };

    // A fresh board for a new game (also restarts one board in endless two-player games).
    void init(BoardContext& context, PlayerProfile& player, int index);
    // Takes the key set and key repeat of player index p from the profile.
    void applyKeys(int p);
    // Replays queued actions and, if eventAtHand, the key event in menu->inputEvent.
    void handleKey(bool eventAtHand);
    // Advances the game by ticks of 10 ms in game mode m; true exactly when this update ended
    // the game for this board.
    bool update(int32_t ticks, int mode);
    // Landing height of the falling piece (for the drop shadow), worked out on the scratch field.
    int32_t landingHeight();
    // The computer moves the falling piece to its chosen rotation and column.
    void placePiece(bool lookAhead);
    // A cleared row's burst of particles, from its cells as they stand in the field, in the next
    // burst slot. Also for a board only drawn, whose clears happen on another computer.
    void burst(int row);
    // Moves the particles of every burst on by `ticks` and retires those that are done.
    void moveParticles(int32_t ticks);

    // Stage set-up of the task mode: level and the four task counters for `stage`.
    void setUpStage();
    // The level of task stage s: 1, then the (s - 1)-th prime.
    static int32_t stageLevel(int32_t s);

    BoardContext* menu = nullptr;
    PlayerProfile* profile = nullptr;
    PlayField field;
    PlayField scratch;
    int32_t state = 0; // 0 falling, 1 pause after a clear, 2 game over
    int32_t clearTimer = 0;
    int32_t lastLines = 0;
    int32_t dropMode = 0; // 0 normal, 1 soft drop, 2 hard drop requested
    int32_t burstIndex = 0;
    int32_t playerIndex = 0;
    int32_t burstFinished[bursts] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int32_t shadowHeight = 0; // 0 = not yet computed
    int32_t aiMode = 0;       // 0 the player, 1 computer with look-ahead, 2 without
    int32_t assisted = 0;
    int32_t activeKeys[5] = {};
    int32_t queue[queueSize] = {};
    int32_t queueCount = 0;
    Particle particles[bursts][particlesPerBurst] = {};
    uint32_t score = 0;
    int32_t pieces = 0;
    int32_t perType[PlayField::pieceTypes] = {};
    int32_t totalLines = 0;
    // The part of pieces and totalLines already added to the profile's totals: a survivor of an
    // endless two-player game plays on, and only what came since counts at the next loss.
    int32_t countedPieces = 0;
    int32_t countedRows = 0;
    int32_t stage = 1;
    int32_t level = 1;
    int32_t tripleTasks = 1;
    int32_t quadTasks = 1;
    int32_t doubleComboTasks = 1;
    int32_t tripleComboTasks = 1;
    int32_t minutes = 1;
    int32_t tickAcc = 0;
    int32_t combo = 0;

    ComputerPlayer computer;

private:
    void applyAction(int action);
    void queueAction(int action);
    void advanceClock(int32_t ticks, int mode);
    // Returns true when the game ended (the next piece does not fit).
    bool endPause(int mode);
    bool fall(int32_t ticks, int mode);
    bool land(int mode);
    // For a freshly spawned piece: true when it does not fit (the game ended); otherwise the
    // computer places it where the computer plays.
    bool spawnCheck(int mode);
    void countTasks();
    void startBurst(int row);
    void sendGarbage(int row);
    void insertGarbage();
};
