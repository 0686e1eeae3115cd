#include "net/OnlineDuel.h"

#include <cstring>

#include "net/BoardPicture.h"
#include "storage/PlayerProfile.h"

namespace net {

namespace {

constexpr int localIndex = 0;
// The local board's rows for the other side collect here during its update; between updates
// it holds the other board's waiting rows as last received, where a local game keeps player
// 2's, so they are drawn beside that board.
constexpr int outgoing = 1;

} // namespace

void OnlineDuel::begin(Session& s, BoardContext& c, Board& localGiven, Board& remoteGiven,
                       PlayerProfile& localPlayer, PlayerProfile& remoteShown, bool endlessDuel) {
    session = &s;
    localBoard = &localGiven;
    remoteBoard = &remoteGiven;
    context = &c;
    localProfile = &localPlayer;
    remoteProfile = &remoteShown;
    endless = endlessDuel;
    endReason = NoFailure;
    wonByLeave = false;
    localWins = remoteWins = 0;
    pending = NoOutcome;
    round = 0;
    phase = WaitingForStart;
    remoteBoard->profile = remoteProfile;
    remoteBoard->menu = context;
    remoteBoard->playerIndex = 1;
    remoteBoard->state = 2;
    for (int32_t& finished : remoteBoard->burstFinished) finished = 1;
    remoteSeen = false;
    toField(BoardState{}, remoteBoard->field);
    localBoard->init(*context, *localProfile, localIndex);
    localBoard->state = 2; // shown empty until the round starts
    if (session->leads()) {
        Message start;
        start.type = StartMessage;
        start.start = {1, countdownMs};
        session->send(start);
        startRound(1, countdownMs);
    }
}

void OnlineDuel::startRound(uint16_t number, int32_t wait) {
    round = number;
    countdown = wait;
    gameTime = 0;
    mine = theirs = Report{};
    context->pendingGarbage[localIndex] = context->pendingGarbage[outgoing] = 0;
    localBoard->init(*context, *localProfile, localIndex);
    remoteBoard->state = 2;
    remoteSeen = false;
    sentOnce = false;
    phase = CountingDown;
}

void OnlineDuel::playAgain() {
    if (phase != Finished || !session->leads()) return;
    Message start;
    start.type = StartMessage;
    start.start = {uint16_t(round + 1), countdownMs};
    session->send(start);
    startRound(uint16_t(round + 1), countdownMs);
}

void OnlineDuel::frame(int32_t ticks, uint32_t nowMs) {
    if (phase == Ended) return;
    if (ticks < 0) ticks = 0;
    session->service();
    Message m;
    while (phase != Ended && session->next(m)) receive(m);
    if (session->phase() == Session::Closed) {
        // A running round the other player walked out of is won here; silence counts for
        // nobody.
        const bool running = phase == CountingDown || phase == Playing || phase == RoundOver;
        endReason = session->failure();
        wonByLeave = running && endReason == PeerLeft;
        if (wonByLeave) {
            ++localWins;
            count(LocalWon);
        }
        phase = Ended;
        return;
    }
    remoteBoard->moveParticles(ticks);
    if (phase == CountingDown) {
        countdown -= ticks * 10;
        if (countdown <= 0) {
            countdown = 0;
            phase = Playing;
        }
    } else if (phase == Playing) {
        playFrame(ticks);
    }
    if (phase != WaitingForStart) sendBoard(nowMs);
    session->service();
}

void OnlineDuel::playFrame(int32_t ticks) {
    before.copyFrom(localBoard->field);
    const int32_t stateBefore = localBoard->state;
    gameTime += uint32_t(ticks);
    context->pendingGarbage[outgoing] = 0;
    const bool lost = localBoard->update(ticks, 2);
    if (stateBefore == 0 && localBoard->state == 1) sendClear(before);
    sendGarbage();
    showRemoteWaiting();
    if (lost) report(true);
}

// The rows the local board just pushed into the outgoing buffer, in one message.
void OnlineDuel::sendGarbage() {
    int32_t& count = context->pendingGarbage[outgoing];
    if (count <= 0) return;
    int sent = 0;
    while (sent < count) {
        Message m;
        m.type = GarbageMessage;
        m.garbage.round = round;
        const int n = count - sent > maxRowsPerClear ? maxRowsPerClear : count - sent;
        m.garbage.count = uint8_t(n);
        for (int k = 0; k < n; ++k) {
            for (int c = 0; c < fieldColumns; ++c)
                m.garbage.cells[k][c] = uint8_t(context->garbage[outgoing][sent + k][c]);
            if (log) {
                DuelLog::Rows rows{round, {}};
                std::memcpy(rows.cells, m.garbage.cells[k], sizeof rows.cells);
                log->sentRows.push_back(rows);
            }
        }
        session->send(m);
        sent += n;
    }
    count = 0;
}

// The rows just cleared as they stood, with the landed piece in them, for the far side's
// animation. The landed piece stands where it was last tested: its cells are one row higher.
void OnlineDuel::sendClear(const PlayField& was) {
    const PlayField& f = localBoard->field;
    Message m;
    m.type = ClearMessage;
    m.cleared.round = round;
    const int pieceRow = f.pieceHeight / 1000 - 1;
    for (int row = f.firstFullRow; row < f.firstFullRow + 4 && row < fieldRows; ++row) {
        const int offset = row - f.firstFullRow;
        if (offset > 0 && f.fullRowFlags[offset - 1] == 0) continue;
        const int k = m.cleared.count++;
        m.cleared.rows[k] = uint8_t(row);
        for (int c = 0; c < fieldColumns; ++c)
            m.cleared.cells[k][c] = uint8_t(was.cell(c + 1, row));
        for (const auto& block : PlayField::pieceTable.blocks[f.currentType][f.rotation]) {
            const int column = f.pieceColumn + 1 + block[1];
            if (pieceRow + block[0] == row && column >= 1 && column <= fieldColumns)
                m.cleared.cells[k][column - 1] = uint8_t(f.currentType + 1);
        }
    }
    if (m.cleared.count > 0) session->send(m);
}

void OnlineDuel::report(bool lost) {
    if (mine.given) return;
    mine = {true, lost, gameTime};
    Message m;
    m.type = GameOverMessage;
    m.gameOver = {round, uint8_t(lost ? 1 : 0), gameTime};
    session->send(m);
    phase = RoundOver;
    if (theirs.given) decide();
}

void OnlineDuel::decide() {
    Outcome outcome = Draw;
    if (mine.lost && theirs.lost) {
        if (mine.time != theirs.time) outcome = mine.time < theirs.time ? LocalLost : LocalWon;
    } else if (mine.lost) {
        outcome = LocalLost;
    } else if (theirs.lost) {
        outcome = LocalWon;
    }
    // A draw counts as two boards lost in one frame of an endless local duel: a win each.
    if (outcome != LocalLost) ++localWins;
    if (outcome != LocalWon) ++remoteWins;
    pending = outcome;
    if (log) log->decided.push_back({round, outcome});
    count(outcome);
    if (endless) {
        startRound(uint16_t(round + 1), restartMs);
    } else {
        phase = Finished;
    }
}

OnlineDuel::Outcome OnlineDuel::takeOutcome() {
    const Outcome o = pending;
    pending = NoOutcome;
    return o;
}

void OnlineDuel::receive(const Message& m) {
    switch (m.type) {
    case StartMessage:
        // Only the follower is started, and only into the round after the one it knows.
        if (session->leads() || m.start.round != round + 1) return;
        if (phase != WaitingForStart && phase != Finished) return;
        startRound(m.start.round, m.start.countdown);
        return;
    case BoardMessage:
        if (m.board.round != round) return;
        remotePicture = m.board;
        showPicture(m.board, *remoteBoard);
        remoteSeen = true;
        showRemoteWaiting();
        return;
    case ClearMessage:
        if (m.cleared.round != round) return;
        if (log) ++log->clearsReceived;
        // The rows burst on the other board as they stood; its next picture has them gone.
        for (int k = 0; k < m.cleared.count; ++k) {
            for (int c = 0; c < fieldColumns; ++c)
                remoteBoard->field.cell(c + 1, m.cleared.rows[k]) = m.cleared.cells[k][c];
            remoteBoard->burst(m.cleared.rows[k]);
        }
        return;
    case GarbageMessage: {
        if (m.garbage.round != round) return;
        for (int k = 0; log && k < m.garbage.count; ++k) {
            DuelLog::Rows rows{round, {}};
            std::memcpy(rows.cells, m.garbage.cells[k], sizeof rows.cells);
            log->receivedRows.push_back(rows);
        }
        // A board that is done takes no more rows.
        if (phase != Playing && phase != CountingDown) return;
        int32_t& waiting = context->pendingGarbage[localIndex];
        for (int k = 0; k < m.garbage.count; ++k) {
            // As in a local game: at most 20 rows wait; more are lost.
            if (waiting < 0 || waiting >= BoardContext::garbageRows) continue;
            for (int c = 0; c < fieldColumns; ++c)
                context->garbage[localIndex][waiting][c] = m.garbage.cells[k][c];
            ++waiting;
        }
        return;
    }
    case GameOverMessage:
        if (m.gameOver.round != round || theirs.given) return;
        if (phase != Playing && phase != RoundOver && phase != CountingDown) return;
        theirs = {true, m.gameOver.lost != 0, m.gameOver.time};
        if (!mine.given)
            report(false);
        else
            decide();
        return;
    default:
        return;
    }
}

void OnlineDuel::showRemoteWaiting() {
    const int n = remoteSeen ? remotePicture.pendingGarbage : 0;
    for (int k = 0; k < n; ++k)
        for (int c = 0; c < fieldColumns; ++c)
            context->garbage[outgoing][k][c] = remotePicture.pendingRows[k][c];
    context->pendingGarbage[outgoing] = n;
}

BoardState OnlineDuel::localPicture() const {
    BoardState now = captureBoard(*localBoard, context->pendingGarbage[localIndex],
                                  context->garbage[localIndex], round);
    now.countdown = uint16_t(phase == CountingDown && countdown > 0 ? countdown : 0);
    return now;
}

void OnlineDuel::sendBoard(uint32_t nowMs) {
    const BoardState now = localPicture();
    const uint32_t since = nowMs - lastSentAt;
    if (sentOnce && since < minSendGapMs) return;
    if (sentOnce && now == lastSent && since < refreshMs) return;
    Message m;
    m.type = BoardMessage;
    m.board = now;
    if (!session->send(m)) return;
    lastSent = now;
    lastSentAt = nowMs;
    sentOnce = true;
}

void OnlineDuel::leave() {
    const bool running = phase == CountingDown || phase == Playing || phase == RoundOver;
    if (running) {
        ++remoteWins;
        count(LocalLost);
    }
    session->leave();
    endReason = NoFailure;
    phase = Ended;
}

} // namespace net

namespace net {

void OnlineDuel::count(Outcome outcome) {
    PlayerProfile& p = *localProfile;
    ++p.duelGames;
    ++p.gamesPlayed;
    if (outcome != LocalLost) ++p.duelWins;
    p.totalPieces += uint32_t(localBoard->pieces - localBoard->countedPieces);
    p.totalRows += uint32_t(localBoard->totalLines - localBoard->countedRows);
    localBoard->countedPieces = localBoard->pieces;
    localBoard->countedRows = localBoard->totalLines;
}

} // namespace net
