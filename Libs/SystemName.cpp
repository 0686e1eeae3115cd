// Alone in its file: a test program links a SystemName of its own in its place (one that makes
// the file calls ignore letter case), and the linker then leaves this one out.
#include "Libs/SystemFiles.h"

namespace SystemFiles {

std::string SystemName(const std::string& path) {
    return path;
}

} // namespace SystemFiles
