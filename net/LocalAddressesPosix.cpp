#include "net/LocalAddresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

namespace net {

std::vector<std::string> localAddresses() {
    std::vector<std::string> found;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return {"127.0.0.1"};
    for (ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
        if (a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_INET) continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
        if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) == nullptr) continue;
        if (std::string(text).rfind("127.", 0) == 0) continue;
        found.emplace_back(text);
    }
    freeifaddrs(list);
    if (found.empty()) found.emplace_back("127.0.0.1");
    return found;
}

} // namespace net
