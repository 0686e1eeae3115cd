#pragma once
#include <cstdint>

#include "game/PlayField.h"

// Chooses the rotation and column of a freshly spawned piece by trying every placement (and,
// with look-ahead, every placement of the next piece after it) and scoring the fields they
// leave. It only moves the live field's piece; the board then lets it fall.
class ComputerPlayer {
public:
    static constexpr int32_t worstScore = -2000000000;

    // Sets the live piece to the best rotation and column, at its spawn height.
    void placePiece(PlayField& live, bool lookAhead);

    // Score of a field after the drop; L1 and L2 are the rows cleared by the first and the
    // second piece. Higher is better.
    static int32_t evaluate(const PlayField& field, int l1, int l2);

    // Rotations worth trying for a piece type (1, 2 or 4).
    static int rotationsOf(int type);

private:
    // What evaluate needs of one column: its top, its holes and the depth of its first hole
    // below the top (-1 when it has none).
    struct ColumnShape {
        int32_t top;
        int32_t holes;
        int32_t firstHoleDepth;
    };
    static ColumnShape shapeOf(const int32_t* cells);
    // The score of a field from the shapes of columns 1 to 10.
    static int32_t combine(const ColumnShape* shapes, int l1, int l2);

    // Best score of the next piece over all its placements on `dropped` (already spawned).
    int32_t bestNextScore(int l1);
    // The next piece dropped, cleared and scored on a copy.
    int32_t scoreOnCopy(int l1);
    // The same score without a copy when the landing clears no row: the piece is written into
    // nextCandidate, only the columns it touches are looked at again, and it is taken out.
    int32_t scoreInPlace(int l1);

    // Column shapes of `dropped`, the starting point of every next-piece placement.
    ColumnShape baseShapes[PlayField::columns] = {};
    // First non-empty row of every grid column of `dropped` (the floor and walls included).
    int32_t baseSurface[PlayField::columns] = {};

    // Reused for every search: nothing is allocated while searching.
    PlayField candidate;
    PlayField dropped;
    PlayField nextCandidate;
    PlayField nextDropped;
};
