#include "Libs/Texture.h"

#include "Libs/DirectXLib.h"
#include "Libs/FatalError.h"
#include "Libs/Win1252.h"

#include <SDL.h>
#include <SDL_image.h>

#include <utility>

namespace {

constexpr const char* ModuleName = "Libs\\DirectX";

[[noreturn]] void CannotLoad(const std::string& fileName, int line) {
    ::FatalError("Kann Textur: \"" + fileName + "\" nicht laden.", line, ModuleName, 0);
}

// Pixels equal to the key become transparent black.
void ApplyColourKey(SDL_Surface* surface, uint32_t colourKey) {
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                y * surface->pitch);
        for (int x = 0; x < surface->w; ++x)
            if (row[x] == colourKey) row[x] = 0;
    }
    SDL_UnlockSurface(surface);
}

} // namespace

Texture::~Texture() {
    ReleaseInterface();
}

Texture::Texture(Texture&& other) noexcept {
    *this = std::move(other);
}

Texture& Texture::operator=(Texture&& other) noexcept {
    if (this == &other) return *this;
    ReleaseInterface();
    texture = std::exchange(other.texture, nullptr);
    pixels = std::exchange(other.pixels, nullptr);
    generation = other.generation;
    source = other.source;
    width = other.width;
    height = other.height;
    return *this;
}

void Texture::Load(const std::string& fileName, uint32_t colourKey) {
    ReleaseInterface();
    SDL_Surface* loaded = IMG_Load(Win1252ToUtf8(fileName).c_str());
    if (!loaded) CannotLoad(fileName, __LINE__);
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) CannotLoad(fileName, __LINE__);
    if (colourKey != 0) ApplyColourKey(argb, colourKey);
    pixels = argb;
    width = argb->w;
    height = argb->h;
    source = Rect{0, 0, width, height};
}

SDL_Texture* Texture::RendererTexture() {
    DirectXLib* dx = DirectXLib::Instance();
    if (!pixels || !dx || !dx->device) return nullptr;
    if (texture && generation == DirectXLib::RendererGeneration()) return texture;
    // A picture made by an earlier renderer went away with it.
    texture = SDL_CreateTextureFromSurface(dx->device, pixels);
    generation = DirectXLib::RendererGeneration();
    if (texture) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    return texture;
}

void Texture::Draw(int x, int y, int w, int h, int transparency, float rotation, uint32_t colour,
                   int additive) {
    SDL_Texture* picture = RendererTexture();
    if (!picture) return;

    // Colour 0 is white; a transparency replaces the alpha; otherwise the colour's own alpha.
    uint32_t alpha = static_cast<uint32_t>(~transparency) & 0xFF;
    uint32_t vertex = colour;
    if (colour == 0)
        vertex = 0x00FFFFFFu | alpha << 24;
    else if (transparency != 0)
        vertex = (colour & 0x00FFFFFFu) | alpha << 24;

    if (w == 0 || h == 0) {
        w = source.right - source.left;
        h = source.bottom - source.top;
    }
    SDL_SetTextureColorMod(picture, (vertex >> 16) & 0xFF, (vertex >> 8) & 0xFF, vertex & 0xFF);
    SDL_SetTextureAlphaMod(picture, vertex >> 24);
    SDL_SetTextureBlendMode(picture, additive ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND);

    SDL_Renderer* device = DirectXLib::Instance()->device;
    SDL_Rect src{source.left, source.top, source.right - source.left, source.bottom - source.top};
    SDL_Rect dest{x, y, w, h};
    if (rotation == 0.0f) {
        SDL_RenderCopy(device, picture, &src, &dest);
        return;
    }
    // Quarter turns counter-clockwise; the renderer turns clockwise in degrees.
    SDL_RenderCopyEx(device, picture, &src, &dest, -double(rotation) * 90.0, nullptr,
                     SDL_FLIP_NONE);
}

void Texture::ReleaseResource() {
    ReleaseInterface();
}

void Texture::ReleaseInterface() {
    DirectXLib* dx = DirectXLib::Instance();
    if (texture && dx && dx->device && generation == DirectXLib::RendererGeneration())
        SDL_DestroyTexture(texture);
    texture = nullptr;
    if (pixels) SDL_FreeSurface(pixels);
    pixels = nullptr;
}

void ReleaseResource(Texture& texture) {
    texture.ReleaseResource();
}
void ReleaseInterface(Texture& texture) {
    texture.ReleaseInterface();
}
