#include "storage/DirectoryListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "Libs/SystemFiles.h"
#include "Libs/Win1252.h"

namespace {

// Letters match regardless of case, as Windows lists them ("*.jpg" finds "Strand.JPG").
bool sameLetter(char a, char b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(a) == lower(b);
}

// "*" matches any run of characters, "?" any one character, everything else itself.
bool matches(std::string_view pattern, std::string_view name) {
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || sameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

} // namespace

void DirectoryListing::setPattern(const std::string& newPattern, const std::string& newRoot) {
    pattern = newPattern;
    root = newRoot;
    entries.clear();
    position = 0;
    open = false;
}

// Reads the whole folder at once and sorts it, so the order is the same on every system.
void DirectoryListing::start() {
    namespace fs = std::filesystem;
    const size_t slash = pattern.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : pattern.substr(0, slash);
    // The pattern is Windows-1252 like every name of the game; the folder is opened in UTF-8.
    const std::string namePattern =
        slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    pattern.clear();
    open = true;

    std::error_code error;
    const std::string inRoot = folder.empty() ? "/" : Win1252ToUtf8(folder);
    fs::directory_iterator it(SystemFiles::PathOf(root + inRoot), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name;
        if (!Utf8ToWin1252(SystemFiles::NameOf(it->path().filename()), name)) continue;
        if (name == "." || name == ".." || !matches(namePattern, name)) continue;
        std::error_code ignored;
        const int32_t directory = it->is_directory(ignored) ? 1 : 0;
        const uintmax_t bytes = directory ? 0 : it->file_size(ignored);
        const uint32_t size = ignored ? 0 : static_cast<uint32_t>(bytes & 0xFFFFFFFFu);
        entries.push_back({name, directory, size});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
}

bool DirectoryListing::next() {
    if (!pattern.empty()) start();
    if (!open || position >= entries.size()) {
        open = false;
        entries.clear();
        position = 0;
        return false;
    }
    const Entry& entry = entries[position++];
    fileName = entry.name;
    const size_t dot = fileName.find('.');
    title = fileName.substr(0, dot);
    extension = dot == std::string::npos ? "" : fileName.substr(dot + 1);
    isDirectory = entry.isDirectory;
    fileSize = entry.size;
    return true;
}
