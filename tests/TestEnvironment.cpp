// Every test runs SDL on its dummy drivers: no window system, no sound card needed.
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <system_error>

std::filesystem::path MakeTestFolder(const std::string& prefix) {
    static std::mt19937_64 names{std::random_device{}()};
    const std::filesystem::path temporary = std::filesystem::temp_directory_path();
    for (;;) {
        std::filesystem::path folder = temporary / (prefix + std::to_string(names() % 1000000007));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) return folder;
        if (error) return {};
    }
}

void SetTestEnvironment(const char* name, const char* value, bool overwrite) {
    if (!overwrite && std::getenv(name)) return;
#ifdef _WIN32
    _putenv_s(name, value);
#else
    setenv(name, value, 1);
#endif
}

void ShareWorkingFolder() {
    // A Windows death-test child runs the test body again; it keeps what its parent named.
    if (!GTEST_FLAG_GET(internal_run_death_test).empty()) return;
    SetTestEnvironment("BRIXEL_TEST_FOLDER", std::filesystem::current_path().string().c_str());
}

void EnterSharedWorkingFolder() {
    if (const char* folder = std::getenv("BRIXEL_TEST_FOLDER")) {
        std::error_code ignored;
        std::filesystem::current_path(folder, ignored);
    }
}

bool LinkFolder(const std::filesystem::path& target, const std::filesystem::path& link) {
    std::error_code error;
    std::filesystem::create_directory_symlink(target, link, error);
    if (!error) return true;
    error.clear();
    std::filesystem::copy(target, link, std::filesystem::copy_options::recursive, error);
    return !error;
}

namespace {
struct DummyDrivers {
    DummyDrivers() {
        SetTestEnvironment("SDL_VIDEODRIVER", "dummy");
        SetTestEnvironment("SDL_AUDIODRIVER", "dummy");
    }
} dummyDrivers;
} // namespace
