// Every test runs SDL on its dummy drivers: no window system, no sound card needed.
#include <cstdlib>

namespace {
struct DummyDrivers {
    DummyDrivers() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
} dummyDrivers;
} // namespace
