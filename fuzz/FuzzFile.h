#pragma once
// What every fuzz target shares: the readers take files by path, so each input is written to a
// file in a folder of the run's own, made once and removed when the run ends.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzz {

inline void removeFolder();

// The run's private folder, made on first use.
inline const std::string& folder() {
    static const std::string made = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/brixel-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort(); // no folder: nothing could be read
        return pattern;
    }();
    static const bool cleaned = std::atexit(removeFolder) == 0;
    (void)cleaned;
    return made;
}

inline void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder(), ignored);
}

// Writes the bytes to `name` inside the folder; its path.
inline std::string writeInput(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = folder() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    if (std::fclose(file) != 0) std::abort();
    return path;
}

// A finding: what went wrong, then abort() so libFuzzer keeps the input.
[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

} // namespace fuzz
