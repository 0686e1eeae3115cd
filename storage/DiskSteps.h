#pragma once
#include <cstddef>
#include <string>

// The steps of a save that reach the disk.
enum class DiskStep { Write, Sync, Replace };

// Asked before each step of a save of `target`. The game's own answer (DiskSteps.cpp, alone in
// its file) lets every step through whole; a test program links one of its own in its place: a
// disk that fills up, a replace that is refused, a record of the steps in their order. For a
// write, `size` is the number of bytes asked for and comes back as the number that fit (0: the
// disk is full).
bool diskAllows(DiskStep step, const std::string& target, size_t& size);
