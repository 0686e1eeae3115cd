#include "storage/ConfigFile.h"

#include "storage/AtomicFile.h"
#include "storage/LineReader.h"

bool ConfigFile::read(const std::string& path) {
    entries.Clear();
    LineReader reader;
    if (!reader.open(path)) return false;
    std::string line;
    size_t equals;
    while (reader.nextEntry(line, equals)) {
        entries.SelectOrInsert(line.substr(0, equals)) = line.substr(equals + 1);
    }
    return true;
}

bool ConfigFile::getInt(const std::string& key, int& value, int fallback) {
    const std::string* stored = entries.Find(key);
    value = stored ? parseDecimal(*stored) : fallback;
    return stored != nullptr;
}

bool ConfigFile::getString(const std::string& key, std::string& value,
                           const std::string& fallback) {
    const std::string* stored = entries.Find(key);
    value = stored ? *stored : fallback;
    return stored != nullptr;
}

void ConfigFile::setInt(const std::string& key, int value) {
    entries.SelectOrInsert(key) = std::to_string(value);
}

void ConfigFile::setString(const std::string& key, const std::string& value) {
    entries.SelectOrInsert(key) = value;
}

bool ConfigFile::write(const std::string& path, SaveProblem* problem) {
    std::string text;
    // CR LF, as Windows editors expect; reading takes both.
    for (const auto& [key, value] : entries) text += key + "=" + value + "\r\n";
    AtomicFile file;
    const bool saved = file.open(path) && file.write(text.data(), text.size()) && file.commit();
    if (problem) *problem = file.problem();
    return saved;
}
