#include "net/Relay.h"

#include <enet/enet.h>

#include "net/HostEvents.h"
#include "net/NumericAddress.h"
#include "net/Protocol.h"
#include "net/Session.h" // the reasons a connection ends

namespace net {

namespace {

bool enetReady() {
    static const bool ready = enet_initialize() == 0;
    return ready;
}

} // namespace

Relay::~Relay() {
    close();
}

bool Relay::open(uint16_t port, const std::string& bindAddress) {
    close();
    if (!enetReady()) return false;
    ENetAddress address;
    address.host = ENET_HOST_ANY;
    address.port = port;
    if (!bindAddress.empty() && !readNumericAddress(bindAddress, address.host)) return false;
    host = enet_host_create(&address, 512, 2, 0, 0);
    return host != nullptr;
}

void Relay::close() {
    if (host == nullptr) return;
    for (size_t i = 0; i < host->peerCount; ++i) {
        delete static_cast<Client*>(host->peers[i].data);
        host->peers[i].data = nullptr;
    }
    enet_host_destroy(host);
    host = nullptr;
    rooms.clear();
}

uint16_t Relay::port() const {
    ENetAddress address;
    if (host == nullptr || enet_socket_get_address(host->socket, &address) != 0) return 0;
    return address.port;
}

int Relay::roomCount() const {
    return int(rooms.size());
}

Relay::Client* Relay::clientOf(ENetPeer* peer) {
    return static_cast<Client*>(peer->data);
}

ENetPeer* Relay::partnerOf(ENetPeer* peer) {
    Client* client = clientOf(peer);
    if (client == nullptr || client->room.empty()) return nullptr;
    auto room = rooms.find(client->room);
    if (room == rooms.end()) return nullptr;
    if (room->second.first == peer) return room->second.second;
    if (room->second.second == peer) return room->second.first;
    return nullptr;
}

void Relay::service(uint32_t waitMs) {
    if (host == nullptr) return;
    handleHostEvents(
        host, waitMs, [this](ENetPeer* peer) { onConnect(peer); },
        [this](ENetPeer* peer, uint32_t reason) { onDisconnect(peer, reason); },
        [this](const ENetEvent& e) {
            onPacket(e.peer, e.channelID, e.packet->data, e.packet->dataLength, e.packet->flags);
        });
    dropIdleRooms();
    dropSilentClients();
    enet_host_flush(host);
}

void Relay::onConnect(ENetPeer* peer) {
    int fromSameAddress = 0;
    for (size_t i = 0; i < host->peerCount; ++i) {
        const ENetPeer& other = host->peers[i];
        if (other.state == ENET_PEER_STATE_CONNECTED && other.address.host == peer->address.host)
            ++fromSameAddress;
    }
    if (fromSameAddress > limits.clientsPerAddress) {
        enet_peer_disconnect(peer, ReasonBusy);
        return;
    }
    peer->data = new Client{};
    clientOf(peer)->windowStart = clientOf(peer)->connectedAt = enet_time_get();
    enet_peer_timeout(peer, 32, 2000, limits.silenceMs);
}

void Relay::dropClient(ENetPeer* peer, uint32_t reason) {
    Client* client = clientOf(peer);
    if (client != nullptr && !client->room.empty()) {
        auto room = rooms.find(client->room);
        if (room != rooms.end()) {
            ENetPeer* partner = partnerOf(peer);
            rooms.erase(room);
            // The partner learns why: a player who left, or one gone silent (no reason).
            if (partner != nullptr) {
                Client* other = clientOf(partner);
                if (other) other->room.clear();
                enet_peer_disconnect_later(partner,
                                           reason == ReasonLeft ? uint32_t(ReasonLeft) : 0u);
            }
        }
    }
    delete client;
    peer->data = nullptr;
}

void Relay::onDisconnect(ENetPeer* peer, uint32_t reason) {
    dropClient(peer, reason);
}

void Relay::sendStatus(ENetPeer* peer, uint8_t status) {
    Message m;
    m.type = RoomStatusMessage;
    m.roomStatus = status;
    Packet p;
    encode(m, p);
    enet_peer_send(peer, 0, enet_packet_create(p.bytes, p.size, ENET_PACKET_FLAG_RELIABLE));
}

void Relay::enterRoom(ENetPeer* peer, const std::string& code) {
    auto found = rooms.find(code);
    if (found == rooms.end()) {
        if (int(rooms.size()) >= limits.rooms) {
            enet_peer_disconnect(peer, ReasonBusy);
            dropClient(peer, ReasonNone);
            return;
        }
        rooms[code] = Room{peer, nullptr, enet_time_get()};
        clientOf(peer)->room = code;
        sendStatus(peer, RoomWaiting);
        return;
    }
    Room& room = found->second;
    if (room.second != nullptr) {
        sendStatus(peer, RoomFull);
        enet_peer_disconnect_later(peer, ReasonRoomFull);
        return;
    }
    room.second = peer;
    clientOf(peer)->room = code;
    sendStatus(room.first, RoomPairedFirst);
    sendStatus(peer, RoomPairedSecond);
}

void Relay::onPacket(ENetPeer* peer, uint8_t channel, const uint8_t* data, size_t size,
                     uint32_t flags) {
    Client* client = clientOf(peer);
    if (client == nullptr) return;
    const uint32_t now = enet_time_get();
    if (now - client->windowStart >= 1000) {
        client->windowStart = now;
        client->messages = 0;
    }
    Message m;
    const DecodeResult result = decode(data, size, m);
    // Another version's hello goes across: the far side says what is wrong.
    const bool taken = result == Decoded || (result == OtherVersion && m.type == HelloMessage);
    if (!taken || ++client->messages > limits.messagesPerSecond) {
        enet_peer_disconnect(peer, ReasonHostile);
        dropClient(peer, ReasonNone);
        return;
    }
    if (client->room.empty()) {
        if (m.type != RoomMessage) {
            enet_peer_disconnect(peer, ReasonHostile);
            dropClient(peer, ReasonNone);
            return;
        }
        enterRoom(peer, m.room.code);
        return;
    }
    ENetPeer* partner = partnerOf(peer);
    if (m.type == RoomMessage || m.type == RoomStatusMessage || partner == nullptr) {
        // A second room, a status only the relay gives, or talk before the pairing.
        enet_peer_disconnect(peer, ReasonHostile);
        dropClient(peer, ReasonNone);
        return;
    }
    const uint32_t kept = flags & (ENET_PACKET_FLAG_RELIABLE | ENET_PACKET_FLAG_UNSEQUENCED);
    enet_peer_send(partner, channel < 2 ? channel : 0, enet_packet_create(data, size, kept));
}

void Relay::dropIdleRooms() {
    const uint32_t now = enet_time_get();
    for (auto it = rooms.begin(); it != rooms.end();) {
        Room& room = it->second;
        if (room.second == nullptr && now - room.since > limits.waitMs) {
            ENetPeer* waiting = room.first;
            it = rooms.erase(it);
            if (Client* c = clientOf(waiting)) c->room.clear();
            sendStatus(waiting, RoomTimedOut);
            enet_peer_disconnect_later(waiting, ReasonRoomTimedOut);
            continue;
        }
        ++it;
    }
}

// A client that names no room, or whose program is gone, is given up like one ENet timed out.
void Relay::dropSilentClients() {
    const uint32_t now = enet_time_get();
    for (size_t i = 0; i < host->peerCount; ++i) {
        ENetPeer& peer = host->peers[i];
        const Client* client = clientOf(&peer);
        if (client == nullptr || peer.state != ENET_PEER_STATE_CONNECTED) continue;
        if (quietMs(peer, client->connectedAt, now) <= limits.silenceMs) continue;
        dropClient(&peer, ReasonNone);
        enet_peer_reset(&peer);
    }
}

} // namespace net
