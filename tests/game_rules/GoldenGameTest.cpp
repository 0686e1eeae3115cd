#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/Board.h"
#include "game/Random.h"
#include "storage/PlayerProfile.h"

namespace {

constexpr uint32_t goldenSeed = 20240607;
constexpr int goldenPieces = 200;

// Each piece as four characters: type, rotation, grid column of its box's left edge (column
// + 1, so 0 to 10, with 10 written 'A'), rows its landing cleared.
char Digit(int value) {
    return value >= 0 && value <= 9 ? char('0' + value) : value == 10 ? 'A' : '?';
}

std::string Describe(const std::string& piece) {
    if (piece.size() != 4) return "nothing";
    return piece + " (type " + piece[0] + ", rotation " + piece[1] + ", column + 1 = " + piece[2] +
           ", " + piece[3] + " rows)";
}

// The box row a piece lands in (its height in whole rows, -2 to 23) as one letter: 'a' is -2.
char RowLetter(int row) {
    return row >= -2 && row <= 23 ? char('a' + row + 2) : '?';
}

struct PlayedGame {
    std::string record;      // four characters per piece, as below
    std::string landingRows; // one letter per piece: the box row it landed in
};

// The computer plays a whole board with look-ahead, each piece dropped at once where it chose.
PlayedGame PlayComputerGame(uint32_t seed, int pieces) {
    Random::Seed(seed);
    BoardContext context;
    PlayerProfile profile;
    Board board;
    board.init(context, profile, 0);
    board.aiMode = 1;
    board.placePiece(true); // later pieces are placed as they spawn
    std::string record, landingRows;
    for (int n = 0; n < pieces && board.state != 2; ++n) {
        const PlayField& field = board.field;
        // Where the box comes to rest depends on where the shape sits inside it, vertically too.
        PlayField landed;
        landed.copyFrom(field);
        landed.drop(21000);
        landingRows += RowLetter(landed.pieceHeight / 1000);
        record += Digit(field.currentType);
        record += Digit(field.rotation);
        record += Digit(field.pieceColumn + 1);
        board.dropMode = 2;
        board.update(0, 0);
        const int rows = board.state == 1 ? board.lastLines : 0;
        record += Digit(rows);
        if (board.state == 1) board.update(25 * rows, 0); // the pause after the clear runs out
    }
    return {record, landingRows};
}

// The first pieces of a game the computer plays from a fixed seed, as the game played them
// when it was known to be right. A change to a piece's shape or to where it sits in its box, to
// the computer's judgement, to the landing or to the clearing of rows shows here.
constexpr const char* goldenGame = "4280 3170 2060 0120 6330 2012 1050 5140 3180 3170 "
                                   "6210 4012 1010 1030 2070 3091 4241 4130 6280 5251 "
                                   "4200 0281 4330 2090 6180 4011 1060 3030 4052 6130 "
                                   "6380 3010 3061 1040 2160 1020 4181 5360 1090 6310 "
                                   "1041 5130 3160 1090 6240 1070 3130 2012 6011 6120 "
                                   "5091 5060 3070 5280 4310 3042 4160 6230 5021 6030 "
                                   "3050 4280 4090 1070 1070 1090 3030 2012 6240 0214 "
                                   "2040 1011 0230 1010 1010 1071 5160 1090 4231 4380 "
                                   "1060 1090 6210 0243 3040 4360 0211 5070 1050 1090 "
                                   "6021 4081 1030 4350 5010 6320 5060 4182 3010 6040 "
                                   "3080 02A1 4090 1050 4070 2111 4031 1010 1070 3150 "
                                   "6180 4110 1010 1041 02A1 1060 4271 0280 3031 1060 "
                                   "6310 3042 3160 5231 6010 4281 6030 2140 4140 0292 "
                                   "3010 1070 0230 02A2 1040 3010 3170 6061 6110 2160 "
                                   "5271 02A0 5041 6360 4051 2030 1010 0280 4092 6310 "
                                   "5351 5090 4330 6150 0211 5280 0220 2041 6160 3131 "
                                   "5240 3070 2180 5211 0211 6040 1020 4181 1090 3161 "
                                   "3151 5180 0110 4310 6141 4151 6320 0140 0140 3110 "
                                   "5181 4180 6011 1030 1050 6181 5120 2071 5091 5110 "
                                   "6070 4140 4270 02A1 3090 2051 4260 0111 3140 2030";

TEST(GoldenGameTest, ComputerGameFromAFixedSeedPlaysAsRecorded) {
    const std::string played = PlayComputerGame(goldenSeed, goldenPieces).record;
    std::string expected;
    for (const char* c = goldenGame; *c != '\0'; ++c)
        if (*c != ' ') expected += *c;
    ASSERT_EQ(expected.size(), size_t(4 * goldenPieces)) << "the recorded game is incomplete";
    for (int n = 0; n < goldenPieces; ++n) {
        const std::string want = expected.substr(size_t(4 * n), 4);
        const std::string got =
            played.size() >= size_t(4 * n + 4) ? played.substr(size_t(4 * n), 4) : std::string();
        ASSERT_EQ(got, want) << "piece " << n + 1 << ": expected " << Describe(want) << ", got "
                             << Describe(got);
    }
}

// The box row each piece of the same game lands in, as its height in whole rows ('c' is 0, each
// later letter one row lower).
constexpr const char* goldenLandingRows = "uvuwtuvuvuuuuuuuuvuuutuutuvuuvtuuuuuuststttsrrrsst"
                                          "ssssrstsssrsrsqpqrrtuvtusvvvttutstuutuuvuuvttssutt"
                                          "utttutttuttsqsrtsrttrttutuuuttuvstvuvuuuututuuvsuu"
                                          "uuuvtutuvuuuuutuuvuvvvwtvvuvuuvvtuuvuuuvuvstrutwvu";

TEST(GoldenGameTest, EveryPieceLandsInTheRecordedRow) {
    const std::string rows = PlayComputerGame(goldenSeed, goldenPieces).landingRows;
    const std::string expected = goldenLandingRows;
    ASSERT_EQ(expected.size(), size_t(goldenPieces)) << "the recorded rows are incomplete";
    for (int n = 0; n < goldenPieces; ++n) {
        const char got = n < int(rows.size()) ? rows[size_t(n)] : '-';
        ASSERT_EQ(got, expected[size_t(n)])
            << "piece " << n + 1 << ": expected box row " << expected[size_t(n)] - 'a' - 2
            << ", got " << (got == '-' ? std::string("no piece") : std::to_string(got - 'a' - 2));
    }
}

} // namespace
