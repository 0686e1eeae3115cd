// The frame drawn by any number of workers is the frame drawn by one, item kinds mixed, quads
// turned, clipped and straddling the bands; and what was kept is drawn before a picture goes.
#include "DisplayFixture.h"
#include "tests/support/FrameAccess.h"

#include <SDL.h>

#include <cstdio>
#include <string>

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
