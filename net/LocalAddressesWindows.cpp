#include "net/LocalAddresses.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace net {

std::vector<std::string> localAddresses() {
    std::vector<std::string> found;
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return {"127.0.0.1"};
    char name[256] = {};
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    addrinfo* list = nullptr;
    if (gethostname(name, sizeof name) == 0 && getaddrinfo(name, nullptr, &hints, &list) == 0) {
        for (addrinfo* a = list; a != nullptr; a = a->ai_next) {
            char text[INET_ADDRSTRLEN] = {};
            const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
            if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) == nullptr) continue;
            if (std::string(text).rfind("127.", 0) == 0) continue;
            found.emplace_back(text);
        }
        freeaddrinfo(list);
    }
    WSACleanup();
    if (found.empty()) found.emplace_back("127.0.0.1");
    return found;
}

} // namespace net
