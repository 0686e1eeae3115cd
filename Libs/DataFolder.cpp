#include "Libs/DataFolder.h"

namespace DataFolder {

namespace {
std::string& root() {
    static std::string chosen;
    return chosen;
}
} // namespace

void SetRoot(const std::string& newRoot) {
    root() = newRoot;
    if (!newRoot.empty() && newRoot.back() != '/' && newRoot.back() != '\\') root() += '/';
}

const std::string& Root() {
    return root();
}

std::string Path(const std::string& name) {
    return root() + name;
}

} // namespace DataFolder
