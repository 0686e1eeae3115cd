#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Libs/KeyCodes.h"
#include "game/Board.h"
#include "game/Random.h"
#include "storage/PlayerProfile.h"
#include "tests/game_rules/FieldText.h"

namespace {

struct CountingSounds : BoardSounds {
    int rotates = 0, hits = 0, rows = 0;
    void playRotate() override { ++rotates; }
    void playHit() override { ++hits; }
    void playRow() override { ++rows; }
};

struct RecordedRepeat : KeyRepeatControl {
    struct Call {
        int key, firstDelay, interval;
    };
    std::vector<Call> calls;
    void SetKeyRepeat(int key, int firstDelay, int interval) override {
        calls.push_back({key, firstDelay, interval});
    }
};

// A board of player index 0 with sounds counted, the piece and field set up by each test.
class BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        Random::Seed(99);
        context.sounds = &sounds;
        context.keyRepeat = &repeat;
        context.inputEvent = &event;
        board.init(context, profile, 0);
    }

    void setPiece(int type, int rotation, int column, int height = 1000) {
        board.field.currentType = type;
        board.field.rotation = rotation;
        board.field.pieceColumn = column;
        board.field.pieceHeight = height;
    }

    void key(int code, bool press = true) {
        event.offset = uint32_t(code);
        event.data = press ? 0x80 : 0;
        board.handleKey(true);
    }

    // A lying straight piece over columns 7..10 that completes row 19 when dropped.
    void prepareOneRowClear() {
        DrawRows(board.field, {"123456...."});
        setPiece(0, 1, 6);
    }

    // A vertical straight piece over column 10 that completes rows 16..19.
    void prepareFourRowClear() {
        DrawRows(board.field, {"123456712.", "234567123.", "345671234.", "456712345."});
        setPiece(0, 0, 9);
    }

    BoardContext context;
    CountingSounds sounds;
    RecordedRepeat repeat;
    InputEvent event;
    PlayerProfile profile;
    Board board;
};

TEST_F(BoardTest, InitStartsAFreshGameAndSetsTheKeySet) {
    EXPECT_EQ(board.state, 0);
    EXPECT_EQ(board.level, 1);
    EXPECT_EQ(board.minutes, 1);
    EXPECT_EQ(board.stage, 1);
    EXPECT_EQ(board.tripleTasks + board.quadTasks + board.doubleComboTasks + board.tripleComboTasks,
              4);
    const int32_t expectedKeys[5] = {KeyUp, KeyRight, KeyLeft, KeyDown, KeySpace};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(board.activeKeys[i], expectedKeys[i]) << "slot " << i;
    ASSERT_EQ(repeat.calls.size(), 5u);
    // Only the two moves repeat, with the profile's timing.
    for (const auto& call : repeat.calls) {
        const bool move = call.key == KeyRight || call.key == KeyLeft;
        EXPECT_EQ(call.firstDelay, move ? 90 : 0) << "key " << call.key;
        EXPECT_EQ(call.interval, move ? 30 : 0) << "key " << call.key;
    }
    board.applyKeys(1);
    EXPECT_EQ(board.playerIndex, 1);
    EXPECT_EQ(board.activeKeys[0], 17);
    EXPECT_EQ(board.activeKeys[4], 15);
}

TEST_F(BoardTest, KeysRotateMoveAndDrop) {
    setPiece(1, 0, 4);
    key(KeyRight);
    key(KeyRight);
    key(KeyLeft);
    EXPECT_EQ(board.field.pieceColumn, 5);
    setPiece(4, 0, 4);
    key(KeyUp);
    EXPECT_EQ(board.field.rotation, 1);
    EXPECT_EQ(sounds.rotates, 1);
    profile.rotateDirection = 0;
    key(KeyUp);
    key(KeyUp);
    EXPECT_EQ(board.field.rotation, 3) << "anticlockwise turns";
    key(KeyDown);
    EXPECT_EQ(board.dropMode, 1);
    key(KeyRight, false);
    EXPECT_EQ(board.dropMode, 1) << "only releasing the soft-drop key ends it";
    key(KeyDown, false);
    EXPECT_EQ(board.dropMode, 0);
    key(KeySpace);
    EXPECT_EQ(board.dropMode, 2);
}

TEST_F(BoardTest, MovesClearTheCachedShadow) {
    setPiece(1, 0, 4);
    board.shadowHeight = 18000;
    key(KeyRight);
    EXPECT_EQ(board.shadowHeight, 0);
    board.shadowHeight = 18000;
    setPiece(1, 0, 0);
    key(KeyLeft); // blocked by the wall
    EXPECT_EQ(board.shadowHeight, 18000);
}

TEST_F(BoardTest, FallingSpeedFollowsMinutesSoftDropAndTheComputerLevel) {
    struct Case {
        const char* what;
        int minutes, dropMode, mode, index;
        uint32_t computerLevel;
        int ticks, expectedHeight;
    };
    const Case cases[] = {
        {"one row per second in minute 1", 1, 0, 0, 0, 4, 100, 2000},
        {"two rows per second in minute 3", 3, 0, 0, 0, 4, 100, 3000},
        {"soft drop at 50 rows per second", 1, 1, 0, 0, 4, 2, 2000},
        {"soft drop never slower than falling", 9, 1, 0, 0, 4, 10, 1500},
        {"computer at level 4 falls 5 rows per second", 1, 0, 3, 1, 4, 20, 2000},
        {"the human side of mode 3 falls normally", 1, 0, 3, 0, 4, 100, 2000},
    };
    for (const Case& c : cases) {
        board.init(context, profile, c.index);
        profile.computerLevel = c.computerLevel;
        profile.softDropSpeed = c.minutes == 9 ? 2 : 50;
        setPiece(1, 0, 4);
        board.minutes = c.minutes;
        board.dropMode = c.dropMode;
        EXPECT_FALSE(board.update(c.ticks, c.mode)) << c.what;
        EXPECT_EQ(board.field.pieceHeight, c.expectedHeight) << c.what;
    }
}

TEST_F(BoardTest, LevelRisesEveryThreeMinutesInModeZero) {
    const int expectedLevel[] = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4};
    for (int minute = 1; minute <= 11; ++minute) {
        EXPECT_EQ(board.minutes, minute);
        EXPECT_EQ(board.level, expectedLevel[minute - 1]) << "minute " << minute;
        setPiece(1, 0, 4); // keep the piece in the air
        board.tickAcc = 6000;
        board.update(1, 0);
        EXPECT_EQ(board.tickAcc, 1) << "minute " << minute;
    }
}

TEST_F(BoardTest, ClockByMode) {
    struct Case {
        int mode;
        int minutes, level;
    };
    const Case cases[] = {{0, 2, 1}, {1, 2, 1}, {2, 1, 1}, {3, 1, 1}};
    for (const Case& c : cases) {
        board.init(context, profile, 0);
        board.minutes = 3;
        board.level = 1;
        setPiece(1, 0, 4);
        board.minutes = 1;
        board.tickAcc = 5990;
        board.update(11, c.mode);
        EXPECT_EQ(board.minutes, c.minutes) << "mode " << c.mode;
        EXPECT_EQ(board.level, c.level) << "mode " << c.mode;
    }
}

TEST_F(BoardTest, OneLongUpdateAdvancesOneMinuteOnly) {
    setPiece(1, 0, 4);
    board.field.cell(5, 3) = 1; // lands at once, so the long drop does not matter
    board.update(20000, 0);
    EXPECT_EQ(board.minutes, 2);
    EXPECT_EQ(board.tickAcc, 14000);
}

TEST_F(BoardTest, HardDropLandsEvenWithoutTime) {
    setPiece(1, 0, 4);
    key(KeySpace);
    EXPECT_FALSE(board.update(0, 0));
    EXPECT_EQ(board.pieces, 1);
    EXPECT_EQ(board.perType[1], 1);
    EXPECT_EQ(sounds.hits, 1);
    EXPECT_EQ(board.dropMode, 0);
    EXPECT_EQ(board.field.cell(5, 19), 2) << FieldPicture(board.field);
    EXPECT_EQ(board.field.cell(6, 18), 2) << FieldPicture(board.field);
    EXPECT_EQ(board.field.pieceHeight, 1000) << "the next piece is spawned";
}

TEST_F(BoardTest, ClearingRowsPausesThenSpawns) {
    prepareOneRowClear();
    key(KeySpace);
    board.update(0, 0);
    EXPECT_EQ(board.state, 1);
    EXPECT_EQ(board.lastLines, 1);
    EXPECT_EQ(board.clearTimer, 1000);
    EXPECT_EQ(sounds.rows, 1);
    EXPECT_EQ(BlockCount(board.field), 0) << "the row is removed at once";
    board.update(24, 0); // 960 of the 1000
    EXPECT_EQ(board.state, 1);
    board.update(1, 0);
    EXPECT_EQ(board.state, 0);
    EXPECT_EQ(board.field.pieceHeight, 1000);
}

TEST_F(BoardTest, KeysDuringThePauseActOnTheNextPieceInOrder) {
    prepareOneRowClear();
    key(KeySpace);
    board.update(0, 0);
    ASSERT_EQ(board.state, 1);
    board.field.nextType = 1; // a square comes next
    // Five lefts reach the wall, the right comes after: column 1. The other order gives 0.
    for (int i = 0; i < 3; ++i) key(KeyLeft);
    key(KeySpace); // lost
    for (int i = 0; i < 2; ++i) key(KeyLeft);
    key(KeyRight);
    EXPECT_EQ(board.queueCount, 6);
    board.update(25, 0);
    ASSERT_EQ(board.state, 0);
    EXPECT_EQ(board.field.currentType, 1);
    EXPECT_EQ(board.field.pieceColumn, 1);
    EXPECT_EQ(board.queueCount, 0);
    EXPECT_EQ(board.dropMode, 0);
    EXPECT_EQ(board.pieces, 1) << "the hard drop pressed in the pause must not land the piece";
    board.update(0, 0);
    EXPECT_EQ(board.pieces, 1);
}

TEST_F(BoardTest, SoftDropDuringThePauseAndAFullQueue) {
    prepareOneRowClear();
    key(KeySpace);
    board.update(0, 0);
    key(KeyDown);
    EXPECT_EQ(board.dropMode, 1);
    key(KeyDown, false);
    EXPECT_EQ(board.dropMode, 0);
    for (int i = 0; i < 150; ++i) key(KeyRight);
    EXPECT_EQ(board.queueCount, 100);
    key(KeyDown);
    EXPECT_EQ(board.dropMode, 0) << "with a full queue every event is ignored";
}

TEST_F(BoardTest, ScoreByModeAndRows) {
    struct Case {
        int mode, level, rows;
        uint32_t expected;
    };
    const Case cases[] = {{0, 1, 1, 10}, {0, 3, 1, 30}, {0, 2, 4, 400}, {1, 1, 4, 200},
                          {2, 1, 1, 0},  {2, 1, 4, 0},  {3, 1, 4, 0}};
    for (const Case& c : cases) {
        board.init(context, profile, 0);
        board.level = c.level;
        if (c.rows == 1)
            prepareOneRowClear();
        else
            prepareFourRowClear();
        key(KeySpace);
        board.update(0, c.mode);
        EXPECT_EQ(board.lastLines, c.rows) << "mode " << c.mode;
        EXPECT_EQ(board.score, c.expected)
            << "mode " << c.mode << ", level " << c.level << ", " << c.rows << " rows";
        EXPECT_EQ(board.totalLines, c.rows);
    }
}

TEST_F(BoardTest, FourRowsCountAsATripleOnceTheQuadsAreDone) {
    struct Case {
        int quadTasks, tripleTasks;
        int expectedQuads, expectedTriples;
    };
    const Case cases[] = {{1, 1, 0, 1}, {0, 1, 0, 0}, {0, 0, 0, 0}};
    for (const Case& c : cases) {
        board.init(context, profile, 0);
        board.quadTasks = c.quadTasks;
        board.tripleTasks = c.tripleTasks;
        prepareFourRowClear();
        key(KeySpace);
        board.update(0, 1);
        EXPECT_EQ(board.quadTasks, c.expectedQuads)
            << "quads " << c.quadTasks << ", triples " << c.tripleTasks;
        EXPECT_EQ(board.tripleTasks, c.expectedTriples)
            << "quads " << c.quadTasks << ", triples " << c.tripleTasks;
    }
}

TEST_F(BoardTest, CombosAndTheNextStage) {
    // A third clear in a row finishes the triple combo; with everything else done the stage
    // ends: stage 2 is level 2 and asks for two of each.
    board.tripleTasks = 0;
    board.quadTasks = 0;
    board.doubleComboTasks = 0;
    board.combo = 2;
    prepareOneRowClear();
    key(KeySpace);
    board.update(0, 1);
    EXPECT_EQ(board.stage, 2);
    EXPECT_EQ(board.level, 2);
    EXPECT_EQ(board.combo, 0);
    EXPECT_EQ(board.tripleComboTasks, 2);
    EXPECT_EQ(board.doubleComboTasks, 2);
    EXPECT_EQ(board.score, 20u) << "the clear scores at the new stage's level";

    // A landing without a clear after a double combo counts the double combo.
    board.init(context, profile, 0);
    board.tripleComboTasks = 0;
    board.combo = 2;
    setPiece(1, 0, 4);
    key(KeySpace);
    board.update(0, 1);
    EXPECT_EQ(board.doubleComboTasks, 0);
    EXPECT_EQ(board.combo, 0);
}

// Once the triple combos are done, the second clear in a row counts the double combo as its
// rows go, not when the pause ends or the next piece comes.
TEST_F(BoardTest, DoubleComboCountsWhenTheSecondClearHappens) {
    board.tripleComboTasks = 0;
    board.doubleComboTasks = 2;
    struct Step {
        const char* what;
        bool clear; // a clearing hard drop, else the pause running out
        int32_t doubleCombos, combo;
    };
    const Step steps[] = {
        {"first clear", true, 2, 1},
        {"pause after the first clear", false, 2, 1},
        {"second clear", true, 1, 0},
        {"pause after the second clear", false, 1, 0},
    };
    for (const Step& s : steps) {
        if (s.clear) {
            prepareOneRowClear();
            key(KeySpace);
            board.update(0, 1);
            ASSERT_EQ(board.state, 1) << s.what << ": the row clears";
        } else {
            board.update(25, 1);
            ASSERT_EQ(board.state, 0) << s.what << ": the next piece falls";
        }
        EXPECT_EQ(board.doubleComboTasks, s.doubleCombos)
            << s.what << ": expected " << s.doubleCombos << " double combos to go, got "
            << board.doubleComboTasks;
        EXPECT_EQ(board.combo, s.combo)
            << s.what << ": expected combo " << s.combo << ", got " << board.combo;
    }
    EXPECT_EQ(board.stage, 1);
}

TEST(BoardStageTest, StageLevelsArePrimes) {
    const int32_t expected[] = {1, 2, 3, 5, 7, 11, 13, 17, 19, 23};
    for (int stage = 1; stage <= 10; ++stage)
        EXPECT_EQ(Board::stageLevel(stage), expected[stage - 1]) << "stage " << stage;
}

TEST_F(BoardTest, TwoRowsGoToTheOpponentWithHolesWherePieceWas) {
    context.pendingGarbage[0] = 0;
    context.pendingGarbage[1] = 0;
    DrawRows(board.field, {"3333..3333", "4444..4444"});
    setPiece(1, 0, 4); // the square fills columns 5 and 6
    key(KeySpace);
    board.update(0, 2);
    ASSERT_EQ(board.lastLines, 2);
    ASSERT_EQ(context.pendingGarbage[1], 2);
    const int32_t row18[10] = {3, 3, 3, 3, 0, 0, 3, 3, 3, 3};
    const int32_t row19[10] = {4, 4, 4, 4, 0, 0, 4, 4, 4, 4};
    for (int e = 0; e < 10; ++e) {
        EXPECT_EQ(context.garbage[1][0][e], row18[e]) << "first row, cell " << e;
        EXPECT_EQ(context.garbage[1][1][e], row19[e]) << "second row, cell " << e;
    }
    EXPECT_EQ(context.pendingGarbage[0], 0) << "nothing comes back";

    // The opponent receives them at its next spawn: its stack rises by two.
    Board opponent;
    opponent.init(context, profile, 1);
    opponent.field.currentType = 1;
    opponent.field.rotation = 0;
    opponent.field.pieceColumn = 0;
    opponent.dropMode = 2;
    opponent.update(0, 2);
    EXPECT_EQ(context.pendingGarbage[1], 0);
    PlayField expected;
    expected.reset();
    DrawRows(expected, {"22........", "22........", "3333..3333", "4444..4444"});
    EXPECT_EQ(FieldPicture(opponent.field), FieldPicture(expected));
}

TEST_F(BoardTest, GarbageLimitsAndOff) {
    struct Case {
        const char* what;
        int pendingOwn, pendingOpponent, rows;
        int expectedOpponent;
    };
    const Case cases[] = {
        {"one row sends nothing", 0, 0, 1, 0},
        {"four rows send four", 0, 0, 4, 4},
        {"at most twenty wait", 0, 18, 4, 20},
        {"twenty waiting take no more", 0, 20, 4, 20},
        {"single-player games send nothing", -1, -1, 4, -1},
    };
    for (const Case& c : cases) {
        board.init(context, profile, 0);
        context.pendingGarbage[0] = c.pendingOwn;
        context.pendingGarbage[1] = c.pendingOpponent;
        if (c.rows == 1)
            prepareOneRowClear();
        else
            prepareFourRowClear();
        key(KeySpace);
        board.update(0, 2);
        EXPECT_EQ(context.pendingGarbage[1], c.expectedOpponent) << c.what;
    }
}

TEST_F(BoardTest, ReceivedGarbageCanEndTheGame) {
    context.pendingGarbage[0] = 20;
    for (int k = 0; k < 20; ++k)
        for (int e = 0; e < 10; ++e) context.garbage[0][k][e] = e == 9 ? 0 : 5;
    setPiece(1, 0, 4);
    key(KeySpace);
    EXPECT_TRUE(board.update(0, 2));
    EXPECT_EQ(board.state, 2);
    EXPECT_EQ(board.field.nextType, board.field.currentType);
}

TEST_F(BoardTest, GameOverWhenTheNextPieceDoesNotFit) {
    DrawRows(board.field, {}); // empty
    for (int column = 5; column <= 8; ++column) {
        board.field.cell(column, 1) = 6;
        board.field.cell(column, 2) = 6;
    }
    setPiece(1, 0, 0, 17000);
    EXPECT_TRUE(board.update(300, 0));
    EXPECT_EQ(board.state, 2);
    EXPECT_EQ(board.field.nextType, board.field.currentType);
    // Once over, nothing moves and the clock stands.
    const std::string before = FieldPicture(board.field);
    const int32_t tickAcc = board.tickAcc;
    key(KeyLeft);
    EXPECT_FALSE(board.update(300, 0));
    EXPECT_EQ(FieldPicture(board.field), before);
    EXPECT_EQ(board.tickAcc, tickAcc);
}

TEST_F(BoardTest, ParticleCountZeroStillUsesBurstSlots) {
    context.particleCount = 0;
    const int expectedIndex[] = {4, 8, 2};
    for (int clear = 0; clear < 3; ++clear) {
        prepareFourRowClear();
        key(KeySpace);
        board.update(0, 0);
        board.update(100, 0); // the pause ends
        ASSERT_EQ(board.state, 0) << "clear " << clear;
        EXPECT_EQ(board.burstIndex, expectedIndex[clear]) << "clear " << clear;
    }
    for (int b = 0; b < 10; ++b) {
        EXPECT_EQ(board.burstFinished[b], 1) << "burst " << b;
        for (const Particle& p : board.particles[b]) ASSERT_EQ(p.life, 0) << "burst " << b;
    }
}

TEST_F(BoardTest, BurstsStartWithTheRowsOwnBlocks) {
    context.particleCount = 500;
    prepareOneRowClear();
    const uint32_t seedAtLanding = Random::State();
    key(KeySpace);
    board.update(0, 0);
    ASSERT_EQ(board.state, 1);
    const int32_t rowValues[10] = {1, 2, 3, 4, 5, 6, 1, 1, 1, 1}; // the straight piece is 1
    for (int k = 0; k < 10; ++k) {
        const Particle& p = board.particles[0][k];
        EXPECT_EQ(p.x, k * 1000) << "block " << k;
        EXPECT_EQ(p.y, 19000) << "block " << k;
        EXPECT_EQ(p.size, 32) << "block " << k;
        EXPECT_EQ(p.colour, rowValues[k] - 1) << "block " << k;
        EXPECT_EQ(p.life, 2550) << "block " << k;
    }
    for (int k = 10; k < 500; ++k) {
        const Particle& p = board.particles[0][k];
        ASSERT_NE(p.size, 32) << "spark " << k;
        ASSERT_TRUE(p.size >= 10 && p.size <= 62) << "spark " << k << " size " << p.size;
        ASSERT_TRUE(p.fade >= 5 && p.fade <= 24) << "spark " << k << " fade " << p.fade;
        ASSERT_TRUE(p.vx >= -50 && p.vx <= 50) << "spark " << k << " vx " << p.vx;
        ASSERT_TRUE(p.vy >= -70 && p.vy <= 30) << "spark " << k << " vy " << p.vy;
    }
    // Six draws per particle in the order x, y, vx, vy, fade, size; the spark's colour is the
    // block under its point before it is centred.
    Random::Seed(seedAtLanding);
    for (int i = 0; i < 60; ++i) Random::Draw();
    const int x = Random::Draw() % 10000, y = Random::Draw() % 1000 + 19000;
    const int vx = Random::Draw() % 101 - 50, vy = Random::Draw() % 101 - 70;
    const int fade = Random::Draw() % 20 + 5;
    int size = Random::Draw() % 52 + 10;
    if (size >= 32) ++size;
    const Particle& spark = board.particles[0][10];
    EXPECT_EQ(spark.x, x - size * 1000 / 64);
    EXPECT_EQ(spark.y, y - size * 1000 / 64);
    EXPECT_EQ(spark.vx, vx);
    EXPECT_EQ(spark.vy, vy);
    EXPECT_EQ(spark.fade, fade);
    EXPECT_EQ(spark.size, size);
    EXPECT_EQ(spark.colour, rowValues[x / 1000] - 1);
    // Nothing else draws between the landing and the end of the bursts.
    Random::Seed(seedAtLanding);
    for (int i = 0; i < 6 * 500; ++i) Random::Draw();
    const uint32_t afterBursts = Random::State();
    Random::Seed(seedAtLanding);
    board.init(context, profile, 0);
    prepareOneRowClear();
    Random::Seed(seedAtLanding);
    key(KeySpace);
    board.update(0, 0);
    EXPECT_EQ(Random::State(), afterBursts);
}

TEST_F(BoardTest, ParticlesFallFadeAndDie) {
    board.burstFinished[3] = 0;
    Particle& p = board.particles[3][0];
    p = Particle{1000, 2000, 10, -70, 100, 20, 0, 20};
    setPiece(1, 0, 4);
    board.update(3, 2);
    EXPECT_EQ(p.life, 40);
    EXPECT_EQ(p.x, 1030);
    EXPECT_EQ(p.vy, -67);
    EXPECT_EQ(p.y, 2000 - 69 - 68 - 67);
    EXPECT_EQ(board.burstFinished[3], 0);
    board.update(2, 2);
    EXPECT_EQ(p.life, 0);
    EXPECT_EQ(board.burstFinished[3], 1);
}

TEST_F(BoardTest, BoardWithoutMenusPlays) {
    BoardContext bare; // no sounds, no key repeat, no event
    Board lone;
    lone.init(bare, profile, 0);
    lone.handleKey(true);
    for (int i = 0; i < 2000 && !lone.update(50, 0); ++i) {
    }
    EXPECT_EQ(lone.state, 2) << "pieces falling straight down fill the middle";
    EXPECT_GT(lone.pieces, 4);
}

TEST_F(BoardTest, ComputerPlacesEachNewPieceWhenOn) {
    board.aiMode = 2;
    setPiece(1, 0, 4);
    board.field.nextType = 1;
    key(KeySpace);
    board.update(0, 0);
    // The next square goes beside the first, the leftmost of the flattest places.
    EXPECT_EQ(board.field.pieceColumn, 2) << FieldPicture(board.field);
    EXPECT_EQ(board.field.pieceHeight, 1000);
}

// The computer thinks one piece ahead from level 5 on (shown as 6): the look-ahead spawns every
// next piece it tries, so it takes random draws beyond the one for the next piece.
TEST_F(BoardTest, ComputerLooksAheadFromLevelFive) {
    struct Case {
        uint32_t level;
        bool lookAhead;
    } cases[] = {{0, false}, {4, false}, {5, true}, {6, true}, {9, true}};
    for (const Case& c : cases) {
        profile.computerLevel = c.level;
        board.init(context, profile, 1);
        DrawRows(board.field, {}); // empty
        setPiece(1, 0, 4, 18000);
        board.field.nextType = 1;
        Random::Seed(7);
        Random::Draw(); // the next piece after the one to come
        const uint32_t withoutLookAhead = Random::State();
        Random::Seed(7);
        board.update(300, 3); // lands, no row: the next piece spawns and is placed
        ASSERT_EQ(board.pieces, 1) << "level " << c.level;
        const bool lookedAhead = Random::State() != withoutLookAhead;
        EXPECT_EQ(lookedAhead, c.lookAhead) << "level " << c.level << ": expected look-ahead "
                                            << c.lookAhead << ", got " << lookedAhead;
    }
}

// When the pause after a clear ends, the next piece is placed at once by the computer's board
// and by an assisted player's, as after a landing without a clear. A square on the emptied
// field goes to the left wall (column 0); on its own it stays where it spawned (column 4).
TEST_F(BoardTest, AfterThePauseTheComputerPlacesTheNextPiece) {
    struct Case {
        const char* what;
        int mode, index, aiMode;
        int32_t expectedColumn;
    } cases[] = {
        {"player", 0, 0, 0, 4},
        {"assisted player", 0, 0, 2, 0},
        {"assisted player in task stages", 1, 0, 2, 0},
        {"computer's board", 3, 1, 0, 0},
    };
    for (const Case& c : cases) {
        profile.computerLevel = 0;
        board.init(context, profile, c.index);
        board.aiMode = c.aiMode;
        prepareOneRowClear();
        board.field.nextType = 1;
        board.dropMode = 2;
        board.update(0, 0);
        ASSERT_EQ(board.state, 1) << c.what;
        board.update(25, c.mode); // the pause runs out
        ASSERT_EQ(board.state, 0) << c.what;
        EXPECT_EQ(board.field.currentType, 1) << c.what;
        EXPECT_EQ(board.field.pieceColumn, c.expectedColumn)
            << c.what << ": expected column " << c.expectedColumn << ", got "
            << board.field.pieceColumn;
    }
}

// Rows the opponent sent while this board paused after a clear rise from the bottom when the
// pause ends, not later with the next landing.
TEST_F(BoardTest, GarbageReceivedDuringThePauseRisesWhenItEnds) {
    context.pendingGarbage[0] = 0;
    context.pendingGarbage[1] = 0;
    prepareOneRowClear();
    board.field.nextType = 1;
    key(KeySpace);
    board.update(0, 2);
    ASSERT_EQ(board.state, 1);
    context.pendingGarbage[0] = 1; // sent by the opponent during the pause
    for (int e = 0; e < 10; ++e) context.garbage[0][0][e] = e == 2 ? 0 : 4;
    board.update(24, 2);
    EXPECT_EQ(BlockCount(board.field), 0) << "still paused: nothing rises yet";
    board.update(1, 2);
    ASSERT_EQ(board.state, 0);
    EXPECT_EQ(context.pendingGarbage[0], 0);
    PlayField expected;
    expected.reset();
    DrawRows(expected, {"44.4444444"});
    EXPECT_EQ(FieldPicture(board.field), FieldPicture(expected));
}

} // namespace
