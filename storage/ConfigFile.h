#pragma once
#include <string>

#include "storage/AtomicFile.h"
#include "storage/KeyedTable.h"

// A key=value text file held as an ordered map of strings. A line splits at its first "=";
// nothing is trimmed; the last of duplicate keys wins; a line longer than 999 characters ends
// the reading; LF and CR LF line ends are both read. Written in byte order of the keys with CR LF
// line ends, the file replaced whole.
class ConfigFile {
public:
    // Clears the entries and reads the file; false (entries empty) when it cannot be opened.
    bool read(const std::string& path);
    // The value parsed as a decimal number; false (value = fallback) when the key is absent.
    bool getInt(const std::string& key, int& value, int fallback);
    // The stored value, even an empty one; false (value = fallback) when the key is absent.
    bool getString(const std::string& key, std::string& value, const std::string& fallback);
    void setInt(const std::string& key, int value);
    void setString(const std::string& key, const std::string& value);
    // Replaces the file with one line per entry; false (the old file untouched) on failure.
    bool write(const std::string& path, SaveProblem* problem = nullptr);

    KeyedTable<std::string, std::string> entries;
};
