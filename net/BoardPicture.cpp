#include "net/BoardPicture.h"

#include "game/Board.h"
#include "game/PlayField.h"

namespace net {

BoardState captureBoard(const Board& board, int32_t pending, const int32_t (*rows)[fieldColumns],
                        uint16_t round) {
    BoardState b;
    const PlayField& f = board.field;
    b.round = round;
    b.state = uint8_t(board.state);
    b.currentType = uint8_t(f.currentType);
    b.nextType = uint8_t(f.nextType);
    b.rotation = uint8_t(f.rotation);
    b.pieceColumn = int8_t(f.pieceColumn);
    b.pieceHeight = f.pieceHeight;
    b.firstFullRow = uint8_t(f.firstFullRow);
    b.fullRowFlags = uint8_t((f.fullRowFlags[0] != 0) | (f.fullRowFlags[1] != 0) << 1 |
                             (f.fullRowFlags[2] != 0) << 2);
    b.lastLines = uint8_t(board.state == 1 ? board.lastLines : 0);
    b.clearTimer = uint16_t(board.state == 1 && board.clearTimer > 0 ? board.clearTimer : 0);
    b.pendingGarbage = uint8_t(pending < 0                ? 0
                               : pending > maxWaitingRows ? maxWaitingRows
                                                          : pending);
    for (int k = 0; k < b.pendingGarbage; ++k)
        for (int column = 0; column < fieldColumns; ++column)
            b.pendingRows[k][column] = uint8_t(rows[k][column]);
    b.pieces = uint32_t(board.pieces);
    b.totalLines = uint32_t(board.totalLines);
    for (int row = 0; row < fieldRows; ++row)
        for (int column = 0; column < fieldColumns; ++column)
            b.cells[row][column] = uint8_t(f.cell(column + 1, row));
    return b;
}

void toField(const BoardState& b, PlayField& f) {
    for (int column = 0; column < PlayField::columns; ++column) {
        for (int row = 0; row < PlayField::rows; ++row) {
            int32_t value = 0;
            if (column == 0 || column == PlayField::columns - 1)
                value = PlayField::wallCell;
            else if (row == PlayField::floorRow)
                value = PlayField::floorCell;
            else
                value = b.cells[row][column - 1];
            f.cell(column, row) = value;
        }
    }
    f.currentType = b.currentType;
    f.nextType = b.nextType;
    f.rotation = b.rotation;
    f.pieceColumn = b.pieceColumn;
    f.pieceHeight = b.pieceHeight;
    f.firstFullRow = b.firstFullRow;
    for (int k = 0; k < 3; ++k) f.fullRowFlags[k] = (b.fullRowFlags >> k) & 1;
}

void showPicture(const BoardState& b, Board& shown) {
    toField(b, shown.field);
    shown.state = b.state;
    shown.lastLines = b.lastLines;
    shown.clearTimer = b.clearTimer;
    shown.pieces = int32_t(b.pieces > 0x7fffffffu ? 0x7fffffffu : b.pieces);
    shown.totalLines = int32_t(b.totalLines > 0x7fffffffu ? 0x7fffffffu : b.totalLines);
    shown.shadowHeight = 0;
}

bool isWithinRules(const BoardState& b) {
    for (const auto& row : b.cells) {
        int filled = 0;
        for (uint8_t cell : row) filled += cell != 0;
        if (filled == fieldColumns) return false;
    }
    if (b.state != 0) return true;
    PlayField field;
    toField(b, field);
    return field.collide() == PlayField::fits;
}

} // namespace net
