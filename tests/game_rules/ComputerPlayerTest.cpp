#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/ComputerPlayer.h"
#include "game/Random.h"
#include "tests/game_rules/FieldText.h"

namespace {

// A field of random height (up to `maxHeight` rows) with random holes, far below the spawn rows.
PlayField RaggedField(uint32_t seed, int maxHeight) {
    Random::Seed(seed);
    PlayField field;
    field.reset();
    for (int column = 1; column <= 10; ++column) {
        const int height = Random::Draw() % (maxHeight + 1);
        for (int row = 20 - height; row < 20; ++row)
            field.cell(column, row) = Random::Draw() % 4 == 0 ? 0 : 1 + Random::Draw() % 7;
    }
    // Never leave a full row standing.
    for (int row = 0; row < 20; ++row) field.cell(1 + row % 10, row) = 0;
    return field;
}

TEST(ComputerPlayerTest, EvaluateCountsHolesDepthAndSteps) {
    struct Case {
        const char* what;
        std::initializer_list<const char*> rows;
        int l1, l2;
        int expected;
    };
    const Case cases[] = {
        {"empty field", {}, 0, 0, 0},
        {"a lone block in row 19 counts as empty", {"1........."}, 0, 0, 0},
        {"square at the left wall: one step of one", {"22........", "22........"}, 0, 0, -1},
        {"square in the middle: two steps", {"....22....", "....22...."}, 0, 0, -2},
        {"two holes under a block, first one row deep",
         {"1.........", "..........", ".........."},
         0,
         0,
         10 * -2 - (2 + 3) - 1},
        {"step of seven",
         {"1.........", "1.........", "1.........", "1.........", "1.........", "1.........",
          "1.........", "1........."},
         0,
         0,
         -66},
        {"step of nine",
         {"1.........", "1.........", "1.........", "1.........", "1.........", "1.........",
          "1.........", "1.........", "1.........", "1........."},
         0,
         0,
         -(9 + 100 + 50 + 3 + 3 + 3)},
        {"rows cleared by both pieces", {}, 2, 3, 10 * (4 + 9)},
        // Column 3 has holes in rows 17 to 19, column 5 in rows 17 and 19; four steps of 3.
        {"first hole from the leftmost column with one",
         {"..1.1.....", "..........", "....1.....", ".........."},
         0,
         0,
         10 * -5 - 4 * (3 + 3) - 1},
        {"first hole depth below a deeper top",
         {"..1.......", "..1.......", "..1.......", ".........."},
         0,
         0,
         10 * -1 - 2 * (3 + 3) - 3},
    };
    for (const Case& c : cases) {
        PlayField field;
        field.reset();
        DrawRows(field, c.rows);
        EXPECT_EQ(ComputerPlayer::evaluate(field, c.l1, c.l2), c.expected) << c.what << "\n"
                                                                           << FieldPicture(field);
    }
}

TEST(ComputerPlayerTest, FourRowClearGains160) {
    const PlayField field = RaggedField(5, 8);
    EXPECT_EQ(ComputerPlayer::evaluate(field, 4, 0) - ComputerPlayer::evaluate(field, 0, 0), 160);
}

TEST(ComputerPlayerTest, SquareOnAnEmptyFieldGoesToTheLeftWall) {
    for (bool lookAhead : {false, true}) {
        PlayField field = EmptyField(1, 0, 4, 1000);
        field.nextType = 1;
        ComputerPlayer computer;
        computer.placePiece(field, lookAhead);
        EXPECT_EQ(field.pieceColumn, 0) << "look-ahead " << lookAhead;
        EXPECT_EQ(field.rotation, 0) << "look-ahead " << lookAhead;
        EXPECT_EQ(field.pieceHeight, 1000) << "look-ahead " << lookAhead;
        EXPECT_EQ(BlockCount(field), 0) << "the live grid is not touched";
    }
}

TEST(ComputerPlayerTest, WithoutLookAheadNoRandomDrawIsTaken) {
    PlayField field = RaggedField(11, 10);
    field.currentType = 5;
    field.rotation = 0;
    Random::Seed(4242);
    ComputerPlayer computer;
    computer.placePiece(field, false);
    EXPECT_EQ(Random::State(), 4242u);
    // With look-ahead every candidate spawns the next piece: one draw each.
    computer.placePiece(field, true);
    EXPECT_NE(Random::State(), 4242u);
}

TEST(ComputerPlayerTest, TakesARowClearingSlot) {
    // A well in column 10 four rows deep: the straight piece goes in upright.
    PlayField field = EmptyField(0, 1, 4, 1000);
    DrawRows(field, {"123456712.", "234567123.", "345671234.", "456712345."});
    ComputerPlayer computer;
    computer.placePiece(field, false);
    EXPECT_EQ(field.rotation % 2, 0) << "upright";
    EXPECT_EQ(field.pieceColumn, 9);
}

TEST(ComputerPlayerTest, SameFieldPiecesAndSeedGiveTheSamePlacement) {
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        PlayField first = RaggedField(seed, 9);
        first.currentType = int(seed % 7);
        first.rotation = first.currentType == 0 ? 1 : 0;
        first.nextType = int((seed * 3) % 7);
        PlayField second;
        second.copyFrom(first);
        ComputerPlayer a, b;
        Random::Seed(77);
        a.placePiece(first, true);
        const uint32_t after = Random::State();
        Random::Seed(77);
        b.placePiece(second, true);
        EXPECT_EQ(first.pieceColumn, second.pieceColumn) << "seed " << seed;
        EXPECT_EQ(first.rotation, second.rotation) << "seed " << seed;
        EXPECT_EQ(Random::State(), after) << "seed " << seed;
    }
}

// Every rotation is tried from the piece as it spawned: the choice is the best of all places
// the piece fits at its spawn height, the earliest rotation count and leftmost column on ties.
// Some fields have rows one or two cells short, so that the rows a placement clears weigh in.
TEST(ComputerPlayerTest, ChoosesTheBestPlacementOfEveryRotationFromTheSpawn) {
    int clearingChoices = 0;
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        for (int type = 0; type < 7; ++type) {
            PlayField live = RaggedField(seed, 10);
            if (seed % 3 == 0) DrawRows(live, {"1111.11111", "11111111..", "111111111."});
            live.currentType = type;
            live.pieceColumn = 4;
            live.pieceHeight = 1000;
            live.rotation = type == 0 ? 1 : 0;
            ASSERT_EQ(live.collide(), 0);

            int32_t best = ComputerPlayer::worstScore;
            int bestRotation = -1, bestColumn = -99, bestLines = 0;
            for (int turns = 0; turns < ComputerPlayer::rotationsOf(type); ++turns) {
                for (int column = -1; column <= 9; ++column) {
                    PlayField trial;
                    trial.copyFrom(live);
                    trial.rotation = (live.rotation + turns) % 4;
                    trial.pieceColumn = column;
                    if (trial.collide() != 0) continue;
                    trial.drop(21000);
                    const int lines = trial.findFullRows();
                    if (lines > 0) trial.removeFullRows();
                    const int32_t score = ComputerPlayer::evaluate(trial, lines, 0);
                    if (score > best) {
                        best = score;
                        bestRotation = trial.rotation;
                        bestColumn = column;
                        bestLines = lines;
                    }
                }
            }
            ComputerPlayer computer;
            computer.placePiece(live, false);
            EXPECT_EQ(live.rotation, bestRotation) << "seed " << seed << " type " << type;
            EXPECT_EQ(live.pieceColumn, bestColumn) << "seed " << seed << " type " << type;
            EXPECT_EQ(live.pieceHeight, 1000);
            if (bestLines > 0) ++clearingChoices;
        }
    }
    EXPECT_GE(clearingChoices, 10) << "expected the fields to make clearing rows the best choice "
                                      "now and then";
}

// The look-ahead search done the plain way: every placement of both pieces copied, dropped,
// cleared and evaluated.
struct PlainSearch {
    static int DropAndClear(const PlayField& from, PlayField& into) {
        into.copyFrom(from);
        into.drop(21000);
        const int lines = into.findFullRows();
        if (lines > 0) into.removeFullRows();
        return lines;
    }
    template <typename Visit> static void EachPlacement(const PlayField& start, Visit visit) {
        for (int r = 0; r < ComputerPlayer::rotationsOf(start.currentType); ++r) {
            PlayField candidate;
            candidate.copyFrom(start);
            for (int i = 0; i < r; ++i) candidate.rotate(true);
            while (!candidate.moveLeft()) {
            }
            do visit(candidate);
            while (!candidate.moveRight());
        }
    }
    static void Place(PlayField& live) {
        PlayField spawned;
        spawned.copyFrom(live);
        int32_t best = ComputerPlayer::worstScore;
        EachPlacement(spawned, [&](const PlayField& candidate) {
            PlayField dropped;
            const int l1 = DropAndClear(candidate, dropped);
            dropped.spawnNext();
            int32_t score = ComputerPlayer::worstScore;
            EachPlacement(dropped, [&](const PlayField& next) {
                PlayField nextDropped;
                const int l2 = DropAndClear(next, nextDropped);
                score = std::max(score, ComputerPlayer::evaluate(nextDropped, l1, l2));
            });
            if (score > best) {
                best = score;
                live.copyFrom(candidate);
            }
        });
    }
};

TEST(ComputerPlayerTest, LookAheadMatchesThePlainSearch) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        PlayField live = RaggedField(seed, seed % 2 == 0 ? 14 : 9);
        live.currentType = int(seed % 7);
        live.nextType = int((seed / 7) % 7);
        // Rows one or two cells short, so that both pieces can clear rows.
        if (seed % 3 == 0) DrawRows(live, {"1111.11111", "11111111..", "111111111."});
        live.rotation = live.currentType == 0 ? 1 : 0;
        live.pieceColumn = 4;
        live.pieceHeight = 1000;
        if (live.collide() != 0) continue;
        PlayField plain;
        plain.copyFrom(live);
        Random::Seed(seed * 7919);
        PlainSearch::Place(plain);
        const uint32_t plainState = Random::State();
        Random::Seed(seed * 7919);
        ComputerPlayer computer;
        computer.placePiece(live, true);
        EXPECT_EQ(live.rotation, plain.rotation) << "seed " << seed;
        EXPECT_EQ(live.pieceColumn, plain.pieceColumn) << "seed " << seed;
        EXPECT_EQ(Random::State(), plainState) << "seed " << seed;
    }
}

} // namespace
