// Both ways to the screen show the same pixels: the window surface and the renderer, at the
// picture's own size and scaled into a larger window.
#include "DisplayFixture.h"
#include "tests/TestSupport.h"
#include "tests/support/FrameAccess.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

namespace {

// Sharp edges and fine stripes, where a scaler's rounding shows.
void DrawStripes(DirectXLib& dx) {
    dx.Clear(0x00FFFFFF);
    for (int i = 0; i < 64; ++i) {
        Rect stripe{i * 16, 0, i * 16 + 8, 768};
        dx.Clear(0xFF000000u | uint32_t(i * 4) << 16 | uint32_t(255 - i * 4) << 8 | 0x33, &stripe);
    }
    dx.DrawLine(0, 0, 1023, 767, 0xFFFF0000u, 3.0f, 0, 1.0f);
    dx.DrawText(100, 100, "Punkte 12345", nullptr, 0xFF000000u, 0, 0, 0, 0);
}

class PresentTest : public DisplayTest {
protected:
    void TearDown() override {
        SetTestEnvironment("BRIXEL_PRESENT", ""); // empty: chosen by the machine again
        DisplayTest::TearDown();
    }

    // The stripes presented through one path into a window of that size.
    ShownPicture Show(const char* path, int windowW, int windowH) {
        SetTestEnvironment("BRIXEL_PRESENT", path);
        dx->InitDirect3D(1024, 768, 32, 0);
        SDL_SetWindowSize(dx->window, windowW, windowH);
        SDL_PumpEvents();
        DrawStripes(*dx);
        dx->EndFrame();
        return ReadShownPicture(*dx);
    }
};

struct Difference {
    int most = 0, x = -1, y = -1;
    uint32_t a = 0, b = 0;
};

Difference Compare(const ShownPicture& a, const ShownPicture& b) {
    Difference d;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        for (int shift : {16, 8, 0}) {
            int diff =
                std::abs(int(a.pixels[i] >> shift & 0xFF) - int(b.pixels[i] >> shift & 0xFF));
            if (diff > d.most)
                d = {diff, int(i % size_t(a.w)), int(i / size_t(a.w)), a.pixels[i], b.pixels[i]};
        }
    return d;
}

} // namespace

TEST_F(PresentTest, EnvironmentChoosesThePath) {
    const struct {
        const char* value;
        int path;
    } cases[] = {{"surface", DirectXLib::ToWindowSurface},
                 {"renderer", DirectXLib::ThroughRenderer}};
    for (const auto& c : cases) {
        SetTestEnvironment("BRIXEL_PRESENT", c.value);
        dx->InitDirect3D(1024, 768, 32, 2);
        EXPECT_EQ(dx->presentPath, c.path) << "BRIXEL_PRESENT=" << c.value;
        dx->ToggleDisplayMode(1, 0, 0, 0);
        EXPECT_EQ(dx->presentPath, c.path) << "BRIXEL_PRESENT=" << c.value << " after F9";
        EXPECT_EQ(dx->EndFrame(), 1) << "BRIXEL_PRESENT=" << c.value;
    }
}

TEST_F(PresentTest, BothPathsShowTheSamePixels) {
    const struct {
        int w, h, tolerance;
        const char* what;
    } cases[] = {{1024, 768, 0, "at the picture's size"},
                 {1600, 1000, 1, "scaled, bars left and right"},
                 {1280, 1200, 1, "scaled, bars above and below"}};
    for (const auto& c : cases) {
        const ShownPicture surface = Show("surface", c.w, c.h);
        const ShownPicture renderer = Show("renderer", c.w, c.h);
        ASSERT_EQ(surface.w, c.w) << c.what;
        ASSERT_EQ(surface.h, c.h) << c.what;
        ASSERT_EQ(renderer.w, c.w) << c.what;
        ASSERT_EQ(renderer.h, c.h) << c.what;
        const Difference d = Compare(surface, renderer);
        char where[96];
        std::snprintf(where, sizeof where, "at (%d, %d): surface %06X, renderer %06X", d.x, d.y,
                      d.a, d.b);
        EXPECT_LE(d.most, c.tolerance) << c.what << ": most different " << where;
        if (c.w != 1024) {
            EXPECT_EQ(surface.pixels[0], 0u) << c.what << ": the corner is in a black bar";
        }
    }
}
