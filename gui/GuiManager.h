#pragma once
#include <cstdint>
#include <string>

#include "Libs/Font.h"
#include "Libs/Texture.h"
#include "gui/SkinElement.h"
#include "storage/KeyedTable.h"

class DirectXLib;
class InputLib;

// A named skin font: the font and its size in pixels.
struct SkinFont {
    Font font;
    int32_t size = 0;
    int32_t bold = 0;
    std::string face;
};

// The skin holder: one picture every piece is cut from, the element table, named colours and
// fonts, and the drawing primitives every window and control uses. Exactly one exists; it is
// reachable through Instance() from its construction to its destruction.
class GuiManager {
public:
    Texture skinImage;
    Texture skinAlphaImage; // loaded and kept; nothing draws from it
    SkinElement elements[Element::Count];
    KeyedTable<std::string, uint32_t> colours; // ARGB
    KeyedTable<std::string, SkinFont> fonts;
    DirectXLib* directX = nullptr;
    InputLib* input = nullptr;
    Font* lastFont = nullptr; // the font DrawSkinText selected last; null after a skin load

    GuiManager();
    ~GuiManager();
    GuiManager(const GuiManager&) = delete;
    GuiManager& operator=(const GuiManager&) = delete;
    static GuiManager* Instance();

    // Reads "skin/" + name + ".style". Non-null platform pointers replace the stored ones.
    // Elements and images the file does not mention keep the previous skin's values; colours
    // and fonts start empty. A missing file changes nothing more.
    void LoadSkin(const std::string& name, DirectXLib* directX, InputLib* input);
    // One line of a skin file (without its line feed, or with it).
    void HandleSkinLine(const std::string& line);

    // Draws an element in a state (0..3) over a rectangle; width or height 0: the element's own.
    void DrawSkinElement(int element, int state, int32_t x, int32_t y, int32_t width,
                         int32_t height);
    // Text with the font and colour of name + suffix, falling back to the plain names and to
    // "standard"; no colour found: nothing drawn. fit 1: a single line (verticalMode 1 to 3)
    // too wide for its box is cut with an ellipsis; 0: clipped as it stands.
    void DrawSkinText(const std::string& fontName, const std::string& colourName, int suffix,
                      const std::string& text, int32_t x, int32_t y, int32_t width, int32_t height,
                      int alignment, int verticalMode, int fit = 1);
    // The font DrawSkinText would use (also records it as the last font).
    Font* ResolveFont(const std::string& fontName, int suffix);
    // A colour by name, name + suffix first; false when none of the chain exists.
    bool ResolveColour(const std::string& colourName, int suffix, uint32_t& colour) const;

    // The vertical scroll bar of combo boxes and tables. part: ScrollPart code; height 0: the
    // element's height.
    void DrawScrollBar(uint32_t part, int32_t x, int32_t y, int32_t height, int32_t total,
                       int32_t first, int32_t visible);
    // buttonEvent non-zero: InputLib's event is a left-button event. Updates part, first, grab.
    void ScrollBarInput(int buttonEvent, uint32_t& part, int32_t x, int32_t y, int32_t height,
                        int32_t total, int32_t& first, int32_t visible, int32_t& grab);

    // Screen (back buffer) size and mouse position, as the platform reports them.
    int32_t ScreenWidth() const;
    int32_t ScreenHeight() const;
    int32_t MouseX() const;
    int32_t MouseY() const;
    bool MouseIn(int32_t left, int32_t top, int32_t right, int32_t bottom) const;

private:
    void ReadElementLine(SkinElement& element, const std::string& value);
    void ReadColourLine(const std::string& value);
    void ReadFontLine(const std::string& value, const std::string& keptLine);
};
