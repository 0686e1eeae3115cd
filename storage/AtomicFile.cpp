#include "storage/AtomicFile.h"

#include "Libs/SystemFiles.h"

namespace {
long writeBudget = -1; // test seam: bytes left before writes fail; negative is unlimited
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
    descriptor = SystemFiles::CreateTemporary(path, temporary);
    if (descriptor < 0) return false;
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
        const long written = SystemFiles::Write(descriptor, bytes, chunk);
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

// A save cut short by a crash, a power cut or a full disk must leave the player's last good file,
// not a torn one. The data is synced before the rename: otherwise the rename can reach the disk
// first, and a power cut leaves the real name on an empty file.
bool AtomicFile::commit(bool sync) {
    if (descriptor < 0) return false;
    bool ok = !failed && (!sync || SystemFiles::Sync(descriptor));
    ok = SystemFiles::Close(descriptor) && ok;
    descriptor = -1;
    if (ok) ok = SystemFiles::Replace(temporary, target);
    if (ok && sync) SystemFiles::SyncFolderOf(target);
    if (!ok) SystemFiles::Remove(temporary);
    temporary.clear();
    return ok;
}

void AtomicFile::abandon() {
    if (descriptor < 0) return;
    SystemFiles::Close(descriptor);
    descriptor = -1;
    SystemFiles::Remove(temporary);
    temporary.clear();
}
