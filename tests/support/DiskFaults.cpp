#include "tests/support/DiskFaults.h"

namespace {
long room = -1; // bytes left before the disk is full; negative is unlimited
std::function<bool(const std::string&)> refusedReplace;
std::vector<DiskFaults::Step> steps;
} // namespace

namespace DiskFaults {

void Reset() {
    room = -1;
    refusedReplace = nullptr;
    steps.clear();
}

void FillAfter(long bytes) {
    room = bytes;
}

void RefuseReplace(std::function<bool(const std::string&)> refused) {
    refusedReplace = std::move(refused);
}

const std::vector<Step>& Steps() {
    return steps;
}

} // namespace DiskFaults

bool diskAllows(DiskStep step, const std::string& target, size_t& size) {
    steps.push_back({step, target});
    if (step == DiskStep::Replace && refusedReplace && refusedReplace(target)) return false;
    if (step != DiskStep::Write || room < 0) return true;
    if (static_cast<long>(size) > room) size = static_cast<size_t>(room);
    room -= static_cast<long>(size);
    return true;
}
