#pragma once
// A disk for the storage tests, linked in place of the game's diskAllows: it fills up after a
// number of bytes, refuses the replace of chosen files, and records every step of every save.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "storage/DiskSteps.h"

namespace DiskFaults {

struct Step {
    DiskStep step;
    std::string target;
};

// Back to a sound disk with an empty record.
void Reset();
// After this many more bytes every write finds the disk full (negative: never).
void FillAfter(long bytes);
// Every replace of a target the test answers true for is refused.
void RefuseReplace(std::function<bool(const std::string& target)> refused);
// The steps since the last Reset, in order.
const std::vector<Step>& Steps();

// Sets up a sound disk for one scope and restores it at its end, whatever the test did.
struct Scope {
    Scope() { Reset(); }
    ~Scope() { Reset(); }
};

} // namespace DiskFaults
