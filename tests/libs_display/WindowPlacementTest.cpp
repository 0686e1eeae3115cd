#include "Libs/WindowPlacement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string Describe(const ScreenArea& a) {
    return std::to_string(a.width) + " x " + std::to_string(a.height) + " at (" +
           std::to_string(a.x) + ", " + std::to_string(a.y) + ")";
}

} // namespace

// The window's inside for a 1024 x 768 picture wanted at (50, 50) of the work area.
TEST(WindowPlacement, FitsTheWorkAreaAtEveryScale) {
    const WindowFrame none{};
    const WindowFrame frame{8, 31, 8, 8}; // a title bar and thin borders
    struct Case {
        const char* what;
        double scale;
        ScreenArea workArea;
        WindowFrame frame;
        ScreenArea expected;
    } cases[] = {
        {"room to spare", 1.0, {0, 0, 1920, 1040}, frame, {50, 50, 1024, 768}},
        {"a screen just the picture's size: moved in, not shrunk",
         1.0,
         {0, 0, 1024, 768},
         none,
         {0, 0, 1024, 768}},
        {"the same with a frame: shrunk to fit, frame inside",
         1.0,
         {0, 0, 1024, 768},
         frame,
         {44, 31, 972, 729}},
        {"a taskbar below", 1.0, {0, 0, 1366, 728}, frame, {50, 31, 918, 689}},
        {"150 % on a 1920 x 1080 laptop", 1.5, {0, 0, 1920, 1032}, frame, {50, 31, 1324, 993}},
        {"200 % on 2560 x 1440", 2.0, {0, 0, 2560, 1392}, frame, {50, 31, 1804, 1353}},
        {"125 % with room: the chosen size", 1.25, {0, 0, 2560, 1400}, frame, {50, 50, 1280, 960}},
        {"a large screen at 100 % stays at the picture's size",
         1.0,
         {0, 0, 3840, 2120},
         frame,
         {50, 50, 1024, 768}},
        {"a second screen to the right", 1.0, {1920, 0, 1280, 1024}, frame, {1970, 50, 1024, 768}},
        {"a screen left of and above the first",
         1.0,
         {-1280, -200, 1280, 1024},
         frame,
         {-1230, -150, 1024, 768}},
        {"a small screen", 1.0, {0, 0, 800, 600}, none, {0, 0, 800, 600}},
        {"a scale below 1 counts as 1", 0.5, {0, 0, 1920, 1040}, frame, {50, 50, 1024, 768}},
    };
    for (const Case& c : cases) {
        const ScreenArea got = FitWindow(1024, 768, 50, c.scale, c.workArea, c.frame);
        EXPECT_EQ(Describe(c.expected), Describe(got)) << c.what;
        // Whatever the case: the proportions and the whole frame inside the work area.
        EXPECT_LE(std::abs(got.width * 3 - got.height * 4), 4) << c.what << ": not 4:3";
        EXPECT_GE(got.x - c.frame.left, c.workArea.x) << c.what;
        EXPECT_GE(got.y - c.frame.top, c.workArea.y) << c.what;
        EXPECT_LE(got.x + got.width + c.frame.right, c.workArea.x + c.workArea.width) << c.what;
        EXPECT_LE(got.y + got.height + c.frame.bottom, c.workArea.y + c.workArea.height) << c.what;
    }
}
