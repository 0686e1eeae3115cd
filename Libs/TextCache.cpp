#include "Libs/TextCache.h"

#include "Libs/DirectXLib.h"

#include <SDL.h>

TextCache::~TextCache() {
    Clear();
}

std::string TextCache::Key(const std::string& text, int wrapWidth) {
    return std::to_string(wrapWidth) + '|' + text;
}

TextLayout* TextCache::Find(const std::string& text, int wrapWidth, uint64_t frame) {
    auto it = entries.find(Key(text, wrapWidth));
    if (it == entries.end()) return nullptr;
    it->second.lastUsedFrame = frame;
    return &it->second;
}

TextLayout& TextCache::Insert(const std::string& text, int wrapWidth, TextLayout layout,
                              uint64_t frame) {
    MakeRoom(frame);
    layout.lastUsedFrame = frame;
    return entries.insert_or_assign(Key(text, wrapWidth), std::move(layout)).first->second;
}

void TextCache::MakeRoom(uint64_t frame) {
    if (entries.size() < Capacity) return;
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->second.lastUsedFrame + 1 < frame) {
            DestroyPictures(it->second);
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
    // Everything was in use: a frame with this many texts starts over.
    if (entries.size() >= Capacity) Clear();
}

void TextCache::DestroyPictures(TextLayout& layout) {
    // The frame may still have to draw these pictures.
    if (DirectXLib* dx = DirectXLib::Instance()) dx->FlushFrame();
    for (TextLine& line : layout.lines) {
        if (line.picture) SDL_FreeSurface(line.picture);
        line.picture = nullptr;
    }
}

void TextCache::Clear() {
    for (auto& entry : entries) DestroyPictures(entry.second);
    entries.clear();
}
