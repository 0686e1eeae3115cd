#include "storage/DataFolderLock.h"

#include <filesystem>
#include <system_error>

#include "Libs/SystemFiles.h"

DataFolderLock::~DataFolderLock() {
    release();
}

DataFolderLock::Result DataFolderLock::take(const std::string& folder) {
    release();
    std::error_code ignored;
    std::filesystem::create_directories(SystemFiles::PathOf(folder), ignored);
    bool heldElsewhere = false;
    handle = SystemFiles::LockFile(folder + "/brixel.lock", heldElsewhere);
    if (handle >= 0) return Taken;
    return heldElsewhere ? HeldElsewhere : Unavailable;
}

void DataFolderLock::release() {
    if (handle < 0) return;
    SystemFiles::UnlockFile(handle);
    handle = -1;
}
