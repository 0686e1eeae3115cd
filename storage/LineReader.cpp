#include "storage/LineReader.h"

#include <climits>
#include <cstdint>

#include "Libs/SystemFiles.h"

LineReader::~LineReader() {
    close();
}

bool LineReader::open(const std::string& path) {
    close();
    if (!SystemFiles::IsRegularFile(path)) return false;
    file = SystemFiles::Open(path, "rb");
    return file != nullptr;
}

void LineReader::close() {
    if (file) std::fclose(file);
    file = nullptr;
}

bool LineReader::nextLine(std::string& line) {
    if (!file) return false;
    line.clear();
    int c = std::fgetc(file);
    if (c == EOF) {
        close();
        return false;
    }
    // One character past the limit is allowed to be the CR of a CR LF ending.
    while (c != EOF && c != '\n') {
        line += static_cast<char>(c);
        if (line.size() > maxLine + 1) break;
        c = std::fgetc(file);
    }
    if (!line.empty() && line.back() == '\r' && c == '\n') line.pop_back();
    if (line.size() > maxLine) {
        close();
        return false;
    }
    return true;
}

int parseDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{INT_MAX} + 1) value = int64_t{INT_MAX} + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

bool LineReader::nextEntry(std::string& line, size_t& equals) {
    while (nextLine(line)) {
        equals = line.find('=');
        if (equals != std::string::npos) return true;
    }
    return false;
}
