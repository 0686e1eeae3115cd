#include "game/ComputerPlayer.h"

#include "game/Board.h"

namespace {

// How much a step between neighbouring column tops costs: the difference itself plus these
// extras, which add up for big steps (a step of 7 costs 7 + 50 + 3 + 3 + 3).
struct StepCost {
    int above;
    int extra;
};
constexpr StepCost stepCosts[] = {{8, 100}, {6, 50}, {4, 3}, {3, 3}, {1, 3}};

int stepCost(int difference) {
    int cost = difference;
    for (const StepCost& step : stepCosts)
        if (difference > step.above) cost += step.extra;
    return cost;
}

// Drops `from` to the bottom into `into` and clears its full rows; returns the rows cleared.
int dropAndClear(const PlayField& from, PlayField& into) {
    into.copyFrom(from);
    into.drop(21000);
    const int lines = into.findFullRows();
    if (lines > 0) into.removeFullRows();
    return lines;
}

} // namespace

int ComputerPlayer::rotationsOf(int type) {
    static constexpr int rotations[PlayField::pieceTypes] = {2, 1, 2, 2, 4, 4, 4};
    if (type < 0 || type >= PlayField::pieceTypes) return 1;
    return rotations[type];
}

int32_t ComputerPlayer::evaluate(const PlayField& field, int l1, int l2) {
    int tops[PlayField::columns] = {};
    int holes = 0;
    int firstHoleDepth = 0;
    bool holeFound = false;
    for (int column = 1; column <= 10; ++column) {
        const int32_t* cells = &field.grid[column * PlayField::rows];
        // An empty column, or one whose only block is in the bottom row, has its top at 19.
        int top = 19;
        for (int row = 0; row < PlayField::floorRow; ++row) {
            if (cells[row] != 0) {
                top = row;
                break;
            }
        }
        tops[column] = top;
        for (int row = top + 1; row < PlayField::floorRow; ++row) {
            if (cells[row] != 0) continue;
            ++holes;
            if (!holeFound) {
                holeFound = true;
                firstHoleDepth = row - top;
            }
        }
    }
    int bumpiness = 0;
    for (int column = 1; column < 10; ++column) {
        int difference = tops[column] - tops[column + 1];
        bumpiness += stepCost(difference < 0 ? -difference : difference);
    }
    return 10 * (l1 * l1 + l2 * l2 - holes) - bumpiness - firstHoleDepth;
}

void ComputerPlayer::placePiece(Board& board, bool lookAhead) {
    placePiece(board.field, lookAhead);
}

void ComputerPlayer::placePiece(PlayField& live, bool lookAhead) {
    // Every rotation count starts from the piece as it spawned, even after the live field has
    // taken a better candidate.
    const int32_t spawnRotation = live.rotation;
    const int32_t spawnColumn = live.pieceColumn;
    const int32_t spawnHeight = live.pieceHeight;
    int32_t best = worstScore;
    const int turns = rotationsOf(live.currentType);
    for (int r = 0; r < turns; ++r) {
        candidate.copyFrom(live);
        candidate.rotation = spawnRotation;
        candidate.pieceColumn = spawnColumn;
        candidate.pieceHeight = spawnHeight;
        for (int i = 0; i < r; ++i) candidate.rotate(true);
        while (!candidate.moveLeft()) {
        }
        // Left to right; a tie keeps the earlier placement.
        do {
            const int l1 = dropAndClear(candidate, dropped);
            int32_t score;
            if (lookAhead) {
                dropped.spawnNext();
                score = bestNextScore(l1);
            } else {
                score = evaluate(dropped, l1, 0);
            }
            if (score > best) {
                best = score;
                live.copyFrom(candidate);
            }
        } while (!candidate.moveRight());
    }
}

int32_t ComputerPlayer::bestNextScore(int l1) {
    int32_t best = worstScore;
    const int turns = rotationsOf(dropped.currentType);
    for (int r = 0; r < turns; ++r) {
        nextCandidate.copyFrom(dropped);
        for (int i = 0; i < r; ++i) nextCandidate.rotate(true);
        while (!nextCandidate.moveLeft()) {
        }
        do {
            const int l2 = dropAndClear(nextCandidate, nextDropped);
            const int32_t score = evaluate(nextDropped, l1, l2);
            if (score > best) best = score;
        } while (!nextCandidate.moveRight());
    }
    return best;
}
