#include "net/Protocol.h"

#include <string_view>

#include "net/BoardPicture.h"

namespace net {

namespace {

// Windows-1252 bytes of the name field: letters with umlauts, digits, the space and the
// punctuation that is safe in a file name.
constexpr std::string_view nameSet = "1234567890abcdefghijklmnopqrstuvwxyz\xE4\xF6\xFC"
                                     "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xDC\xDF"
                                     " ^\xB0!\xA7$%&()=`\xB4\xB2\xB3{[]}+'#~-_,;\xB5@\x80";

// The exact size of each fixed-size message, by type; 0 for those with text. A board message
// has this size and then five bytes for each waiting row.
constexpr size_t boardSize = 1 + 2 + 5 + 4 + 3 + 2 + 1 + 2 + 4 + 4 + fieldRows * fieldColumns / 2;
constexpr size_t waitingRowSize = fieldColumns / 2;
constexpr size_t startSize = 1 + 2 + 2;
constexpr size_t gameOverSize = 1 + 2 + 1 + 4;
constexpr size_t leaveSize = 1 + 1;
constexpr size_t roomStatusSize = 1 + 1;

class Writer {
public:
    explicit Writer(Packet& p) : packet(p) { packet.size = 0; }
    void u8(uint32_t v) {
        if (packet.size < maxPacketSize) packet.bytes[packet.size] = uint8_t(v);
        ++packet.size;
    }
    void u16(uint32_t v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(uint32_t v) {
        u16(v);
        u16(v >> 16);
    }
    void text(const std::string& s) {
        u8(uint32_t(s.size()));
        for (char c : s) u8(uint8_t(c));
    }
    bool fits() const { return packet.size <= maxPacketSize; }

private:
    Packet& packet;
};

// Reads little-endian fields; reading past the end sets `overrun` and yields zeros.
class Reader {
public:
    Reader(const uint8_t* d, size_t n) : data(d), size(n) {}
    uint32_t u8() {
        if (at >= size) {
            overrun = true;
            return 0;
        }
        return data[at++];
    }
    uint32_t u16() {
        uint32_t low = u8();
        return low | u8() << 8;
    }
    uint32_t u32() {
        uint32_t low = u16();
        return low | u16() << 16;
    }
    // A length byte and that many bytes; false when longer than `limit` or cut short.
    bool text(std::string& out, size_t limit) {
        const size_t length = u8();
        if (overrun || length > limit || size - at < length) return false;
        out.assign(reinterpret_cast<const char*>(data + at), length);
        at += length;
        return true;
    }
    bool atEnd() const { return !overrun && at == size; }
    bool overrun = false;

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

bool isVersionText(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '.')) return false;
    return true;
}

// Rows of locked cells: each 0 (empty) or a block type 1..7.
bool cellsInRange(const uint8_t (*cells)[fieldColumns], int count) {
    for (int k = 0; k < count; ++k)
        for (int column = 0; column < fieldColumns; ++column)
            if (cells[k][column] > 7) return false;
    return true;
}

int holesIn(const uint8_t* row) {
    int holes = 0;
    for (int column = 0; column < fieldColumns; ++column) holes += row[column] == 0;
    return holes;
}

// Two cells a byte, row by row.
void writeCells(Writer& w, const uint8_t (*cells)[fieldColumns], int rows) {
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < fieldColumns; column += 2)
            w.u8(uint32_t(cells[row][column] & 15) | uint32_t(cells[row][column + 1] & 15) << 4);
}

void readCells(Reader& r, uint8_t (*cells)[fieldColumns], int rows) {
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < fieldColumns; column += 2) {
            const uint32_t pair = r.u8();
            cells[row][column] = uint8_t(pair & 15);
            cells[row][column + 1] = uint8_t(pair >> 4);
        }
    }
}

void writeBoard(Writer& w, const BoardState& b) {
    w.u16(b.round);
    w.u8(b.state);
    w.u8(b.currentType);
    w.u8(b.nextType);
    w.u8(b.rotation);
    w.u8(uint8_t(b.pieceColumn));
    w.u32(uint32_t(b.pieceHeight));
    w.u8(b.firstFullRow);
    w.u8(b.fullRowFlags);
    w.u8(b.lastLines);
    w.u16(b.clearTimer);
    w.u8(b.pendingGarbage);
    w.u16(b.countdown);
    w.u32(b.pieces);
    w.u32(b.totalLines);
    writeCells(w, b.cells, fieldRows);
    writeCells(w, b.pendingRows,
               b.pendingGarbage < maxWaitingRows ? b.pendingGarbage : maxWaitingRows);
}

DecodeResult readBoard(Reader& r, BoardState& b) {
    b = BoardState{}; // the rows past the waiting ones are zero, whatever was read before
    b.round = uint16_t(r.u16());
    b.state = uint8_t(r.u8());
    b.currentType = uint8_t(r.u8());
    b.nextType = uint8_t(r.u8());
    b.rotation = uint8_t(r.u8());
    b.pieceColumn = int8_t(uint8_t(r.u8()));
    b.pieceHeight = int32_t(r.u32());
    b.firstFullRow = uint8_t(r.u8());
    b.fullRowFlags = uint8_t(r.u8());
    b.lastLines = uint8_t(r.u8());
    b.clearTimer = uint16_t(r.u16());
    b.pendingGarbage = uint8_t(r.u8());
    b.countdown = uint16_t(r.u16());
    b.pieces = r.u32();
    b.totalLines = r.u32();
    readCells(r, b.cells, fieldRows);
    if (b.pendingGarbage > maxWaitingRows) return OutOfRange;
    readCells(r, b.pendingRows, b.pendingGarbage);
    if (!r.atEnd()) return WrongSize;
    if (b.state > 2 || b.currentType > 6 || b.nextType > 6 || b.rotation > 3 ||
        b.pieceColumn < -3 || b.pieceColumn > 10 || b.pieceHeight < 0 ||
        b.pieceHeight > fieldRows * 1000 || b.firstFullRow >= fieldRows || b.fullRowFlags > 7 ||
        b.lastLines > maxRowsPerClear || b.clearTimer > maxRowsPerClear * 1000 ||
        b.countdown > maxCountdown)
        return OutOfRange;
    if (b.state == 1 && b.lastLines == 0) return OutsideRules;
    if (!cellsInRange(b.cells, fieldRows) || !cellsInRange(b.pendingRows, b.pendingGarbage))
        return BadCells;
    // A waiting row is a cleared row less the landed piece's cells: one to four holes.
    for (int k = 0; k < b.pendingGarbage; ++k) {
        const int holes = holesIn(b.pendingRows[k]);
        if (holes < 1 || holes > maxRowsPerClear) return OutsideRules;
    }
    return isWithinRules(b) ? Decoded : OutsideRules;
}

} // namespace

bool isValidName(const std::string& name) {
    if (name.empty() || name.size() > size_t(maxNameLength)) return false;
    for (char c : name)
        if (nameSet.find(c) == std::string_view::npos) return false;
    return true;
}

std::string sendableName(const std::string& name) {
    std::string out = name.substr(0, maxNameLength);
    for (char& c : out)
        if (nameSet.find(c) == std::string_view::npos) c = '_';
    return out.empty() ? "_" : out;
}

bool isValidRoomCode(const std::string& code) {
    if (code.empty() || code.size() > size_t(maxRoomCodeLength)) return false;
    for (char c : code)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    return true;
}

bool encode(const Message& m, Packet& out) {
    Writer w(out);
    w.u8(m.type);
    switch (m.type) {
    case HelloMessage:
        if (m.hello.gameVersion.size() > size_t(maxVersionLength) ||
            m.hello.name.size() > size_t(maxNameLength))
            return false;
        w.u16(m.hello.protocol);
        w.text(m.hello.gameVersion);
        w.text(m.hello.name);
        w.u8(m.hello.endless);
        break;
    case StartMessage:
        w.u16(m.start.round);
        w.u16(m.start.countdown);
        break;
    case BoardMessage:
        writeBoard(w, m.board);
        break;
    case ClearMessage:
        if (m.cleared.count > maxRowsPerClear) return false;
        w.u16(m.cleared.round);
        w.u8(m.cleared.count);
        for (int k = 0; k < m.cleared.count; ++k) {
            w.u8(m.cleared.rows[k]);
            for (uint8_t cell : m.cleared.cells[k]) w.u8(cell);
        }
        break;
    case GarbageMessage:
        if (m.garbage.count > maxRowsPerClear) return false;
        w.u16(m.garbage.round);
        w.u8(m.garbage.count);
        for (int k = 0; k < m.garbage.count; ++k)
            for (uint8_t cell : m.garbage.cells[k]) w.u8(cell);
        break;
    case GameOverMessage:
        w.u16(m.gameOver.round);
        w.u8(m.gameOver.lost);
        w.u32(m.gameOver.time);
        break;
    case LeaveMessage:
        w.u8(m.leaveReason);
        break;
    case RoomMessage:
        if (m.room.code.size() > size_t(maxRoomCodeLength)) return false;
        w.text(m.room.code);
        break;
    case RoomStatusMessage:
        w.u8(m.roomStatus);
        break;
    default:
        return false;
    }
    return w.fits();
}

DecodeResult decode(const uint8_t* data, size_t size, Message& m) {
    if (data == nullptr || size == 0) return EmptyPacket;
    if (size > maxPacketSize) return WrongSize;
    Reader r(data, size);
    const uint32_t type = r.u8();
    if (type < HelloMessage || type > RoomStatusMessage) return UnknownType;
    m.type = MessageType(type);
    switch (m.type) {
    case HelloMessage: {
        m.hello.protocol = uint16_t(r.u16());
        if (r.overrun) return WrongSize;
        // Another version may lay out the rest differently: only the version is read.
        if (m.hello.protocol != protocolVersion) return OtherVersion;
        if (!r.text(m.hello.gameVersion, maxVersionLength)) return WrongSize;
        if (!r.text(m.hello.name, maxNameLength)) return WrongSize;
        m.hello.endless = uint8_t(r.u8());
        if (!r.atEnd()) return WrongSize;
        if (!isVersionText(m.hello.gameVersion)) return OutOfRange;
        if (!isValidName(m.hello.name)) return BadName;
        if (m.hello.endless > 1) return OutOfRange;
        return Decoded;
    }
    case StartMessage:
        if (size != startSize) return WrongSize;
        m.start.round = uint16_t(r.u16());
        m.start.countdown = uint16_t(r.u16());
        return m.start.countdown <= maxCountdown ? Decoded : OutOfRange;
    case BoardMessage:
        if (size < boardSize || (size - boardSize) % waitingRowSize != 0) return WrongSize;
        return readBoard(r, m.board);
    case ClearMessage: {
        m.cleared.round = uint16_t(r.u16());
        m.cleared.count = uint8_t(r.u8());
        if (r.overrun) return WrongSize;
        if (m.cleared.count < 1 || m.cleared.count > maxRowsPerClear) return OutOfRange;
        if (size != 4 + size_t(m.cleared.count) * (1 + fieldColumns)) return WrongSize;
        for (int k = 0; k < m.cleared.count; ++k) {
            m.cleared.rows[k] = uint8_t(r.u8());
            for (uint8_t& cell : m.cleared.cells[k]) cell = uint8_t(r.u8());
        }
        // Rows top down, within the four rows one piece can fill; every cell a block.
        for (int k = 0; k < m.cleared.count; ++k) {
            if (m.cleared.rows[k] >= fieldRows) return OutOfRange;
            if (k > 0 && m.cleared.rows[k] <= m.cleared.rows[k - 1]) return OutsideRules;
            if (m.cleared.rows[k] - m.cleared.rows[0] >= maxRowsPerClear) return OutsideRules;
            for (uint8_t cell : m.cleared.cells[k])
                if (cell < 1 || cell > 7) return BadCells;
        }
        return Decoded;
    }
    case GarbageMessage: {
        m.garbage.round = uint16_t(r.u16());
        m.garbage.count = uint8_t(r.u8());
        if (r.overrun) return WrongSize;
        // Only a clear of two to four rows pushes rows across.
        if (m.garbage.count < 2 || m.garbage.count > maxRowsPerClear) return OutsideRules;
        if (size != 4 + size_t(m.garbage.count) * fieldColumns) return WrongSize;
        for (int k = 0; k < m.garbage.count; ++k)
            for (uint8_t& cell : m.garbage.cells[k]) cell = uint8_t(r.u8());
        if (!cellsInRange(m.garbage.cells, m.garbage.count)) return BadCells;
        // Each row was full but for the cells of the piece that filled it: one to four holes
        // a row, four at most in all.
        int holes = 0;
        for (int k = 0; k < m.garbage.count; ++k) {
            const int h = holesIn(m.garbage.cells[k]);
            if (h < 1) return OutsideRules;
            holes += h;
        }
        return holes <= 4 ? Decoded : OutsideRules;
    }
    case GameOverMessage:
        if (size != gameOverSize) return WrongSize;
        m.gameOver.round = uint16_t(r.u16());
        m.gameOver.lost = uint8_t(r.u8());
        m.gameOver.time = r.u32();
        if (m.gameOver.lost > 1 || m.gameOver.time > uint32_t(maxGameTime)) return OutOfRange;
        return Decoded;
    case LeaveMessage:
        if (size != leaveSize) return WrongSize;
        m.leaveReason = uint8_t(r.u8());
        return Decoded;
    case RoomMessage:
        if (!r.text(m.room.code, maxRoomCodeLength) || !r.atEnd()) return WrongSize;
        return isValidRoomCode(m.room.code) ? Decoded : BadName;
    case RoomStatusMessage:
        if (size != roomStatusSize) return WrongSize;
        m.roomStatus = uint8_t(r.u8());
        return m.roomStatus <= RoomTimedOut ? Decoded : OutOfRange;
    }
    return UnknownType;
}

} // namespace net
