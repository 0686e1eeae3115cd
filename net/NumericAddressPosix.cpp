#include "net/NumericAddress.h"

#include <arpa/inet.h>

namespace net {

bool readNumericAddress(const std::string& text, uint32_t& host) {
    in_addr address{};
    if (inet_pton(AF_INET, text.c_str(), &address) != 1) return false;
    host = address.s_addr;
    return true;
}

} // namespace net
