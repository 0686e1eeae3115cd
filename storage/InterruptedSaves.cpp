#include "storage/InterruptedSaves.h"

#include "Libs/SystemFiles.h"
#include "Libs/Win1252.h"
#include "storage/DirectoryListing.h"

namespace {

bool isLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The files the game saves in "data".
bool isSavedFileName(const std::string& name) {
    if (name == "brixel.ini") return true;
    for (const char* ending : {".user", ".bak", ".bak2", ".damaged"})
        if (name.ends_with(ending)) return true;
    return false;
}

} // namespace

bool isInterruptedSaveName(const std::string& fileName) {
    constexpr size_t marker = 7; // "." and six letters or digits
    if (fileName.size() <= marker) return false;
    const size_t dot = fileName.size() - marker;
    if (fileName[dot] != '.') return false;
    for (size_t i = dot + 1; i < fileName.size(); ++i)
        if (!isLetterOrDigit(fileName[i])) return false;
    return isSavedFileName(fileName.substr(0, dot));
}

void removeInterruptedSaves() {
    DirectoryListing listing;
    listing.setPattern("data/*");
    while (listing.next()) {
        if (listing.isDirectory || !isInterruptedSaveName(listing.fileName)) continue;
        SystemFiles::Remove("data/" + Win1252ToUtf8(listing.fileName));
    }
}
