#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "game/PlayField.h"
#include "game/Random.h"
#include "tests/game_rules/FieldText.h"

namespace {

using Cells = std::set<std::pair<int, int>>; // {column, row}

// The grid cells the falling piece covers where it stands.
Cells PieceCells(const PlayField& field) {
    Cells cells;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (PlayField::pieceCell(field.currentType, i, field.rotation, j) != 0)
                cells.insert({field.pieceColumn + 1 + j, field.pieceHeight / 1000 + i});
    return cells;
}

// A rotation's cells moved to the top-left corner, for comparing shapes.
std::vector<std::pair<int, int>> Normalised(std::vector<std::pair<int, int>> cells) {
    int top = 4, left = 4;
    for (auto [r, c] : cells) top = std::min(top, r), left = std::min(left, c);
    for (auto& [r, c] : cells) r -= top, c -= left;
    std::sort(cells.begin(), cells.end());
    return cells;
}

std::vector<std::pair<int, int>> ShapeOf(int type, int rotation) {
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (PlayField::pieceCell(type, i, rotation, j) != 0) cells.push_back({i, j});
    return cells;
}

TEST(PlayFieldTest, ResetBuildsWallsFloorAndAnEmptyArea) {
    Random::Seed(7);
    PlayField field;
    field.reset();
    for (int column = 0; column < PlayField::columns; ++column) {
        for (int row = 0; row < PlayField::rows; ++row) {
            int expected = 0;
            if (column == 0 || column == 11)
                expected = 8;
            else if (row == 20)
                expected = 9;
            ASSERT_EQ(field.grid[column * 21 + row], expected)
                << "column " << column << " row " << row;
        }
    }
    EXPECT_GE(field.currentType, 0);
    EXPECT_LT(field.currentType, 7);
    EXPECT_EQ(field.pieceColumn, 4);
    EXPECT_EQ(field.pieceHeight, 1000);
    EXPECT_EQ(field.rotation, field.currentType == 0 ? 1 : 0);
}

TEST(PlayFieldTest, ResetAndSpawnTakeOneDrawPerPiece) {
    Random::Seed(1234);
    const int first = Random::Draw() % 7, second = Random::Draw() % 7, third = Random::Draw() % 7;
    Random::Seed(1234);
    PlayField field;
    field.reset();
    EXPECT_EQ(field.currentType, first);
    EXPECT_EQ(field.nextType, second);
    field.spawnNext();
    EXPECT_EQ(field.currentType, second);
    EXPECT_EQ(field.nextType, third);
}

TEST(PlayFieldTest, StraightPieceSpawnsLyingInRowOneColumnsFiveToEight) {
    PlayField field = EmptyField(3, 0, 4, 1000);
    field.nextType = 0;
    field.spawnNext();
    EXPECT_EQ(field.rotation, 1);
    EXPECT_EQ(field.collide(), 0);
    const Cells expected = {{5, 1}, {6, 1}, {7, 1}, {8, 1}};
    EXPECT_EQ(PieceCells(field), expected);
}

TEST(PlayFieldTest, EveryRotationIsTheClockwiseTurnOfThePreviousOne) {
    for (int type = 0; type < 7; ++type) {
        for (int rotation = 0; rotation < 4; ++rotation) {
            const auto shape = ShapeOf(type, rotation);
            ASSERT_EQ(shape.size(), 4u) << "type " << type << " rotation " << rotation;
            bool usesLeftColumns = false;
            for (auto [r, c] : shape) {
                EXPECT_EQ(PlayField::pieceCell(type, r, rotation, c), type + 1);
                usesLeftColumns |= c <= 1;
            }
            EXPECT_TRUE(usesLeftColumns) << "type " << type << " rotation " << rotation;
            // Turning clockwise maps box cell (r, c) to (c, -r).
            std::vector<std::pair<int, int>> turned;
            for (auto [r, c] : shape) turned.push_back({c, -r});
            EXPECT_EQ(Normalised(turned), Normalised(ShapeOf(type, (rotation + 1) % 4)))
                << "type " << type << ": rotation " << (rotation + 1) % 4 << " is not rotation "
                << rotation << " turned clockwise";
        }
    }
}

TEST(PlayFieldTest, CollideTellsBlocksAndFloorFromWalls) {
    struct Case {
        const char* what;
        int type, rotation, column, height;
        int blockColumn, blockRow; // 0 = no block
        int expected;
    };
    const Case cases[] = {
        {"square in the open", 1, 0, 4, 5000, 0, 0, 0},
        {"square on a block", 1, 0, 4, 5000, 5, 6, 1},
        {"square in the floor", 1, 0, 4, 19500, 0, 0, 1},
        {"square in the left wall", 1, 0, -1, 5000, 0, 0, 2},
        {"square in the right wall", 1, 0, 9, 5000, 0, 0, 2},
        {"square in the wall above the bottom row", 1, 0, -1, 19000, 0, 0, 2},
        {"lying straight in the bottom row at the wall", 0, 1, -1, 20000, 0, 0, 1},
        {"wall beats a block found first", 0, 1, 7, 5000, 9, 5, 2},
        {"square past the grid's right edge", 1, 0, 10, 5000, 0, 0, 2},
        {"square below the grid", 1, 0, 4, 21000, 0, 0, 2},
    };
    for (const Case& c : cases) {
        PlayField field = EmptyField(c.type, c.rotation, c.column, c.height);
        if (c.blockColumn != 0) field.cell(c.blockColumn, c.blockRow) = 3;
        EXPECT_EQ(field.collide(), c.expected) << c.what;
    }
}

TEST(PlayFieldTest, MovesStopAtWallsAndBlocks) {
    PlayField field = EmptyField(1, 0, 4, 1000);
    int moves = 0;
    while (!field.moveLeft()) ++moves;
    EXPECT_EQ(moves, 4);
    EXPECT_EQ(field.pieceColumn, 0);
    field.cell(4, 2) = 5;
    EXPECT_FALSE(field.moveRight());
    EXPECT_TRUE(field.moveRight()) << "the block at column 4 should stop the square";
    EXPECT_EQ(field.pieceColumn, 1);
}

TEST(PlayFieldTest, RotatingAgainstTheRightWallWalksLeft) {
    // A vertical straight piece in column 10 (box column 0), turned to lie in row 5.
    struct Case {
        const char* what;
        bool clockwise;
        int blockColumn; // 0 = none, else a block in row 5
        bool rotated;
        int column, rotation;
    };
    const Case cases[] = {
        {"clockwise, open", true, 0, true, 6, 1},
        {"anticlockwise, open", false, 0, true, 6, 3},
        {"block beside the wall", true, 8, false, 9, 0},
        {"block where it would fit", true, 7, false, 9, 0},
        {"block just left of the fit", true, 6, true, 6, 1},
    };
    for (const Case& c : cases) {
        PlayField field = EmptyField(0, 0, 9, 5000);
        ASSERT_EQ(field.collide(), 0);
        if (c.blockColumn != 0) field.cell(c.blockColumn, 5) = 2;
        EXPECT_EQ(field.rotate(c.clockwise), c.rotated) << c.what;
        EXPECT_EQ(field.pieceColumn, c.column) << c.what;
        EXPECT_EQ(field.rotation, c.rotation) << c.what;
        EXPECT_EQ(field.pieceHeight, 5000) << c.what;
        EXPECT_EQ(field.collide(), 0) << c.what;
    }
}

TEST(PlayFieldTest, RotatingAtColumnMinusOneMovesOneColumnRight) {
    // Types 4, 5 and 6 in rotation 2 leave box column 0 empty, so they reach column -1.
    for (int type = 4; type <= 6; ++type) {
        for (bool blocked : {false, true}) {
            PlayField field = EmptyField(type, 2, 4, 5000);
            while (!field.moveLeft()) {
            }
            ASSERT_EQ(field.pieceColumn, -1) << "type " << type;
            // Rotation 3 fills box column 2 in box row 2; a block there stops the kick.
            if (blocked) field.cell(3, 7) = 1;
            EXPECT_EQ(field.rotate(true), !blocked) << "type " << type << " blocked " << blocked;
            EXPECT_EQ(field.pieceColumn, blocked ? -1 : 0) << "type " << type;
            EXPECT_EQ(field.rotation, blocked ? 2 : 3) << "type " << type;
        }
    }
}

TEST(PlayFieldTest, RotationBlockedByABlockStaysUnchanged) {
    PlayField field = EmptyField(0, 1, 3, 5000); // lying in columns 4..7 of row 5
    field.cell(4, 6) = 1;                        // under its left end
    EXPECT_FALSE(field.rotate(true));
    EXPECT_EQ(field.rotation, 1);
    EXPECT_EQ(field.pieceColumn, 3);
}

TEST(PlayFieldTest, DropNeverSkipsARow) {
    // A square (rows 1 and 2 at height 1000) dropped by 2500 towards a block in column 5.
    struct Case {
        int blockRow; // 0 = none
        bool landed;
        int height;
        int landedTopRow;
    };
    const Case cases[] = {
        {0, false, 3500, 0}, // two and a half rows down
        {5, false, 3500, 0}, // the block is just below the rows it reaches
        {4, true, 3000, 2},  // lands on the second whole-row step
        {3, true, 2000, 1},  // lands on the first whole-row step: no row passed through
    };
    for (const Case& c : cases) {
        PlayField field = EmptyField(1, 0, 4, 1000);
        if (c.blockRow != 0) field.cell(5, c.blockRow) = 4;
        EXPECT_EQ(field.drop(2500), c.landed) << "block in row " << c.blockRow;
        EXPECT_EQ(field.pieceHeight, c.height) << "block in row " << c.blockRow;
        if (!c.landed) continue;
        for (int row = c.landedTopRow; row < c.landedTopRow + 2; ++row)
            for (int column = 5; column <= 6; ++column)
                EXPECT_EQ(field.cell(column, row), 2)
                    << "block in row " << c.blockRow << ": cell " << column << "," << row << "\n"
                    << FieldPicture(field);
        EXPECT_EQ(BlockCount(field), 5) << FieldPicture(field);
    }
}

TEST(PlayFieldTest, LandingHeightIsWhereThePieceRestsAndLeavesTheFieldAlone) {
    PlayField field = EmptyField(1, 0, 4, 1000);
    DrawRows(field, {"....3.....", "....3....."});
    PlayField scratch;
    const int height = field.landingHeight(scratch);
    // The square rests on row 18 in rows 16 and 17; its last colliding test was one row lower.
    EXPECT_EQ(height / 1000, 17);
    EXPECT_EQ(field.pieceHeight, 1000);
    EXPECT_EQ(BlockCount(field), 2);
    EXPECT_EQ(BlockCount(scratch), 6);
}

TEST(PlayFieldTest, FourRowsAtOnceAreRemovedAndTheRestMovesDownFour) {
    PlayField field = EmptyField(0, 0, 9, 1000); // vertical straight over column 10
    DrawRows(field, {"..5.......",               //
                     "123456712.", "234567123.", "345671234.", "456712345."});
    EXPECT_TRUE(field.drop(21000));
    ASSERT_EQ(field.findFullRows(), 4) << FieldPicture(field);
    EXPECT_EQ(field.firstFullRow, 16);
    EXPECT_EQ(field.fullRowFlags[0] + field.fullRowFlags[1] + field.fullRowFlags[2], 3);
    field.removeFullRows();
    EXPECT_EQ(field.cell(3, 19), 5) << FieldPicture(field);
    EXPECT_EQ(BlockCount(field), 1) << FieldPicture(field);
}

TEST(PlayFieldTest, FullRowsWithAPartialRowBetweenAreBothRemoved) {
    PlayField field = EmptyField(1, 0, 4, 1000);
    DrawRows(field, {"7.........", "1111111111", "2.2.2.2.2.", "3333333333"});
    ASSERT_EQ(field.findFullRows(), 2);
    EXPECT_EQ(field.firstFullRow, 17);
    EXPECT_EQ(field.fullRowFlags[0], 0);
    EXPECT_EQ(field.fullRowFlags[1], 1);
    EXPECT_EQ(field.fullRowFlags[2], 0);
    field.removeFullRows();
    PlayField expected = EmptyField(1, 0, 4, 1000);
    DrawRows(expected, {"7.........", "2.2.2.2.2."});
    EXPECT_EQ(FieldPicture(field), FieldPicture(expected));
}

TEST(PlayFieldTest, RemovingWithoutFullRowsChangesNothing) {
    PlayField field = EmptyField(1, 0, 4, 1000);
    DrawRows(field, {"1111111111"});
    ASSERT_EQ(field.findFullRows(), 1);
    field.cell(4, 19) = 0; // the row is no longer full when the removal comes
    const std::string before = FieldPicture(field);
    field.removeFullRows();
    EXPECT_EQ(FieldPicture(field), before);
}

TEST(PlayFieldTest, CopyTakesGridAndPieceButStaysIndependent) {
    PlayField field = EmptyField(5, 2, 3, 7000);
    field.nextType = 6;
    DrawRows(field, {"12........"});
    PlayField copy;
    copy.copyFrom(field);
    EXPECT_EQ(FieldPicture(copy), FieldPicture(field));
    EXPECT_EQ(copy.currentType, 5);
    EXPECT_EQ(copy.nextType, 6);
    EXPECT_EQ(copy.rotation, 2);
    EXPECT_EQ(copy.pieceColumn, 3);
    EXPECT_EQ(copy.pieceHeight, 7000);
    copy.cell(5, 5) = 1;
    EXPECT_EQ(field.cell(5, 5), 0);
}

} // namespace
