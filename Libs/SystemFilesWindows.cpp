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
        std::string name = target + TemporaryMarker;
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
// returns only once the new name is on the disk. A virus scanner or a sync client may hold the
// old file for a moment: the system then refuses access to it (the old file is open without
// leave to delete it) or reports a sharing violation (the new one is open). Either is tried
// again for up to two seconds; a target that stays refused fails after that.
bool Replace(const std::string& from, const std::string& to) {
    for (int waited = 0;; waited += 50) {
        if (MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0)
            return true;
        const DWORD error = GetLastError();
        const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                          error == ERROR_LOCK_VIOLATION;
        if (!held || waited >= 2000) return false;
        Sleep(50);
    }
}

// A file opened without sharing: nobody else opens it until the handle closes, which the
// system does when the process ends; the file goes with it.
intptr_t LockFile(const std::string& path, bool& heldElsewhere) {
    const HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    heldElsewhere = file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
    return file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(file);
}

void UnlockFile(intptr_t handle) {
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

void SyncFolderOf(const std::string&) {
    // MOVEFILE_WRITE_THROUGH has done it.
}

} // namespace SystemFiles
