#include "Libs/Font.h"

#include "Libs/DirectXLib.h"
#include "Libs/Win1252.h"

#include <SDL_ttf.h>

#include <cstring>
#include <map>

namespace {

// A face name longer than this does not fit a font description.
constexpr size_t MaxFaceLength = 31;

_TTF_Font* OpenFace(const std::string& face, int size, bool bold) {
    for (const std::string& family : {face, std::string("sans-serif")}) {
        std::string file = FindFontFile(family, bold ? 1 : 0);
        if (file.empty()) continue;
        if (TTF_Font* font = TTF_OpenFont(file.c_str(), size)) return font;
    }
    return nullptr;
}

} // namespace

std::string FindFontFile(const std::string& face, int bold) {
    // Matching is slow; every face is looked up once.
    static std::map<std::string, std::string> found;
    std::string key = face + (bold ? "|b" : "|r");
    auto it = found.find(key);
    if (it != found.end()) return it->second;
    std::string file = MatchFontFile(Win1252ToUtf8(face), bold != 0);
    found.emplace(key, file);
    return file;
}

Font::~Font() {
    ReleaseResource();
}

void Font::Create(const std::string& newFace, int newSize, int newBold) {
    if (font) ReleaseResource();
    face = newFace.substr(0, MaxFaceLength);
    size = newSize > 0 ? newSize : 16;
    bold = newBold;
    if (!TTF_WasInit()) TTF_Init();
    font = OpenFace(face, size, bold == 1);
    // A face without a bold cut is made bold by the rasteriser.
    if (font && bold == 1) {
        const char* style = TTF_FontFaceStyleName(font);
        if (!style || !std::strstr(style, "Bold")) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    }
    if (DirectXLib* dx = DirectXLib::Instance()) dx->RegisterResource(this);
}

void Font::OnLostDevice() {
    cache.Clear();
}

void Font::OnResetDevice() {}

void Font::ReleaseResource() {
    if (DirectXLib* dx = DirectXLib::Instance()) dx->UnregisterResource(this);
    ReleaseInterface();
}

void Font::ReleaseInterface() {
    cache.Clear();
    if (font) TTF_CloseFont(font);
    font = nullptr;
}

void ReleaseResource(Font& font) {
    font.ReleaseResource();
}
void ReleaseInterface(Font& font) {
    font.ReleaseInterface();
}
