#pragma once
#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include <enet/enet.h>

// A bad network between an ENet client and an ENet host, both on 127.0.0.1: the client talks
// to the link's port, the link to the host's. Datagrams carrying unreliable messages are lost
// at `dropShare`; every datagram waits 0 to `maxDelayMs` (so they overtake each other) and some
// arrive twice. Everything runs in pump(); nothing waits.
class LossyLink {
public:
    struct Settings {
        double dropShare = 0.2;
        double duplicateShare = 0.05;
        uint32_t maxDelayMs = 150;
        uint32_t seed = 1;
    };

    LossyLink(uint16_t hostPort, Settings settings);
    ~LossyLink();
    uint16_t port() const { return frontPort; }
    // Moves what arrived into the queue and sends what is due.
    void pump();
    int dropped = 0, duplicated = 0, forwarded = 0;

private:
    struct Datagram {
        uint32_t due;
        bool toHost;
        std::vector<uint8_t> bytes;
    };
    void take(ENetSocket from, bool toHost);
    static bool carriesUnreliable(const std::vector<uint8_t>& bytes);

    Settings settings;
    std::mt19937 random;
    ENetSocket front = ENET_SOCKET_NULL; // the client's side
    ENetSocket back = ENET_SOCKET_NULL;  // the host's side
    ENetAddress host{}, client{};
    bool clientKnown = false;
    uint16_t frontPort = 0;
    std::deque<Datagram> queue;
};
