#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/Board.h"
#include "game/Random.h"
#include "net/BoardPicture.h"
#include "net/Protocol.h"
#include "storage/PlayerProfile.h"

using namespace net;

namespace {

std::vector<uint8_t> bytesOf(const Message& m) {
    Packet p;
    EXPECT_TRUE(encode(m, p)) << "message type " << int(m.type) << " could not be encoded";
    return std::vector<uint8_t>(p.bytes, p.bytes + p.size);
}

Message decoded(const std::vector<uint8_t>& bytes, DecodeResult expected = Decoded) {
    Message m;
    const DecodeResult got = decode(bytes.data(), bytes.size(), m);
    EXPECT_EQ(got, expected) << "decoding message type " << int(bytes.empty() ? 0 : bytes[0]);
    return m;
}

// A board in the middle of a game: some locked rows with holes, a piece falling above them.
BoardState sampleBoard() {
    BoardState b;
    b.round = 3;
    b.currentType = 5;
    b.nextType = 2;
    b.rotation = 1;
    b.pieceColumn = 4;
    b.pieceHeight = 2500;
    b.pendingGarbage = 7;
    for (int k = 0; k < 7; ++k)
        for (int column = 0; column < 10; ++column)
            b.pendingRows[k][column] = uint8_t(column == k || column == 9 - k ? 0 : k % 7 + 1);
    b.countdown = 2990;
    b.pieces = 123456;
    b.totalLines = 789;
    for (int row = 15; row < 20; ++row)
        for (int column = 0; column < 10; ++column)
            b.cells[row][column] = uint8_t(column == row - 10 ? 0 : (row + column) % 7 + 1);
    return b;
}

Message helloOf(const std::string& name) {
    Message m;
    m.type = HelloMessage;
    m.hello.gameVersion = "1.2";
    m.hello.name = name;
    m.hello.endless = 1;
    return m;
}

Message garbageOf(std::vector<std::vector<uint8_t>> rows) {
    Message m;
    m.type = GarbageMessage;
    m.garbage.round = 1;
    m.garbage.count = uint8_t(rows.size() > 4 ? 4 : rows.size());
    for (size_t k = 0; k < rows.size() && k < 4; ++k)
        for (size_t c = 0; c < 10 && c < rows[k].size(); ++c) m.garbage.cells[k][c] = rows[k][c];
    return m;
}

const std::vector<uint8_t> fullRow = {1, 2, 3, 4, 5, 6, 7, 1, 2, 3};
std::vector<uint8_t> rowWithHoles(std::initializer_list<int> holes) {
    std::vector<uint8_t> row = fullRow;
    for (int h : holes) row[size_t(h)] = 0;
    return row;
}

} // namespace

TEST(Protocol, EveryMessageReadsBackAsWritten) {
    Message hello = helloOf("Anna M\xFCller");
    Message back = decoded(bytesOf(hello));
    EXPECT_EQ(back.hello.protocol, protocolVersion);
    EXPECT_EQ(back.hello.gameVersion, "1.2");
    EXPECT_EQ(back.hello.name, "Anna M\xFCller");
    EXPECT_EQ(back.hello.endless, 1);

    Message start;
    start.type = StartMessage;
    start.start = {7, 3000};
    back = decoded(bytesOf(start));
    EXPECT_EQ(back.start.round, 7);
    EXPECT_EQ(back.start.countdown, 3000);

    Message board;
    board.type = BoardMessage;
    board.board = sampleBoard();
    back = decoded(bytesOf(board));
    EXPECT_TRUE(back.board == board.board) << "the board state changed on its way";

    Message cleared;
    cleared.type = ClearMessage;
    cleared.cleared.round = 2;
    cleared.cleared.count = 2;
    cleared.cleared.rows[0] = 17;
    cleared.cleared.rows[1] = 19;
    for (int k = 0; k < 2; ++k)
        for (int c = 0; c < 10; ++c) cleared.cleared.cells[k][c] = uint8_t((c + k) % 7 + 1);
    back = decoded(bytesOf(cleared));
    EXPECT_EQ(back.cleared.count, 2);
    EXPECT_EQ(back.cleared.rows[1], 19);
    EXPECT_EQ(0, std::memcmp(back.cleared.cells, cleared.cleared.cells, sizeof back.cleared.cells));

    Message garbage = garbageOf({rowWithHoles({0}), rowWithHoles({3, 4}), rowWithHoles({9})});
    back = decoded(bytesOf(garbage));
    EXPECT_EQ(back.garbage.count, 3);
    EXPECT_EQ(0, std::memcmp(back.garbage.cells, garbage.garbage.cells, sizeof back.garbage.cells));

    Message over;
    over.type = GameOverMessage;
    over.gameOver = {4, 1, 123456};
    back = decoded(bytesOf(over));
    EXPECT_EQ(back.gameOver.round, 4);
    EXPECT_EQ(back.gameOver.lost, 1);
    EXPECT_EQ(back.gameOver.time, 123456u);

    Message leave;
    leave.type = LeaveMessage;
    leave.leaveReason = 1;
    EXPECT_EQ(decoded(bytesOf(leave)).leaveReason, 1);

    Message room;
    room.type = RoomMessage;
    room.room.code = "Brixel42";
    EXPECT_EQ(decoded(bytesOf(room)).room.code, "Brixel42");

    Message status;
    status.type = RoomStatusMessage;
    status.roomStatus = RoomFull;
    EXPECT_EQ(decoded(bytesOf(status)).roomStatus, RoomFull);
}

// A board read into a message that held a board with more waiting rows keeps none of them.
TEST(Protocol, ABoardReadsIntoAUsedMessageWithoutItsLeftovers) {
    Message used;
    used.type = BoardMessage;
    used.board = sampleBoard();
    ASSERT_EQ(decode(bytesOf(used).data(), bytesOf(used).size(), used), Decoded);
    Message fewer;
    fewer.type = BoardMessage;
    fewer.board = sampleBoard();
    fewer.board.pendingGarbage = 2;
    for (int k = 2; k < maxWaitingRows; ++k) std::memset(fewer.board.pendingRows[k], 0, 10);
    const std::vector<uint8_t> bytes = bytesOf(fewer);
    ASSERT_EQ(decode(bytes.data(), bytes.size(), used), Decoded);
    EXPECT_TRUE(used.board == fewer.board)
        << "expected 2 waiting rows and zeros after them, got " << int(used.board.pendingGarbage)
        << " rows, row 2 starting " << int(used.board.pendingRows[2][0]);
}

// A live board, taken for sending and put back into a picture, is the same board.
TEST(Protocol, LiveBoardsSurviveTheWayAcross) {
    Random::Seed(99);
    BoardContext context;
    context.pendingGarbage[0] = context.pendingGarbage[1] = 0;
    PlayerProfile profile;
    Board board;
    board.init(context, profile, 0);
    board.aiMode = 2;
    for (int frame = 0; frame < 3000 && board.state != 2; ++frame) {
        board.dropMode = 2;
        board.update(7, 2);
        Message m;
        m.type = BoardMessage;
        m.board = captureBoard(board, context.pendingGarbage[0], context.garbage[0], 1);
        Message back = decoded(bytesOf(m));
        Board picture;
        showPicture(back.board, picture);
        ASSERT_EQ(0, std::memcmp(picture.field.grid, board.field.grid, sizeof board.field.grid))
            << "the picture's cells differ from the board's after frame " << frame;
        ASSERT_EQ(picture.state, board.state) << "frame " << frame;
        ASSERT_EQ(picture.field.pieceHeight, board.field.pieceHeight) << "frame " << frame;
    }
}

// Every check of a received message, one bad packet a row.
TEST(Protocol, BadMessagesAreRefusedWithTheirReason) {
    auto hello = [](std::function<void(Message&)> change) {
        Message m = helloOf("Anna");
        change(m);
        return m;
    };
    auto board = [](std::function<void(BoardState&)> change) {
        Message m;
        m.type = BoardMessage;
        m.board = sampleBoard();
        change(m.board);
        return m;
    };
    auto patched = [](Message m, std::function<void(std::vector<uint8_t>&)> change) {
        Packet p;
        EXPECT_TRUE(encode(m, p));
        std::vector<uint8_t> bytes(p.bytes, p.bytes + p.size);
        change(bytes);
        return bytes;
    };
    Message start;
    start.type = StartMessage;
    Message over;
    over.type = GameOverMessage;
    Message cleared;
    cleared.type = ClearMessage;
    cleared.cleared.count = 2;
    cleared.cleared.rows[0] = 18;
    cleared.cleared.rows[1] = 19;
    for (auto& row : cleared.cleared.cells)
        for (uint8_t& cell : row) cell = 3;

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        DecodeResult expected;
    };
    const Case cases[] = {
        {"nothing at all", {}, EmptyPacket},
        {"type 0", {0, 1, 2}, UnknownType},
        {"type past the last", {RoomStatusMessage + 1}, UnknownType},
        {"a hello of another version", patched(helloOf("Anna"), [](auto& b) { b[1] = protocolVersion + 1; }),
         OtherVersion},
        {"a hello cut in the name", patched(helloOf("Anna"), [](auto& b) { b.resize(9); }),
         WrongSize},
        {"a hello with bytes after it", patched(helloOf("Anna"), [](auto& b) { b.push_back(0); }),
         WrongSize},
        {"a name longer than the game allows",
         patched(helloOf("Anna"),
                 [](auto& b) {
                     b[7] = 21; // the name's length byte
                     b.insert(b.begin() + 8, 17, 'x');
                 }),
         WrongSize},
        {"an empty name", bytesOf(hello([](Message& m) { m.hello.name = ""; })), BadName},
        {"a path as the name", bytesOf(hello([](Message& m) { m.hello.name = "../data/x"; })),
         BadName},
        {"a name with a control character",
         bytesOf(hello([](Message& m) { m.hello.name = "An\nna"; })), BadName},
        {"a name with a colon", bytesOf(hello([](Message& m) { m.hello.name = "C:x"; })),
         BadName},
        {"a version that is no number",
         bytesOf(hello([](Message& m) { m.hello.gameVersion = "1.2b"; })), OutOfRange},
        {"endless neither 0 nor 1", bytesOf(hello([](Message& m) { m.hello.endless = 2; })),
         OutOfRange},
        {"a count-down past five seconds",
         patched(start, [](auto& b) { b[3] = 0x89, b[4] = 0x13; }), OutOfRange},
        {"a start one byte short", patched(start, [](auto& b) { b.pop_back(); }), WrongSize},
        {"a board one byte short", patched(board([](auto&) {}), [](auto& b) { b.pop_back(); }),
         WrongSize},
        {"a board one byte long", patched(board([](auto&) {}), [](auto& b) { b.push_back(0); }),
         WrongSize},
        {"a board state 3", bytesOf(board([](auto& s) { s.state = 3; })), OutOfRange},
        {"a piece type 7", bytesOf(board([](auto& s) { s.currentType = 7; })), OutOfRange},
        {"a next piece type 9", bytesOf(board([](auto& s) { s.nextType = 9; })), OutOfRange},
        {"a rotation 4", bytesOf(board([](auto& s) { s.rotation = 4; })), OutOfRange},
        {"a piece far right", bytesOf(board([](auto& s) { s.pieceColumn = 11; })), OutOfRange},
        {"a piece below the floor", bytesOf(board([](auto& s) { s.pieceHeight = 20001; })),
         OutOfRange},
        {"a negative height", bytesOf(board([](auto& s) { s.pieceHeight = -1; })), OutOfRange},
        {"21 waiting rows", bytesOf(board([](auto& s) { s.pendingGarbage = 21; })), OutOfRange},
        {"a board short of its last waiting row",
         patched(board([](auto&) {}), [](auto& b) { b.erase(b.end() - 5, b.end()); }), WrongSize},
        {"a board with a waiting row too many",
         patched(board([](auto&) {}), [](auto& b) { b.insert(b.end(), 5, 0x11); }), WrongSize},
        {"a waiting row without a hole",
         bytesOf(board([](auto& s) { std::memset(s.pendingRows[6], 4, 10); })), OutsideRules},
        {"a waiting row of five holes",
         bytesOf(board([](auto& s) { std::memset(s.pendingRows[0], 0, 5); })), OutsideRules},
        {"a waiting row with a cell value 9",
         bytesOf(board([](auto& s) { s.pendingRows[2][5] = 9; })), BadCells},
        {"a board count-down past five seconds",
         bytesOf(board([](auto& s) { s.countdown = 5001; })), OutOfRange},
        {"a clear of five rows", bytesOf(board([](auto& s) { s.state = 1, s.lastLines = 5; })),
         OutOfRange},
        {"a clear pause without rows", bytesOf(board([](auto& s) { s.state = 1; })),
         OutsideRules},
        {"a cell value 8 (a wall)", bytesOf(board([](auto& s) { s.cells[3][3] = 8; })), BadCells},
        {"a cell value 15", bytesOf(board([](auto& s) { s.cells[19][9] = 15; })), BadCells},
        {"a full row left standing", bytesOf(board([](auto& s) {
             for (uint8_t& cell : s.cells[10]) cell = 2;
         })),
         OutsideRules},
        {"a falling piece inside the locked blocks",
         bytesOf(board([](auto& s) { s.pieceHeight = 16000; })), OutsideRules},
        {"a falling piece in the wall", bytesOf(board([](auto& s) { s.pieceColumn = -3; })),
         OutsideRules},
        {"garbage of one row (a single clear sends none)",
         bytesOf(garbageOf({rowWithHoles({0})})), OutsideRules},
        {"garbage of five rows", patched(garbageOf({rowWithHoles({0}), rowWithHoles({1})}),
                                         [](auto& b) {
                                             b[3] = 5;
                                             b.resize(4 + 50, 1);
                                         }),
         OutsideRules},
        {"garbage cut short",
         patched(garbageOf({rowWithHoles({0}), rowWithHoles({1})}), [](auto& b) { b.pop_back(); }),
         WrongSize},
        {"a garbage row without a hole", bytesOf(garbageOf({fullRow, rowWithHoles({1})})),
         OutsideRules},
        {"garbage with more holes than a piece has cells",
         bytesOf(garbageOf({rowWithHoles({0, 1, 2}), rowWithHoles({1, 2})})), OutsideRules},
        {"a garbage cell value 9", patched(garbageOf({rowWithHoles({0}), rowWithHoles({1})}),
                                           [](auto& b) { b[5] = 9; }),
         BadCells},
        {"a clear of no rows", patched(cleared, [](auto& b) { b[3] = 0, b.resize(4); }),
         OutOfRange},
        {"a clear of row 20", patched(cleared, [](auto& b) { b[15] = 20; }), OutOfRange},
        {"cleared rows out of order", patched(cleared, [](auto& b) { b[4] = 19, b[15] = 18; }),
         OutsideRules},
        {"cleared rows further apart than a piece", patched(cleared, [](auto& b) { b[4] = 2; }),
         OutsideRules},
        {"a cleared row with a hole", patched(cleared, [](auto& b) { b[6] = 0; }), BadCells},
        {"a game over neither lost nor standing", patched(over, [](auto& b) { b[3] = 2; }),
         OutOfRange},
        {"a game over past 100 hours", patched(over, [](auto& b) { b[7] = 0x7f; }), OutOfRange},
        {"a game over one byte long", patched(over, [](auto& b) { b.push_back(0); }), WrongSize},
        {"a leave without its reason", {LeaveMessage}, WrongSize},
        {"a room code with a slash", {RoomMessage, 3, 'a', '/', 'b'}, BadName},
        {"a room code of 17 characters",
         [] {
             std::vector<uint8_t> b = {RoomMessage, 17};
             b.resize(19, 'a');
             return b;
         }(),
         WrongSize},
        {"a room status 5", {RoomStatusMessage, 5}, OutOfRange},
        {"a packet larger than any message", std::vector<uint8_t>(maxPacketSize + 1, BoardMessage),
         WrongSize},
    };
    for (const Case& c : cases) {
        Message m;
        const DecodeResult got = decode(c.bytes.data(), c.bytes.size(), m);
        EXPECT_EQ(got, c.expected)
            << c.what << ": expected refusal " << c.expected << ", got " << got;
    }
}

TEST(Protocol, NamesAreMadeSendable) {
    struct Case {
        std::string name, sent;
    };
    const Case cases[] = {
        {"Anna", "Anna"},
        {"J\xFCrgen", "J\xFCrgen"},
        {"a/b:c", "a_b_c"},
        {"", "_"},
        {std::string(30, 'x'), std::string(20, 'x')},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sendableName(c.name), c.sent) << "for the name \"" << c.name << "\"";
        EXPECT_TRUE(isValidName(sendableName(c.name))) << "for the name \"" << c.name << "\"";
    }
}
