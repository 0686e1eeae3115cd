// What the network adds to a frame: a duel's frame on one computer (both boards advanced as in
// a local two-player game) against the frames of an online duel on two (each side's session,
// board, picture and sending), both sides on 127.0.0.1 in this process. The difference of the
// two per side is the network's share; bytes_per_s is what one side sends per second.
#include <benchmark/benchmark.h>

#include <enet/enet.h>

#include "game/Board.h"
#include "game/Random.h"
#include "net/OnlineDuel.h"
#include "net/Session.h"
#include "storage/PlayerProfile.h"

namespace {

constexpr int32_t ticksPerFrame = 2; // a 60-frames-a-second frame is 1.7 ticks

struct Side {
    net::Session session;
    BoardContext context;
    PlayerProfile player, shown;
    Board local, remote;
    net::OnlineDuel duel;
    Side() {
        // Frames here come thousands of times faster than a screen's, and so do the clears:
        // the limits that guard against a hostile peer would cut the connection.
        session.limits.clears = session.limits.garbage = session.limits.gameOvers = 100000;
        session.limits.all = 200000;
    }
    void frame() {
        // The computer places every piece (F1), as a busy player would.
        local.aiMode = 2;
        duel.frame(ticksPerFrame, enet_time_get());
    }
};

net::Hello helloOf(const char* name) {
    net::Hello h;
    h.gameVersion = "1.2";
    h.name = name;
    h.endless = 1;
    return h;
}

void LocalDuelFrame(benchmark::State& state) {
    Random::Seed(3);
    BoardContext context;
    context.pendingGarbage[0] = context.pendingGarbage[1] = 0;
    PlayerProfile a, b;
    Board left, right;
    left.init(context, a, 1);
    right.init(context, b, 0);
    for (auto _ : state) {
        left.aiMode = right.aiMode = 2;
        if (left.update(ticksPerFrame, 2)) left.init(context, a, 1);
        if (right.update(ticksPerFrame, 2)) right.init(context, b, 0);
        benchmark::DoNotOptimize(left.field.grid[0]);
    }
}
BENCHMARK(LocalDuelFrame);

void OnlineDuelFrame(benchmark::State& state) {
    Random::Seed(3);
    Side host, guest;
    host.session.host(0, helloOf("Anna"), "127.0.0.1");
    guest.session.join("127.0.0.1:" + std::to_string(host.session.port()), helloOf("Ben"));
    const uint32_t start = enet_time_get();
    while ((host.session.phase() != net::Session::Ready ||
            guest.session.phase() != net::Session::Ready) &&
           enet_time_get() - start < 3000) {
        host.session.service();
        guest.session.service();
    }
    if (host.session.phase() != net::Session::Ready) {
        state.SkipWithError("the two sides did not meet on 127.0.0.1");
        return;
    }
    host.duel.begin(host.session, host.context, host.local, host.remote, host.player, host.shown,
                    true);
    guest.duel.begin(guest.session, guest.context, guest.local, guest.remote, guest.player,
                     guest.shown, true);
    const uint64_t sentBefore = host.session.bytesSent();
    const uint32_t began = enet_time_get();
    for (auto _ : state) {
        host.frame();
        guest.frame();
    }
    const double seconds = (enet_time_get() - began) / 1000.0;
    state.counters["bytes_per_s"] =
        seconds > 0 ? double(host.session.bytesSent() - sentBefore) / seconds : 0.0;
    state.counters["rounds"] = host.duel.round;
    if (host.duel.phase == net::OnlineDuel::Ended) state.SkipWithError("the connection ended");
}
BENCHMARK(OnlineDuelFrame)->MinTime(3.0);

} // namespace
