#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "Libs/Platform.h"
#include "gui/GuiManager.h"
#include "gui/GuiWindow.h"

// The platform objects every GUI test shares: a headless window and renderer, the input object.
// Tests run in a temporary working folder that holds skin/test.style and its image.
struct TestPlatform {
    DirectXLib directX;
    InputLib input;
    TestPlatform();
};
TestPlatform& Platform();

// The test skin's measures, so tests read as numbers of the skin.
namespace TestSkin {
constexpr int32_t titleHeight = 20; // window first border
constexpr int32_t frame = 4;        // window second border
constexpr int32_t statusHeight = 18;
constexpr int32_t closeSize = 16, closeRight = 4, closeTop = 2;
constexpr int32_t knobWidth = 8;    // slider second border
constexpr int32_t arrowHeight = 16; // scroll bar first border
constexpr int32_t barWidth = 16;
constexpr int32_t boxBorder = 3;
constexpr int32_t comboButton = 16, comboGap = 4; // row height = 16 + 4 - 4
constexpr int32_t headerHeight = 20, tableRowHeight = 18;
// Colours of the test image (RGB) where the button's four states are cut.
constexpr uint32_t buttonColours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
} // namespace TestSkin

// A fresh GuiManager with the test skin, a test clock at 1000 ms and helpers to make up input.
class GuiTest : public ::testing::Test {
protected:
    GuiManager gui;
    GuiWindow window;
    int32_t id = 0;
    static uint32_t now;

    void SetUp() override;
    void TearDown() override;

    static void SetTime(uint32_t ms) { now = ms; }
    void MoveMouse(int32_t x, int32_t y);
    // A left-button event at (x, y) fed to the window; returns RunFrame's result.
    int32_t Click(int32_t x, int32_t y, bool press);
    // Press and release at one point; returns the release's result.
    int32_t ClickAt(int32_t x, int32_t y);
    int32_t Hover(int32_t x, int32_t y);
    // A key event through InputLib's buffer (so held keys are tracked) fed to the window.
    int32_t Key(int code, bool press);
    int32_t Tap(int code); // press and release; returns the larger result
};
