#pragma once
#include <cstdint>

// One player's walled grid with the falling piece and the next one. Pure rules: no time, no
// input, no drawing. Columns 0 and 11 are walls, row 20 is the floor; the playable area is
// columns 1 to 10, rows 0 to 19.
class PlayField {
public:
    static constexpr int columns = 12;
    static constexpr int rows = 21;
    static constexpr int floorRow = 20;
    static constexpr int pieceTypes = 7;

    // Cell values besides 0 (empty) and 1..7 (a locked block of type value - 1).
    static constexpr int32_t wallCell = 8;
    static constexpr int32_t floorCell = 9;

    // Collision results of collide().
    static constexpr int fits = 0;
    static constexpr int hitsBlock = 1;
    static constexpr int hitsWall = 2;

    // The seven shapes in four rotations: cells[type][box row][rotation][box column] holds the
    // cell value (type + 1) or 0. blocks[type][rotation] lists the four filled cells as
    // {box row, box column} pairs.
    struct PieceTable {
        int32_t cells[pieceTypes][4][4][4];
        int8_t blocks[pieceTypes][4][4][2];
    };
    static const PieceTable pieceTable;

    // Cell value of the piece table, 0 for indices outside it.
    static int32_t pieceCell(int type, int boxRow, int rotation, int boxColumn);

    // Walls, floor and empty cells; a current and a next piece drawn.
    void reset();
    // Grid and piece fields (currentType to fullRowFlags) of another field.
    void copyFrom(const PlayField& other);
    // The next piece falls; a new next piece is drawn.
    void spawnNext();
    // fits (0), hitsBlock (1) or hitsWall (2) for the falling piece where it stands.
    int collide() const;
    // true when blocked (the piece stays), false when it moved.
    bool moveRight();
    bool moveLeft();
    // true when the piece turned (possibly shifted off a wall), false when it stays unchanged.
    bool rotate(bool clockwise);
    // Moves the piece down by amount thousandths of a row, never skipping a row; true when it
    // landed and was written into the grid.
    bool drop(int32_t amount);
    // Number of full rows (0..4); sets firstFullRow and fullRowFlags.
    int findFullRows();
    // Removes the rows found by the last findFullRows that are still full.
    void removeFullRows();
    // Where the falling piece would land (its pieceHeight), worked out on `scratch`.
    int32_t landingHeight(PlayField& scratch) const;

    int32_t& cell(int column, int row) { return grid[column * rows + row]; }
    int32_t cell(int column, int row) const { return grid[column * rows + row]; }

    // Column by column: the cell of column k, row r is grid[k * 21 + r].
    int32_t grid[columns * rows] = {};
    int32_t currentType = 0;
    int32_t nextType = 0;
    int32_t pieceColumn = 4;    // box column j lies in grid column pieceColumn + 1 + j
    int32_t pieceHeight = 1000; // thousandths of a row; box row i is in row pieceHeight/1000 + i
    int32_t rotation = 0;
    int32_t firstFullRow = 0;
    int32_t fullRowFlags[3] = {}; // rows firstFullRow + 1, + 2, + 3 are full as well

private:
    void placeNewPiece();
    bool rowIsFull(int row) const;
    void removeRow(int row);
};
