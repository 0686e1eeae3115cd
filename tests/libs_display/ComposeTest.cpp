// The frame drawn by any number of workers is the frame drawn by one, item kinds mixed, quads
// turned, clipped and straddling the bands; and what was kept is drawn before a picture goes.
#include "DisplayFixture.h"
#include "tests/support/FrameAccess.h"

#include <SDL.h>

#include "Libs/FrameComposer.h"
#include "Libs/QuadCompositor.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

uint64_t FrameHash(DirectXLib& dx) {
    dx.FlushFrame();
    uint64_t hash = 1469598103934665603ull;
    for (int y = 0; y < dx.frame->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(dx.frame->pixels) + size_t(y) * dx.frame->pitch);
        for (int x = 0; x < dx.frame->w; ++x) hash = (hash ^ row[x]) * 1099511628211ull;
    }
    return hash;
}

// Fills, unturned and turned quads (normal and additive), clipped text, lines of all kinds.
void DrawMixedFrame(DirectXLib& dx, Texture& picture, Font& font) {
    dx.Clear(0x00FFFFFF);
    Rect band{100, 200, 900, 420};
    dx.Clear(0xFF203040, &band);
    picture.Draw(0, 0, 1024, 768, 0, 0.0f, 0, 0);
    uint32_t seed = 99;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    for (int i = 0; i < 300; ++i) {
        const int size = 8 + int(next(120));
        const float turn = i % 3 == 0 ? 0.0f : float(next(400)) / 100.0f;
        picture.Draw(int(next(1100)) - 40, int(next(840)) - 40, size, size + int(next(30)),
                     int(next(200)), turn, 0xFF000000u | next(0xFFFFFF), int(i % 2));
    }
    for (int i = 0; i < 20; ++i)
        dx.DrawText(int(next(900)), int(next(700)), "Zeile " + std::to_string(i) + " \xE4\xF6\xFC",
                    &font, 0xFF000000u | next(0xFFFFFF), int(i % 3), 90, 14, int(i % 4));
    dx.DrawText(10, 10, "Ein langer Text, der im Kasten umbricht und unten abgeschnitten wird",
                &font, 0xFF102030u, 0, 150, 40, 0);
    for (int i = 0; i < 30; ++i)
        dx.DrawLine(int(next(1024)), int(next(768)), int(next(1024)), int(next(768)),
                    0xC0000000u | next(0xFFFFFF), float(1 + next(6)), i % 2 ? 0xF0F0F0F0u : 0,
                    1.0f + float(next(3)));
}

} // namespace

TEST_F(DisplayTest, AnyNumberOfWorkersDrawsTheSameFrame) {
    WriteBmp("picture.bmp", 64, 48,
             [](int x, int y) { return uint32_t(x * 4) << 16 | uint32_t(y * 5) << 8 | 0x80; });
    Texture picture;
    picture.Load("picture.bmp", 0x000080);
    Font font;
    font.Create("Arial", 14, 1);

    dx->composer.SetWorkers(1);
    DrawMixedFrame(*dx, picture, font);
    const uint64_t one = FrameHash(*dx);
    for (int workers : {2, 3, 4, 7, 16}) {
        dx->composer.SetWorkers(workers);
        ASSERT_EQ(dx->composer.Workers(), workers);
        DrawMixedFrame(*dx, picture, font);
        EXPECT_EQ(FrameHash(*dx), one) << workers << " workers: the frame differs from one's";
    }
    dx->composer.SetWorkers(0);
}

TEST_F(DisplayTest, KeptQuadsAreDrawnBeforeTheirPictureIsFreed) {
    WriteBmp("red.bmp", 8, 8, [](int, int) { return 0xFF0000u; });
    dx->Clear(0x00FFFFFF);
    {
        Texture red;
        red.Load("red.bmp", 0);
        red.Draw(10, 10, 8, 8, 0, 0.0f, 0, 0);
        red.Load("red.bmp", 0); // loading again lets the first pixels go
        red.Draw(30, 10, 8, 8, 0, 0.5f, 0, 0);
    } // and the texture goes before the frame ends
    EXPECT_EQ(dx->composer.Pending(), 0u) << "nothing kept refers to freed pixels";
    EXPECT_TRUE(ColourNear(ReadPixel(*dx, 13, 13), 0xFF0000)) << "the first quad";
    EXPECT_TRUE(ColourNear(ReadPixel(*dx, 34, 14), 0xFF0000)) << "the turned one";
}

TEST_F(DisplayTest, AFrameOfVeryManyItemsKeepsABoundedList) {
    WriteBmp("dot.bmp", 2, 2, [](int, int) { return 0x00FF00u; });
    Texture dot;
    dot.Load("dot.bmp", 0);
    dx->Clear(0x00FFFFFF);
    for (size_t i = 0; i < FrameComposer::MostItems + 10; ++i)
        dot.Draw(int(i % 1000), 5, 2, 2, 0, 0.0f, 0, 0);
    EXPECT_LE(dx->composer.Pending(), FrameComposer::MostItems);
    EXPECT_TRUE(ColourNear(ReadPixel(*dx, 3, 5), 0x00FF00));
}

TEST_F(DisplayTest, WaitingForTheWindowEndsWithAnEvent) {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    EXPECT_EQ(dx->WaitForEvent(1), 0) << "nothing queued: the wait runs out";
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_EXPOSED;
    SDL_PushEvent(&event);
    EXPECT_EQ(dx->WaitForEvent(50), 1) << "a queued event ends the wait";
    EXPECT_EQ(dx->EndFrame(), 1);
}

// A plain opaque quad over the whole picture drops the work kept before it, and the picture is
// still exactly what drawing everything in order gives; a quad that lets anything show through
// keeps it.
TEST(FrameComposerTest, WorkHiddenByAFullOpaqueQuadIsDropped) {
    constexpr int W = 64, H = 48;
    std::vector<uint32_t> solidTexels(16 * 16, 0xFF336699u), holedTexels = solidTexels;
    holedTexels[37] = 0x80402010u; // one half-transparent (premultiplied) texel
    PixelBlock solid{solidTexels.data(), 16, 16, 16,
                     EveryTexelOpaque({solidTexels.data(), 16, 16, 16})};
    PixelBlock holed{holedTexels.data(), 16, 16, 16,
                     EveryTexelOpaque({holedTexels.data(), 16, 16, 16})};
    ASSERT_TRUE(solid.opaque);
    ASSERT_FALSE(holed.opaque);
    struct Case {
        const char* what;
        const PixelBlock* image;
        int x, y, w, h;
        uint32_t colour;
        float rotation;
        bool additive;
        bool dropped;
    };
    const Case cases[] = {
        {"opaque, whole picture", &solid, 0, 0, W, H, 0xFFFFFFFFu, 0, false, true},
        {"opaque, larger than the picture", &solid, -5, -5, W + 10, H + 10, 0xFF80C0FFu, 0, false,
         true},
        {"one row short", &solid, 0, 1, W, H - 1, 0xFFFFFFFFu, 0, false, false},
        {"made see-through by its colour", &solid, 0, 0, W, H, 0xFEFFFFFFu, 0, false, false},
        {"a texel that is not opaque", &holed, 0, 0, W, H, 0xFFFFFFFFu, 0, false, false},
        {"additive", &solid, 0, 0, W, H, 0xFFFFFFFFu, 0, true, false},
        {"turned", &solid, 0, 0, W, H, 0xFFFFFFFFu, 1.0f, false, false},
    };
    const Rect whole{0, 0, W, H};
    for (const Case& c : cases) {
        std::vector<uint32_t> composed(W * H, 0), expected(W * H, 0);
        PixelBlock target{composed.data(), W, H, W}, reference{expected.data(), W, H, W};
        FrameComposer composer;
        composer.SetWorkers(2);
        composer.SetTarget(target);
        // Before: a clear and a see-through quad; after: a small quad on top.
        composer.Fill(whole, 0x00FFFFFFu);
        std::fill(expected.begin(), expected.end(), 0x00FFFFFFu);
        composer.Quad(holed, {0, 0, 16, 16}, 3, 4, 20, 20, 0xFFFFFFFFu, 0, false, whole);
        CompositeQuad(reference, holed, {0, 0, 16, 16}, 3, 4, 20, 20, 0xFFFFFFFFu, 0, false);
        composer.Quad(*c.image, {0, 0, 16, 16}, c.x, c.y, c.w, c.h, c.colour, c.rotation,
                      c.additive, whole);
        CompositeQuad(reference, *c.image, {0, 0, 16, 16}, c.x, c.y, c.w, c.h, c.colour, c.rotation,
                      c.additive);
        composer.Quad(holed, {0, 0, 16, 16}, 30, 20, 10, 10, 0xC0FFFFFFu, 0, false, whole);
        CompositeQuad(reference, holed, {0, 0, 16, 16}, 30, 20, 10, 10, 0xC0FFFFFFu, 0, false);
        const size_t kept = composer.Pending();
        EXPECT_EQ(kept, c.dropped ? 2u : 4u)
            << c.what << ": expected " << (c.dropped ? 2 : 4) << " items kept, got " << kept;
        composer.Flush();
        size_t differing = 0;
        for (size_t i = 0; i < composed.size(); ++i) differing += composed[i] != expected[i];
        EXPECT_EQ(differing, 0u) << c.what << ": pixels unlike drawing everything in order";
    }
}

// Four and eight pixels at a time blend exactly as one at a time: quads of every tail length,
// scaled, mirrored, tinted, see-through, additive and saturating, turned, clipped.
TEST(QuadCompositorTest, EveryBlendWidthGivesTheSamePixels) {
    constexpr int W = 61, H = 47, T = 16;
    std::vector<uint32_t> texels(T * T);
    for (int i = 0; i < T * T; ++i) {
        const uint32_t alpha = i % 5 == 0 ? 0u : i % 7 == 0 ? 255u : uint32_t(i * 37 % 256);
        texels[size_t(i)] = alpha << 24 | uint32_t(i * 13 % 256) << 16 |
                            uint32_t(i * 29 % 256) << 8 | uint32_t(i * 71 % 256);
    }
    PixelBlock image{texels.data(), T, T, T};
    PremultiplyAlpha(image);
    struct Case {
        const char* what;
        Rect source;
        int x, y, w, h;
        uint32_t colour;
        float rotation;
        bool additive;
        Rect clip;
    };
    const Rect whole{0, 0, W, H}, odd{5, 3, 42, 40};
    const Case cases[] = {
        {"scaled up, 37 wide", {0, 0, T, T}, 3, 2, 37, 30, 0xFFFFFFFFu, 0, false, whole},
        {"scaled down, 13 wide", {0, 0, T, T}, 40, 9, 13, 11, 0xFFFFFFFFu, 0, false, whole},
        {"1 and 7 wide", {2, 2, 9, 12}, 8, 8, 1, 20, 0xFFFFFFFFu, 0, false, whole},
        {"7 wide", {2, 2, 9, 12}, 20, 8, 7, 20, 0xFFFFFFFFu, 0, false, whole},
        {"mirrored", {T, 0, 0, T}, -4, 5, 50, 33, 0xFFFFFFFFu, 0, false, whole},
        {"tinted and see-through", {0, 0, T, T}, 0, 0, W, H, 0x80C08040u, 0, false, whole},
        {"additive, saturating", {0, 0, T, T}, 2, 1, 55, 44, 0xFFFFFFFFu, 0, true, whole},
        {"additive, faint", {0, 0, T, T}, 9, 4, 29, 29, 0x40FF8020u, 0, true, whole},
        {"turned, normal", {0, 0, T, T}, 10, 6, 35, 27, 0xE0FFFFFFu, 0.7f, false, whole},
        {"turned, additive", {0, 0, T, T}, 4, 4, 40, 31, 0xFFFFFFFFu, 2.3f, true, whole},
        {"clipped to odd columns", {0, 0, T, T}, -3, -2, 70, 52, 0xFFFFFFFFu, 0, false, odd},
        {"turned and clipped", {0, 0, T, T}, 0, 0, 58, 44, 0xFFFFFFFFu, 1.4f, true, odd},
    };
    struct Restore {
        ~Restore() { ForceBlendWidth(0); }
    } restore;
    for (const Case& c : cases) {
        std::vector<uint32_t> expected;
        for (int width : {1, 4, 8}) {
            ForceBlendWidth(width);
            std::vector<uint32_t> pixels(W * H);
            for (int i = 0; i < W * H; ++i)
                pixels[size_t(i)] = uint32_t(i * 2654435761u) | (i % 3 ? 0xFF000000u : 0u);
            PixelBlock target{pixels.data(), W, H, W};
            CompositeQuad(target, image, c.source, c.x, c.y, c.w, c.h, c.colour, c.rotation,
                          c.additive, c.clip);
            if (width == 1) {
                expected = pixels;
                continue;
            }
            for (int i = 0; i < W * H; ++i) {
                if (pixels[size_t(i)] == expected[size_t(i)]) continue;
                ADD_FAILURE() << c.what << ", " << BlendWidth() << " at once: pixel (" << i % W
                              << ", " << i / W << ") expected " << std::hex << expected[size_t(i)]
                              << ", got " << pixels[size_t(i)];
                break;
            }
        }
    }
}
