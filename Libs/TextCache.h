#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct SDL_Surface;

// One line of a laid-out text; its picture is rendered (white, premultiplied, tinted when
// drawn) the first time the line is drawn.
struct TextLine {
    std::string utf8;
    int width = 0;
    SDL_Surface* picture = nullptr;
};

// A text broken into lines for one wrapping width, with its size.
struct TextLayout {
    std::vector<TextLine> lines;
    int width = 0;
    int height = 0;
    int lineHeight = 0;
    uint64_t lastUsedFrame = 0;
};

// The texts one font has laid out and rendered, keyed by text and wrapping width. Bounded:
// when full, what the last two frames did not use goes first.
class TextCache {
public:
    static constexpr size_t Capacity = 512;

    TextCache() = default;
    ~TextCache();
    TextCache(const TextCache&) = delete;
    TextCache& operator=(const TextCache&) = delete;

    // wrapWidth: the box width in the wrapping mode, -1 for one line, 0 for unbounded.
    TextLayout* Find(const std::string& text, int wrapWidth, uint64_t frame);
    TextLayout& Insert(const std::string& text, int wrapWidth, TextLayout layout, uint64_t frame);
    // Frees every line picture and forgets all.
    void Clear();
    size_t Size() const { return entries.size(); }

    uint64_t linesRendered = 0; // rasterised line pictures, for tests and the benchmark

private:
    void MakeRoom(uint64_t frame);
    static void DestroyPictures(TextLayout& layout);
    static std::string Key(const std::string& text, int wrapWidth);
    std::unordered_map<std::string, TextLayout> entries;
};
