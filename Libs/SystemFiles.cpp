#include "Libs/SystemFiles.h"

#include <system_error>

namespace SystemFiles {

namespace {
bool foldCase = false;
} // namespace

void FoldCaseForTests(bool on) {
    foldCase = on;
}

std::string SystemName(const std::string& path) {
    if (!foldCase) return path;
    std::string name = path;
    const size_t slash = name.find_last_of("/\\");
    for (size_t i = slash == std::string::npos ? 0 : slash + 1; i < name.size(); ++i) {
        if (name[i] == '.') break;
        if (name[i] >= 'A' && name[i] <= 'Z') name[i] = static_cast<char>(name[i] + 32);
    }
    return name;
}

std::filesystem::path PathOf(const std::string& path) {
    const std::string name = SystemName(path);
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string NameOf(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(PathOf(a), PathOf(b), error) && !error;
}

} // namespace SystemFiles
