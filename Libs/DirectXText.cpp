// Text drawing and measuring of DirectXLib: texts are laid out once per font and wrapping
// width, and each line is rasterised the first time it is drawn.
#include "Libs/DirectXLib.h"

#include "Libs/QuadCompositor.h"
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
    if (TextLayout* found = font->cache.Find(text, wrapWidth, framesPresented)) return found;
    TextLayout layout;
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
    if (!frame || !f->font || text.empty()) return;
    bool singleLine = mode != 0;
    TextLayout* layout = Layout(f, text, singleLine ? -1 : std::max(w, 0));

    int top = y;
    if (mode == 2) top = y + (h - layout->lineHeight) / 2;
    if (mode == 3) top = y + h - layout->lineHeight;

    // The lines go through the quad compositor into the box (clipped) or the whole picture.
    Rect clip{0, 0, frame->w, frame->h};
    if (w != 0 && h != 0) {
        clip = Rect{std::max(x, 0), std::max(y, 0), std::min(x + w, frame->w),
                    std::min(y + h, frame->h)};
        if (clip.left >= clip.right || clip.top >= clip.bottom) return;
    }

    int lineTop = top;
    for (TextLine& line : layout->lines) {
        if (!line.picture && !line.utf8.empty()) {
            SDL_Surface* rendered =
                TTF_RenderUTF8_Blended(f->font, line.utf8.c_str(), SDL_Color{255, 255, 255, 255});
            if (rendered) {
                line.picture = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
                SDL_FreeSurface(rendered);
            }
            if (line.picture) {
                PixelBlock p{static_cast<uint32_t*>(line.picture->pixels), line.picture->w,
                             line.picture->h, line.picture->pitch / 4};
                PremultiplyAlpha(p);
                ++f->cache.linesRendered;
            }
        }
        if (line.picture) {
            int left = x;
            if (alignment == 1) left = x + (w - line.width) / 2;
            if (alignment == 2) left = x + w - line.width;
            PixelBlock image{static_cast<uint32_t*>(line.picture->pixels), line.picture->w,
                             line.picture->h, line.picture->pitch / 4};
            Rect whole{0, 0, image.width, image.height};
            composer.Quad(image, whole, left, lineTop, image.width, image.height, colour, 0.0f,
                          false, clip);
        }
        lineTop += layout->lineHeight;
    }
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

std::string DirectXLib::FitText(const std::string& text, Font* font, int width) {
    auto widthOf = [&](const std::string& line) {
        int w = 0, h = 0;
        MeasureText(line, font, 0, w, h, 1);
        return w;
    };
    if (text.empty() || widthOf(text) <= width) return text;
    constexpr char ellipsis = '\x85'; // Windows-1252
    auto cut = [&](size_t keep) {
        std::string shortened = text.substr(0, keep);
        while (!shortened.empty() && shortened.back() == ' ') shortened.pop_back();
        return shortened + ellipsis;
    };
    // The longest start that fits with the ellipsis: widths grow with the length.
    size_t low = 0, high = text.size() - 1;
    if (widthOf(cut(0)) > width) return "";
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (widthOf(cut(middle)) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return cut(low);
}
