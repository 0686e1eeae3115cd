#include "storage/RecordFile.h"

#include "Libs/SystemFiles.h"

void RecordChecksum::update(uint32_t word) {
    if (word == sum) return;
    acc1 += word;
    acc3 += prev * word;
    acc2 = (word + 1) * acc2;
    sum = ((acc1 * 4096 + acc2) * 4096) + acc3 + acc2 + acc1;
    prev = word;
}

namespace {

uint32_t fromLittleEndian(const unsigned char* b) {
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

void toLittleEndian(uint32_t w, unsigned char* b) {
    for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(w >> (8 * i));
}

} // namespace

RecordFile::~RecordFile() {
    if (input) std::fclose(input);
    output.abandon();
}

bool RecordFile::open(const std::string& path, int newMode) {
    if (mode != Closed) close();
    checksum = RecordChecksum{};
    fill = 0;
    position = 0;
    writeFailed = false;
    if (newMode == Writing) {
        if (!output.open(path)) return false;
        mode = Writing;
        writeWord(magic);
        return true;
    }
    if (newMode != Reading) return false;
    input = SystemFiles::Open(path, "rb");
    if (!input) return false;
    mode = Reading;
    uint32_t first = 0;
    if (!readWord(first) || first != magic) {
        std::fclose(input);
        input = nullptr;
        mode = Closed;
        return false;
    }
    return true;
}

void RecordFile::writeWord(uint32_t word) {
    if (mode != Writing) return;
    block[fill++] = word;
    if (fill == 100) flushBlock();
}

// Every word that reaches the disk passes through the checksum, in order.
void RecordFile::flushBlock() {
    unsigned char bytes[400];
    for (int i = 0; i < fill; ++i) {
        toLittleEndian(block[i], bytes + 4 * i);
        checksum.update(block[i]);
    }
    if (fill > 0 && !output.write(bytes, static_cast<size_t>(fill) * 4)) writeFailed = true;
    fill = 0;
}

// Reads up to 400 bytes; every whole word of the block passes through the checksum at once.
bool RecordFile::fillBlock() {
    unsigned char bytes[400];
    const size_t got = std::fread(bytes, 1, sizeof bytes, input);
    fill = static_cast<int>(got / 4);
    position = 0;
    for (int i = 0; i < fill; ++i) {
        block[i] = fromLittleEndian(bytes + 4 * i);
        checksum.update(block[i]);
    }
    return fill > 0;
}

bool RecordFile::readWord(uint32_t& word) {
    if (mode != Reading) return false;
    if (position == fill && !fillBlock()) return false;
    word = block[position++];
    return true;
}

bool RecordFile::close() {
    if (mode == Reading) {
        uint32_t stored = 0;
        const bool consistent = readWord(stored) && stored == checksum.sum;
        std::fclose(input);
        input = nullptr;
        mode = Closed;
        return consistent;
    }
    if (mode == Writing) {
        flushBlock();
        const uint32_t sum = checksum.sum;
        unsigned char bytes[4];
        toLittleEndian(sum, bytes);
        if (!output.write(bytes, 4)) writeFailed = true;
        mode = Closed;
        if (writeFailed) {
            output.abandon();
            return false;
        }
        return output.commit();
    }
    return false;
}
