#pragma once
#include <cstdint>

#include "game/PlayField.h"

class Board;

// Chooses the rotation and column of a freshly spawned piece by trying every placement (and,
// with look-ahead, every placement of the next piece after it) and scoring the fields they
// leave. It only moves the live field's piece; the board then lets it fall.
class ComputerPlayer {
public:
    static constexpr int32_t worstScore = -2000000000;

    // Sets the board's live piece to the best rotation and column, at its spawn height.
    void placePiece(Board& board, bool lookAhead);
    void placePiece(PlayField& live, bool lookAhead);

    // Score of a field after the drop; L1 and L2 are the rows cleared by the first and the
    // second piece. Higher is better.
    static int32_t evaluate(const PlayField& field, int l1, int l2);

    // Rotations worth trying for a piece type (1, 2 or 4).
    static int rotationsOf(int type);

private:
    // Best score of the next piece over all its placements on `field` (already spawned).
    int32_t bestNextScore(int l1);

    // Reused for every search: nothing is allocated while searching.
    PlayField candidate;
    PlayField dropped;
    PlayField nextCandidate;
    PlayField nextDropped;
};
