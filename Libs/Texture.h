#pragma once
#include "Libs/Rect.h"

#include <cstdint>
#include <string>

struct SDL_Surface;
struct SDL_Texture;

// One loaded image. The decoded pixels are kept beside the renderer's copy, so a texture
// survives a renderer reset: the copy is made again from them when it is next drawn.
class Texture {
public:
    SDL_Texture* texture = nullptr; // the renderer's copy; nullptr until first drawn
    SDL_Surface* pixels = nullptr;  // decoded ARGB pixels, colour key applied; nullptr = empty
    uint32_t generation = 0;        // which renderer made `texture`
    Rect source;                    // the part of the image Draw shows
    int32_t width = 0;              // pixel size of the loaded image
    int32_t height = 0;

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

    // The renderer's copy, made (again) when missing or made by an earlier renderer.
    SDL_Texture* RendererTexture();
};

void ReleaseResource(Texture& texture);
void ReleaseInterface(Texture& texture);
