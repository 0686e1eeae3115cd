#include "tests/support/FoldedFileNames.h"

#include "Libs/SystemFiles.h"

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

} // namespace SystemFiles
