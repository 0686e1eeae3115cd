#pragma once
#include <cstddef>
#include <string>

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
    // Flushes, syncs (unless `sync` is false) and renames; false (temporary file removed) when
    // anything failed.
    bool commit(bool sync = true);
    void abandon();
    bool isOpen() const { return descriptor >= 0; }

    // Test seam: after this many more bytes every write fails (negative: never).
    static void failWritesAfter(long bytes);

private:
    std::string target;
    std::string temporary;
    int descriptor = -1;
    bool failed = false;
};
