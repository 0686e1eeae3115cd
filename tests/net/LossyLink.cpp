#include "LossyLink.h"

#include <enet/protocol.h>

#include "net/NumericAddress.h"

namespace {

ENetSocket loopbackSocket(uint16_t port) {
    ENetSocket s = enet_socket_create(ENET_SOCKET_TYPE_DATAGRAM);
    ENetAddress address;
    net::readNumericAddress("127.0.0.1", address.host);
    address.port = port;
    enet_socket_set_option(s, ENET_SOCKOPT_NONBLOCK, 1);
    enet_socket_bind(s, &address);
    return s;
}

} // namespace

LossyLink::LossyLink(uint16_t hostPort, Settings s) : settings(s), random(s.seed) {
    enet_initialize();
    front = loopbackSocket(0);
    back = loopbackSocket(0);
    ENetAddress bound;
    enet_socket_get_address(front, &bound);
    frontPort = bound.port;
    net::readNumericAddress("127.0.0.1", host.host);
    host.port = hostPort;
}

LossyLink::~LossyLink() {
    enet_socket_destroy(front);
    enet_socket_destroy(back);
}

// Walks the datagram's commands (ENet's wire layout) looking for an unreliable send.
bool LossyLink::carriesUnreliable(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 2) return false;
    const unsigned peerId = unsigned(bytes[0]) << 8 | bytes[1];
    size_t at = (peerId & ENET_PROTOCOL_HEADER_FLAG_SENT_TIME) ? 4 : 2;
    while (at + sizeof(ENetProtocolCommandHeader) <= bytes.size()) {
        const uint8_t command = bytes[at] & ENET_PROTOCOL_COMMAND_MASK;
        const size_t size = enet_protocol_command_size(bytes[at]);
        if (size == 0 || at + size > bytes.size()) return false;
        if (command == ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE) return true;
        size_t data = 0;
        if (command == ENET_PROTOCOL_COMMAND_SEND_RELIABLE ||
            command == ENET_PROTOCOL_COMMAND_SEND_UNSEQUENCED ||
            command == ENET_PROTOCOL_COMMAND_SEND_FRAGMENT ||
            command == ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE_FRAGMENT)
            data = size_t(bytes[at + size - 2]) << 8 | bytes[at + size - 1];
        at += size + data;
    }
    return false;
}

void LossyLink::take(ENetSocket from, bool toHost) {
    for (;;) {
        uint8_t buffer[2048];
        ENetBuffer b;
        b.data = buffer;
        b.dataLength = sizeof buffer;
        ENetAddress sender;
        const int got = enet_socket_receive(from, &sender, &b, 1);
        if (got <= 0) return;
        if (toHost) {
            client = sender;
            clientKnown = true;
        }
        std::vector<uint8_t> bytes(buffer, buffer + got);
        std::uniform_real_distribution<double> share(0.0, 1.0);
        if (carriesUnreliable(bytes) && share(random) < settings.dropShare) {
            ++dropped;
            continue;
        }
        std::uniform_int_distribution<uint32_t> delay(0, settings.maxDelayMs);
        const uint32_t now = enet_time_get();
        queue.push_back({now + delay(random), toHost, bytes});
        if (share(random) < settings.duplicateShare) {
            ++duplicated;
            queue.push_back({now + delay(random), toHost, bytes});
        }
    }
}

void LossyLink::pump() {
    take(front, true);
    take(back, false);
    const uint32_t now = enet_time_get();
    for (auto it = queue.begin(); it != queue.end();) {
        if (int32_t(now - it->due) < 0) {
            ++it;
            continue;
        }
        ENetBuffer b;
        b.data = it->bytes.data();
        b.dataLength = it->bytes.size();
        if (it->toHost)
            enet_socket_send(back, &host, &b, 1);
        else if (clientKnown)
            enet_socket_send(front, &client, &b, 1);
        ++forwarded;
        it = queue.erase(it);
    }
}
