// A skin file: read line by line as LoadSkin reads it (pieces of at most 999 bytes) and each
// line parsed into the element table, the colours and the fonts.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzFile.h"
#include "gui/GuiManager.h"

namespace {

// An image line names a picture the game must have: a missing one is a fatal error by design,
// which would end the run, so such lines are not handed on. Found as the parser finds its key:
// blanks dropped, letters lower-cased, up to the "=" (a "//" comment cut first).
bool namesAnImage(const char* line) {
    std::string key;
    for (const char* c = line; *c && *c != '=' && *c != '\n'; ++c) {
        if (c[0] == '/' && c[1] == '/') return false;
        if (*c == ' ' || *c == '\t' || *c == '\r') continue;
        key += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    return key == "image" || key == "imagealpha";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0; // an empty skin has no lines
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::FILE* file = fmemopen(bytes.data(), bytes.size(), "r");
    if (!file) fuzz::fail("the input could not be read as a file");
    GuiManager gui;
    char buffer[1000];
    while (std::fgets(buffer, sizeof buffer, file)) {
        if (!namesAnImage(buffer)) gui.HandleSkinLine(buffer);
    }
    std::fclose(file);
    return 0;
}
