#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "NetTestSupport.h"
#include "game/Random.h"
#include "net/OnlineDuel.h"
#include "net/Relay.h"
#include "storage/PlayerProfile.h"

using namespace net;

namespace {

struct RelayFixture : testing::Test {
    Relay relay;
    std::string address;
    void SetUp() override {
        relay.limits.waitMs = 1500;
        ASSERT_TRUE(relay.open(0, "127.0.0.1"));
        address = "127.0.0.1:" + std::to_string(relay.port());
    }
    // One step of the relay and of every client named.
    std::function<void()> stepWith(std::vector<Session*> clients) {
        return [this, clients] {
            relay.service(0);
            for (Session* client : clients) client->service();
        };
    }
    // Anna and Ben name the same room at once; both must be ready to play within 3 s.
    testing::AssertionResult pairUp(Session& anna, Session& ben, const std::string& room) {
        if (!anna.joinRelay(address, room, helloFrom("Anna")) ||
            !ben.joinRelay(address, room, helloFrom("Ben")))
            return testing::AssertionFailure() << "a join was refused at once";
        if (!pumpUntil(
                [&] { return anna.phase() == Session::Ready && ben.phase() == Session::Ready; },
                stepWith({&anna, &ben}), 3000))
            return testing::AssertionFailure() << phaseOf(anna) << " / " << phaseOf(ben);
        return testing::AssertionSuccess();
    }
};

} // namespace

TEST_F(RelayFixture, TwoClientsMeetByRoomCodeAndAThirdIsTurnedAway) {
    Session first, second, third;
    ASSERT_TRUE(first.joinRelay(address, "room42", helloFrom("Anna", true)));
    const auto all = stepWith({&first, &second, &third});
    ASSERT_TRUE(pumpUntil([&] { return first.phase() == Session::Waiting; }, all, 3000))
        << phaseOf(first);
    ASSERT_TRUE(second.joinRelay(address, "room42", helloFrom("Ben")));
    ASSERT_TRUE(pumpUntil(
        [&] { return first.phase() == Session::Ready && second.phase() == Session::Ready; }, all,
        3000))
        << phaseOf(first) << " / " << phaseOf(second);
    EXPECT_TRUE(first.leads()) << "the one who waited leads";
    EXPECT_FALSE(second.leads());
    EXPECT_EQ(second.peer().name, "Anna");
    EXPECT_EQ(second.peer().endless, 1);

    ASSERT_TRUE(third.joinRelay(address, "room42", helloFrom("Cleo")));
    ASSERT_TRUE(pumpUntil([&] { return third.phase() == Session::Closed; }, all, 3000))
        << phaseOf(third);
    EXPECT_EQ(third.failure(), RoomWasFull) << phaseOf(third);

    // The pair talks on through the relay, and a leave is told as one.
    Message over;
    over.type = GameOverMessage;
    over.gameOver = {1, 1, 77};
    ASSERT_TRUE(second.send(over));
    Message got;
    ASSERT_TRUE(pumpUntil([&] { return first.next(got); }, all, 3000));
    EXPECT_EQ(got.gameOver.time, 77u);
    second.leave();
    ASSERT_TRUE(pumpUntil([&] { return first.phase() == Session::Closed; }, all, 3000));
    EXPECT_EQ(first.failure(), PeerLeft) << phaseOf(first);
    EXPECT_TRUE(pumpUntil([&] { return relay.roomCount() == 0; }, all, 3000))
        << "the room stayed after both left";
}

TEST_F(RelayFixture, ARoomNobodyComesToTimesOutWithAMessage) {
    Session lonely, elsewhere;
    ASSERT_TRUE(lonely.joinRelay(address, "right", helloFrom("Anna")));
    ASSERT_TRUE(elsewhere.joinRelay(address, "wrong", helloFrom("Ben")));
    const auto all = stepWith({&lonely, &elsewhere});
    ASSERT_TRUE(pumpUntil(
        [&] { return lonely.phase() == Session::Closed && elsewhere.phase() == Session::Closed; },
        all, 6000))
        << phaseOf(lonely) << " / " << phaseOf(elsewhere);
    EXPECT_EQ(lonely.failure(), NobodyCame) << phaseOf(lonely);
    EXPECT_EQ(elsewhere.failure(), NobodyCame) << phaseOf(elsewhere);
    EXPECT_EQ(relay.roomCount(), 0);

    Session bad;
    EXPECT_FALSE(bad.joinRelay(address, "no/slash", helloFrom("Cleo")))
        << "a room code the relay would refuse is not sent";
}

// A paired client whose program is gone (no word, just silence): the relay gives it up, the
// partner is told the connection was lost within five seconds, and the room is gone.
TEST_F(RelayFixture, APartnerThatFallsSilentIsGivenUp) {
    Session first, second;
    ASSERT_TRUE(pairUp(first, second, "quiet"));
    const auto all = stepWith({&first, &second});
    second.close();
    const bool told = pumpUntil([&] { return first.phase() == Session::Closed; }, all, 5000);
    EXPECT_TRUE(told) << "the partner still " << phaseOf(first) << " after 5 s";
    EXPECT_EQ(first.failure(), ConnectionLost) << phaseOf(first);
    EXPECT_TRUE(pumpUntil([&] { return relay.roomCount() == 0; }, all, 3000))
        << "the room stayed after its clients were gone";
}

// A whole game between two computer players, through the relay.
TEST_F(RelayFixture, AWholeGameThroughTheRelay) {
    Random::Seed(5);
    struct Side {
        Session session;
        BoardContext context;
        PlayerProfile player, shown;
        Board local, remote;
        OnlineDuel duel;
    } a, b;
    a.player.name = "Anna";
    b.player.name = "Ben";
    ASSERT_TRUE(pairUp(a.session, b.session, "duel"));
    for (Side* s : {&a, &b}) {
        s->session.limits.clears = s->session.limits.garbage = 1000;
        s->session.limits.all = 2000;
        s->duel.begin(s->session, s->context, s->local, s->remote, s->player, s->shown, false);
    }
    auto finished = [&] {
        return a.duel.phase == OnlineDuel::Finished && b.duel.phase == OnlineDuel::Finished;
    };
    ASSERT_TRUE(pumpUntil(
        finished,
        [&] {
            relay.service(0);
            for (Side* s : {&a, &b}) {
                s->local.aiMode = 2;
                s->local.dropMode = 2;
                s->duel.frame(5, enet_time_get());
            }
        },
        60000))
        << "phases " << a.duel.phase << " / " << b.duel.phase;
    EXPECT_EQ(a.duel.localWins, b.duel.remoteWins);
    EXPECT_EQ(a.duel.remoteWins, b.duel.localWins);
    EXPECT_EQ(a.player.duelGames, 1u);
    EXPECT_EQ(b.player.duelGames, 1u);
    EXPECT_EQ(a.player.duelWins + b.player.duelWins >= 1u, true);
}
