#include "storage/DataFolderChoice.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "Libs/SystemFiles.h"
#include "Libs/Win1252.h"
#include "storage/AtomicFile.h"
#include "storage/InterruptedSaves.h"

namespace {

bool exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(SystemFiles::PathOf(path), ignored);
}

std::string readWhole(const std::string& path, bool& read) {
    std::string bytes;
    read = false;
    std::FILE* file = SystemFiles::Open(path, "rb");
    if (!file) return bytes;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    read = !std::ferror(file);
    std::fclose(file);
    return bytes;
}

bool writeWhole(const std::string& path, const std::string& bytes) {
    AtomicFile file;
    return file.open(path) && file.write(bytes.data(), bytes.size()) && file.commit();
}

} // namespace

bool canWriteInside(const std::string& folder) {
    const std::string data = folder + "data";
    std::error_code ignored;
    std::filesystem::create_directory(SystemFiles::PathOf(data), ignored);
    // Named as a settings save's temporary file: one a crash leaves is cleared at the next start.
    std::string probe;
    const int descriptor = SystemFiles::CreateTemporary(data + "/brixel.ini", probe);
    if (descriptor < 0) return false;
    SystemFiles::Close(descriptor);
    return SystemFiles::Remove(probe);
}

DataFolderChoice chooseDataFolder(const std::string& playersFolder,
                                  const std::function<bool(const std::string&)>& canWrite) {
    DataFolderChoice choice;
    if (playersFolder.empty() || canWrite("")) return choice;
    std::string root = playersFolder;
    if (root.back() != '/' && root.back() != '\\') root += '/';
    std::error_code ignored;
    std::filesystem::create_directories(SystemFiles::PathOf(root + "data"), ignored);
    if (!canWrite(root)) return choice;
    choice.root = root;
    choice.inPlayersFolder = true;
    choice.tellPlayer = !exists(root + toldMarkerName);
    return choice;
}

int bringOverSavedFiles(const DataFolderChoice& choice) {
    if (!choice.inPlayersFolder) return 0;
    int copied = 0;
    std::error_code error;
    std::filesystem::directory_iterator it(SystemFiles::PathOf("data"), error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = SystemFiles::NameOf(it->path().filename());
        const std::string from = "data/" + name;
        const std::string to = choice.root + from;
        if (!isSavedFileName(name) || !SystemFiles::IsRegularFile(from) || exists(to)) continue;
        bool read = false;
        const std::string bytes = readWhole(from, read);
        if (read && writeWhole(to, bytes)) ++copied;
    }
    return copied;
}

bool rememberPlayerTold(const DataFolderChoice& choice) {
    if (!choice.inPlayersFolder) return false;
    // The game's folder, for a player who looks in here and wonders whose data this is.
    std::error_code ignored;
    const std::string game = SystemFiles::NameOf(std::filesystem::current_path(ignored));
    return writeWhole(choice.root + toldMarkerName, "brixel: " + game + "\n");
}

namespace {

// The folder as the player's file manager shows it: the system's separators, none at the end,
// and a '?' for a character Windows-1252 has not (a name in another script).
std::string shownFolder(std::string root) {
    while (root.size() > 1 && (root.back() == '/' || root.back() == '\\')) root.pop_back();
#ifdef _WIN32
    for (char& c : root)
        if (c == '/') c = '\\';
#endif
    std::string shown;
    for (size_t i = 0; i < root.size();) {
        const unsigned char lead = static_cast<unsigned char>(root[i]);
        size_t length = lead < 0x80    ? 1
                        : lead >= 0xF0 ? 4
                        : lead >= 0xE0 ? 3
                        : lead >= 0xC0 ? 2
                                       : 1;
        length = std::min(length, root.size() - i);
        std::string one;
        shown += Utf8ToWin1252(std::string_view(root).substr(i, length), one) ? one : "?";
        i += length;
    }
    return shown;
}

} // namespace

std::string dataFolderNotice(const DataFolderChoice& choice, int copied,
                             const std::function<std::string(int)>& text) {
    std::string notice = text(821) + "\n\n" + shownFolder(choice.root);
    if (copied > 0) notice += "\n\n" + text(822);
    return notice;
}
