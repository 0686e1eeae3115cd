#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "net/Protocol.h"

typedef struct _ENetHost ENetHost;
typedef struct _ENetPeer ENetPeer;

namespace net {

// Why a session ended (or could not begin), in what a player can be told.
enum Failure {
    NoFailure = 0,
    Refused,        // the other side already has a player, or turned us away
    NoAnswer,       // nobody answered at that address
    VersionFailure, // the other side speaks another protocol version
    PeerLeft,       // the other player left the game
    ConnectionLost, // the other side went silent
    HostileInput,   // the other side sent what cannot happen
    PortInUse,      // the port could not be opened
    BadAddress,     // the address could not be read or found
    RoomWasFull,    // the relay's room already has two players
    NobodyCame,     // nobody came to the relay's room
    NoNetwork,      // this build of the game has no online play
};

// Reasons carried by ENet's disconnect, so the far side can tell the player why.
enum DisconnectReason : uint32_t {
    ReasonNone = 0,
    ReasonLeft = 1,
    ReasonOtherVersion = 2,
    ReasonHostile = 3,
    ReasonBusy = 4,
    ReasonRoomFull = 5,
    ReasonRoomTimedOut = 6,
};

// Per second at most, from one peer; more is taken as hostile.
struct MessageLimits {
    int boards = 90; // the sender keeps to 60; duplicates and jitter bunch some up
    int clears = 20;
    int garbage = 20;
    int gameOvers = 10;
    int starts = 10;
    int all = 150;
};

// One online connection to the other player (directly or through a relay) over ENet: the
// connection, the hello with its version check, checked messages in, messages out, a polite
// leave, and a peer that goes silent ends the session within five seconds. Never blocks: a host
// name is looked up on a thread of its own while the frames go on.
class Session {
public:
    enum Phase {
        Idle,       // nothing open
        Waiting,    // hosting, or in a relay's room: waiting for the other player
        Connecting, // joining: waiting for the other side to answer
        Greeting,   // connected: hellos on their way
        Ready,      // both hellos checked: game messages flow
        Closed,     // ended; `failure` says why
        Resolving,  // joining by name: the name is being looked up
    };

    // Finds a host name's IPv4 address (network byte order); false when it has none. It may
    // take as long as the system's resolver likes: it runs off the frame thread.
    using NameLookup = bool (*)(const std::string& name, uint32_t& address);
    static bool systemLookup(const std::string& name, uint32_t& address);

    static constexpr uint32_t silenceLimitMs = 4000;
    // A name not found by then is reported as an address that cannot be found.
    static constexpr uint32_t lookupLimitMs = 10000;
    static constexpr int inboxSize = 256;

    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens `port` for one other player, on every address or only on `bindAddress`. False
    // (failure PortInUse) when the port cannot be opened; 0 takes any free port (see port()).
    bool host(uint16_t port, const Hello& me, const std::string& bindAddress = "");
    // Joins "host" or "host:port" (the default port when none is given).
    bool join(const std::string& address, const Hello& me);
    // Meets the other player in `room` at the relay "host" or "host:port".
    bool joinRelay(const std::string& relay, const std::string& room, const Hello& me);

    // Handles what arrived and sends what is queued; call once a frame. Never waits.
    void service();
    // The next checked game message, in the order received; false when none is waiting.
    bool next(Message& out);
    // Sends a game message once Ready: board states unreliable and sequenced, the rest
    // reliable and in order. False when not Ready or the message cannot be written.
    bool send(const Message& message);
    // Leaves politely: the other side hears it; the session is Closed (failure PeerLeft
    // stays with the other side, here NoFailure).
    void leave();
    // Closes at once without a word (as a killed process would).
    void close();

    Phase phase() const { return currentPhase; }
    Failure failure() const { return currentFailure; }
    // The other player's hello (valid once Ready).
    const Hello& peer() const { return peerHello; }
    // True on the side that leads the game: the host, or the relay room's first client.
    bool leads() const { return leading; }
    bool throughRelay() const { return viaRelay; }
    uint16_t port() const;
    // Bytes sent and received on the wire since the session opened.
    uint64_t bytesSent() const;
    uint64_t bytesReceived() const;

    MessageLimits limits;
    NameLookup nameLookup = systemLookup; // tests put a slow or failing one here

private:
    struct Lookup; // one look-up's result, shared with the thread doing it

    bool connectToAddress(uint32_t host, uint16_t port);
    void checkLookup();
    bool open(const std::string& bindAddress, uint16_t port, size_t peers);
    bool connectTo(const std::string& address);
    void onConnect(ENetPeer* peer);
    void onDisconnect(ENetPeer* peer, uint32_t reason);
    void onPacket(ENetPeer* peer, const uint8_t* data, size_t size);
    void onRelayStatus(uint8_t status);
    void fail(Failure why, uint32_t reason);
    bool withinLimits(MessageType type);
    bool sendRaw(const Message& message, bool reliable);
    void sendHello();

    ENetHost* enetHost = nullptr;
    ENetPeer* other = nullptr;
    uint32_t connectedAt = 0; // ENet time at which `other` was connected
    Phase currentPhase = Idle;
    Failure currentFailure = NoFailure;
    Hello myHello;
    Hello peerHello;
    bool leading = false;
    bool viaRelay = false;
    std::string roomCode;
    std::shared_ptr<Lookup> lookup; // the look-up under way while Resolving
    uint16_t lookupPort = 0;
    uint32_t lookupStart = 0;

    Message inbox[inboxSize];
    int inboxFirst = 0;
    int inboxCount = 0;

    // Messages received in the current second, by kind.
    uint32_t windowStart = 0;
    int countBoards = 0, countClears = 0, countGarbage = 0, countGameOvers = 0, countStarts = 0,
        countAll = 0;
    uint64_t sentBefore = 0, receivedBefore = 0;
};

// The text of a failure for the player (language ids are the game's business): a short English
// word, for logs and tests.
const char* failureName(Failure failure);

// Reads "host" or "host:port"; false when the port is not a number from 1 to 65535.
bool splitAddress(const std::string& address, std::string& host, uint16_t& port);

} // namespace net
