#pragma once
#include <cstdint>
#include <map>
#include <string>

typedef struct _ENetHost ENetHost;
typedef struct _ENetPeer ENetPeer;

namespace net {

// The meeting point for players who cannot open a port: two clients that name the same room
// code are paired and from then on each one's messages go to the other, checked on the way.
// It keeps nothing but the rooms, limits rooms and clients per address, drops rooms nobody
// came to, and cuts off a client that sends what cannot happen or too much.
class Relay {
public:
    struct Limits {
        int rooms = 256;
        int clientsPerAddress = 4;
        uint32_t waitMs = 120000; // a room with one client is dropped after this long
        int messagesPerSecond = 200;
        // A client silent this long is given up. Shorter than a game's own limit: the partner
        // must still hear of it within five seconds, one hop further on.
        uint32_t silenceMs = 3000;
    };

    Relay() = default;
    ~Relay();
    Relay(const Relay&) = delete;
    Relay& operator=(const Relay&) = delete;

    // Opens the port (on `bindAddress`, or every address); false when it cannot.
    bool open(uint16_t port, const std::string& bindAddress = "");
    // Handles what arrived, waiting at most waitMs for it.
    void service(uint32_t waitMs);
    void close();
    uint16_t port() const;
    int roomCount() const;

    Limits limits;

private:
    struct Room {
        ENetPeer* first = nullptr;
        ENetPeer* second = nullptr;
        uint32_t since = 0;
    };
    // What the relay knows of a client (ENet's peer data points here).
    struct Client {
        std::string room;
        uint32_t connectedAt = 0;
        uint32_t windowStart = 0;
        int messages = 0;
    };
    Client* clientOf(ENetPeer* peer);
    ENetPeer* partnerOf(ENetPeer* peer);
    void onConnect(ENetPeer* peer);
    void onDisconnect(ENetPeer* peer, uint32_t reason);
    void onPacket(ENetPeer* peer, uint8_t channel, const uint8_t* data, size_t size,
                  uint32_t flags);
    void enterRoom(ENetPeer* peer, const std::string& code);
    void dropClient(ENetPeer* peer, uint32_t reason);
    void sendStatus(ENetPeer* peer, uint8_t status);
    void dropIdleRooms();
    void dropSilentClients();

    ENetHost* host = nullptr;
    std::map<std::string, Room> rooms;
};

} // namespace net
