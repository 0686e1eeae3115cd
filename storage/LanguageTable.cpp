#include "storage/LanguageTable.h"

#include "storage/LineReader.h"

namespace {

// Every backslash followed by "n" becomes a line break.
std::string withLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

bool LanguageTable::Load(const std::string& path) {
    texts.Clear();
    LineReader reader;
    if (!reader.open(path)) return false;
    std::string line;
    size_t equals;
    while (reader.nextEntry(line, equals)) {
        const std::string_view view(line);
        texts.SelectOrInsert(parseDecimal(view.substr(0, equals))) =
            withLineBreaks(view.substr(equals + 1));
    }
    return true;
}

const std::string& LanguageTable::Text(int id) const {
    static const std::string empty;
    const std::string* text = texts.Find(id);
    return text ? *text : empty;
}
