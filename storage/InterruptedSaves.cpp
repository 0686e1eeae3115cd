#include "storage/InterruptedSaves.h"

#include "Libs/DataFolder.h"
#include "Libs/SystemFiles.h"
#include "Libs/Win1252.h"
#include "storage/DirectoryListing.h"

namespace {

bool isLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

} // namespace

bool isSavedFileName(std::string name) {
    if (name == "brixel.ini") return true;
    while (!name.empty() && name.back() >= '0' && name.back() <= '9') name.pop_back();
    for (const char* ending : {".user", ".bak", ".damaged"})
        if (name.ends_with(ending)) return true;
    return false;
}

bool isInterruptedSaveName(const std::string& fileName) {
    const std::string marker = SystemFiles::TemporaryMarker;
    if (fileName.size() <= SystemFiles::TemporaryNameExtra) return false;
    const size_t start = fileName.size() - SystemFiles::TemporaryNameExtra;
    if (fileName.compare(start, marker.size(), marker) != 0) return false;
    for (size_t i = start + marker.size(); i < fileName.size(); ++i)
        if (!isLetterOrDigit(fileName[i])) return false;
    return isSavedFileName(fileName.substr(0, start));
}

void removeInterruptedSaves() {
    DirectoryListing listing;
    listing.setPattern("data/*", DataFolder::Root());
    while (listing.next()) {
        if (listing.isDirectory || !isInterruptedSaveName(listing.fileName)) continue;
        SystemFiles::Remove(DataFolder::Path("data/" + Win1252ToUtf8(listing.fileName)));
    }
}
