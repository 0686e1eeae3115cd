#include "storage/AtomicFile.h"

#include <cerrno>

#include "Libs/SystemFiles.h"
#include "storage/DiskSteps.h"

namespace {

// A failed write or flush: a full disk is told apart, as the player can do something about it.
SaveProblem writeProblem() {
    return errno == ENOSPC ? SaveProblem::DiskFull : SaveProblem::NotWritten;
}

} // namespace

AtomicFile::~AtomicFile() {
    abandon();
}

bool AtomicFile::open(const std::string& path) {
    abandon();
    target = path;
    descriptor = SystemFiles::CreateTemporary(path, temporary);
    lastProblem = descriptor < 0 ? SaveProblem::NotCreated : SaveProblem::None;
    return descriptor >= 0;
}

bool AtomicFile::write(const void* data, size_t size) {
    if (descriptor < 0 || lastProblem != SaveProblem::None) return false;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        size_t chunk = size;
        if (!diskAllows(DiskStep::Write, target, chunk) || chunk == 0) {
            lastProblem = SaveProblem::DiskFull;
            return false;
        }
        errno = 0;
        const long written = SystemFiles::Write(descriptor, bytes, chunk);
        if (written <= 0) {
            lastProblem = writeProblem();
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// A save cut short by a crash, a power cut or a full disk must leave the player's last good file,
// not a torn one. The data is synced before the rename: otherwise the rename can reach the disk
// first, and a power cut leaves the real name on an empty file.
bool AtomicFile::commit() {
    if (descriptor < 0) return false;
    size_t none = 0;
    if (lastProblem == SaveProblem::None) {
        errno = 0;
        if (!diskAllows(DiskStep::Sync, target, none) || !SystemFiles::Sync(descriptor))
            lastProblem = writeProblem();
    }
    if (!SystemFiles::Close(descriptor) && lastProblem == SaveProblem::None)
        lastProblem = writeProblem();
    descriptor = -1;
    if (lastProblem == SaveProblem::None &&
        !(diskAllows(DiskStep::Replace, target, none) && SystemFiles::Replace(temporary, target)))
        lastProblem = SaveProblem::NotReplaced;
    if (lastProblem == SaveProblem::None)
        SystemFiles::SyncFolderOf(target);
    else
        SystemFiles::Remove(temporary);
    temporary.clear();
    return lastProblem == SaveProblem::None;
}

void AtomicFile::abandon() {
    if (descriptor < 0) return;
    SystemFiles::Close(descriptor);
    descriptor = -1;
    SystemFiles::Remove(temporary);
    temporary.clear();
}
