#pragma once
#include <cstdint>
#include <enet/enet.h>

namespace net {

// Hands every event waiting on `host` to its handler, a connect to `connected(peer)`, a
// disconnect to `disconnected(peer, reason)`, a packet to `received(event)` (destroyed after
// it), until none is left. Only the first look may wait, up to waitMs. A handler may close the
// host: `host` is read again before each look.
template <class Connected, class Disconnected, class Received>
void handleHostEvents(ENetHost* const& host, uint32_t waitMs, Connected connected,
                      Disconnected disconnected, Received received) {
    ENetEvent event;
    uint32_t wait = waitMs;
    while (host != nullptr && enet_host_service(host, &event, wait) > 0) {
        wait = 0;
        switch (event.type) {
        case ENET_EVENT_TYPE_CONNECT:
            connected(event.peer);
            break;
        case ENET_EVENT_TYPE_DISCONNECT:
            disconnected(event.peer, event.data);
            break;
        case ENET_EVENT_TYPE_RECEIVE:
            received(event);
            enet_packet_destroy(event.packet);
            break;
        default:
            break;
        }
    }
}

// How long a connected peer has sent nothing: since its last packet, or since it connected at
// `connectedAt` (ENet counts its packets from the first acknowledgement on). ENet notices
// silence only in a service call that got past receiving, and a socket error (under wine, the
// answer to a port nobody listens on any more) can stop every call before that; pings keep a
// living peer's packets coming, so a long quiet is a lost connection.
inline uint32_t quietMs(const ENetPeer& peer, uint32_t connectedAt, uint32_t now) {
    const uint32_t sinceConnected = now - connectedAt;
    if (peer.lastReceiveTime == 0) return sinceConnected;
    const uint32_t sinceHeard = now - peer.lastReceiveTime;
    return sinceHeard < sinceConnected ? sinceHeard : sinceConnected;
}

} // namespace net
