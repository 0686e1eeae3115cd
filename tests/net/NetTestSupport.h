#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include <enet/enet.h>

#include "net/Protocol.h"
#include "net/Session.h"

// Services the sessions (and whatever else `step` moves) every millisecond or two until `done`
// or `limitMs` of wall time passed; true when done.
inline bool pumpUntil(const std::function<bool()>& done, const std::function<void()>& step,
                      uint32_t limitMs) {
    const uint32_t start = enet_time_get();
    while (!done()) {
        if (enet_time_get() - start > limitMs) return false;
        step();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline net::Hello helloFrom(const std::string& name, bool endless = false) {
    net::Hello h;
    h.gameVersion = "1.2";
    h.name = name;
    h.endless = endless ? 1 : 0;
    return h;
}

inline std::string phaseOf(const net::Session& s) {
    static const char* const names[] = {"idle",  "waiting", "connecting", "greeting",
                                        "ready", "closed",  "resolving"};
    return std::string(names[s.phase()]) + " (" + net::failureName(s.failure()) + ")";
}
