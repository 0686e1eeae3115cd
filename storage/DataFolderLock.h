#pragma once
#include <cstdint>
#include <string>

#include "Libs/DataFolder.h"

// One running game per data folder: the lock on "<folder>/brixel.lock" is held for the life of
// the object, and the system lets go of it when the process ends in any way, so a crash leaves
// no stale lock behind.
class DataFolderLock {
public:
    enum Result {
        Taken,         // this game is the only one on the folder
        HeldElsewhere, // another running game holds it: this one must not touch a file
        Unavailable,   // no lock could be made (a read-only folder): nothing to guard
    };

    DataFolderLock() = default;
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;
    ~DataFolderLock();

    // Makes the folder when it is missing and takes the lock.
    Result take(const std::string& folder = DataFolder::Path("data"));
    void release();

private:
    intptr_t handle = -1;
};
