#include "game/PlayField.h"

#include <algorithm>
#include <iterator>

#include "game/Random.h"

namespace {

// The seven pieces, each drawn as its four rotations side by side (rotation 0 to 3 from left to
// right, box row 0 at the top). A digit is the cell value (type + 1), a dot is empty. Rotation
// + 1 turns the piece clockwise as drawn.
constexpr const char* pieceDrawings[PlayField::pieceTypes][4] = {
    // Type 0, the straight piece.
    {"1... 1111 1... 1111", //
     "1... .... 1... ....", //
     "1... .... 1... ....", //
     "1... .... 1... ...."},
    // Type 1, the square.
    {"22.. 22.. 22.. 22..", //
     "22.. 22.. 22.. 22..", //
     ".... .... .... ....", //
     ".... .... .... ...."},
    // Type 2.
    {".3.. 33.. .3.. 33..", //
     "33.. .33. 33.. .33.", //
     "3... .... 3... ....", //
     ".... .... .... ...."},
    // Type 3.
    {"4... .44. 4... .44.", //
     "44.. 44.. 44.. 44..", //
     ".4.. .... .4.. ....", //
     ".... .... .... ...."},
    // Type 4.
    {"55.. 555. ..5. ....", //
     "5... ..5. ..5. 5...", //
     "5... .... .55. 555.", //
     ".... .... .... ...."},
    // Type 5.
    {"6... 666. .66. ....", //
     "6... 6... ..6. ..6.", //
     "66.. .... ..6. 666.", //
     ".... .... .... ...."},
    // Type 6.
    {"7... 777. ..7. ....", //
     "77.. .7.. .77. .7..", //
     "7... .... ..7. 777.", //
     ".... .... .... ...."},
};

constexpr PlayField::PieceTable buildPieceTable() {
    PlayField::PieceTable table{};
    for (int type = 0; type < PlayField::pieceTypes; ++type) {
        int found[4] = {0, 0, 0, 0};
        for (int boxRow = 0; boxRow < 4; ++boxRow) {
            for (int rotation = 0; rotation < 4; ++rotation) {
                for (int boxColumn = 0; boxColumn < 4; ++boxColumn) {
                    char drawn = pieceDrawings[type][boxRow][rotation * 5 + boxColumn];
                    int32_t value = drawn == '.' ? 0 : drawn - '0';
                    table.cells[type][boxRow][rotation][boxColumn] = value;
                    if (value != 0 && found[rotation] < 4) {
                        table.blocks[type][rotation][found[rotation]][0] = int8_t(boxRow);
                        table.blocks[type][rotation][found[rotation]][1] = int8_t(boxColumn);
                        ++found[rotation];
                    }
                }
            }
        }
    }
    return table;
}

} // namespace

constinit const PlayField::PieceTable PlayField::pieceTable = buildPieceTable();

int32_t PlayField::pieceCell(int type, int boxRow, int rotation, int boxColumn) {
    if (type < 0 || type >= pieceTypes || boxRow < 0 || boxRow > 3 || rotation < 0 ||
        rotation > 3 || boxColumn < 0 || boxColumn > 3)
        return 0;
    return pieceTable.cells[type][boxRow][rotation][boxColumn];
}

void PlayField::reset() {
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            int32_t value = 0;
            if (column == 0 || column == columns - 1)
                value = wallCell;
            else if (row == floorRow)
                value = floorCell;
            cell(column, row) = value;
        }
    }
    currentType = Random::Draw() % pieceTypes;
    nextType = Random::Draw() % pieceTypes;
    placeNewPiece();
    firstFullRow = 0;
    for (int32_t& flag : fullRowFlags) flag = 0;
}

void PlayField::copyFrom(const PlayField& other) {
    std::copy(std::begin(other.grid), std::end(other.grid), std::begin(grid));
    currentType = other.currentType;
    nextType = other.nextType;
    pieceColumn = other.pieceColumn;
    pieceHeight = other.pieceHeight;
    rotation = other.rotation;
    firstFullRow = other.firstFullRow;
    for (int i = 0; i < 3; ++i) fullRowFlags[i] = other.fullRowFlags[i];
}

void PlayField::spawnNext() {
    currentType = nextType;
    nextType = Random::Draw() % pieceTypes;
    placeNewPiece();
}

// A new piece stands in column 4 one row down; the straight piece starts lying.
void PlayField::placeNewPiece() {
    pieceColumn = 4;
    pieceHeight = 1000;
    rotation = currentType == 0 ? 1 : 0;
}

int PlayField::collide() const {
    if (currentType < 0 || currentType >= pieceTypes || rotation < 0 || rotation > 3)
        return hitsWall;
    int result = fits;
    const int baseRow = pieceHeight / 1000;
    for (const auto& block : pieceTable.blocks[currentType][rotation]) {
        const int column = pieceColumn + 1 + block[1];
        const int row = baseRow + block[0];
        if (column < 0 || column >= columns || row < 0 || row >= rows) return hitsWall;
        if (cell(column, row) == 0) continue;
        // A block in a wall column above the bottom row is the wall; the bottom row is floor.
        if (row < floorRow && cell(column, row + 1) == wallCell) return hitsWall;
        result = hitsBlock;
    }
    return result;
}

bool PlayField::moveRight() {
    ++pieceColumn;
    if (collide() == fits) return false;
    --pieceColumn;
    return true;
}

bool PlayField::moveLeft() {
    --pieceColumn;
    if (collide() == fits) return false;
    ++pieceColumn;
    return true;
}

bool PlayField::rotate(bool clockwise) {
    const int32_t oldRotation = rotation;
    const int32_t oldColumn = pieceColumn;
    rotation = clockwise ? (rotation + 1) % 4 : (rotation + 3) % 4;
    int result = collide();
    // Against a wall the turned piece walks left until it fits or meets a block; from column -1
    // (only the left wall is there) it moves one column right instead.
    while (result == hitsWall) {
        if (pieceColumn <= -1) {
            pieceColumn = 0;
            result = collide() == fits ? fits : hitsBlock;
            break;
        }
        --pieceColumn;
        result = collide();
    }
    if (result == fits) return true;
    rotation = oldRotation;
    pieceColumn = oldColumn;
    return false;
}

bool PlayField::drop(int32_t amount) {
    // Whole rows first, so that a piece never passes through a row it did not test.
    while (amount > 1000) {
        if (drop(1000)) return true;
        amount -= 1000;
    }
    pieceHeight += amount;
    if (collide() == fits) return false;
    if (currentType < 0 || currentType >= pieceTypes || rotation < 0 || rotation > 3) return true;
    // Lands one row above the row that collided.
    const int baseRow = pieceHeight / 1000 - 1;
    const int32_t value = currentType + 1;
    for (const auto& block : pieceTable.blocks[currentType][rotation]) {
        const int column = pieceColumn + 1 + block[1];
        const int row = baseRow + block[0];
        if (column > 0 && column < columns - 1 && row >= 0 && row < floorRow)
            cell(column, row) = value;
    }
    return true;
}

bool PlayField::rowIsFull(int row) const {
    for (int column = 1; column < columns - 1; ++column)
        if (cell(column, row) == 0) return false;
    return true;
}

int PlayField::findFullRows() {
    int count = 0;
    for (int32_t& flag : fullRowFlags) flag = 0;
    for (int row = 0; row < floorRow; ++row) {
        if (!rowIsFull(row)) continue;
        if (count == 0) {
            firstFullRow = row;
            count = 1;
        } else if (row - firstFullRow <= 3) {
            fullRowFlags[row - firstFullRow - 1] = 1;
            ++count;
        }
    }
    return count;
}

// Every row above moves down by one; row 0 becomes empty. Walls stay.
void PlayField::removeRow(int row) {
    for (int column = 1; column < columns - 1; ++column) {
        int32_t* cells = &grid[column * rows];
        for (int r = row; r > 0; --r) cells[r] = cells[r - 1];
        cells[0] = 0;
    }
}

void PlayField::removeFullRows() {
    // From the top down, so the rows still to remove keep their numbers. A row is checked
    // again, so a stale search never removes a row that is not full.
    if (firstFullRow >= 0 && firstFullRow < floorRow && rowIsFull(firstFullRow))
        removeRow(firstFullRow);
    for (int i = 0; i < 3; ++i) {
        const int row = firstFullRow + 1 + i;
        if (fullRowFlags[i] != 0 && row >= 0 && row < floorRow && rowIsFull(row)) removeRow(row);
    }
}

int32_t PlayField::landingHeight(PlayField& scratch) const {
    scratch.copyFrom(*this);
    scratch.drop(21000);
    return scratch.pieceHeight;
}
