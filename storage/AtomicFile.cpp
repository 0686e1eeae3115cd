#include "storage/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
long writeBudget = -1; // test seam: bytes left before writes fail; negative is unlimited

// The rename itself reaches the disk only with the folder's own entry.
void syncFolder(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (handle < 0) return;
    fsync(handle);
    ::close(handle);
}

} // namespace

void AtomicFile::failWritesAfter(long bytes) {
    writeBudget = bytes;
}

AtomicFile::~AtomicFile() {
    abandon();
}

bool AtomicFile::open(const std::string& path) {
    abandon();
    target = path;
    std::vector<char> name(path.begin(), path.end());
    for (char c : std::string(".XXXXXX")) name.push_back(c);
    name.push_back('\0');
    descriptor = mkstemp(name.data());
    if (descriptor < 0) return false;
    temporary = name.data();
    fchmod(descriptor, 0644);
    failed = false;
    return true;
}

bool AtomicFile::write(const void* data, size_t size) {
    if (descriptor < 0 || failed) return false;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        size_t chunk = size;
        if (writeBudget >= 0 && static_cast<long>(chunk) > writeBudget) chunk = writeBudget;
        if (chunk == 0) {
            failed = true; // the simulated full disk
            return false;
        }
        const ssize_t written = ::write(descriptor, bytes, chunk);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            failed = true;
            return false;
        }
        if (writeBudget >= 0) writeBudget -= written;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool AtomicFile::commit(bool sync) {
    if (descriptor < 0) return false;
    bool ok = !failed && (!sync || fsync(descriptor) == 0);
    ok = ::close(descriptor) == 0 && ok;
    descriptor = -1;
    if (ok) ok = std::rename(temporary.c_str(), target.c_str()) == 0;
    if (ok && sync) syncFolder(target);
    if (!ok) std::remove(temporary.c_str());
    temporary.clear();
    return ok;
}

void AtomicFile::abandon() {
    if (descriptor < 0) return;
    ::close(descriptor);
    descriptor = -1;
    std::remove(temporary.c_str());
    temporary.clear();
}
