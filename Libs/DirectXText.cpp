// Text drawing and measuring of DirectXLib: texts are laid out once per font and wrapping
// width, and each line is rasterised the first time it is drawn.
#include "Libs/DirectXLib.h"

#include "Libs/Win1252.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>

namespace {

int LineWidth(TTF_Font* font, const std::string& utf8) {
    int w = 0, h = 0;
    if (utf8.empty() || TTF_SizeUTF8(font, utf8.c_str(), &w, &h) != 0) return 0;
    return w;
}

void AddLine(TextLayout& layout, TTF_Font* font, const std::string& text) {
    TextLine line;
    line.utf8 = Win1252ToUtf8(text);
    line.width = LineWidth(font, line.utf8);
    layout.lines.push_back(std::move(line));
}

// Greedy breaking at blanks; a word wider than the box keeps a line of its own.
void WrapParagraph(TextLayout& layout, TTF_Font* font, const std::string& paragraph, int width) {
    if (width <= 0) {
        AddLine(layout, font, paragraph);
        return;
    }
    std::string line;
    bool lineHasWord = false;
    size_t start = 0;
    while (start <= paragraph.size()) {
        size_t end = paragraph.find(' ', start);
        if (end == std::string::npos) end = paragraph.size();
        std::string word = paragraph.substr(start, end - start);
        std::string candidate = lineHasWord ? line + " " + word : word;
        if (lineHasWord && LineWidth(font, Win1252ToUtf8(candidate)) > width) {
            AddLine(layout, font, line);
            line = word;
        } else {
            line = candidate;
        }
        lineHasWord = true;
        start = end + 1;
    }
    AddLine(layout, font, line);
}

std::string WithoutLineBreaks(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

} // namespace

TextLayout* DirectXLib::Layout(Font* font, const std::string& text, int wrapWidth) {
    uint32_t generation = RendererGeneration();
    if (TextLayout* found = font->cache.Find(text, wrapWidth, framesPresented)) {
        // Pictures of an earlier renderer went away with it.
        if (found->generation != generation) {
            for (TextLine& line : found->lines) line.texture = nullptr;
            found->generation = generation;
        }
        return found;
    }
    TextLayout layout;
    layout.generation = generation;
    layout.lineHeight = TTF_FontHeight(font->font);
    if (wrapWidth < 0) {
        AddLine(layout, font->font, WithoutLineBreaks(text));
    } else {
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string paragraph = text.substr(start, end - start);
            if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
            WrapParagraph(layout, font->font, paragraph, wrapWidth);
            start = end + 1;
        }
    }
    for (const TextLine& line : layout.lines) layout.width = std::max(layout.width, line.width);
    layout.height = layout.lineHeight * static_cast<int>(layout.lines.size());
    return &font->cache.Insert(text, wrapWidth, std::move(layout), framesPresented);
}

void DirectXLib::DrawText(int x, int y, const std::string& text, Font* font, uint32_t colour,
                          int alignment, int w, int h, int mode) {
    Font* f = font ? font : &defaultFont;
    if (!device || !f->font || text.empty()) return;
    bool singleLine = mode != 0;
    bool clip = w != 0 && h != 0;
    TextLayout* layout = Layout(f, text, singleLine ? -1 : std::max(w, 0));

    int top = y;
    if (mode == 2) top = y + (h - layout->lineHeight) / 2;
    if (mode == 3) top = y + h - layout->lineHeight;
    bool outside = top < y || top + layout->height > y + h || layout->width > w;
    if (clip && outside) {
        SDL_Rect box{x, y, w, h};
        SDL_RenderSetClipRect(device, &box);
    }
    int lineTop = top;
    for (TextLine& line : layout->lines) {
        if (!line.texture && !line.utf8.empty()) {
            SDL_Surface* surface =
                TTF_RenderUTF8_Blended(f->font, line.utf8.c_str(), SDL_Color{255, 255, 255, 255});
            if (surface) {
                line.texture = SDL_CreateTextureFromSurface(device, surface);
                line.textureWidth = surface->w;
                line.textureHeight = surface->h;
                SDL_FreeSurface(surface);
                ++f->cache.linesRendered;
            }
        }
        if (line.texture) {
            int left = x;
            if (alignment == 1) left = x + (w - line.width) / 2;
            if (alignment == 2) left = x + w - line.width;
            SDL_SetTextureColorMod(line.texture, (colour >> 16) & 0xFF, (colour >> 8) & 0xFF,
                                   colour & 0xFF);
            SDL_SetTextureAlphaMod(line.texture, colour >> 24);
            SDL_SetTextureBlendMode(line.texture, SDL_BLENDMODE_BLEND);
            SDL_Rect dest{left, lineTop, line.textureWidth, line.textureHeight};
            SDL_RenderCopy(device, line.texture, nullptr, &dest);
        }
        lineTop += layout->lineHeight;
    }
    if (clip && outside) SDL_RenderSetClipRect(device, nullptr);
}

void DirectXLib::MeasureText(const std::string& text, Font* font, int alignment, int& w, int& h,
                             int mode) {
    (void)alignment; // the measured box always starts at its left edge
    Font* f = font ? font : &defaultFont;
    if (!f->font) {
        w = 0;
        h = 0;
        return;
    }
    if (mode == 0) {
        TextLayout* layout = Layout(f, text, std::max(w, 0));
        w = layout->width;
        h = layout->height;
        return;
    }
    // With a full stop after it, a text's trailing blanks count; the stop's width comes off.
    TextLayout* withStop = Layout(f, text + ".", -1);
    int width = withStop->width;
    h = withStop->height;
    w = width - Layout(f, ".", -1)->width;
}
