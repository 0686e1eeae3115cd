// Linux and the other POSIX systems: file names are UTF-8 bytes already.
#include "Libs/SystemFiles.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace SystemFiles {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Same length, same bytes up to and including the first dot, the rest alike but for case.
bool SameButEndingCase(std::string_view a, std::string_view b, size_t dot) {
    if (a.size() != b.size() || a.compare(0, dot + 1, b, 0, dot + 1) != 0) return false;
    for (size_t i = dot + 1; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string OnDisk(const std::string& path) {
    return EndingAsOnDisk(SystemName(path));
}

} // namespace

std::string EndingAsOnDisk(const std::string& path) {
    struct stat info;
    if (path.empty() || ::lstat(path.c_str(), &info) == 0) return path;
    const size_t slash = path.rfind('/');
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find('.', start);
    if (dot == std::string::npos) return path;
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    const std::string_view name = std::string_view(path).substr(start);
    DIR* listing = ::opendir(folder.c_str());
    if (!listing) return path;
    // Of several candidates the first in byte order, so every run picks the same one.
    std::string found;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view candidate = entry->d_name;
        if (SameButEndingCase(candidate, name, dot - start) && (found.empty() || candidate < found))
            found = candidate;
    }
    ::closedir(listing);
    return found.empty() ? path : path.substr(0, start) + found;
}

std::FILE* Open(const std::string& path, const char* mode) {
    return std::fopen(OnDisk(path).c_str(), mode);
}

bool Remove(const std::string& path) {
    return std::remove(OnDisk(path).c_str()) == 0;
}

int CreateTemporary(const std::string& target, std::string& created) {
    const std::string folded = OnDisk(target);
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
    return std::rename(OnDisk(from).c_str(), OnDisk(to).c_str()) == 0;
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
