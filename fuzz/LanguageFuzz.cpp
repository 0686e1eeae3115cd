// A language file: any bytes are read, and every text is filled as a format with a few values
// of both kinds, as the menus fill them.
#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "storage/LanguageTable.h"
#include "storage/TextFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::writeInput("language.txt", data, size);
    LanguageTable table;
    if (!table.Load(path)) fuzz::fail("an existing language file could not be opened");
    int seen = 0;
    for (const auto& [id, text] : table.All()) {
        ++seen;
        if (table.Text(id) != text) fuzz::fail("a text is not found under its own id");
        const std::string filled = FormatText(text, {"Anna", 42, 7u, -1, "", 0u});
        const std::string bare = FormatText(text, {});
        // Without values nothing is replaced, so the text comes back whole, "%%" made one.
        if (bare.size() > text.size()) fuzz::fail("a text grew when filled without values");
        (void)filled;
    }
    if (seen != table.Count()) fuzz::fail("the table counts other texts than it holds");
    return 0;
}
