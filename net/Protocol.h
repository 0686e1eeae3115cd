#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The messages two brixel games (and the relay) exchange, one message per ENet packet: a type
// byte, then fixed little-endian fields. Decoding checks everything a hostile peer could get
// wrong (sizes, counts, ranges, cell values, names, boards outside the rules) before a field is
// used; nothing it reads makes it allocate more than a name's worth.
namespace net {

constexpr uint16_t protocolVersion = 2;
constexpr uint16_t defaultPort = 27960;
constexpr int maxNameLength = 20;         // the game's profile name length
constexpr int maxVersionLength = 15;      // "1.2"
constexpr int maxRoomCodeLength = 16;     // letters and digits
constexpr int32_t maxGameTime = 36000000; // ticks: 100 hours
constexpr int32_t maxCountdown = 5000;    // milliseconds
constexpr size_t maxPacketSize = 240;
constexpr int fieldColumns = 10;
constexpr int fieldRows = 20;
constexpr int maxRowsPerClear = 4;
constexpr int maxWaitingRows = 20; // rows waiting to be pushed into a board, as in a local game

enum MessageType : uint8_t {
    HelloMessage = 1,  // protocol and game version, player name, endless duel
    StartMessage,      // a round starts after the count-down
    BoardMessage,      // the live state of the sender's board (unreliable, sequenced)
    ClearMessage,      // rows the sender's board cleared, for the far side's animation
    GarbageMessage,    // rows pushed into the receiver's waiting rows (reliable, ordered)
    GameOverMessage,   // the sender's end of a round: lost or still standing, at a game time
    LeaveMessage,      // the sender leaves the game
    RoomMessage,       // client to relay: the room code to meet in
    RoomStatusMessage, // relay to client: what became of the room
};

// Why a packet was refused (0 = taken).
enum DecodeResult {
    Decoded = 0,
    EmptyPacket,
    UnknownType,
    WrongSize,
    OutOfRange,
    BadName,
    BadCells,
    OutsideRules,
    OtherVersion, // a hello of another protocol version: only `protocol` is filled
};

// What the relay answers about a room.
enum RoomStatus : uint8_t {
    RoomWaiting = 0,      // the first client waits for the second
    RoomPairedFirst = 1,  // both are there; this client came first and leads (as a host does)
    RoomPairedSecond = 2, // both are there; this client joined the one waiting
    RoomFull = 3,         // two clients hold the code already
    RoomTimedOut = 4      // nobody else came
};

struct Hello {
    uint16_t protocol = protocolVersion;
    std::string gameVersion;
    std::string name;
    uint8_t endless = 0;
};

struct Start {
    uint16_t round = 0;
    uint16_t countdown = 0; // milliseconds
};

// What the far side needs to draw a board: the locked cells (0 empty, 1..7 a block of type
// value - 1), the falling and next piece, the clear in progress, the count-down and the rows
// waiting to be pushed in (the first `pendingGarbage` of `pendingRows`, the rest zero).
struct BoardState {
    uint16_t round = 0;
    uint8_t state = 0; // 0 falling, 1 pause after a clear, 2 game over
    uint8_t currentType = 0;
    uint8_t nextType = 0;
    uint8_t rotation = 0;
    int8_t pieceColumn = 0;
    int32_t pieceHeight = 0;
    uint8_t firstFullRow = 0;
    uint8_t fullRowFlags = 0; // bits 0..2: rows firstFullRow + 1..3 are full as well
    uint8_t lastLines = 0;
    uint16_t clearTimer = 0;
    uint8_t pendingGarbage = 0;
    uint16_t countdown = 0; // milliseconds until the round begins
    uint32_t pieces = 0;
    uint32_t totalLines = 0;
    uint8_t cells[fieldRows][fieldColumns] = {};
    uint8_t pendingRows[maxWaitingRows][fieldColumns] = {};

    bool operator==(const BoardState&) const = default;
};

struct RowsCleared {
    uint16_t round = 0;
    uint8_t count = 0;
    uint8_t rows[maxRowsPerClear] = {};
    uint8_t cells[maxRowsPerClear][fieldColumns] = {};
};

struct GarbageRows {
    uint16_t round = 0;
    uint8_t count = 0;
    uint8_t cells[maxRowsPerClear][fieldColumns] = {};
};

struct GameOver {
    uint16_t round = 0;
    uint8_t lost = 0;  // 1: the board lost at `time`; 0: it still stood at `time`
    uint32_t time = 0; // game ticks since the round began
};

struct Room {
    std::string code;
};

struct Message {
    MessageType type = HelloMessage;
    Hello hello;
    Start start;
    BoardState board;
    RowsCleared cleared;
    GarbageRows garbage;
    GameOver gameOver;
    uint8_t leaveReason = 0;
    Room room;
    uint8_t roomStatus = 0;
};

struct Packet {
    uint8_t bytes[maxPacketSize] = {};
    size_t size = 0;
};

// Writes the message of message.type; false when a field cannot be sent (a name too long).
bool encode(const Message& message, Packet& out);
// Reads and checks one packet; Decoded or why it was refused. Fields of a refused packet are
// not to be used.
DecodeResult decode(const uint8_t* data, size_t size, Message& out);

// A name the far side may show: 1 to maxNameLength characters of the profile name set.
bool isValidName(const std::string& name);
// The name as the far side will take it: characters outside the set become '_', cut to length.
std::string sendableName(const std::string& name);
bool isValidRoomCode(const std::string& code);

} // namespace net
