#pragma once
#include <cstdint>
#include <string>

#include "storage/KeyedTable.h"

// Every user-interface text by number, read from "language/<name>.txt" (lines "id=text"; "\n"
// in a text is a line break).
class LanguageTable {
public:
    // Clears the table and reads the file; false (and the table empty) when it cannot be opened.
    bool Load(const std::string& path);
    // The text with that id; empty when the file did not define it.
    const std::string& Text(int id) const;
    int Count() const { return texts.Count(); }
    // Every text by id, in id order: for checks over a whole file.
    const KeyedTable<int32_t, std::string>& All() const { return texts; }

private:
    KeyedTable<int32_t, std::string> texts;
};
