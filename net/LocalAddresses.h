#pragma once
#include <string>
#include <vector>

namespace net {

// The computer's own IPv4 addresses others on the network could reach it at (the loopback
// only when there is no other), for the host to tell the other player.
std::vector<std::string> localAddresses();

} // namespace net
