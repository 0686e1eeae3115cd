// A data folder with one profile and its copy: the input's first half is "Anna.user", the rest
// "Anna.bak". The game loads and saves the folder twice; every file that did not read cleanly
// must still be in the folder afterwards, byte for byte, under some name.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FuzzFile.h"
#include "storage/ProfileList.h"
#include "storage/ProfileStore.h"

namespace {

std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool somewhereInFolder(const std::string& folder, const std::string& bytes) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file() && bytesOf(entry.path()) == bytes) return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string root = fuzz::folder() + "/game";
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    std::filesystem::create_directories(root + "/data");
    const size_t half = size / 2;
    const std::string user(reinterpret_cast<const char*>(data), half);
    const std::string copy(reinterpret_cast<const char*>(data) + half, size - half);
    {
        std::ofstream(root + "/data/Anna.user", std::ios::binary) << user;
        std::ofstream(root + "/data/Anna.bak", std::ios::binary) << copy;
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(root);
    // What did not read cleanly before the game touched anything.
    PlayerProfile ignore;
    const bool userClean = readUnderName("data/Anna.user", "Anna", ignore) == 1;
    const bool copyClean = loadProfileFile("data/Anna.bak", ignore) == 1;
    for (int run = 0; run < 2; ++run) {
        ProfileList profiles;
        loadProfiles(profiles);
        while (profiles.Count() < 2) createProfile(profiles, "Spieler");
        saveProfiles(profiles);
    }
    std::filesystem::current_path(previous);
    if (!userClean && !somewhereInFolder(root + "/data", user))
        fuzz::fail("a profile that did not read cleanly is gone");
    if (!copyClean && !somewhereInFolder(root + "/data", copy))
        fuzz::fail("a copy that did not read cleanly is gone");
    return 0;
}
