#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "storage/AtomicFile.h"

// The running checksum of a record file: every word passes through update in file order.
struct RecordChecksum {
    uint32_t acc1 = 1983;
    uint32_t acc2 = 18;
    uint32_t acc3 = 9;
    uint32_t sum = 0;
    uint32_t prev = 1;

    void update(uint32_t word);
};

// A file of little-endian 32-bit words: the magic word first, then the caller's words, then the
// checksum of all of them. Writing replaces the file whole at close.
class RecordFile {
public:
    static constexpr uint32_t magic = 0x45646147;
    enum Mode { Closed = 0, Reading = 1, Writing = 2 };

    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile();

    // Reading fails when the file is missing, empty or its first word is not the magic.
    bool open(const std::string& path, int mode);
    void writeWord(uint32_t word);
    // False when no word is left.
    bool readWord(uint32_t& word);
    // Reading: true when the stored checksum could be read and matches. Writing: true when every
    // word reached the disk and the file was put in place.
    bool close();
    // Why the last write failed (None while it has not).
    SaveProblem problem() const { return output.problem(); }

private:
    bool fillBlock();
    void flushBlock();

    int mode = Closed;
    FILE* input = nullptr;
    AtomicFile output;
    bool writeFailed = false;
    uint32_t block[100] = {};
    int fill = 0;
    int position = 0;
    RecordChecksum checksum;
};
