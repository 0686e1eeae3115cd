#include "DisplayFixture.h"
#include "tests/support/FrameAccess.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Ink = 0xFF000000;
} // namespace

TEST_F(DisplayTest, TextAlignmentsAndModesPlaceTheLineInItsBox) {
    // Box (100, 100) to (500, 160): 400 wide, 60 high.
    struct Case {
        int alignment, mode;
        const char* where;
    };
    const Case cases[] = {{0, 1, "left top"},
                          {1, 1, "centre top"},
                          {2, 1, "right top"},
                          {0, 2, "left middle"},
                          {0, 3, "left bottom"}};
    for (const Case& c : cases) {
        dx->Clear(0x00FFFFFF);
        dx->DrawText(100, 100, "Hallo", nullptr, Ink, c.alignment, 400, 60, c.mode);
        InkBox ink = FindInk(*dx, 80, 80, 520, 180, White);
        ASSERT_FALSE(ink.Empty()) << c.where;
        int centreX = (ink.left + ink.right) / 2, centreY = (ink.top + ink.bottom) / 2;
        if (c.alignment == 0) {
            EXPECT_NEAR(ink.left, 100, 3) << c.where;
        }
        if (c.alignment == 1) {
            EXPECT_NEAR(centreX, 300, 3) << c.where;
        }
        if (c.alignment == 2) {
            EXPECT_NEAR(ink.right, 499, 3) << c.where;
        }
        if (c.mode == 1) {
            EXPECT_NEAR(ink.top, 103, 4) << c.where;
        }
        if (c.mode == 2) {
            EXPECT_NEAR(centreY, 130, 4) << c.where;
        }
        if (c.mode == 3) {
            EXPECT_NEAR(ink.bottom, 156, 4) << c.where;
        }
    }
}

TEST_F(DisplayTest, TextIsClippedToItsBoxUnlessItHasNoSize) {
    const std::string longText = "Ein recht langer Text";
    dx->Clear(0x00FFFFFF);
    dx->DrawText(100, 100, longText, nullptr, Ink, 0, 40, 30, 1);
    dx->DrawText(100, 200, longText, nullptr, Ink, 0, 0, 30, 1);
    InkBox clipped = FindInk(*dx, 90, 90, 300, 140, White);
    InkBox free = FindInk(*dx, 90, 190, 300, 240, White);
    EXPECT_LE(clipped.right, 139) << "clipped at the box's right edge";
    EXPECT_GT(free.right, 160) << "width 0 draws without clipping";
}

TEST_F(DisplayTest, WrappingModeBreaksAtBlanksWithinTheWidth) {
    int oneW = 0, oneH = 0;
    dx->MeasureText("Wort", nullptr, 0, oneW, oneH, 1);
    int w = 80, h = 0;
    dx->MeasureText("Wort Wort Wort Wort Wort Wort", nullptr, 0, w, h, 0);
    EXPECT_LE(w, 80);
    EXPECT_GE(h, 3 * oneH) << "six words of width " << oneW << " in 80 pixels";

    int unboundedW = 0, unboundedH = 0;
    dx->MeasureText("Wort Wort Wort Wort Wort Wort", nullptr, 0, unboundedW, unboundedH, 0);
    EXPECT_EQ(unboundedH, oneH) << "width 0 does not wrap";

    int lineW = 0, lineH = 0;
    dx->MeasureText("a\nb\nc", nullptr, 0, lineW, lineH, 0);
    EXPECT_EQ(lineH, 3 * oneH) << "line breaks start new lines";
}

TEST_F(DisplayTest, MeasureCountsTrailingBlanksOnOneLine) {
    int plainW = 0, plainH = 0, blanksW = 0, blanksH = 0;
    dx->MeasureText("Name", nullptr, 0, plainW, plainH, 1);
    dx->MeasureText("Name  ", nullptr, 0, blanksW, blanksH, 1);
    EXPECT_GT(plainW, 0);
    EXPECT_GT(blanksW, plainW + 4) << "two blanks widen the text";
    EXPECT_EQ(blanksH, plainH);
    int emptyW = -1, emptyH = 0;
    dx->MeasureText("", nullptr, 0, emptyW, emptyH, 1);
    EXPECT_EQ(emptyW, 0);
    EXPECT_GT(emptyH, 0);
}

TEST_F(DisplayTest, Windows1252CharactersRenderAsThemselves) {
    // "ä" has dots above an "a"; "ß", "€" and "°" draw something and differ from the others.
    dx->Clear(0x00FFFFFF);
    const char* texts[] = {"a", "\xE4", "\xDF", "\x80", "\xB0"};
    InkBox boxes[5];
    for (int i = 0; i < 5; ++i) {
        dx->DrawText(100 + 50 * i, 100, texts[i], nullptr, Ink, 0, 0, 0, 1);
        boxes[i] = FindInk(*dx, 95 + 50 * i, 95, 140 + 50 * i, 130, White);
        ASSERT_FALSE(boxes[i].Empty()) << "character " << i;
    }
    EXPECT_LT(boxes[1].top, boxes[0].top - 2) << "umlaut dots";
    EXPECT_EQ(boxes[1].bottom, boxes[0].bottom);
    EXPECT_LT(boxes[4].bottom, boxes[0].top + 6) << "the degree sign sits high";
    EXPECT_GT(boxes[3].bottom - boxes[3].top, 8) << "the euro sign is a full character";
}

TEST_F(DisplayTest, RepeatedTextsRasteriseNothingAndTheCacheIsBounded) {
    Font font;
    font.Create("Arial", 20, 0);
    auto frame = [&] {
        dx->Clear(0x00FFFFFF);
        for (int i = 0; i < 40; ++i)
            dx->DrawText(10, 10 * i, "Label " + std::to_string(i), &font, Ink, 0, 0, 0, 1);
        dx->EndFrame();
    };
    frame();
    uint64_t first = font.cache.linesRendered;
    EXPECT_EQ(first, 40u);
    frame();
    EXPECT_EQ(font.cache.linesRendered, first) << "the same texts again";

    for (int i = 0; i < 3 * int(TextCache::Capacity); ++i) {
        dx->DrawText(10, 10, "Zahl " + std::to_string(i), &font, Ink, 0, 0, 0, 1);
        if (i % 50 == 0) dx->EndFrame();
    }
    EXPECT_LE(font.cache.Size(), TextCache::Capacity);
}

TEST_F(DisplayTest, RecreatingAFontLeavesOneLiveEntry) {
    Font font;
    font.Create("Arial", 20, 0);
    font.Create("Arial", 30, 1);
    font.Create("Arial", 12, 0);
    auto live = [&](const Font* f) {
        int n = 0;
        for (Font* node : dx->resources) n += node == f;
        return n;
    };
    EXPECT_EQ(live(&font), 1);
    EXPECT_EQ(live(&dx->defaultFont), 1);
    font.ReleaseResource();
    EXPECT_EQ(live(&font), 0);
    EXPECT_EQ(font.IsCreated(), 0);
}

// A partly covered edge pixel of a white text on black is as bright as the part covered, no
// brighter: the same text in black on white shows that part as the darkness it leaves.
TEST_F(DisplayTest, TextEdgesBlendByTheirCoverage) {
    const std::string text = "Wog 42%";
    const int left = 90, top = 90, right = 260, bottom = 140;
    std::vector<uint32_t> light;
    dx->Clear(0xFF000000);
    dx->DrawText(100, 100, text, nullptr, 0xFFFFFFFF, 0, 0, 0, 1);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) light.push_back(ReadPixel(*dx, x, y));
    dx->Clear(0xFFFFFFFF);
    dx->DrawText(100, 100, text, nullptr, Ink, 0, 0, 0, 1);
    int partial = 0, wrong = 0;
    std::string first;
    size_t i = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x, ++i) {
            const uint32_t got = light[i] & 0xFFFFFF;
            const int coverage = 255 - int(ReadPixel(*dx, x, y) & 0xFF);
            const int r = int(got >> 16), g = int(got >> 8 & 0xFF), b = int(got & 0xFF);
            partial += coverage > 30 && coverage < 225;
            if (r == g && g == b && std::abs(r - coverage) <= 2) continue;
            if (wrong++ == 0) {
                char where[96];
                std::snprintf(where, sizeof where, "(%d, %d): expected grey %02X, got %06X", x, y,
                              coverage, got);
                first = where;
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels off their coverage, the first at " << first;
    EXPECT_GT(partial, 20) << "partly covered edge pixels";
}

TEST(FontFaces, ArialResolvesToAScalableFace) {
    std::string regular = FindFontFile("Arial", 0), bold = FindFontFile("Arial", 1);
    EXPECT_NE(regular.find("Liberation"), std::string::npos) << regular;
    EXPECT_NE(bold.find("Bold"), std::string::npos) << bold;
}

// A line too wide for its box is cut between two characters and ends with an ellipsis; one that
// fits stays whole; a box too narrow even for the ellipsis gets nothing.
TEST_F(DisplayTest, FitTextCutsWithAnEllipsisOnlyWhatIsTooWide) {
    auto widthOf = [&](const std::string& text) {
        int w = 0, h = 0;
        dx->MeasureText(text, nullptr, 0, w, h, 1);
        return w;
    };
    const std::string name = "Maximilian Wellenbrecher";
    const int whole = widthOf(name);
    ASSERT_GT(whole, 100) << "the default font must give the name a width";
    struct Case {
        int width;
        const char* expected; // nullptr: cut, ending with the ellipsis
    };
    const Case cases[] = {{whole, "Maximilian Wellenbrecher"},
                          {whole + 50, "Maximilian Wellenbrecher"},
                          {whole - 1, nullptr},
                          {whole / 2, nullptr},
                          {widthOf("M\x85"), "M\x85"},
                          {widthOf("\x85") - 1, ""}};
    for (const Case& c : cases) {
        const std::string fitted = dx->FitText(name, nullptr, c.width);
        EXPECT_LE(widthOf(fitted), c.width) << "width " << c.width << ": \"" << fitted << "\"";
        if (c.expected) {
            EXPECT_EQ(fitted, c.expected) << "width " << c.width;
            continue;
        }
        ASSERT_FALSE(fitted.empty()) << "width " << c.width;
        EXPECT_EQ(fitted.back(), '\x85')
            << "width " << c.width << ": expected an ellipsis, got \"" << fitted << "\"";
        const std::string kept = fitted.substr(0, fitted.size() - 1);
        EXPECT_EQ(name.compare(0, kept.size(), kept), 0) << "the start of the name, got " << kept;
        // The longest start that fits: one more letter would not.
        if (name[kept.size()] == ' ') continue;
        EXPECT_GT(widthOf(name.substr(0, kept.size() + 1) + "\x85"), c.width)
            << "width " << c.width << ": \"" << fitted << "\" could keep one more letter";
    }
    EXPECT_EQ(dx->FitText("", nullptr, 0), "");
}
