#pragma once
#include "Libs/Rect.h"

#include <cstdint>
#include <string>

struct SDL_Surface;
struct PixelBlock;

// One loaded image, kept as decoded pixels in memory (so it survives a renderer reset) and
// drawn into the back buffer by the quad compositor.
class Texture {
public:
    SDL_Surface* pixels = nullptr; // decoded ARGB, colour key applied, premultiplied; or nullptr
    Rect source;                   // the part of the image Draw shows
    int32_t width = 0;             // pixel size of the loaded image
    int32_t height = 0;
    bool opaque = false; // no texel lets anything below show through

    Texture() = default;
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    Texture(Texture&& other) noexcept;
    Texture& operator=(Texture&& other) noexcept;

    // Replaces what was held. fileName is Windows-1252, relative to the working folder; a
    // colour key of 0 is none, else pixels equal to it become transparent black. An image that
    // cannot be loaded is fatal: "Kann Textur: \"<file>\" nicht laden.".
    void Load(const std::string& fileName, uint32_t colourKey);

    // Draws `source` to (x, y, w, h); w or h 0 means the source's size. colour 0 is white;
    // transparency 0..255 lowers the alpha (a non-zero colour with transparency 0 keeps its own
    // alpha). rotation in quarter turns counter-clockwise about the quad's centre. additive
    // non-zero adds the picture to what is below instead of mixing.
    void Draw(int x, int y, int w, int h, int transparency, float rotation, uint32_t colour,
              int additive);

    int IsLoaded() const { return pixels != nullptr ? 1 : 0; }

    // Both empty the texture; textures are never in the resources list, so they are the same.
    void ReleaseResource();
    void ReleaseInterface();

private:
    PixelBlock Block() const; // the loaded pixels as the compositor reads them
};

void ReleaseResource(Texture& texture);
void ReleaseInterface(Texture& texture);
