#pragma once
#include "Libs/DirectXLib.h"
#include "Libs/Texture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

// A 24-bit BMP made from a function of the pixel position giving 0xRRGGBB.
void WriteBmp(const std::string& path, int w, int h, const std::function<uint32_t(int, int)>& rgb);

// Red, green and blue of an ARGB pixel each within tolerance of the expected colour.
::testing::AssertionResult ColourNear(uint32_t actual, uint32_t expected, int tolerance = 3);

// A windowed 1024 x 768 DirectXLib on the dummy video driver, working in a fresh temporary
// folder (so images and logs the tests write stay apart).
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<DirectXLib> dx;
    std::filesystem::path folder;
    std::filesystem::path oldFolder;
};

// Bounding box of the pixels in an area that differ from the background colour.
struct InkBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool Empty() const { return right < 0; }
};
InkBox FindInk(DirectXLib& dx, int left, int top, int right, int bottom, uint32_t background);
