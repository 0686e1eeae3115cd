// A message from the network: any bytes are checked; what is taken is written again and reads
// back as the same bytes, and a taken board is one the rules can reach.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "net/BoardPicture.h"
#include "net/Protocol.h"

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    net::Message message;
    if (net::decode(data, size, message) != net::Decoded) return 0;
    net::Packet again;
    if (!net::encode(message, again)) fail("a message taken could not be written again");
    if (again.size != size || std::memcmp(again.bytes, data, size) != 0) {
        // The board's packed cells are the one place where two spellings could mean one thing.
        fail("a message taken was written again with other bytes");
    }
    if (message.type == net::BoardMessage && !net::isWithinRules(message.board))
        fail("a board outside the rules was taken");
    if (message.type == net::HelloMessage && !net::isValidName(message.hello.name))
        fail("a hello with a name the game does not allow was taken");
    return 0;
}
