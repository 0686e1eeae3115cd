#include <benchmark/benchmark.h>

#include "game/Board.h"
#include "game/ComputerPlayer.h"
#include "game/Random.h"
#include "storage/PlayerProfile.h"

namespace {

// A mid-game field: columns 8 to 12 rows high with holes, no full row.
PlayField RaggedField() {
    Random::Seed(2024);
    PlayField field;
    field.reset();
    for (int column = 1; column <= 10; ++column) {
        const int height = 8 + Random::Draw() % 5;
        for (int row = 20 - height; row < 20; ++row)
            field.cell(column, row) = Random::Draw() % 5 == 0 ? 0 : 1 + Random::Draw() % 7;
    }
    for (int row = 0; row < 20; ++row) field.cell(1 + (row * 3) % 10, row) = 0;
    field.currentType = 5; // a four-rotation piece: the most candidates
    field.nextType = 6;
    field.pieceColumn = 4;
    field.pieceHeight = 1000;
    field.rotation = 0;
    return field;
}

PlayField EmptyField() {
    PlayField field;
    field.reset();
    field.currentType = 5;
    field.nextType = 6;
    field.pieceColumn = 4;
    field.pieceHeight = 1000;
    field.rotation = 0;
    return field;
}

void PlacePiece(benchmark::State& state, const PlayField& start, bool lookAhead) {
    ComputerPlayer computer;
    PlayField live;
    Random::Seed(1);
    for (auto _ : state) {
        live.copyFrom(start);
        computer.placePiece(live, lookAhead);
        benchmark::DoNotOptimize(live.pieceColumn);
    }
}

void BM_PlaceEmptyLookAhead(benchmark::State& state) {
    PlacePiece(state, EmptyField(), true);
}
void BM_PlaceEmptyNoLookAhead(benchmark::State& state) {
    PlacePiece(state, EmptyField(), false);
}
void BM_PlaceRaggedLookAhead(benchmark::State& state) {
    PlacePiece(state, RaggedField(), true);
}
void BM_PlaceRaggedNoLookAhead(benchmark::State& state) {
    PlacePiece(state, RaggedField(), false);
}

// Whole single-player games played by the computer from fixed seeds, one second per update;
// a game stops at game over or after maxPieces.
void ComputerGames(benchmark::State& state, int aiMode) {
    constexpr int maxPieces = 3000;
    BoardContext context;
    PlayerProfile profile;
    static Board board; // large: keep it off the stack
    int64_t games = 0, pieces = 0, rows = 0;
    uint32_t seed = 1;
    for (auto _ : state) {
        Random::Seed(seed++);
        board.init(context, profile, 0);
        board.aiMode = aiMode;
        board.placePiece(aiMode == 1);
        while (board.pieces < maxPieces && !board.update(100, 0)) {
        }
        ++games;
        pieces += board.pieces;
        rows += board.totalLines;
    }
    state.counters["piecesPerGame"] = double(pieces) / double(games);
    state.counters["rowsPerGame"] = double(rows) / double(games);
    state.counters["placementsPerSecond"] =
        benchmark::Counter(double(pieces), benchmark::Counter::kIsRate);
}

void BM_GameLookAhead(benchmark::State& state) {
    ComputerGames(state, 1);
}
void BM_GameNoLookAhead(benchmark::State& state) {
    ComputerGames(state, 2);
}

} // namespace

BENCHMARK(BM_PlaceEmptyLookAhead)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_PlaceEmptyNoLookAhead)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_PlaceRaggedLookAhead)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_PlaceRaggedNoLookAhead)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_GameLookAhead)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_GameNoLookAhead)->Unit(benchmark::kMillisecond)->Iterations(10);
