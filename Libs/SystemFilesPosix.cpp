// Linux and the other POSIX systems: file names are UTF-8 bytes already.
#include "Libs/SystemFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace SystemFiles {

std::FILE* Open(const std::string& path, const char* mode) {
    return std::fopen(SystemName(path).c_str(), mode);
}

bool Remove(const std::string& path) {
    return std::remove(SystemName(path).c_str()) == 0;
}

int CreateTemporary(const std::string& target, std::string& created) {
    const std::string folded = SystemName(target);
    std::vector<char> name(folded.begin(), folded.end());
    for (char c : std::string(TemporaryMarker) + "XXXXXX") name.push_back(c);
    name.push_back('\0');
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) return -1;
    fchmod(descriptor, 0644); // mkstemp makes it private; a profile is an ordinary file
    created = name.data();
    return descriptor;
}

long Write(int descriptor, const void* data, size_t size) {
    for (;;) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written >= 0 || errno != EINTR) return static_cast<long>(written);
    }
}

bool Sync(int descriptor) {
    return fsync(descriptor) == 0;
}

bool Close(int descriptor) {
    return ::close(descriptor) == 0;
}

bool Replace(const std::string& from, const std::string& to) {
    return std::rename(SystemName(from).c_str(), SystemName(to).c_str()) == 0;
}

// flock belongs to the open file: a second open, even in this process, finds it taken.
intptr_t LockFile(const std::string& path, bool& heldElsewhere) {
    heldElsewhere = false;
    const int handle = ::open(SystemName(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (handle < 0) return -1;
    if (flock(handle, LOCK_EX | LOCK_NB) == 0) return handle;
    heldElsewhere = errno == EWOULDBLOCK;
    ::close(handle);
    return -1;
}

void UnlockFile(intptr_t handle) {
    ::close(static_cast<int>(handle)); // closing lets go of the lock
}

// The rename reaches the disk only with the folder's own entry.
void SyncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (handle < 0) return;
    fsync(handle);
    ::close(handle);
}

} // namespace SystemFiles
