#pragma once
#include "Libs/TextCache.h"

#include <string>

struct _TTF_Font;

// One text font: a face found by name, a pixel height, bold or not. A created font is in the
// resources list of DirectXLib and hears of renderer loss and reset; it keeps the texts it
// rendered, so repeating a text costs no rasterising.
class Font {
public:
    _TTF_Font* font = nullptr; // nullptr when nothing is created (or no face could be found)
    std::string face;
    int size = 0;
    int bold = 0;
    TextCache cache;

    Font() = default;
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // face at most 31 characters ("Arial" and the skins' names); size is the character height
    // in pixels; bold exactly 1 gives the bold face. Re-creating unregisters the old font first.
    void Create(const std::string& face, int size, int bold);

    int IsCreated() const { return font != nullptr ? 1 : 0; }

    // The renderer lost its textures (or is about to): forget the rendered texts.
    void OnLostDevice();
    void OnResetDevice();

    // Unregisters from the resources list and closes the font.
    void ReleaseResource();
    // Closes the font without looking at the resources list.
    void ReleaseInterface();
};

void ReleaseResource(Font& font);
void ReleaseInterface(Font& font);

// The font file for a face (Windows-1252 name), looked up once per face and weight; empty when
// none. "Arial" finds Liberation Sans where Arial is not installed.
std::string FindFontFile(const std::string& face, int bold);

// The system's own look-up (fontconfig, or the Windows fonts folder with the game's packaged
// stand-in): a UTF-8 family name to a font file, empty when none.
std::string MatchFontFile(const std::string& family, bool bold);
