#pragma once
#include <cstddef>
#include <string>

// Why a save did not happen; the old file is untouched in every case.
enum class SaveProblem {
    None,
    NotCreated,  // the temporary file could not be made (no access, no folder, name too long)
    DiskFull,    // the disk took no more bytes
    NotWritten,  // another write, flush or close failed
    NotReplaced, // the old file could not be replaced
    NameRefused, // the name cannot be a file on every system
};

// A file that could not be saved: its name inside the data folder (Windows-1252, as the game
// shows names) and why.
struct SaveFailure {
    std::string fileName;
    SaveProblem problem;
    bool operator==(const SaveFailure&) const = default;
};

// A file replaced whole: written to a temporary file in the same folder, flushed to the disk,
// then renamed over the old one. Until commit succeeds the old file stays as it was.
class AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile(); // abandons an uncommitted file

    bool open(const std::string& path);
    bool write(const void* data, size_t size);
    // Flushes, syncs and renames, then syncs the folder; false (temporary file removed) when
    // anything failed.
    bool commit();
    void abandon();
    bool isOpen() const { return descriptor >= 0; }
    // Why the last open, write or commit failed; None after a success.
    SaveProblem problem() const { return lastProblem; }

private:
    std::string target;
    std::string temporary;
    int descriptor = -1;
    SaveProblem lastProblem = SaveProblem::None;
};
