#pragma once
#include <cstdint>
#include <string>

struct SDL_Surface;

// Decoded images, kept by file name and colour key, so loading the same picture again (the
// menus reload theirs after a lost renderer, skins and block sets share files) decodes
// nothing. A file changed on disk is decoded afresh. Bounded: the least recently loaded go.
namespace ImageCache {

constexpr int Capacity = 32;

// The decoded, keyed and premultiplied pixels, with a reference for the caller (give it back
// with SDL_FreeSurface); nullptr when the file cannot be read as a picture.
SDL_Surface* Acquire(const std::string& fileName, uint32_t colourKey);

// Forgets every entry (pictures still held by textures stay with them).
void Clear();
int Count();

} // namespace ImageCache
