#include "DisplayFixture.h"
#include "tests/support/FrameAccess.h"

#include <SDL.h>
#include <SDL_image.h>

namespace {

constexpr uint32_t White = 0xFFFFFF, Black = 0x000000, Red = 0xFF0000, Blue = 0x0000FF,
                   Green = 0x00FF00, Magenta = 0xFF00FF;

// 40 x 20: red left half, blue right half.
void WriteHalves(const std::string& path) {
    WriteBmp(path, 40, 20, [](int x, int) { return x < 20 ? Red : Blue; });
}

struct PixelCase {
    int x, y;
    uint32_t expected;
};

void ExpectPixels(DirectXLib& dx, std::initializer_list<PixelCase> cases, const char* what) {
    for (const PixelCase& c : cases)
        EXPECT_TRUE(ColourNear(ReadPixel(dx, c.x, c.y), c.expected))
            << what << " at (" << c.x << ", " << c.y << ")";
}

} // namespace

TEST_F(DisplayTest, LoadKeepsTheExactImageSizeAsSource) {
    WriteBmp("odd.bmp", 37, 5, [](int, int) { return Red; });
    Texture t;
    t.Load("odd.bmp", 0);
    EXPECT_EQ(t.IsLoaded(), 1);
    EXPECT_EQ(t.width, 37);
    EXPECT_EQ(t.height, 5);
    EXPECT_EQ(t.source.right, 37);
    EXPECT_EQ(t.source.bottom, 5);
}

TEST_F(DisplayTest, DrawUsesSourceSizeWhenEitherSizeIsZero) {
    WriteHalves("halves.bmp");
    Texture t;
    t.Load("halves.bmp", 0);
    dx->Clear(0x00FFFFFF);
    t.Draw(100, 100, 0, 0, 0, 0.0f, 0, 0);
    t.Draw(100, 300, 0, 90, 0, 0.0f, 0, 0); // only one size 0: both from the source
    ExpectPixels(*dx,
                 {{100, 100, Red},
                  {119, 119, Red},
                  {120, 100, Blue},
                  {139, 119, Blue},
                  {140, 100, White},
                  {100, 120, White},
                  {99, 100, White},
                  {139, 319, Blue},
                  {100, 320, White}},
                 "whole image 40 x 20");
}

TEST_F(DisplayTest, DrawShowsOnlyTheSourceRectangle) {
    WriteHalves("halves.bmp");
    Texture t;
    t.Load("halves.bmp", 0);
    t.source = Rect{20, 0, 40, 20};
    dx->Clear(0x00FFFFFF);
    t.Draw(200, 100, 0, 0, 0, 0.0f, 0, 0);
    t.Draw(300, 100, 40, 40, 0, 0.0f, 0, 0); // stretched: still only blue
    ExpectPixels(*dx,
                 {{200, 100, Blue},
                  {219, 119, Blue},
                  {220, 100, White},
                  {200, 120, White},
                  {300, 100, Blue},
                  {339, 139, Blue},
                  {340, 139, White}},
                 "right half");
}

TEST_F(DisplayTest, ColourAndTransparencyRule) {
    WriteBmp("white.bmp", 8, 8, [](int, int) { return White; });
    Texture t;
    t.Load("white.bmp", 0);
    struct Case {
        uint32_t colour;
        int transparency;
        uint32_t expected; // on black
    };
    const Case cases[] = {
        {0, 0, White},              // unchanged
        {0, 255, Black},            // invisible
        {0, 128, 0x7F7F7F},         // half transparent white
        {0x80FF0000, 0, 0x800000},  // the colour's own alpha
        {0x80FF0000, 64, 0xBF0000}, // red at alpha 191
        {0xFF00FF00, 0, Green},     // opaque tint
        {0x00FF0000, 0, Black},     // a colour with alpha 0 and no transparency: invisible
    };
    for (const Case& c : cases) {
        dx->Clear(0xFF000000);
        t.Draw(10, 10, 0, 0, c.transparency, 0.0f, c.colour, 0);
        EXPECT_TRUE(ColourNear(ReadPixel(*dx, 13, 13), c.expected))
            << "colour " << std::hex << c.colour << " transparency " << std::dec << c.transparency;
    }
}

TEST_F(DisplayTest, AdditiveAddsAndLeavesNormalBlendingBehind) {
    WriteBmp("white.bmp", 8, 8, [](int, int) { return White; });
    Texture t;
    t.Load("white.bmp", 0);
    dx->Clear(0xFF404040);
    t.Draw(10, 10, 0, 0, 0, 0.0f, 0x80FFFFFF, 1); // 0x40 + 0x80
    t.Draw(30, 10, 0, 0, 0, 0.0f, 0x80FFFFFF, 0); // 0x40 / 2 + 0x80
    t.Draw(50, 10, 0, 0, 0, 0.0f, 0x80FFFFFF, 1);
    t.Draw(50, 10, 0, 0, 0, 0.0f, 0x80FFFFFF, 0); // after an additive quad: normal again
    ExpectPixels(*dx, {{13, 13, 0xC0C0C0}, {33, 13, 0xA0A0A0}, {53, 13, 0xE0E0E0}}, "blending");
}

TEST_F(DisplayTest, RotationTurnsCounterClockwiseAboutTheCentre) {
    WriteHalves("halves.bmp");
    Texture t;
    t.Load("halves.bmp", 0);
    dx->Clear(0x00FFFFFF);
    t.Draw(100, 100, 40, 20, 0, 1.0f, 0, 0); // centre (120, 110); now 20 wide, 40 high
    t.Draw(300, 100, 40, 20, 0, 2.0f, 0, 0); // upside down
    t.Draw(500, 100, 40, 20, 0, 0.0f, 0, 0); // a later quad is not turned
    ExpectPixels(*dx,
                 {// a quarter turn: the right (blue) half points up
                  {120, 93, Blue},
                  {120, 127, Red},
                  {105, 110, White},
                  {135, 110, White},
                  // half a turn: blue left, red right
                  {305, 110, Blue},
                  {335, 110, Red},
                  {320, 95, White},
                  {505, 110, Red},
                  {535, 110, Blue},
                  {520, 95, White}},
                 "rotation");
}

TEST_F(DisplayTest, ColourKeyBecomesTransparent) {
    WriteBmp("keyed.bmp", 20, 10, [](int x, int) { return x < 10 ? Magenta : Green; });
    Texture keyed, plain;
    keyed.Load("keyed.bmp", 0xFFFF00FF);
    plain.Load("keyed.bmp", 0);
    dx->Clear(0x00FFFFFF);
    keyed.Draw(10, 10, 0, 0, 0, 0.0f, 0, 0);
    keyed.Draw(10, 40, 0, 0, 0, 0.0f, 0, 1); // transparent black adds nothing either
    plain.Draw(10, 70, 0, 0, 0, 0.0f, 0, 0);
    ExpectPixels(
        *dx,
        {{12, 12, White}, {25, 12, Green}, {12, 42, White}, {12, 72, Magenta}, {25, 72, Green}},
        "colour key");
}

TEST_F(DisplayTest, ClearFillsOnlyTheGivenArea) {
    dx->Clear(0x00FFFFFF);
    Rect area{10, 10, 20, 20};
    dx->Clear(0xFF0000FF, &area);
    ExpectPixels(*dx, {{10, 10, Blue}, {19, 19, Blue}, {20, 19, White}, {9, 10, White}}, "area");
}

TEST_F(DisplayTest, TexturesSurviveARendererReset) {
    WriteHalves("halves.bmp");
    Texture t;
    t.Load("halves.bmp", 0);
    t.Draw(0, 0, 0, 0, 0, 0.0f, 0, 0);
    ASSERT_EQ(dx->EndFrame(), 1);

    SimulateDeviceReset(*dx);
    EXPECT_EQ(dx->EndFrame(), 0) << "a reset shows as a lost device";
    int attempts = 0;
    while (dx->RestoreDevice() == 0 && attempts < 10) ++attempts;
    EXPECT_EQ(dx->lostState, DirectXLib::DeviceOk);

    dx->Clear(0x00FFFFFF);
    t.Draw(100, 100, 0, 0, 0, 0.0f, 0, 0);
    dx->DrawText(100, 200, "Text", nullptr, 0xFF000000, 0, 0, 0, 1);
    ExpectPixels(*dx, {{105, 105, Red}, {135, 105, Blue}}, "after the reset");
    EXPECT_FALSE(FindInk(*dx, 100, 200, 160, 230, White).Empty()) << "text after the reset";
    EXPECT_EQ(dx->EndFrame(), 1);
}

TEST_F(DisplayTest, LinesSolidWideAndPatterned) {
    dx->Clear(0x00FFFFFF);
    dx->DrawLine(10, 10, 110, 10, 0xFF000000, 1.0f, 0, 1.0f);
    dx->DrawLine(10, 50, 110, 50, 0xFF000000, 6.0f, 0, 1.0f);
    dx->DrawLine(10, 90, 110, 90, 0xFF000000, 1.0f, 0x0000FFFF, 1.0f); // 16 on, 16 off
    ExpectPixels(*dx,
                 {{60, 10, Black},
                  {60, 13, White},
                  {60, 48, Black},
                  {60, 52, Black},
                  {60, 56, White},
                  {15, 90, Black},
                  {35, 90, White},
                  {50, 90, Black}},
                 "lines");

    // A slanting line is anti-aliased: its edges have pixels between ink and paper.
    dx->DrawLine(200, 200, 300, 250, 0xFF000000, 2.0f, 0, 1.0f);
    int partial = 0, full = 0;
    for (int y = 195; y < 256; ++y)
        for (int x = 195; x < 306; ++x) {
            uint32_t grey = ReadPixel(*dx, x, y) & 0xFF;
            partial += grey > 30 && grey < 225;
            full += grey <= 30;
        }
    EXPECT_GT(partial, 50) << "edge pixels of the slanting line";
    EXPECT_GT(full, 50) << "inner pixels of the slanting line";
}

TEST_F(DisplayTest, QuadsPartlyOffTheBackBufferDrawWhatIsVisible) {
    WriteHalves("halves.bmp");
    Texture t;
    t.Load("halves.bmp", 0);
    dx->Clear(0x00FFFFFF);
    t.Draw(-20, -10, 0, 0, 0, 0.0f, 0, 0);       // only the blue half's lower part shows
    t.Draw(1004, 758, 0, 0, 0, 0.0f, 0, 0);      // only the red half's upper part shows
    t.Draw(-5000, 300, 9000, 20, 0, 1.5f, 0, 0); // huge and turned: no harm
    t.Draw(2000, 2000, 0, 0, 0, 0.0f, 0, 1);     // wholly outside
    ExpectPixels(*dx,
                 {{0, 0, Blue}, {19, 9, Blue}, {20, 0, White}, {1004, 758, Red}, {1023, 767, Red}},
                 "partly visible quads");
}

TEST_F(DisplayTest, AdditiveSaturatesAndHalfTurnsKeepTheCentre) {
    WriteBmp("white.bmp", 8, 8, [](int, int) { return White; });
    WriteHalves("halves.bmp");
    Texture white, halves;
    white.Load("white.bmp", 0);
    halves.Load("halves.bmp", 0);
    dx->Clear(0xFFC0C0C0);
    white.Draw(10, 10, 0, 0, 0, 0.0f, 0xFFFFFFFF, 1);
    halves.Draw(
        200, 200, 40, 40, 0, 0.5f, 0,
        0); // 45 degrees: the right half up and right of the centre; corners of its box stay empty
    ExpectPixels(*dx,
                 {{13, 13, White},
                  {210, 230, Red},
                  {230, 210, Blue},
                  {195, 195, 0xC0C0C0},
                  {244, 195, 0xC0C0C0}},
                 "saturation and an eighth turn");
}

TEST_F(DisplayTest, LoadingAPictureAgainSharesItsPixelsUntilTheFileChanges) {
    WriteHalves("halves.bmp");
    Texture a, b, keyed;
    a.Load("halves.bmp", 0);
    b.Load("halves.bmp", 0);
    keyed.Load("halves.bmp", 0xFFFF0000);
    EXPECT_EQ(a.pixels, b.pixels) << "the same file and key decode once";
    EXPECT_NE(a.pixels, keyed.pixels) << "another colour key is another picture";

    WriteBmp("halves.bmp", 10, 10, [](int, int) { return Green; });
    Texture changed;
    changed.Load("halves.bmp", 0);
    EXPECT_EQ(changed.width, 10) << "a changed file is read again";
    a.ReleaseResource();
    dx->Clear(0x00FFFFFF);
    b.Draw(0, 0, 0, 0, 0, 0.0f, 0, 0); // still holds the old picture
    ExpectPixels(*dx, {{5, 5, Red}, {25, 5, Blue}}, "the older texture");
}

// A picture's soft edge covers the background by its alpha and adds its colour only by as much:
// white at alpha 128 on black is half grey, not white.
TEST_F(DisplayTest, SoftAlphaOfAPngBlendsByItsCoverage) {
    // 20 x 10: the left half white at alpha 128, the right half red at alpha 64.
    SDL_Surface* soft = SDL_CreateRGBSurfaceWithFormat(0, 20, 10, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(soft, nullptr) << SDL_GetError();
    for (int y = 0; y < soft->h; ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(soft->pixels) + y * soft->pitch);
        for (int x = 0; x < soft->w; ++x) row[x] = x < 10 ? 0x80FFFFFF : 0x40FF0000;
    }
    const int saved = IMG_SavePNG(soft, "soft.png");
    SDL_FreeSurface(soft);
    ASSERT_EQ(saved, 0) << IMG_GetError();
    Texture t;
    t.Load("soft.png", 0);
    ASSERT_EQ(t.IsLoaded(), 1);
    struct Case {
        uint32_t background;
        int x;
        uint32_t expected;
    };
    const Case cases[] = {
        {0xFF000000, 103, 0x808080}, // white at 128 on black
        {0xFF000000, 115, 0x400000}, // red at 64 on black
        {0xFF404040, 103, 0xA0A0A0}, // 0x80 + 0x40 * 127 / 255
        {0xFF404040, 115, 0x703030}, // 0x40 + 0x40 * 191 / 255 in red, the rest kept
    };
    for (const Case& c : cases) {
        dx->Clear(c.background);
        t.Draw(100, 100, 0, 0, 0, 0.0f, 0, 0);
        EXPECT_TRUE(ColourNear(ReadPixel(*dx, c.x, 105), c.expected))
            << "background " << std::hex << (c.background & 0xFFFFFF) << ", x " << std::dec << c.x;
    }
}
