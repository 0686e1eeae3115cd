#include "game/ComputerPlayer.h"

namespace {

// How much a step between neighbouring column tops costs: the difference itself plus these
// extras, which add up for big steps (a step of 7 costs 7 + 50 + 3 + 3 + 3).
struct StepCost {
    int above;
    int extra;
};
constexpr StepCost stepCosts[] = {{8, 100}, {6, 50}, {4, 3}, {3, 3}, {1, 3}};

// The cost of every possible step (tops lie in rows 0 to 19), worked out once.
struct StepCostTable {
    int cost[PlayField::floorRow];
};
constexpr StepCostTable buildStepCosts() {
    StepCostTable table{};
    for (int difference = 0; difference < PlayField::floorRow; ++difference) {
        int cost = difference;
        for (const StepCost& step : stepCosts)
            if (difference > step.above) cost += step.extra;
        table.cost[difference] = cost;
    }
    return table;
}
constexpr StepCostTable stepCostTable = buildStepCosts();
static_assert(stepCostTable.cost[7] == 66);

int stepCost(int difference) {
    if (difference < 0) difference = -difference;
    return stepCostTable
        .cost[difference < PlayField::floorRow ? difference : PlayField::floorRow - 1];
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

ComputerPlayer::ColumnShape ComputerPlayer::shapeOf(const int32_t* cells) {
    // An empty column, or one whose only block is in the bottom row, has its top at 19.
    ColumnShape shape{19, 0, -1};
    for (int row = 0; row < PlayField::floorRow; ++row) {
        if (cells[row] != 0) {
            shape.top = row;
            break;
        }
    }
    for (int row = shape.top + 1; row < PlayField::floorRow; ++row) {
        if (cells[row] != 0) continue;
        ++shape.holes;
        if (shape.firstHoleDepth < 0) shape.firstHoleDepth = row - shape.top;
    }
    return shape;
}

int32_t ComputerPlayer::combine(const ColumnShape* shapes, int l1, int l2) {
    int holes = 0;
    int firstHoleDepth = -1;
    int bumpiness = 0;
    for (int column = 1; column <= 10; ++column) {
        holes += shapes[column].holes;
        // The first hole found, searching the columns from the left.
        if (firstHoleDepth < 0) firstHoleDepth = shapes[column].firstHoleDepth;
        if (column < 10) {
            bumpiness += stepCost(shapes[column].top - shapes[column + 1].top);
        }
    }
    if (firstHoleDepth < 0) firstHoleDepth = 0;
    return 10 * (l1 * l1 + l2 * l2 - holes) - bumpiness - firstHoleDepth;
}

int32_t ComputerPlayer::evaluate(const PlayField& field, int l1, int l2) {
    ColumnShape shapes[PlayField::columns];
    for (int column = 1; column <= 10; ++column)
        shapes[column] = shapeOf(&field.grid[column * PlayField::rows]);
    return combine(shapes, l1, l2);
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
    // Without full rows standing, only the rows the next piece lands in can become full, which
    // the in-place score checks for.
    const bool inPlace = dropped.findFullRows() == 0;
    if (inPlace) {
        for (int column = 0; column < PlayField::columns; ++column) {
            const int32_t* cells = &dropped.grid[column * PlayField::rows];
            int surface = 0;
            while (surface < PlayField::rows && cells[surface] == 0) ++surface;
            baseSurface[column] = surface;
            if (column >= 1 && column <= 10) baseShapes[column] = shapeOf(cells);
        }
    }
    int32_t best = worstScore;
    const int turns = rotationsOf(dropped.currentType);
    for (int r = 0; r < turns; ++r) {
        nextCandidate.copyFrom(dropped);
        for (int i = 0; i < r; ++i) nextCandidate.rotate(true);
        while (!nextCandidate.moveLeft()) {
        }
        do {
            const int32_t score = inPlace ? scoreInPlace(l1) : scoreOnCopy(l1);
            if (score > best) best = score;
        } while (!nextCandidate.moveRight());
    }
    return best;
}

int32_t ComputerPlayer::scoreOnCopy(int l1) {
    const int l2 = dropAndClear(nextCandidate, nextDropped);
    return evaluate(nextDropped, l1, l2);
}

int32_t ComputerPlayer::scoreInPlace(int l1) {
    PlayField& field = nextCandidate;
    if (field.currentType < 0 || field.currentType >= PlayField::pieceTypes || field.rotation < 0 ||
        field.rotation > 3)
        return scoreOnCopy(l1);
    const auto& blocks = PlayField::pieceTable.blocks[field.currentType][field.rotation];
    // Whole-row steps down from where the piece stands, as drop(21000) takes them: it lands at
    // the first step where any of its cells meets a non-empty cell or leaves the grid.
    const int startRow = field.pieceHeight / 1000;
    int steps = 22;
    for (const auto& block : blocks) {
        const int column = field.pieceColumn + 1 + block[1];
        const int from = startRow + block[0];
        int row = from + 1;
        if (column >= 0 && column < PlayField::columns) {
            // Everything above the column's surface is empty.
            if (row < baseSurface[column]) row = baseSurface[column];
            const int32_t* cells = &field.grid[column * PlayField::rows];
            while (row < PlayField::rows && cells[row] == 0) ++row;
        }
        if (row - from < steps) steps = row - from;
    }
    if (steps > 21) return evaluate(field, l1, 0); // never lands within the drop
    const int landRow = startRow + steps - 1;

    int32_t* written[4];
    int writtenCount = 0;
    for (const auto& block : blocks) {
        const int column = field.pieceColumn + 1 + block[1];
        const int row = landRow + block[0];
        if (column < 1 || column > 10 || row < 0 || row >= PlayField::floorRow) continue;
        int32_t& cell = field.cell(column, row);
        if (cell != 0) return scoreOnCopy(l1); // overlaps: leave it to the plain path
        written[writtenCount++] = &cell;
    }
    for (int i = 0; i < writtenCount; ++i) *written[i] = field.currentType + 1;
    // Each row and column the piece touches is looked at once.
    bool clears = false;
    int lastRow = -1;
    for (const auto& block : blocks) {
        const int row = landRow + block[0];
        if (row == lastRow || row < 0 || row >= PlayField::floorRow) continue;
        lastRow = row;
        bool full = true;
        for (int column = 1; column <= 10 && full; ++column) full = field.cell(column, row) != 0;
        clears |= full;
    }
    int32_t score = 0;
    if (!clears) {
        ColumnShape shapes[PlayField::columns];
        for (int column = 1; column <= 10; ++column) shapes[column] = baseShapes[column];
        int seen = 0; // bit per column
        for (const auto& block : blocks) {
            const int column = field.pieceColumn + 1 + block[1];
            if (column < 1 || column > 10 || (seen & (1 << column)) != 0) continue;
            seen |= 1 << column;
            shapes[column] = shapeOf(&field.grid[column * PlayField::rows]);
        }
        score = combine(shapes, l1, 0);
    }
    for (int i = 0; i < writtenCount; ++i) *written[i] = 0;
    return clears ? scoreOnCopy(l1) : score;
}
