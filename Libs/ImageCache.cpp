#include "Libs/ImageCache.h"

#include "Libs/QuadCompositor.h"
#include "Libs/SystemFiles.h"
#include "Libs/Win1252.h"

#include <SDL.h>
#include <SDL_image.h>

#include <filesystem>
#include <list>
#include <system_error>

namespace {

struct Entry {
    std::string fileName; // absolute
    uint32_t colourKey = 0;
    std::filesystem::file_time_type written;
    uintmax_t size = 0;
    SDL_Surface* pixels = nullptr;
};

// Most recently loaded first.
std::list<Entry>& Entries() {
    static std::list<Entry> entries;
    return entries;
}

// Pixels equal to the key become transparent black.
void ApplyColourKey(SDL_Surface* surface, uint32_t colourKey) {
    for (int y = 0; y < surface->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                y * surface->pitch);
        for (int x = 0; x < surface->w; ++x)
            if (row[x] == colourKey) row[x] = 0;
    }
}

SDL_Surface* Decode(const std::string& path, uint32_t colourKey) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) return nullptr;
    if (colourKey != 0) ApplyColourKey(argb, colourKey);
    PixelBlock block{static_cast<uint32_t*>(argb->pixels), argb->w, argb->h, argb->pitch / 4};
    PremultiplyAlpha(block);
    return argb;
}

} // namespace

namespace ImageCache {

SDL_Surface* Acquire(const std::string& fileName, uint32_t colourKey) {
    const std::filesystem::path path = SystemFiles::PathOf(Win1252ToUtf8(fileName));
    std::error_code error;
    // Relative names are relative to the working folder of the moment.
    std::string where = SystemFiles::NameOf(std::filesystem::absolute(path, error));
    auto written = std::filesystem::last_write_time(path, error);
    uintmax_t size = error ? 0 : std::filesystem::file_size(path, error);
    if (error) return nullptr;

    std::list<Entry>& entries = Entries();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->fileName != where || it->colourKey != colourKey) continue;
        if (it->written == written && it->size == size) {
            entries.splice(entries.begin(), entries, it);
            ++it->pixels->refcount;
            return it->pixels;
        }
        SDL_FreeSurface(it->pixels);
        entries.erase(it);
        break;
    }
    SDL_Surface* pixels = Decode(SystemFiles::NameOf(path), colourKey);
    if (!pixels) return nullptr;
    entries.push_front(Entry{where, colourKey, written, size, pixels});
    while (int(entries.size()) > Capacity) {
        SDL_FreeSurface(entries.back().pixels);
        entries.pop_back();
    }
    ++pixels->refcount;
    return pixels;
}

void Clear() {
    for (Entry& e : Entries()) SDL_FreeSurface(e.pixels);
    Entries().clear();
}

int Count() {
    return int(Entries().size());
}

} // namespace ImageCache
