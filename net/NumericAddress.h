#pragma once
#include <cstdint>
#include <string>

namespace net {

// Reads a dotted IPv4 address ("192.168.0.7") into `host` in network byte order, as ENet keeps
// it; false for anything else (names, ports, partial addresses), leaving `host` alone. The
// Windows build's ENet (1.3.13) has no numeric-only reader of its own.
bool readNumericAddress(const std::string& text, uint32_t& host);

} // namespace net
