#include "net/Session.h"

#include <atomic>
#include <cstdlib>
#include <enet/enet.h>
#include <thread>

#include "net/HostEvents.h"
#include "net/NumericAddress.h"

namespace net {

namespace {

constexpr uint8_t reliableChannel = 0;
constexpr uint8_t boardChannel = 1;
constexpr size_t channels = 2;

// ENet is set up once for the process and left to the system at its end.
bool enetReady() {
    static const bool ready = enet_initialize() == 0;
    return ready;
}

// A silent peer is given up within four seconds; pings keep a quiet but living one alive.
void watchSilence(ENetPeer* peer) {
    enet_peer_timeout(peer, 32, 2000, Session::silenceLimitMs);
    enet_peer_ping_interval(peer, 500);
}

Failure failureOfReason(uint32_t reason) {
    switch (reason) {
    case ReasonLeft:
        return PeerLeft;
    case ReasonOtherVersion:
        return VersionFailure;
    case ReasonHostile:
        return HostileInput;
    case ReasonBusy:
        return Refused;
    case ReasonRoomFull:
        return RoomWasFull;
    case ReasonRoomTimedOut:
        return NobodyCame;
    default:
        return ConnectionLost;
    }
}

} // namespace

struct Session::Lookup {
    enum State { Running, Found, NotFound };
    std::atomic<int> state{Running};
    uint32_t address = 0; // written before state leaves Running
};

bool Session::systemLookup(const std::string& name, uint32_t& address) {
    ENetAddress found;
    if (!enetReady() || enet_address_set_host(&found, name.c_str()) != 0) return false;
    address = found.host;
    return true;
}

Session::Session() = default;

Session::~Session() {
    close();
}

bool Session::open(const std::string& bindAddress, uint16_t port, size_t peers) {
    close();
    currentFailure = NoFailure;
    peerHello = Hello{};
    inboxFirst = inboxCount = 0;
    if (!enetReady()) {
        fail(PortInUse, ReasonNone);
        return false;
    }
    ENetAddress address;
    address.host = ENET_HOST_ANY;
    address.port = port;
    if (!bindAddress.empty() && !readNumericAddress(bindAddress, address.host)) {
        fail(BadAddress, ReasonNone);
        return false;
    }
    const bool listening = port != 0 || !bindAddress.empty();
    enetHost = enet_host_create(listening ? &address : nullptr, peers, channels, 0, 0);
    if (enetHost == nullptr) {
        fail(PortInUse, ReasonNone);
        return false;
    }
    sentBefore = receivedBefore = 0;
    windowStart = enet_time_get();
    return true;
}

bool Session::host(uint16_t port, const Hello& me, const std::string& bindAddress) {
    myHello = me;
    leading = true;
    viaRelay = false;
    // Room for a second caller, who is turned away with a reason instead of left unanswered.
    if (!open(bindAddress, port, 2)) return false;
    currentPhase = Waiting;
    return true;
}

// A numeric address is called at once; a name is looked up first, off the frame thread.
bool Session::connectTo(const std::string& address) {
    std::string name;
    uint16_t port = 0;
    uint32_t target = 0;
    if (!splitAddress(address, name, port)) {
        fail(BadAddress, ReasonNone);
        return false;
    }
    if (readNumericAddress(name, target)) return connectToAddress(target, port);
    close();
    currentFailure = NoFailure;
    inboxFirst = inboxCount = 0;
    lookup = std::make_shared<Lookup>();
    lookupPort = port;
    lookupStart = enetReady() ? enet_time_get() : 0;
    // The thread keeps the result alive; a session closed meanwhile just never reads it.
    std::thread([result = lookup, name, find = nameLookup] {
        uint32_t found = 0;
        const bool ok = find(name, found);
        result->address = found;
        result->state.store(ok ? Lookup::Found : Lookup::NotFound, std::memory_order_release);
    }).detach();
    currentPhase = Resolving;
    return true;
}

bool Session::connectToAddress(uint32_t host, uint16_t port) {
    if (!open("", 0, 1)) return false;
    ENetAddress target;
    target.host = host;
    target.port = port;
    other = enet_host_connect(enetHost, &target, channels, protocolVersion);
    if (other == nullptr) {
        fail(NoAnswer, ReasonNone);
        return false;
    }
    watchSilence(other);
    currentPhase = Connecting;
    return true;
}

void Session::checkLookup() {
    const int state = lookup->state.load(std::memory_order_acquire);
    if (state == Lookup::Running && enet_time_get() - lookupStart < lookupLimitMs) return;
    const uint32_t host = lookup->address;
    lookup.reset();
    if (state == Lookup::Found)
        connectToAddress(host, lookupPort);
    else
        fail(BadAddress, ReasonNone);
}

bool Session::join(const std::string& address, const Hello& me) {
    myHello = me;
    leading = false;
    viaRelay = false;
    return connectTo(address);
}

bool Session::joinRelay(const std::string& relay, const std::string& room, const Hello& me) {
    if (!isValidRoomCode(room)) {
        fail(BadAddress, ReasonNone);
        return false;
    }
    myHello = me;
    leading = false;
    viaRelay = true;
    roomCode = room;
    return connectTo(relay);
}

void Session::service() {
    if (currentPhase == Resolving && lookup) checkLookup();
    handleHostEvents(
        enetHost, 0, [this](ENetPeer* peer) { onConnect(peer); },
        [this](ENetPeer* peer, uint32_t reason) { onDisconnect(peer, reason); },
        [this](const ENetEvent& e) { onPacket(e.peer, e.packet->data, e.packet->dataLength); });
    if (other != nullptr && other->state == ENET_PEER_STATE_CONNECTED &&
        quietMs(*other, connectedAt, enet_time_get()) > silenceLimitMs) {
        ENetPeer* silent = other;
        enet_peer_reset(silent);
        onDisconnect(silent, ReasonNone);
    }
    if (enetHost != nullptr) enet_host_flush(enetHost);
}

void Session::onConnect(ENetPeer* peer) {
    if (other == nullptr || peer == other) connectedAt = enet_time_get();
    if (currentPhase == Waiting && other == nullptr && !viaRelay) {
        other = peer;
        watchSilence(other);
        currentPhase = Greeting;
        sendHello();
        return;
    }
    if (peer != other) {
        // One game, two players: anyone else is told the host is busy.
        enet_peer_disconnect(peer, ReasonBusy);
        return;
    }
    if (currentPhase != Connecting) return;
    if (viaRelay) {
        Message room;
        room.type = RoomMessage;
        room.room.code = roomCode;
        sendRaw(room, true);
        currentPhase = Waiting;
        return;
    }
    currentPhase = Greeting;
    sendHello();
}

void Session::onDisconnect(ENetPeer* peer, uint32_t reason) {
    if (peer != other) return; // a turned-away caller leaving
    other = nullptr;
    if (currentPhase == Closed) return;
    Failure why = failureOfReason(reason);
    // An attempt that never got through had nobody answering.
    if (currentPhase == Connecting && reason == ReasonNone) why = NoAnswer;
    currentPhase = Closed;
    currentFailure = why;
}

void Session::sendHello() {
    Message hello;
    hello.type = HelloMessage;
    hello.hello = myHello;
    hello.hello.protocol = protocolVersion;
    hello.hello.name = sendableName(myHello.name);
    sendRaw(hello, true);
}

void Session::onRelayStatus(uint8_t status) {
    if (status == RoomWaiting) return;
    if (status == RoomPairedFirst || status == RoomPairedSecond) {
        leading = status == RoomPairedFirst;
        currentPhase = Greeting;
        sendHello();
        return;
    }
    fail(status == RoomFull ? RoomWasFull : NobodyCame, ReasonLeft);
}

void Session::onPacket(ENetPeer* peer, const uint8_t* data, size_t size) {
    if (peer != other || currentPhase == Closed) return;
    Message& slot = inbox[(inboxFirst + inboxCount) % inboxSize];
    const DecodeResult result = decode(data, size, slot);
    if (result == OtherVersion && slot.type == HelloMessage) {
        fail(VersionFailure, ReasonOtherVersion);
        return;
    }
    if (result != Decoded || !withinLimits(slot.type)) {
        fail(HostileInput, ReasonHostile);
        return;
    }
    switch (slot.type) {
    case HelloMessage:
        if (currentPhase != Greeting) return fail(HostileInput, ReasonHostile);
        peerHello = slot.hello;
        currentPhase = Ready;
        return;
    case RoomStatusMessage:
        if (!viaRelay || currentPhase != Waiting) return fail(HostileInput, ReasonHostile);
        return onRelayStatus(slot.roomStatus);
    case RoomMessage:
        return fail(HostileInput, ReasonHostile);
    case LeaveMessage:
        // Said before the disconnect arrives: the player left on purpose.
        currentPhase = Closed;
        currentFailure = PeerLeft;
        enet_peer_disconnect_later(other, ReasonNone);
        return;
    default:
        break;
    }
    if (currentPhase != Ready) return fail(HostileInput, ReasonHostile);
    if (inboxCount == inboxSize) return fail(HostileInput, ReasonHostile);
    ++inboxCount;
}

bool Session::withinLimits(MessageType type) {
    const uint32_t now = enet_time_get();
    if (now - windowStart >= 1000) {
        windowStart = now;
        countBoards = countClears = countGarbage = countGameOvers = countStarts = countAll = 0;
    }
    int* count = nullptr;
    int limit = 0;
    switch (type) {
    case BoardMessage:
        count = &countBoards, limit = limits.boards;
        break;
    case ClearMessage:
        count = &countClears, limit = limits.clears;
        break;
    case GarbageMessage:
        count = &countGarbage, limit = limits.garbage;
        break;
    case GameOverMessage:
        count = &countGameOvers, limit = limits.gameOvers;
        break;
    case StartMessage:
        count = &countStarts, limit = limits.starts;
        break;
    default:
        break;
    }
    if (count != nullptr && ++*count > limit) return false;
    return ++countAll <= limits.all;
}

void Session::fail(Failure why, uint32_t reason) {
    if (enetHost != nullptr && other != nullptr) {
        enet_peer_disconnect(other, reason);
        enet_host_flush(enetHost);
    }
    other = nullptr;
    currentPhase = Closed;
    currentFailure = why;
}

bool Session::next(Message& out) {
    if (inboxCount == 0) return false;
    out = inbox[inboxFirst];
    inboxFirst = (inboxFirst + 1) % inboxSize;
    --inboxCount;
    return true;
}

bool Session::sendRaw(const Message& message, bool reliable) {
    if (enetHost == nullptr || other == nullptr) return false;
    Packet packet;
    if (!encode(message, packet)) return false;
    ENetPacket* p =
        enet_packet_create(packet.bytes, packet.size, reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (p == nullptr) return false;
    if (enet_peer_send(other, reliable ? reliableChannel : boardChannel, p) != 0) {
        enet_packet_destroy(p);
        return false;
    }
    return true;
}

bool Session::send(const Message& message) {
    if (currentPhase != Ready) return false;
    return sendRaw(message, message.type != BoardMessage);
}

void Session::leave() {
    if (other != nullptr && currentPhase == Ready) {
        Message bye;
        bye.type = LeaveMessage;
        bye.leaveReason = 1;
        sendRaw(bye, true);
    }
    if (other != nullptr) {
        enet_peer_disconnect_later(other, ReasonLeft);
        // A few moments for the words to leave; a peer gone already is no reason to wait.
        const uint32_t until = enet_time_get() + 300;
        ENetEvent event;
        while (enet_time_get() < until && enet_host_service(enetHost, &event, 20) >= 0) {
            if (event.type == ENET_EVENT_TYPE_DISCONNECT) break;
            if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
        }
    }
    close();
}

void Session::close() {
    if (enetHost != nullptr) {
        if (other != nullptr) enet_peer_reset(other);
        sentBefore += enetHost->totalSentData;
        receivedBefore += enetHost->totalReceivedData;
        enet_host_destroy(enetHost);
    }
    enetHost = nullptr;
    other = nullptr;
    lookup.reset();
    if (currentPhase != Idle) currentPhase = Closed;
}

uint16_t Session::port() const {
    if (enetHost == nullptr) return 0;
    ENetAddress address;
    if (enet_socket_get_address(enetHost->socket, &address) != 0) return 0;
    return address.port;
}

uint64_t Session::bytesSent() const {
    return sentBefore + (enetHost ? enetHost->totalSentData : 0);
}

uint64_t Session::bytesReceived() const {
    return receivedBefore + (enetHost ? enetHost->totalReceivedData : 0);
}

} // namespace net
