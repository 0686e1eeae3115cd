#include "Libs/Texture.h"

#include "Libs/DirectXLib.h"
#include "Libs/FatalError.h"
#include "Libs/ImageCache.h"
#include "Libs/QuadCompositor.h"

#include <SDL.h>

#include <utility>

namespace {

constexpr const char* ModuleName = "Libs\\DirectX";

[[noreturn]] void CannotLoad(const std::string& fileName, int line) {
    ::FatalError("Kann Textur: \"" + fileName + "\" nicht laden.", line, ModuleName, 0);
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
    pixels = std::exchange(other.pixels, nullptr);
    source = other.source;
    width = other.width;
    height = other.height;
    opaque = other.opaque;
    return *this;
}

PixelBlock Texture::Block() const {
    return PixelBlock{static_cast<uint32_t*>(pixels->pixels), pixels->w, pixels->h,
                      pixels->pitch / 4, opaque};
}

void Texture::Load(const std::string& fileName, uint32_t colourKey) {
    ReleaseInterface();
    pixels = ImageCache::Acquire(fileName, colourKey);
    if (!pixels) CannotLoad(fileName, __LINE__);
    width = pixels->w;
    height = pixels->h;
    source = Rect{0, 0, width, height};
    opaque = EveryTexelOpaque(Block());
}

void Texture::Draw(int x, int y, int w, int h, int transparency, float rotation, uint32_t colour,
                   int additive) {
    DirectXLib* dx = DirectXLib::Instance();
    if (!pixels || !dx || !dx->frame) return;

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
    dx->composer.Quad(Block(), source, x, y, w, h, vertex, rotation, additive != 0,
                      Rect{0, 0, dx->frame->w, dx->frame->h});
}

void Texture::ReleaseResource() {
    ReleaseInterface();
}

void Texture::ReleaseInterface() {
    // The frame may still have to draw these pixels.
    if (pixels && DirectXLib::Instance()) DirectXLib::Instance()->FlushFrame();
    if (pixels) SDL_FreeSurface(pixels);
    pixels = nullptr;
}

void ReleaseResource(Texture& texture) {
    texture.ReleaseResource();
}
void ReleaseInterface(Texture& texture) {
    texture.ReleaseInterface();
}
