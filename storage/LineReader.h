#pragma once
#include <cstdio>
#include <string>
#include <string_view>

// The line reader of the settings and language files: text lines ending in LF (a CR before it
// is dropped); a last line without a break counts; a line longer than 999 characters ends the
// reading, it and every later line unread.
class LineReader {
public:
    static constexpr size_t maxLine = 999;

    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    ~LineReader();

    bool open(const std::string& path);
    // False at the end of the file or at an over-long line (the reading then ends).
    bool nextLine(std::string& line);
    // The next "key=value" line, split at its first "="; lines without one are passed over.
    bool nextEntry(std::string& line, size_t& equals);
    void close();

private:
    FILE* file = nullptr;
};

// A decimal number as the files hold it: leading white space skipped, an optional sign, digits up
// to the first other character; no digits give 0; values beyond 32 bits are held at the limit.
int parseDecimal(std::string_view text);
