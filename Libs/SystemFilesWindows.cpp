// Windows: UTF-8 names become UTF-16 and go through the wide-character calls, so a name like
// "Jürgen" is the same file whatever the system's code page.
#include "Libs/SystemFiles.h"
#include "Libs/WideText.h"

#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace SystemFiles {

// The system ignores letter case itself.
std::string EndingAsOnDisk(const std::string& path) {
    return path;
}

std::FILE* Open(const std::string& path, const char* mode) {
    return _wfopen(WideFromUtf8(path).c_str(), WideFromUtf8(mode).c_str());
}

bool Remove(const std::string& path) {
    return DeleteFileW(WideFromUtf8(path).c_str()) != 0;
}

int CreateTemporary(const std::string& target, std::string& created) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static unsigned long long counter = 0;
    unsigned long long seed =
        GetTickCount64() ^ (static_cast<unsigned long long>(GetCurrentProcessId()) << 20);
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned long long n = seed + 7919 * ++counter;
        std::string name = target + ".";
        for (int i = 0; i < 6; ++i, n /= 62) name += letters[n % 62];
        const int descriptor =
            _wopen(WideFromUtf8(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                   _S_IREAD | _S_IWRITE);
        if (descriptor >= 0) {
            created = name;
            return descriptor;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

long Write(int descriptor, const void* data, size_t size) {
    const unsigned chunk = size > 0x40000000u ? 0x40000000u : static_cast<unsigned>(size);
    return _write(descriptor, data, chunk);
}

bool Sync(int descriptor) {
    return _commit(descriptor) == 0;
}

bool Close(int descriptor) {
    return _close(descriptor) == 0;
}

// The C library's rename refuses an existing target there; the system call replaces it, and
// returns only once the new name is on the disk.
bool Replace(const std::string& from, const std::string& to) {
    return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void SyncFolderOf(const std::string&) {
    // MOVEFILE_WRITE_THROUGH has done it.
}

} // namespace SystemFiles
