// brixel-relay: pairs two brixel games that name the same room code and passes their messages
// on, for players who cannot open a port. Headless; runs until interrupted.
//
//   brixel-relay --port N [--bind ADDRESS] [--wait-seconds S] [--rooms R] [--per-address C]
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "net/Protocol.h"
#include "net/Relay.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void requestStop(int) {
    stopRequested = 1;
}

// A whole number from lo to hi, or -1.
long numberOf(const char* text, long lo, long hi) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < lo || value > hi) return -1;
    return value;
}

int usage() {
    std::fprintf(stderr, "usage: brixel-relay --port N [--bind ADDRESS] [--wait-seconds S] "
                         "[--rooms R] [--per-address C]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    long port = net::defaultPort;
    std::string bind;
    net::Relay relay;
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (i + 1 >= argc) return usage();
        const char* value = argv[++i];
        long n = 0;
        if (std::strcmp(option, "--port") == 0 && (n = numberOf(value, 1, 65535)) > 0)
            port = n;
        else if (std::strcmp(option, "--bind") == 0)
            bind = value;
        else if (std::strcmp(option, "--wait-seconds") == 0 && (n = numberOf(value, 1, 86400)) > 0)
            relay.limits.waitMs = uint32_t(n) * 1000;
        else if (std::strcmp(option, "--rooms") == 0 && (n = numberOf(value, 1, 100000)) > 0)
            relay.limits.rooms = int(n);
        else if (std::strcmp(option, "--per-address") == 0 && (n = numberOf(value, 1, 1000)) > 0)
            relay.limits.clientsPerAddress = int(n);
        else
            return usage();
    }
    if (!relay.open(uint16_t(port), bind)) {
        std::fprintf(stderr, "brixel-relay: port %ld could not be opened\n", port);
        return 1;
    }
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    std::printf("brixel-relay: listening on UDP port %u\n", unsigned(relay.port()));
    std::fflush(stdout);
    while (!stopRequested) relay.service(100);
    relay.close();
    return 0;
}
