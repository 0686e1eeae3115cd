#include "GameFixture.h"

#include <algorithm>
#include <set>
#include <utility>

#include "Libs/KeyCodes.h"
#include "storage/TextFormat.h"

namespace {

using Spot = std::pair<int, int>;

std::vector<ScreenItem> ItemsOf(const ScreenPicture& picture, ScreenRole role) {
    std::vector<ScreenItem> found;
    for (const ScreenItem& item : picture.items)
        if (item.role == role) found.push_back(item);
    return found;
}

std::set<Spot> SpotsOf(const ScreenPicture& picture, ScreenRole role) {
    std::set<Spot> spots;
    for (const ScreenItem& item : ItemsOf(picture, role)) spots.insert({item.x, item.y});
    return spots;
}

std::string SpotsText(const std::set<Spot>& spots) {
    std::string text;
    for (const Spot& s : spots)
        text += "(" + std::to_string(s.first) + "," + std::to_string(s.second) + ")";
    return text;
}

// The text of a status value whose box starts at (x, y), or "<none>".
std::string ValueAt(const ScreenPicture& picture, int x, int y) {
    for (const ScreenItem& item : picture.items)
        if (item.role == ScreenRole::StatusValue && item.x == x && item.y == y) return item.text;
    return "<none>";
}

} // namespace

TEST_F(GameFixture, RecordLineShowsTheShareOfThePersonalBest) {
    struct Case {
        uint32_t score, best;
        int f1Presses;
        std::string expected;
    };
    const Case cases[] = {
        {0, 0, 0, "100%"},
        {150, 1000, 0, "15%"},
        {1000, 1000, 0, "100%"},
        {4000000000u, 3, 0, "133333333333%"}, // far beyond 32 bits
        {150, 1000, 1, FormatText(FixtureText::computerPlays, {2})},
        {150, 1000, 2, FormatText(FixtureText::computerPlays, {1})},
        {150, 1000, 3, FormatText(FixtureText::playerBack, {0})},
        {150, 1000, 4, FormatText(FixtureText::computerPlays, {2})},
    };
    for (const Case& c : cases) {
        fresh();
        anna().bestScore[0] = c.best;
        startSingle(0);
        gameState().singleBoard.score = c.score;
        for (int i = 0; i < c.f1Presses; ++i) tapKey(KeyF1);
        gameState().screen.composeScreen(*game);
        EXPECT_EQ(ValueAt(gameState().screen.picture, 70, 451), c.expected)
            << c.score << " against " << c.best << " after " << c.f1Presses << " F1";
    }
}

// Before an online round each board shows its seconds left, rounded up: the local board (right)
// its own, the other player's board (left) what that game last sent.
TEST_F(GameFixture, OnlineCountdownsStandOnBothBoards) {
    struct Case {
        net::OnlineDuel::Phase phase;
        int32_t localMs;
        bool remoteSeen;
        uint16_t remoteMs;
        std::string left, right; // "" = no number there
    };
    const Case cases[] = {
        {net::OnlineDuel::CountingDown, 3000, true, 2990, "3", "3"},
        {net::OnlineDuel::CountingDown, 2001, true, 1000, "1", "3"},
        {net::OnlineDuel::CountingDown, 10, false, 2000, "", "1"},
        {net::OnlineDuel::Playing, 500, true, 400, "1", ""},
        {net::OnlineDuel::Playing, 0, true, 0, "", ""},
    };
    for (const Case& c : cases) {
        startPair(0, 0);
        gameState().online = 1;
        net::OnlineDuel& duel = gameState().duel;
        duel.phase = c.phase;
        duel.countdown = c.localMs;
        duel.remoteSeen = c.remoteSeen;
        duel.remotePicture.countdown = c.remoteMs;
        gameState().screen.composeScreen(*game);
        std::string left, right;
        for (const ScreenItem& item : ItemsOf(gameState().screen.picture, ScreenRole::Countdown))
            (item.x == 130 ? left : item.x == 625 ? right : left) += item.text;
        EXPECT_EQ(left, c.left) << "the other board, " << c.remoteMs << " ms sent; expected \""
                                << c.left << "\", got \"" << left << "\"";
        EXPECT_EQ(right, c.right) << "the local board, " << c.localMs << " ms; expected \""
                                  << c.right << "\", got \"" << right << "\"";
        gameState().online = 0;
        duel.phase = net::OnlineDuel::WaitingForStart;
    }
}

TEST_F(GameFixture, StatusLinesMoveWithTheMode) {
    struct Case {
        int variant;
        int scoreY, minuteY;
        size_t taskValues;
    };
    const Case cases[] = {{0, 406, 541, 0}, {1, 390, 495, 4}};
    for (const Case& c : cases) {
        startSingle(c.variant);
        gameState().singleBoard.score = 77;
        gameState().screen.composeScreen(*game);
        const ScreenPicture& picture = gameState().screen.picture;
        EXPECT_EQ(ValueAt(picture, 70, c.scoreY), "77") << "mode " << c.variant;
        EXPECT_EQ(ValueAt(picture, 70, c.minuteY), "1") << "mode " << c.variant;
        size_t tasks = 0;
        for (const ScreenItem& item : ItemsOf(picture, ScreenRole::StatusValue))
            if (item.y >= 565) ++tasks;
        EXPECT_EQ(tasks, c.taskValues) << "mode " << c.variant;
    }
}

TEST_F(GameFixture, StatisticsViewSharesReadZeroBeforeTheFirstLanding) {
    startSingle(0);
    tapKey(KeyReturn);
    ASSERT_EQ(gameState().statusView, 1);
    gameState().screen.composeScreen(*game);
    std::vector<ScreenItem> shares;
    for (const ScreenItem& item : ItemsOf(gameState().screen.picture, ScreenRole::PieceShare))
        if (item.kind == ScreenItem::Text) shares.push_back(item);
    ASSERT_EQ(shares.size(), 7u);
    for (const ScreenItem& share : shares)
        EXPECT_EQ(share.text, "0%") << "at " << share.x << "," << share.y;

    gameState().singleBoard.pieces = 3;
    gameState().singleBoard.perType[6] = 2;
    gameState().screen.composeScreen(*game);
    std::string last;
    for (const ScreenItem& item : ItemsOf(gameState().screen.picture, ScreenRole::PieceShare))
        if (item.kind == ScreenItem::Text && item.x == 70 + 108 && item.y == 460 + 42 * 2)
            last = item.text;
    EXPECT_EQ(last, "66%") << "type 6 sits in the second column, third row";
}

// A square resting on a stack in row 19: its shadow covers exactly the cells it is written
// into when it lands, upright and upside down.
TEST_F(GameFixture, DropShadowOfARestingPieceLiesWhereItLands) {
    for (int upsideDown = 0; upsideDown < 2; ++upsideDown) {
        fresh();
        anna().displayFlags = 2;
        anna().displayOption = static_cast<uint32_t>(upsideDown);
        anna().overlayOpacity = 40;
        startSingle(0);
        Board& board = gameState().singleBoard;
        PlayField& field = board.field;
        for (int column = 1; column < 10; ++column) field.cell(column, 19) = 4;
        field.currentType = 1;
        field.rotation = 0;
        field.pieceColumn = 4;
        field.pieceHeight = 17600; // tested in rows 17 and 18, resting on row 19
        board.shadowHeight = 0;
        ASSERT_EQ(field.collide(), 0);

        gameState().screen.composeScreen(*game);
        const ScreenPicture& picture = gameState().screen.picture;
        std::set<Spot> shadow = SpotsOf(picture, ScreenRole::Shadow);
        for (const ScreenItem& item : ItemsOf(picture, ScreenRole::Shadow))
            EXPECT_EQ(item.transparency, 40 * 255 / 100);

        std::set<Spot> before = SpotsOf(picture, ScreenRole::LockedBlock);
        ASSERT_TRUE(field.drop(21000));
        board.shadowHeight = 1; // keep the landed field as it is
        gameState().screen.composeScreen(*game);
        std::set<Spot> landed;
        for (const Spot& spot : SpotsOf(gameState().screen.picture, ScreenRole::LockedBlock))
            if (!before.count(spot)) landed.insert(spot);
        EXPECT_EQ(landed.size(), 4u);
        // The square fills columns 5 and 6 of rows 17 and 18; upside down a block at y is
        // drawn at 770 - y.
        std::set<Spot> expected;
        for (int column = 5; column <= 6; ++column) {
            for (int row = 17; row <= 18; ++row) {
                int y = 20 + 61 + 32 * row;
                expected.insert({340 + 25 + 32 * (column - 1), upsideDown ? 770 - y : y});
            }
        }
        EXPECT_EQ(SpotsText(landed), SpotsText(expected)) << "upside down " << upsideDown;
        EXPECT_EQ(SpotsText(shadow), SpotsText(landed)) << "upside down " << upsideDown;
    }
}

TEST_F(GameFixture, FallingPieceMovesSmoothlyBetweenRows) {
    startSingle(0);
    PlayField& field = gameState().singleBoard.field;
    field.currentType = 1;
    field.rotation = 0;
    field.pieceColumn = 4;
    struct Case {
        int height, topY;
    };
    // The board's top is at y 20: box row 0 at 20 + 29 + height x 32 / 1000.
    const Case cases[] = {{1000, 81}, {1500, 97}, {1999, 112}, {10000, 369}};
    for (const Case& c : cases) {
        field.pieceHeight = c.height;
        gameState().screen.composeScreen(*game);
        int top = 10000;
        int left = 10000;
        for (const ScreenItem& item :
             ItemsOf(gameState().screen.picture, ScreenRole::FallingPiece)) {
            top = std::min(top, item.y);
            left = std::min(left, item.x);
        }
        EXPECT_EQ(top, c.topY) << "height " << c.height;
        EXPECT_EQ(left, 340 + 25 + 32 * 4) << "height " << c.height;
    }
}

TEST_F(GameFixture, LockedBlocksAreLiftedWhileTheRowsAboveAClearSlideDown) {
    startSingle(0);
    Board& board = gameState().singleBoard;
    struct Case {
        int first, lines, flag1, flag3, timer, row, lift;
    };
    const Case cases[] = {
        {18, 1, 0, 0, 1000, 10, 1000}, // above the cleared row: the whole pause
        {18, 1, 0, 0, 400, 17, 400},   {18, 1, 0, 0, 1000, 19, 0}, // the row below: T - 1000
        {16, 2, 0, 0, 2000, 18, 1000}, // the row just below two cleared rows: T - 1000
        {15, 3, 1, 1, 3000, 18, 1000}, // rows 15, 16, 18 full: T - 1000 - 1000
        {15, 2, 0, 1, 2000, 18, 1000}, // rows 15 and 18 full, f + L + 1: T - 1000
        {15, 3, 1, 0, 3000, 18, 0},    // f + 1 full, f + 3 not: T - 3000
        {10, 1, 0, 0, 1000, 14, 0},    // more than three rows below the first
    };
    for (const Case& c : cases) {
        board.state = 1;
        board.field.firstFullRow = c.first;
        board.lastLines = c.lines;
        board.field.fullRowFlags[0] = c.flag1;
        board.field.fullRowFlags[1] = 0;
        board.field.fullRowFlags[2] = c.flag3;
        board.clearTimer = c.timer;
        EXPECT_EQ(BlockLift(board, c.row), c.lift)
            << "first " << c.first << " lines " << c.lines << " row " << c.row;
    }
    board.state = 0;
    EXPECT_EQ(BlockLift(board, 10), 0) << "no lift while a piece falls";
}

TEST_F(GameFixture, ParticlesDrawnByKindAndRetiredOffScreen) {
    struct Case {
        int size, y, upsideDown;
        ScreenImage image;
        int additive;
        bool alive;
    };
    // y in thousandths of a cell; the board's playable area starts at screen y 20 + 61.
    const Case cases[] = {
        {32, 5000, 0, ScreenImage::Block, 0, true},
        {20, 5000, 0, ScreenImage::Particle, 1, true},
        {20, 22000, 0, ScreenImage::Particle, 1, false}, // py 785: below 768
        {20, 22000, 1, ScreenImage::Particle, 1, true},  // upside down it leaves only past 834
        {20, 24000, 1, ScreenImage::Particle, 1, false}, // py 849
    };
    for (const Case& c : cases) {
        fresh();
        anna().displayOption = static_cast<uint32_t>(c.upsideDown);
        startSingle(0);
        Board& board = gameState().singleBoard;
        board.burstFinished[3] = 0;
        Particle& particle = board.particles[3][0];
        particle = Particle{1000, c.y, 0, 0, 2000, 5, 2, c.size};
        gameState().screen.composeScreen(*game);
        std::vector<ScreenItem> drawn = ItemsOf(gameState().screen.picture, ScreenRole::Particle);
        ASSERT_EQ(drawn.size(), 1u) << "size " << c.size << " y " << c.y;
        const ScreenItem& item = drawn[0];
        EXPECT_EQ(item.image, c.image) << "size " << c.size;
        EXPECT_EQ(item.additive, c.additive) << "size " << c.size;
        EXPECT_EQ(item.transparency, 255 - 200);
        EXPECT_EQ(item.colour, menu->pieceColours[2]);
        int py = 20 + 61 + c.y * 32 / 1000;
        int h = c.size;
        EXPECT_EQ(item.y, c.upsideDown ? 802 - h - py : py) << "size " << c.size << " y " << c.y;
        EXPECT_EQ(particle.life != 0, c.alive) << "size " << c.size << " y " << c.y;
    }
}

TEST_F(GameFixture, TwoPlayerScreenShowsBothBoardsTallyAndPendingGarbage) {
    anna().computerLevel = 6;
    startPair(1, 0);
    gameState().leftWins = 3;
    gameState().rightWins = 1;
    BoardContext& context = menu->boardContext;
    // Left board is player index 0 in mode 3: two rows waiting, holes where the sender's piece was.
    context.pendingGarbage[0] = 2;
    for (int e = 0; e < 10; ++e) {
        context.garbage[0][0][e] = e == 4 ? 0 : 5;
        context.garbage[0][1][e] = e == 9 ? 0 : 1;
    }
    gameState().screen.composeScreen(*game);
    const ScreenPicture& picture = gameState().screen.picture;

    std::vector<ScreenItem> captions = ItemsOf(picture, ScreenRole::Caption);
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0].text, "Anna");
    EXPECT_EQ(captions[1].text, std::string(FixtureText::computerCaption) + " 7");

    std::vector<ScreenItem> tally = ItemsOf(picture, ScreenRole::WinsTally);
    ASSERT_EQ(tally.size(), 2u);
    EXPECT_EQ(tally[0].text, "3");
    EXPECT_EQ(tally[1].text, "1");

    std::set<Spot> garbage = SpotsOf(picture, ScreenRole::Garbage);
    EXPECT_EQ(garbage.size(), 18u);
    EXPECT_FALSE(garbage.count({130 - 110 + 40, 20 + 300})) << "the hole of the first row";
    EXPECT_TRUE(garbage.count({130 - 110 + 80, 20 + 310})) << SpotsText(garbage);
    for (const ScreenItem& item : ItemsOf(picture, ScreenRole::Garbage)) {
        EXPECT_EQ(item.w, 10);
        EXPECT_LT(item.x, 130) << "beside the left board only";
    }
}

TEST_F(GameFixture, GridLinesAndSliderFollowTheOptions) {
    anna().displayFlags = 1;
    startSingle(0);
    gameState().singleBoard.tickAcc = 3000;
    gameState().screen.composeScreen(*game);
    std::vector<ScreenItem> lines = ItemsOf(gameState().screen.picture, ScreenRole::GridLine);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0].x, 340 + 57);
    EXPECT_EQ(lines[8].x, 340 + 57 + 32 * 8);
    EXPECT_EQ(lines[0].y, 20 + 61);
    EXPECT_EQ(lines[0].y2, 20 + 701);
    EXPECT_TRUE(ItemsOf(gameState().screen.picture, ScreenRole::Shadow).empty())
        << "bit 0 alone: no shadow";

    struct Case {
        int value, width;
    };
    const Case cases[] = {{0, 3}, {3000, 62}, {6000, 121}, {9000, 121}, {-5, 3}};
    for (const Case& c : cases)
        EXPECT_EQ(SliderFillWidth(c.value, 0, 6000), c.width) << "value " << c.value;
}

// One cleared row with the particle setting at 0, 10 and 150: the first ten particles are the
// row's own blocks flying away, drawn solid; the rest are additive sparks.
TEST_F(GameFixture, ClearedRowBurstsWithTheParticleSetting) {
    struct Case {
        int particleCount;
        size_t blocks, sparks;
    };
    const Case cases[] = {{0, 0, 0}, {10, 10, 0}, {150, 10, 140}};
    for (const Case& c : cases) {
        fresh();
        menu->boardContext.particleCount = c.particleCount;
        startSingle(0);
        Board& board = gameState().singleBoard;
        PlayField& field = board.field;
        for (int column = 1; column < 10; ++column) field.cell(column, 19) = 3;
        field.currentType = 0; // the straight piece, upright, into the last column
        field.rotation = 0;
        field.pieceColumn = 9;
        field.pieceHeight = 1000;
        pushPress(57);
        pushRelease(57);
        frame(10);
        ASSERT_EQ(board.state, 1) << "particles " << c.particleCount << ": the row was cleared";
        gameState().screen.composeScreen(*game);
        size_t blocks = 0, sparks = 0;
        for (const ScreenItem& item : ItemsOf(gameState().screen.picture, ScreenRole::Particle)) {
            if (item.image == ScreenImage::Block && item.additive == 0) ++blocks;
            if (item.image == ScreenImage::Particle && item.additive == 1) ++sparks;
        }
        EXPECT_EQ(blocks, c.blocks) << "particles " << c.particleCount;
        EXPECT_EQ(sparks, c.sparks) << "particles " << c.particleCount;
        // The three rows of the upright piece above the cleared row start at their old height.
        EXPECT_GT(BlockLift(board, 18), 0) << "particles " << c.particleCount;
    }
}
