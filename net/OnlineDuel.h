#pragma once
#include <cstdint>
#include <vector>

#include "game/Board.h"
#include "game/BoardContext.h"
#include "net/Protocol.h"
#include "net/Session.h"

struct PlayerProfile;

namespace net {

// What a duel reports to whoever watches it closely (the tests); nothing is kept without one.
struct DuelLog {
    struct Rows {
        uint16_t round;
        uint8_t cells[fieldColumns];
    };
    std::vector<Rows> sentRows, receivedRows;
    int clearsReceived = 0;
    // Every round decided, in order. takeOutcome hands out only the latest, and a side far
    // behind can decide two rounds in one frame.
    struct Decision {
        uint16_t round;
        int outcome; // an OnlineDuel::Outcome
    };
    std::vector<Decision> decided;
};

// A two-player game against a player on another computer. The local board runs exactly as in
// a local two-player game (player index 0, mode 2); the other board is a picture drawn from
// what arrives. Rows cleared here go across as garbage, rows from there join the local waiting
// rows under the local rules (20 at most). A round ends once both sides have said how it ended
// for them: a board that lost says when (in game ticks); a board still standing answers with
// its own time. The earlier loss loses; equal times are a draw. Every finished game counts in
// the local player's two-player statistics; a game the connection ended counts for nobody.
class OnlineDuel {
public:
    enum Phase {
        WaitingForStart, // the follower waits for the leader's start
        CountingDown,    // both boards shown, the round begins when the count-down ends
        Playing,
        RoundOver, // the local board is done; the other side's word is awaited
        Finished,  // a round was decided and the game is not endless
        Ended,     // the connection ended (see endReason)
    };
    enum Outcome { NoOutcome = 0, LocalWon, LocalLost, Draw };

    static constexpr uint16_t countdownMs = 3000;
    static constexpr uint16_t restartMs = 1500; // between the rounds of an endless duel
    // Board states at most 30 a second: smooth enough to watch, a third of the bandwidth.
    static constexpr uint32_t minSendGapMs = 33;
    static constexpr uint32_t refreshMs = 100; // an unchanged board is sent again this often

    // Starts the game on a Ready session with the two boards the screen shows: the leader
    // sends the first start at once.
    void begin(Session& session, BoardContext& context, Board& localBoard, Board& remoteBoard,
               PlayerProfile& localPlayer, PlayerProfile& remoteShown, bool endless);
    // One frame: what arrived, the count-down, the local board by `ticks`, what to send.
    // nowMs is the wall clock (the limits on sending are per second of real time).
    void frame(int32_t ticks, uint32_t nowMs);
    // The leader starts the next round of a game that is not endless.
    void playAgain();
    // Leaves the game: a running round counts as lost here (and won there).
    void leave();

    // The local board as the other side is sent it: the board, its waiting rows, the count-down.
    BoardState localPicture() const;
    // The outcome of the round just decided, handed out once; NoOutcome otherwise.
    Outcome takeOutcome();

    Phase phase = WaitingForStart;
    Failure endReason = NoFailure; // why the connection ended
    // The round ended by the connection counts: the other player left a running round.
    bool wonByLeave = false;
    bool endless = false;
    uint16_t round = 0;
    int32_t countdown = 0; // milliseconds left
    uint32_t gameTime = 0; // ticks of the running round
    int localWins = 0, remoteWins = 0;
    Board& local() { return *localBoard; }
    Board& remote() { return *remoteBoard; } // only drawn: the other board as last received
    BoardState remotePicture;                // the last board state received
    bool remoteSeen = false;
    DuelLog* log = nullptr;

private:
    struct Report {
        bool given = false;
        bool lost = false;
        uint32_t time = 0;
    };

    void startRound(uint16_t number, int32_t countdownMs);
    void receive(const Message& m);
    void playFrame(int32_t ticks);
    void sendGarbage();
    void sendClear(const PlayField& before);
    void report(bool lost);
    void decide();
    void sendBoard(uint32_t nowMs);
    // The other board's waiting rows, as last received, into the rows drawn beside it.
    void showRemoteWaiting();
    // The local player's statistics of one finished game, as a local duel counts them.
    void count(Outcome outcome);

    Session* session = nullptr;
    Board* localBoard = nullptr;
    Board* remoteBoard = nullptr;
    BoardContext* context = nullptr;
    PlayerProfile* localProfile = nullptr;
    PlayerProfile* remoteProfile = nullptr;
    Report mine, theirs;
    Outcome pending = NoOutcome;
    BoardState lastSent;
    bool sentOnce = false;
    uint32_t lastSentAt = 0;
    PlayField before; // the local field before this frame's update
};

} // namespace net
