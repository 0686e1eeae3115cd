#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LossyLink.h"
#include "NetTestSupport.h"
#include "game/Random.h"
#include "net/BoardPicture.h"
#include "net/OnlineDuel.h"
#include "storage/PlayerProfile.h"

using namespace net;

namespace {

// One computer running an online game: its session, its boards' shared rows, its player.
struct Side {
    Session session;
    BoardContext context;
    PlayerProfile player, shown;
    Board localBoard, remoteBoard;
    OnlineDuel duel;
    DuelLog log;
    std::vector<OnlineDuel::Outcome> outcomes;
    int32_t lastPieces = 0;
    uint16_t lastRound = 0;
    int remoteBursts = 0;
    std::string burstFault; // the first burst on the other board not made of a cleared row

    explicit Side(const std::string& name) {
        player.name = name;
        duel.log = &log;
        // The computers play many times faster than people can: a clear every few frames.
        session.limits.clears = session.limits.garbage = session.limits.gameOvers = 1000;
        session.limits.all = 2000;
        context.particleCount = 20;
    }
    // The computer plays the local board, as F1 makes it, and drops each piece at once.
    void frame(int32_t ticks) {
        if (ticks > 0 && duel.phase == OnlineDuel::Playing) {
            duel.local().aiMode = 2;
            duel.local().dropMode = 2;
        }
        const int32_t burstBefore = remoteBoard.burstIndex;
        duel.frame(ticks, enet_time_get());
        if (OnlineDuel::Outcome o = duel.takeOutcome()) outcomes.push_back(o);
        if (remoteBoard.burstIndex != burstBefore) checkRemoteBurst(burstBefore);
    }
    // A cleared row is full: each of its ten blocks flies off in its piece's colour.
    void checkRemoteBurst(int32_t slot) {
        ++remoteBursts;
        for (int k = 0; k < 10 && burstFault.empty(); ++k) {
            const Particle& p = remoteBoard.particles[slot][k];
            if (p.colour < 0 || p.colour > 6 || p.size != 32)
                burstFault = "block " + std::to_string(k) + " of a burst: expected a colour 0..6 " +
                             "and size 32, got colour " + std::to_string(p.colour) + " size " +
                             std::to_string(p.size);
        }
    }
    // The rows drawn beside the other board: its own waiting rows as last sent.
    bool showsWaitingRowsOf(const Side& from) const {
        const int n = from.context.pendingGarbage[0];
        if (context.pendingGarbage[1] != n) return false;
        return std::memcmp(context.garbage[1], from.context.garbage[0],
                           sizeof context.garbage[1][0] * size_t(n)) == 0;
    }
    // A piece locked (or a new round began) since the last look.
    bool locked() {
        const bool changed = duel.local().pieces != lastPieces || duel.round != lastRound;
        lastPieces = duel.local().pieces;
        lastRound = duel.round;
        return changed;
    }
    BoardState board() { return duel.localPicture(); }
};

// Two computers, the guest reaching the host through a lossy link.
struct Match {
    Side host{"Anna"}, guest{"Ben"};
    std::unique_ptr<LossyLink> link;
    int checkedPictures = 0;
    int locks = 0;
    // After the first game every lock is compared; later only every fifth, to keep it short.
    int checkEvery = 1;
    uint32_t playStart = 0;

    // dropsNothing: the link still delays and repeats, but loses no datagram.
    bool connect(bool endless, uint32_t seed, bool dropsNothing = false) {
        if (!host.session.host(0, helloFrom("Anna", endless), "127.0.0.1")) return false;
        LossyLink::Settings lossy;
        lossy.seed = seed;
        if (dropsNothing) lossy.dropShare = 0;
        link = std::make_unique<LossyLink>(host.session.port(), lossy);
        if (!guest.session.join("127.0.0.1:" + std::to_string(link->port()), helloFrom("Ben")))
            return false;
        if (!pumpUntil(
                [&] {
                    return host.session.phase() == Session::Ready &&
                           guest.session.phase() == Session::Ready;
                },
                [&] { service(); }, 5000))
            return false;
        host.duel.begin(host.session, host.context, host.localBoard, host.remoteBoard, host.player,
                        host.shown, endless);
        guest.duel.begin(guest.session, guest.context, guest.localBoard, guest.remoteBoard,
                         guest.player, guest.shown, guest.session.peer().endless != 0);
        playStart = enet_time_get();
        return true;
    }
    void service() {
        host.session.service();
        guest.session.service();
        link->pump();
    }
    void frame(int32_t ticks) {
        host.frame(ticks);
        link->pump();
        guest.frame(ticks);
        link->pump();
    }
    // Holds both boards still until each side's picture of the other's board is that board.
    void checkPictures() {
        auto same = [](Side& from, Side& to) {
            return from.duel.round != to.duel.round ||
                   (to.duel.remotePicture == from.board() && to.showsWaitingRowsOf(from));
        };
        const bool delivered = pumpUntil([&] { return same(host, guest) && same(guest, host); },
                                         [&] { frame(0); }, 3000);
        auto differs = [](Side& from, Side& to) {
            const BoardState b = from.board(), p = to.duel.remotePicture;
            return "round " + std::to_string(b.round) + "/" + std::to_string(p.round) + " state " +
                   std::to_string(b.state) + "/" + std::to_string(p.state) + " height " +
                   std::to_string(b.pieceHeight) + "/" + std::to_string(p.pieceHeight) +
                   " pieces " + std::to_string(b.pieces) + "/" + std::to_string(p.pieces) +
                   " pending " + std::to_string(b.pendingGarbage) + "/" +
                   std::to_string(p.pendingGarbage) + " count-down " + std::to_string(b.countdown) +
                   "/" + std::to_string(p.countdown) + " rows drawn " +
                   std::to_string(to.context.pendingGarbage[1]) + " phases " +
                   std::to_string(from.duel.phase) + "/" + std::to_string(to.duel.phase);
        };
        ASSERT_TRUE(delivered) << "after a locked piece (round " << host.duel.round
                               << ") a picture did not come to equal its board within 3 s: host "
                               << "board/guest's picture: " << differs(host, guest)
                               << "; guest board/host's picture: " << differs(guest, host);
        ++checkedPictures;
    }
    // Plays until `done`, checking the pictures after every locked piece; false at the bound.
    bool playUntil(const std::function<bool()>& done, int frameLimit) {
        for (int f = 0; f < frameLimit; ++f) {
            if (done()) return true;
            frame(5);
            if ((host.locked() | guest.locked()) && ++locks % checkEvery == 0) {
                checkPictures();
                if (testing::Test::HasFatalFailure()) return false;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return done();
    }
    void expectAgreement(const char* when) {
        // In a running duel a result or rows may still be on their way: they are given time.
        pumpUntil(
            [&] {
                return host.log.decided.size() == guest.log.decided.size() &&
                       host.log.sentRows.size() <= guest.log.receivedRows.size() &&
                       guest.log.sentRows.size() <= host.log.receivedRows.size();
            },
            [&] { frame(0); }, 10000);
        EXPECT_EQ(host.duel.localWins, guest.duel.remoteWins) << when << ": tallies differ";
        EXPECT_EQ(host.duel.remoteWins, guest.duel.localWins) << when << ": tallies differ";
        const auto &hostDecided = host.log.decided, &guestDecided = guest.log.decided;
        ASSERT_EQ(hostDecided.size(), guestDecided.size()) << when << ": rounds decided";
        for (size_t k = 0; k < hostDecided.size(); ++k) {
            const int h = hostDecided[k].outcome;
            const int mirrored = h == OnlineDuel::LocalWon    ? OnlineDuel::LocalLost
                                 : h == OnlineDuel::LocalLost ? OnlineDuel::LocalWon
                                                              : OnlineDuel::Draw;
            EXPECT_EQ(hostDecided[k].round, guestDecided[k].round) << when << ": decision " << k;
            EXPECT_EQ(guestDecided[k].outcome, mirrored)
                << when << ": the sides disagree on round " << hostDecided[k].round;
        }
        // Every row pushed across arrived once, in order, in its round.
        for (auto [from, to] : {std::pair{&host, &guest}, std::pair{&guest, &host}}) {
            const auto& sent = from->log.sentRows;
            const auto& got = to->log.receivedRows;
            ASSERT_EQ(sent.size(), got.size()) << when << ": rows sent by " << from->player.name;
            for (size_t k = 0; k < sent.size(); ++k) {
                EXPECT_EQ(sent[k].round, got[k].round) << when << ": row " << k;
                EXPECT_EQ(0, std::memcmp(sent[k].cells, got[k].cells, sizeof sent[k].cells))
                    << when << ": row " << k << " of " << from->player.name << " changed";
            }
        }
    }
};

} // namespace

// Whole games one after another, the guest behind a link that loses, delays, doubles and
// reorders: both sides agree on every result and both players' statistics count every game.
TEST(OnlineDuel, WholeGamesThroughALossyLink) {
    Random::Seed(7);
    Match match;
    ASSERT_TRUE(match.connect(false, 11))
        << phaseOf(match.host.session) << " / " << phaseOf(match.guest.session);
    constexpr int games = 3;
    for (int game = 1; game <= games; ++game) {
        const bool over = match.playUntil(
            [&] {
                return match.host.duel.phase == OnlineDuel::Finished &&
                       match.guest.duel.phase == OnlineDuel::Finished;
            },
            60000);
        ASSERT_TRUE(over) << "game " << game << " did not end: host phase " << match.host.duel.phase
                          << ", guest phase " << match.guest.duel.phase;
        match.expectAgreement(("after game " + std::to_string(game)).c_str());
        match.checkEvery = 5;
        if (game < games) match.host.duel.playAgain();
    }
    for (Side* side : {&match.host, &match.guest}) {
        ASSERT_EQ(side->outcomes.size(), side->log.decided.size())
            << side->player.name << ": a result the screen was never handed";
        for (size_t k = 0; k < side->outcomes.size(); ++k)
            EXPECT_EQ(int(side->outcomes[k]), side->log.decided[k].outcome) << side->player.name;
    }
    const double seconds = (enet_time_get() - match.playStart) / 1000.0;
    EXPECT_GT(match.checkedPictures, 20) << "too few pictures were compared to mean anything";
    for (Side* side : {&match.host, &match.guest}) {
        EXPECT_EQ(side->player.duelGames, uint32_t(games)) << side->player.name;
        EXPECT_EQ(side->player.gamesPlayed, uint32_t(games)) << side->player.name;
        EXPECT_EQ(side->player.duelWins, uint32_t(side->duel.localWins)) << side->player.name;
        EXPECT_GT(side->player.totalPieces, 0u) << side->player.name;
    }
    EXPECT_GT(match.host.log.sentRows.size() + match.guest.log.sentRows.size(), 0u)
        << "no rows went across: the garbage was never tested";
    EXPECT_GT(match.link->dropped, 0) << "the link lost nothing";
    for (Side* side : {&match.host, &match.guest}) {
        EXPECT_EQ(side->burstFault, "") << side->player.name;
        EXPECT_GT(side->remoteBursts, 0)
            << side->player.name << ": no clear of the other board burst on screen";
    }
    RecordProperty("host_bytes_per_second", int(match.host.session.bytesSent() / seconds));
    RecordProperty("guest_bytes_per_second", int(match.guest.session.bytesSent() / seconds));
    std::printf("games %d, pictures compared %d, rows across %zu/%zu, link dropped %d, "
                "doubled %d; sent %.0f B/s (host) and %.0f B/s (guest) over %.1f s\n",
                games, match.checkedPictures, match.host.log.sentRows.size(),
                match.guest.log.sentRows.size(), match.link->dropped, match.link->duplicated,
                match.host.session.bytesSent() / seconds, match.guest.session.bytesSent() / seconds,
                seconds);
}

// An endless duel: both boards start again after each round; the tally agrees on both sides.
TEST(OnlineDuel, EndlessDuelKeepsTheTallyInAgreement) {
    Random::Seed(8);
    Match match;
    ASSERT_TRUE(match.connect(true, 12));
    EXPECT_TRUE(match.guest.duel.endless) << "the guest should play the host's endless duel";
    constexpr size_t rounds = 3;
    bool played = match.playUntil(
        [&] { return match.host.log.decided.size() >= 1 && match.guest.log.decided.size() >= 1; },
        80000);
    match.checkEvery = 5;
    played = played && match.playUntil(
                           [&] {
                               return match.host.log.decided.size() >= rounds &&
                                      match.guest.log.decided.size() >= rounds;
                           },
                           80000);
    ASSERT_TRUE(played) << "only " << match.host.log.decided.size() << " rounds were decided";
    match.expectAgreement("in the endless duel");
    EXPECT_EQ(match.host.duel.localWins + match.host.duel.remoteWins >= int(rounds), true);
    EXPECT_EQ(match.host.duel.phase == OnlineDuel::Finished, false)
        << "an endless duel never finishes";
}

// How a running round ends when a player goes: leaving loses it and the other side is told it
// won; a connection gone silent counts for nobody. Both profiles count what their side saw.
TEST(OnlineDuel, ARoundEndedByTheConnectionCountsAsEachSideSawIt) {
    struct Case {
        const char* what;
        bool hostGoes;
        bool silently; // the program is gone, not a leave
        Failure told;  // what the one who stayed learns
        uint32_t stayerWins;
        uint32_t goerGames; // the game as the one who went counts it
    };
    const Case cases[] = {
        {"the guest leaves", false, false, PeerLeft, 1, 1},
        {"the host leaves", true, false, PeerLeft, 1, 1},
        {"the guest's program is gone", false, true, ConnectionLost, 0, 0},
    };
    for (const Case& c : cases) {
        Random::Seed(9);
        Match match;
        // The one who leaves sends word once and is gone: a link that lost those datagrams would
        // turn a leave into silence, which is not what is counted here.
        ASSERT_TRUE(match.connect(false, 13, true)) << c.what;
        ASSERT_TRUE(pumpUntil(
            [&] {
                return match.host.duel.phase == OnlineDuel::Playing &&
                       match.guest.duel.phase == OnlineDuel::Playing;
            },
            [&] { match.frame(5); }, 5000))
            << c.what << ": the round did not begin";
        Side& goer = c.hostGoes ? match.host : match.guest;
        Side& stayer = c.hostGoes ? match.guest : match.host;
        if (c.silently)
            goer.session.close();
        else
            goer.duel.leave();
        const bool ended = pumpUntil([&] { return stayer.duel.phase == OnlineDuel::Ended; },
                                     [&] {
                                         stayer.frame(0);
                                         match.link->pump();
                                     },
                                     5000);
        EXPECT_TRUE(ended) << c.what << ": the one who stayed is still in phase "
                           << stayer.duel.phase << " after 5 s";
        EXPECT_EQ(stayer.duel.endReason, c.told) << c.what << ": expected " << failureName(c.told)
                                                 << ", got " << failureName(stayer.duel.endReason);
        EXPECT_EQ(stayer.duel.wonByLeave, !c.silently) << c.what;
        EXPECT_EQ(stayer.player.duelGames, c.stayerWins) << c.what;
        EXPECT_EQ(stayer.player.duelWins, c.stayerWins) << c.what;
        EXPECT_EQ(goer.player.duelGames, c.goerGames) << c.what;
        EXPECT_EQ(goer.player.duelWins, 0u) << c.what;
        EXPECT_EQ(stayer.duel.localWins, int(c.stayerWins)) << c.what;
    }
}
