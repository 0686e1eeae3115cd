#include "Libs/Win1252.h"

#include <cstdint>

namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five undefined bytes.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool CodePointToByte(char32_t c, char& byte) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = static_cast<char>(c);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == c) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

} // namespace

std::string Win1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char b : text) {
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else if (b < 0xA0) {
            char32_t c = kHighControls[b - 0x80];
            AppendUtf8(out, c ? c : 0xFFFD);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

bool Utf8ToWin1252(std::string_view text, std::string& out) {
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        char32_t c;
        int extra;
        if (b < 0x80) {
            c = b, extra = 0;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F, extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F, extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07, extra = 3;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(extra) >= text.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) return false;
            c = (c << 6) | (cont & 0x3F);
        }
        // Overlong forms would let two spellings name one file.
        static constexpr char32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
        if (c < kMinimum[extra]) return false;
        char byte;
        if (!CodePointToByte(c, byte)) return false;
        result += byte;
        i += 1 + extra;
    }
    out = std::move(result);
    return true;
}

unsigned char Win1252Lower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16); // Š Œ Ž
    if (c == 0x9F) return 0xFF;                                                         // Ÿ
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32); // À..Þ, not ×
    return c;
}

std::string Win1252Lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(Win1252Lower(static_cast<unsigned char>(c)));
    return out;
}
