#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One folder listing in progress: the entries of "folder/pattern" ("*" and "?" match in the last
// part only, and letters regardless of their case), always in byte order of their names. Names are
// Windows-1252 inside the game: a file name that cannot be converted from UTF-8 is passed over.
class DirectoryListing {
public:
    // Closes a listing in progress; the search starts with the next call of next. The pattern's
    // folder lies inside root (UTF-8, empty or ending in a separator: where the game writes can
    // have a name Windows-1252 cannot spell).
    void setPattern(const std::string& pattern, const std::string& root = "");
    // Moves to the next entry and fills the fields; false when none is left (the listing is
    // then closed).
    bool next();

    std::string fileName;  // Windows-1252
    std::string title;     // up to the first "."
    std::string extension; // after the first "."; empty without a dot
    int32_t isDirectory = 0;
    uint32_t fileSize = 0; // low 32 bits

private:
    struct Entry {
        std::string name;
        int32_t isDirectory;
        uint32_t size;
    };
    void start();

    std::string pattern;
    std::string root;
    std::vector<Entry> entries;
    size_t position = 0;
    bool open = false;
};
