#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "NetTestSupport.h"
#include "net/NumericAddress.h"

using namespace net;

namespace {

// A host on 127.0.0.1 and a player who joins it, both Ready.
struct Pair {
    Session host, guest;
    bool connect(const std::string& hostName = "Anna", const std::string& guestName = "Ben") {
        if (!host.host(0, helloFrom(hostName, true), "127.0.0.1")) return false;
        if (!guest.join("127.0.0.1:" + std::to_string(host.port()), helloFrom(guestName)))
            return false;
        return pumpUntil(
            [&] { return host.phase() == Session::Ready && guest.phase() == Session::Ready; },
            [&] { service(); }, 3000);
    }
    void service() {
        host.service();
        guest.service();
    }
};

// A bare ENet peer that says whatever a test wants, as a hostile or foreign game would.
struct RawPeer {
    ENetHost* enetHost = nullptr;
    ENetPeer* peer = nullptr;
    uint32_t disconnectReason = 0xffffffff;
    bool connected = false;
    RawPeer() {
        enet_initialize();
        enetHost = enet_host_create(nullptr, 1, 2, 0, 0);
    }
    ~RawPeer() { enet_host_destroy(enetHost); }
    void connect(uint16_t port) {
        ENetAddress a;
        net::readNumericAddress("127.0.0.1", a.host);
        a.port = port;
        peer = enet_host_connect(enetHost, &a, 2, 0);
    }
    void send(const std::vector<uint8_t>& bytes, bool reliable = true) {
        enet_peer_send(peer, reliable ? 0 : 1,
                       enet_packet_create(bytes.data(), bytes.size(),
                                          reliable ? ENET_PACKET_FLAG_RELIABLE : 0));
    }
    void service() {
        ENetEvent e;
        while (enet_host_service(enetHost, &e, 0) > 0) {
            if (e.type == ENET_EVENT_TYPE_CONNECT) connected = true;
            if (e.type == ENET_EVENT_TYPE_DISCONNECT) disconnectReason = e.data;
            if (e.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(e.packet);
        }
    }
};

std::vector<uint8_t> bytesOf(const Message& m) {
    Packet p;
    encode(m, p);
    return std::vector<uint8_t>(p.bytes, p.bytes + p.size);
}

std::vector<uint8_t> helloBytes(uint16_t protocol) {
    Message m;
    m.type = HelloMessage;
    m.hello = helloFrom("Mallory");
    m.hello.protocol = protocol;
    // Another version may say more after its version; this one says what ours would.
    return bytesOf(m);
}

// A name look-up the test holds: it answers only once let go (and gives up by itself after five
// seconds, so a session that waited for it cannot hang the test).
struct HeldLookup {
    static inline std::mutex mutex;
    static inline std::condition_variable letGo;
    static inline bool released = false;
    static inline bool finds = true;
    static inline std::atomic<int> asked{0};
    static inline std::atomic<bool> answered{false};
    static bool find(const std::string&, uint32_t& address) {
        ++asked;
        std::unique_lock<std::mutex> lock(mutex);
        letGo.wait_for(lock, std::chrono::seconds(5), [] { return released; });
        answered = true;
        if (!finds) return false;
        ENetAddress a;
        net::readNumericAddress("127.0.0.1", a.host);
        address = a.host;
        return true;
    }
    static void hold(bool willFind) {
        std::lock_guard<std::mutex> lock(mutex);
        released = false;
        finds = willFind;
        asked = 0;
        answered = false;
    }
    static void release() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            released = true;
        }
        letGo.notify_all();
    }
};

} // namespace

TEST(Session, HostAndGuestGreetEachOtherAndTrade) {
    Pair pair;
    ASSERT_TRUE(pair.connect("Anna", "B/en"))
        << "host " << phaseOf(pair.host) << ", guest " << phaseOf(pair.guest);
    EXPECT_EQ(pair.host.peer().name, "B_en") << "a name is sent with what the game allows in names";
    EXPECT_EQ(pair.guest.peer().name, "Anna");
    EXPECT_EQ(pair.guest.peer().endless, 1) << "the guest should learn the host's endless duel";
    EXPECT_TRUE(pair.host.leads());
    EXPECT_FALSE(pair.guest.leads());

    Message over;
    over.type = GameOverMessage;
    over.gameOver = {1, 1, 4321};
    ASSERT_TRUE(pair.guest.send(over));
    Message got;
    ASSERT_TRUE(pumpUntil([&] { return pair.host.next(got); }, [&] { pair.service(); }, 2000))
        << "the game over did not arrive";
    EXPECT_EQ(got.type, GameOverMessage);
    EXPECT_EQ(got.gameOver.time, 4321u);
}

// A peer of another protocol version is turned away, and the reason reaches both sides.
TEST(Session, AnotherProtocolVersionIsRefusedWithItsReason) {
    // A foreign game joins ours.
    Session host;
    ASSERT_TRUE(host.host(0, helloFrom("Anna"), "127.0.0.1"));
    RawPeer foreign;
    foreign.connect(host.port());
    ASSERT_TRUE(pumpUntil([&] { return foreign.connected; },
                          [&] { host.service(), foreign.service(); }, 3000));
    foreign.send(helloBytes(protocolVersion + 1));
    ASSERT_TRUE(pumpUntil(
        [&] { return host.phase() == Session::Closed && foreign.disconnectReason != 0xffffffff; },
        [&] { host.service(), foreign.service(); }, 3000))
        << "host " << phaseOf(host);
    EXPECT_EQ(host.failure(), VersionFailure) << "host " << phaseOf(host);
    EXPECT_EQ(foreign.disconnectReason, uint32_t(ReasonOtherVersion));

    // Ours joins a foreign game.
    ENetAddress a;
    net::readNumericAddress("127.0.0.1", a.host);
    a.port = 0;
    ENetHost* foreignHost = enet_host_create(&a, 1, 2, 0, 0);
    ENetAddress bound;
    enet_socket_get_address(foreignHost->socket, &bound);
    Session guest;
    ASSERT_TRUE(guest.join("127.0.0.1:" + std::to_string(bound.port), helloFrom("Ben")));
    const std::vector<uint8_t> hello = helloBytes(protocolVersion + 7);
    ASSERT_TRUE(pumpUntil([&] { return guest.phase() == Session::Closed; },
                          [&] {
                              guest.service();
                              ENetEvent e;
                              while (enet_host_service(foreignHost, &e, 0) > 0) {
                                  if (e.type == ENET_EVENT_TYPE_CONNECT)
                                      enet_peer_send(e.peer, 0,
                                                     enet_packet_create(hello.data(), hello.size(),
                                                                        ENET_PACKET_FLAG_RELIABLE));
                                  if (e.type == ENET_EVENT_TYPE_RECEIVE)
                                      enet_packet_destroy(e.packet);
                              }
                          },
                          3000));
    EXPECT_EQ(guest.failure(), VersionFailure) << "guest " << phaseOf(guest);
    enet_host_destroy(foreignHost);
}

// How an attempt or a game ends, one way a row: what the player is told on the side that stays.
TEST(Session, EndingsAreToldInTheirOwnWords) {
    struct Case {
        const char* what;
        std::function<void(Pair&, Session& third)> act;
        Failure expected;
        bool onHost; // the host's failure is checked, else the guest's (or the third's)
    };
    const Case cases[] = {
        {"the guest leaves", [](Pair& p, Session&) { p.guest.leave(); }, PeerLeft, true},
        {"the host leaves", [](Pair& p, Session&) { p.host.leave(); }, PeerLeft, false},
        {"the guest goes silent (its process is gone)", [](Pair& p, Session&) { p.guest.close(); },
         ConnectionLost, true},
        {"the host goes silent", [](Pair& p, Session&) { p.host.close(); }, ConnectionLost, false},
    };
    for (const Case& c : cases) {
        Pair pair;
        ASSERT_TRUE(pair.connect()) << c.what;
        Session third;
        c.act(pair, third);
        Session& watched = c.onHost ? pair.host : pair.guest;
        // Five seconds at most for silence to be noticed; a word arrives at once.
        const bool ended = pumpUntil([&] { return watched.phase() == Session::Closed; },
                                     [&] { pair.service(); }, 5000);
        EXPECT_TRUE(ended) << c.what << ": still " << phaseOf(watched) << " after 5 s";
        EXPECT_EQ(watched.failure(), c.expected)
            << c.what << ": expected " << failureName(c.expected) << ", got " << phaseOf(watched);
    }
}

TEST(Session, ASecondGuestIsRefusedAndNobodyAnsweringIsSaid) {
    Pair pair;
    ASSERT_TRUE(pair.connect());
    Session late;
    ASSERT_TRUE(late.join("127.0.0.1:" + std::to_string(pair.host.port()), helloFrom("Cleo")));
    ASSERT_TRUE(pumpUntil([&] { return late.phase() == Session::Closed; },
                          [&] { pair.service(), late.service(); }, 3000))
        << "late guest " << phaseOf(late);
    EXPECT_EQ(late.failure(), Refused) << "late guest " << phaseOf(late);
    EXPECT_EQ(pair.host.phase(), Session::Ready) << "the game in progress should go on";

    // A port nobody listens on: the one the pair's host had, once it is gone.
    const uint16_t port = pair.host.port();
    pair.host.close();
    Session lonely;
    ASSERT_TRUE(lonely.join("127.0.0.1:" + std::to_string(port), helloFrom("Dora")));
    ASSERT_TRUE(pumpUntil([&] { return lonely.phase() == Session::Closed; },
                          [&] { lonely.service(); }, 8000))
        << phaseOf(lonely);
    EXPECT_EQ(lonely.failure(), NoAnswer) << phaseOf(lonely);

    struct Case {
        const char* address;
        bool taken;
    };
    const Case addresses[] = {{"127.0.0.1", true},
                              {"127.0.0.1:1", true},
                              {"127.0.0.1:0", false},
                              {"127.0.0.1:65536", false},
                              {"127.0.0.1:x", false},
                              {":5000", false},
                              {"", false},
                              {"127.0.0.1:", false}};
    for (const Case& c : addresses) {
        std::string host;
        uint16_t p = 0;
        EXPECT_EQ(splitAddress(c.address, host, p), c.taken) << "address \"" << c.address << "\"";
    }
}

// A peer that sends what cannot happen is cut off with the reason, and the game is told.
TEST(Session, HostileInputEndsTheSession) {
    Message board;
    board.type = BoardMessage;
    board.board.currentType = 1;
    board.board.pieceColumn = 3;
    const std::vector<uint8_t> good = bytesOf(board);
    std::vector<uint8_t> outside = good;
    outside.back() = 0x88; // walls among the cells

    struct Case {
        const char* what;
        std::vector<std::vector<uint8_t>> packets;
    };
    const Case cases[] = {
        {"a board with walls in it", {outside}},
        {"an unknown message", {{0x42, 1, 2, 3}}},
        {"a second hello", {helloBytes(protocolVersion)}},
        {"a room code to a game", {{RoomMessage, 1, 'a'}}},
        {"boards faster than the limit", std::vector<std::vector<uint8_t>>(200, good)},
    };
    for (const Case& c : cases) {
        Session host;
        ASSERT_TRUE(host.host(0, helloFrom("Anna"), "127.0.0.1"));
        RawPeer raw;
        raw.connect(host.port());
        ASSERT_TRUE(
            pumpUntil([&] { return raw.connected; }, [&] { host.service(), raw.service(); }, 3000));
        raw.send(helloBytes(protocolVersion));
        ASSERT_TRUE(pumpUntil([&] { return host.phase() == Session::Ready; },
                              [&] { host.service(), raw.service(); }, 3000))
            << c.what << ": " << phaseOf(host);
        for (const auto& packet : c.packets) raw.send(packet);
        const bool ended = pumpUntil([&] { return host.phase() == Session::Closed; },
                                     [&] { host.service(), raw.service(); }, 3000);
        EXPECT_TRUE(ended) << c.what << ": the host still " << phaseOf(host);
        EXPECT_EQ(host.failure(), HostileInput) << c.what << ": " << phaseOf(host);
        pumpUntil([&] { return raw.disconnectReason != 0xffffffff; }, [&] { raw.service(); }, 2000);
        EXPECT_EQ(raw.disconnectReason, uint32_t(ReasonHostile)) << c.what;
    }
}

// Joining by name never holds up the frames: the look-up runs aside while the session is
// serviced, and its answer decides what follows.
TEST(Session, AHostNameIsLookedUpWhileTheFramesGoOn) {
    struct Case {
        const char* what;
        bool finds;
        bool leaveWhileLooking;
        Session::Phase expected;
        Failure failure;
    };
    const Case cases[] = {
        {"a name found late", true, false, Session::Ready, NoFailure},
        {"a name nobody knows", false, false, Session::Closed, BadAddress},
        {"the player leaves while the name is looked up", true, true, Session::Closed, NoFailure},
    };
    for (const Case& c : cases) {
        Session host, guest;
        ASSERT_TRUE(host.host(0, helloFrom("Anna"), "127.0.0.1")) << c.what;
        guest.nameLookup = HeldLookup::find;
        HeldLookup::hold(c.finds);
        const bool joined =
            guest.join("slow.example:" + std::to_string(host.port()), helloFrom("Ben"));
        EXPECT_FALSE(HeldLookup::answered.load())
            << c.what << ": expected join to return while the name was still looked up, but it "
            << "waited for the answer";
        // Frames go on until the look-up has begun (it then waits for the test).
        pumpUntil([] { return HeldLookup::asked.load() > 0; },
                  [&] {
                      host.service();
                      guest.service();
                  },
                  3000);
        EXPECT_TRUE(joined) << c.what;
        EXPECT_EQ(guest.phase(), Session::Resolving)
            << c.what << ": expected the session still looking the name up, got " << phaseOf(guest);
        EXPECT_EQ(HeldLookup::asked.load(), 1) << c.what << ": look-ups asked";
        if (c.leaveWhileLooking) guest.close();
        HeldLookup::release();
        pumpUntil([&] { return guest.phase() == c.expected && host.phase() != Session::Greeting; },
                  [&] {
                      host.service();
                      guest.service();
                  },
                  3000);
        EXPECT_EQ(guest.phase(), c.expected)
            << c.what << ": expected phase " << c.expected << ", got " << phaseOf(guest);
        EXPECT_EQ(guest.failure(), c.failure) << c.what << ": got " << phaseOf(guest);
        if (c.leaveWhileLooking) {
            EXPECT_EQ(host.phase(), Session::Waiting)
                << c.what << ": the host should have heard from nobody, got " << phaseOf(host);
        }
    }
}

// What the join field and the bind address take as an address without a look-up: a dotted IPv4
// address only, read into ENet's network byte order; anything else is left to the name look-up.
TEST(NumericAddress, OnlyDottedAddressesAreRead) {
    struct Case {
        const char* text;
        bool numeric;
        uint8_t bytes[4];
    };
    const Case cases[] = {
        {"127.0.0.1", true, {127, 0, 0, 1}},
        {"192.168.178.20", true, {192, 168, 178, 20}},
        {"255.255.255.255", true, {255, 255, 255, 255}},
        {"0.0.0.0", true, {0, 0, 0, 0}},
        {"localhost", false, {}},
        {"", false, {}},
        {"1.2.3", false, {}},
        {"256.1.1.1", false, {}},
        {"1.2.3.4:5000", false, {}},
        {" 1.2.3.4", false, {}},
        {"1.2.3.4.5", false, {}},
        {"::1", false, {}},
    };
    for (const Case& c : cases) {
        uint32_t host = 0xdeadbeef;
        const bool read = readNumericAddress(c.text, host);
        EXPECT_EQ(read, c.numeric)
            << "\"" << c.text << "\": expected " << (c.numeric ? "an address" : "no address")
            << ", got " << (read ? "an address" : "none");
        uint32_t expected = 0xdeadbeef;
        if (c.numeric) std::memcpy(&expected, c.bytes, 4);
        EXPECT_EQ(host, expected) << "\"" << c.text << "\": the address read (network byte order)";
    }
}
