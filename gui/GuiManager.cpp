// The skin holder's drawing primitives: skin pieces and skin texts.
#include "gui/GuiManager.h"

#include "Libs/Platform.h"

namespace {
GuiManager* instance = nullptr;
} // namespace

GuiManager::GuiManager() {
    instance = this;
}

GuiManager::~GuiManager() {
    for (auto& entry : fonts) ReleaseResource(entry.second.font);
    if (instance == this) instance = nullptr;
}

GuiManager* GuiManager::Instance() {
    return instance;
}

int32_t GuiManager::ScreenWidth() const {
    return directX ? directX->BackBufferWidth() : 1024;
}
int32_t GuiManager::ScreenHeight() const {
    return directX ? directX->BackBufferHeight() : 768;
}
int32_t GuiManager::MouseX() const {
    return directX ? directX->mouseX : 0;
}
int32_t GuiManager::MouseY() const {
    return directX ? directX->mouseY : 0;
}

bool GuiManager::MouseIn(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
    return directX && directX->IsMouseInRect(left, top, right, bottom) != 0;
}

void GuiManager::DrawSkinElement(int e, int state, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (e < 0 || e >= Element::Count || !skinImage.IsLoaded()) return;
    if (state < 0 || state > 3) state = 0;
    const SkinElement& el = elements[e];
    const int32_t sx = el.sourceX[state], sy = el.sourceY[state];
    const int32_t W = el.width, H = el.height, P = el.firstBorder, Q = el.secondBorder;
    const int32_t E = el.extra;
    // The slider's and the header cell's height argument carries a value of its own.
    const bool heightIsArgument = e == Element::Slider || e == Element::ListBox;
    if (w == 0) w = W;
    if (h == 0 && !heightIsArgument) h = H;

    // One piece: source (left, top, width, height) to screen (x, y, width, height). Empty
    // pieces are skipped; a zero size would make the texture draw at its source size.
    auto piece = [this](int32_t pl, int32_t pt, int32_t pw, int32_t ph, int32_t dx, int32_t dy,
                        int32_t dw, int32_t dh) {
        if (pw <= 0 || ph <= 0 || dw <= 0 || dh <= 0) return;
        skinImage.source = Rect{pl, pt, pl + pw, pt + ph};
        skinImage.Draw(dx, dy, dw, dh, 0, 0.0f, 0, 0);
    };

    switch (e) {
    case Element::Button:
    case Element::Box: {
        // Nine pieces: corners unscaled, edges stretched along their edge, centre both ways.
        const int32_t colSrc[3] = {sx, sx + P, sx + W - P};
        const int32_t colSrcW[3] = {P, W - 2 * P, P};
        const int32_t colDst[3] = {x, x + P, x + w - P};
        const int32_t colDstW[3] = {P, w - 2 * P, P};
        const int32_t rowSrc[3] = {sy, sy + Q, sy + H - Q};
        const int32_t rowSrcH[3] = {Q, H - 2 * Q, Q};
        const int32_t rowDst[3] = {y, y + Q, y + h - Q};
        const int32_t rowDstH[3] = {Q, h - 2 * Q, Q};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                piece(colSrc[c], rowSrc[r], colSrcW[c], rowSrcH[r], colDst[c], rowDst[r],
                      colDstW[c], rowDstH[r]);
        break;
    }
    case Element::CheckBox:
    case Element::CheckBoxX:
    case Element::RadioButton:
    case Element::RadioButtonX:
    case Element::ComboBox:
        piece(sx, sy, W, H, x, y, W, H);
        break;
    case Element::ListBox:
        // A header cell: edges, stretched middle, then the sort arrow h asks for (2 ascending,
        // 3 or more descending, below 2 none).
        piece(sx, sy, P, H, x, y, P, H);
        piece(sx + P, sy, W - 2 * Q - 2 * P, H, x + P, y, w - 2 * P, H);
        piece(sx + W - 2 * Q - P, sy, P, H, x + w - P, y, P, H);
        if (h == 2) piece(sx + W - 2 * Q, sy, Q, H, x + w - P - Q, y, Q, H);
        if (h >= 3) piece(sx + W - Q, sy, Q, H, x + w - P - Q, y, Q, H);
        break;
    case Element::Slider:
        // Track with its two ends, then the knob; h is the knob position in thousandths + 1.
        piece(sx, sy, P, H, x, y, P, H);
        piece(sx + P, sy, W - Q - 2 * P, H, x + P, y, w - 2 * P, H);
        piece(sx + W - Q - P, sy, P, H, x + w - P, y, P, H);
        if (h >= 1) piece(sx + W - Q, sy, Q, H, x + (w - Q) * (h - 1) / 1000, y, Q, H);
        break;
    case Element::Window: {
        // The frame around a client area; (x, y, w, h) is the outer rectangle. P is the title
        // bar height, Q the frame thickness, E the width of the title bar's end pieces.
        piece(sx, sy, E, P, x, y, E, P);
        piece(sx + E, sy, W - 2 * E, P, x + E, y, w - 2 * E, P);
        piece(sx + W - E, sy, E, P, x + w - E, y, E, P);
        const int32_t middleH = h - Q - P;
        piece(sx, sy + P, Q, H - P - Q, x, y + P, Q, middleH);
        piece(sx + Q, sy + P, W - 2 * Q, H - P - Q, x + Q, y + P, w - 2 * Q, middleH);
        piece(sx + W - Q, sy + P, Q, H - P - Q, x + w - Q, y + P, Q, middleH);
        piece(sx, sy + H - Q, Q, Q, x, y + h - Q, Q, Q);
        piece(sx + Q, sy + H - Q, W - 2 * Q, Q, x + Q, y + h - Q, w - 2 * Q, Q);
        piece(sx + W - Q, sy + H - Q, Q, Q, x + w - Q, y + h - Q, Q, Q);
        break;
    }
    case Element::CloseButton:
        // (x, y) is the frame's top right corner.
        piece(sx, sy, W, H, x - P - W, y + Q, W, H);
        break;
    case Element::StatusBar:
        piece(sx, sy, W, H, x, y, w, H);
        break;
    default:
        piece(sx, sy, W, H, x, y, w, h);
        break;
    }
}

Font* GuiManager::ResolveFont(const std::string& fontName, int suffix) {
    SkinFont* found = nullptr;
    if (suffix != 0) found = fonts.Select(fontName + std::to_string(suffix));
    if (!found) found = fonts.Select(fontName);
    if (!found) found = fonts.Select("standard");
    if (found) lastFont = &found->font;
    // Nothing found: the font used last stays in use; none since the skin was loaded: the
    // platform's default font (null asks DrawText for it).
    return lastFont;
}

bool GuiManager::ResolveColour(const std::string& colourName, int suffix, uint32_t& colour) const {
    const uint32_t* found = nullptr;
    if (suffix != 0) found = colours.Find(colourName + std::to_string(suffix));
    if (!found) found = colours.Find(colourName);
    if (!found) found = colours.Find("standard");
    if (!found) return false;
    colour = *found;
    return true;
}

void GuiManager::DrawSkinText(const std::string& fontName, const std::string& colourName,
                              int suffix, const std::string& text, int32_t x, int32_t y,
                              int32_t width, int32_t height, int alignment, int verticalMode,
                              int fit) {
    Font* font = ResolveFont(fontName, suffix);
    uint32_t colour = 0;
    if (!ResolveColour(colourName, suffix, colour)) return;
    if (!directX || text.empty()) return;
    // A single line too long for its box ends with an ellipsis rather than mid-letter.
    if (verticalMode != 0 && width > 0 && fit) {
        directX->DrawText(x, y, directX->FitText(text, font, width), font, colour, alignment, width,
                          height, verticalMode);
        return;
    }
    directX->DrawText(x, y, text, font, colour, alignment, width, height, verticalMode);
}
