#include "Libs/SystemFiles.h"

#include <system_error>

namespace SystemFiles {

std::filesystem::path PathOf(const std::string& path) {
    const std::string name = EndingAsOnDisk(SystemName(path));
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string NameOf(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(PathOf(path), error) && !error;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(PathOf(a), PathOf(b), error) && !error;
}

} // namespace SystemFiles
