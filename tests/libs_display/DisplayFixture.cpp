#include "DisplayFixture.h"
#include "tests/TestSupport.h"
#include "tests/support/FrameAccess.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {
void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
} // namespace

void WriteBmp(const std::string& path, int w, int h, const std::function<uint32_t(int, int)>& rgb) {
    int rowSize = (w * 3 + 3) & ~3;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, 54 + rowSize * h);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, w);
    Put32(b, h);
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            uint32_t c = rgb(x, y);
            b.push_back(uint8_t(c));
            b.push_back(uint8_t(c >> 8));
            b.push_back(uint8_t(c >> 16));
        }
        for (int p = w * 3; p < rowSize; ++p) b.push_back(0);
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

::testing::AssertionResult ColourNear(uint32_t actual, uint32_t expected, int tolerance) {
    for (int shift : {16, 8, 0}) {
        int a = int(actual >> shift & 0xFF), e = int(expected >> shift & 0xFF);
        if (std::abs(a - e) > tolerance) {
            char text[96];
            std::snprintf(text, sizeof text, "expected %06X, got %06X", expected & 0xFFFFFF,
                          actual & 0xFFFFFF);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

void DisplayTest::SetUp() {
    oldFolder = std::filesystem::current_path();
    folder = MakeTestFolder(std::string("brixel_display_") +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_");
    std::filesystem::current_path(folder);
    dx = std::make_unique<DirectXLib>();
    dx->CreateMainWindow("brixel", 107, 108, 0, "1.2");
    dx->InitDirect3D(1024, 768, 32, 2);
}

void DisplayTest::TearDown() {
    dx.reset();
    std::filesystem::current_path(oldFolder);
    std::filesystem::remove_all(folder);
}

InkBox FindInk(DirectXLib& dx, int left, int top, int right, int bottom, uint32_t background) {
    InkBox box;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (!ColourNear(ReadPixel(dx, x, y), background, 40)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}
