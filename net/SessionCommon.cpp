// What both builds of the session share: the failure names and reading an address.
#include "net/Session.h"

namespace net {

const char* failureName(Failure failure) {
    static const char* const names[] = {
        "none",    "refused",     "no answer",   "other version", "left",           "lost",
        "hostile", "port in use", "bad address", "room full",     "room timed out", "no network"};
    const int index = int(failure);
    return index >= 0 && index < int(sizeof names / sizeof *names) ? names[index] : "?";
}

bool splitAddress(const std::string& address, std::string& host, uint16_t& port) {
    const size_t colon = address.rfind(':');
    host = address.substr(0, colon);
    port = defaultPort;
    if (colon == std::string::npos) return !host.empty();
    const std::string digits = address.substr(colon + 1);
    if (digits.empty() || digits.size() > 5) return false;
    long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535 || host.empty()) return false;
    port = uint16_t(value);
    return true;
}

} // namespace net
