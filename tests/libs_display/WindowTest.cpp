#include "DisplayFixture.h"

#include "Libs/InputLib.h"
#include "Libs/KeyCodes.h"
#include "Libs/Tick.h"

#include <SDL.h>

#include <filesystem>

#include "tests/support/VirtualPad.h"

using DX = DirectXLib;

TEST_F(DisplayTest, WindowStateTransitions) {
    struct Step {
        DX::WindowChange change;
        int expected;
    };
    // Focus changes do not undo a minimised window; a restore does; Closed is final.
    const Step steps[] = {
        {DX::FocusLost, DX::Inactive},       {DX::FocusGained, DX::Active},
        {DX::MinimizeWindow, DX::Minimized}, {DX::FocusLost, DX::Minimized},
        {DX::FocusGained, DX::Minimized},    {DX::RestoreWindow, DX::Active},
        {DX::FocusLost, DX::Inactive},       {DX::ResizeWindow, DX::Active},
        {DX::CloseWindow, DX::Closed},       {DX::RestoreWindow, DX::Closed},
        {DX::FocusGained, DX::Closed},
    };
    int i = 0;
    for (const Step& s : steps) {
        dx->HandleWindowChange(s.change, 800, 600);
        EXPECT_EQ(dx->windowState, s.expected) << "step " << i;
        ++i;
    }
}

// What the window system reports comes as queued events; each frame's end takes one of them.
TEST_F(DisplayTest, WindowEventsFromTheQueueChangeTheWindowState) {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); // what making the window queued
    ASSERT_EQ(dx->windowState, DX::Active);
    struct Step {
        const char* what;
        SDL_WindowEventID event;
        int expected;
    };
    const Step steps[] = {
        {"focus lost", SDL_WINDOWEVENT_FOCUS_LOST, DX::Inactive},
        {"focus gained", SDL_WINDOWEVENT_FOCUS_GAINED, DX::Active},
        {"minimised", SDL_WINDOWEVENT_MINIMIZED, DX::Minimized},
        {"focus gained while minimised", SDL_WINDOWEVENT_FOCUS_GAINED, DX::Minimized},
        {"restored", SDL_WINDOWEVENT_RESTORED, DX::Active},
        {"focus lost again", SDL_WINDOWEVENT_FOCUS_LOST, DX::Inactive},
        {"maximised", SDL_WINDOWEVENT_MAXIMIZED, DX::Active},
        {"hidden", SDL_WINDOWEVENT_HIDDEN, DX::Minimized},
        {"shown again", SDL_WINDOWEVENT_SHOWN, DX::Active},
        {"closed", SDL_WINDOWEVENT_CLOSE, DX::Closed},
        {"restored after closing", SDL_WINDOWEVENT_RESTORED, DX::Closed},
    };
    for (const Step& s : steps) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(dx->window);
        event.window.event = Uint8(s.event);
        ASSERT_EQ(SDL_PushEvent(&event), 1) << s.what << ": " << SDL_GetError();
        ASSERT_EQ(dx->EndFrame(), 1) << s.what;
        EXPECT_EQ(dx->windowState, s.expected)
            << s.what << ": expected window state " << s.expected << ", got " << dx->windowState;
    }
}

// F9 from the keyboard switches between window and full screen at the frame's end, and the
// game's input still reads it as its own key.
TEST_F(DisplayTest, F9FromTheQueueSwitchesTheWindowAndReachesTheInput) {
    InputLib input;
    input.Init();
    SDL_Event key{};
    key.key.windowID = SDL_GetWindowID(dx->window);
    key.key.keysym.scancode = SDL_SCANCODE_F9;
    key.key.keysym.sym = SDLK_F9;
    for (bool pressed : {true, false}) {
        key.type = pressed ? SDL_KEYDOWN : SDL_KEYUP;
        key.key.state = pressed ? SDL_PRESSED : SDL_RELEASED;
        SDL_PushEvent(&key); // a key swallowed on its way shows below as one missing
    }
    ASSERT_EQ(dx->presentParams.windowed, 1)
        << "expected the switch at the frame's end, not before";
    ASSERT_EQ(dx->EndFrame(), 1);
    EXPECT_EQ(dx->presentParams.windowed, 0) << "expected full screen after F9";
    for (uint32_t data : {0x80u, 0u}) {
        ASSERT_EQ(input.ReadKeyEvent(0, 1), 1) << "expected F9 with data " << data;
        EXPECT_EQ(input.event.offset, static_cast<uint32_t>(KeyF9))
            << "expected key code " << KeyF9 << ", got " << input.event.offset;
        EXPECT_EQ(input.event.data, data)
            << "expected data " << data << ", got " << input.event.data;
    }
    EXPECT_EQ(input.ReadKeyEvent(0, 1), 0) << "only the press and the release of F9";
    input.Release();
}

// A stick in motion makes events all the time; the frame's end must still see the window's.
TEST_F(DisplayTest, AMovingStickDoesNotHoldUpTheWindowsOwnEvents) {
    InputLib input;
    input.Init();
    VirtualPad pad;
    ASSERT_TRUE(pad.PluggedIn()) << SDL_GetError();
    input.ReadKeyEvent(0, 1); // takes the pad
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    pad.keepQueued = true;
    for (int i = 0; i < 50; ++i) pad.Move(SDL_CONTROLLER_AXIS_LEFTX, i * 600);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.windowID = SDL_GetWindowID(dx->window);
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    ASSERT_EQ(SDL_PushEvent(&close), 1) << SDL_GetError();
    dx->EndFrame();
    EXPECT_EQ(dx->windowState, DX::Closed) << "the close waited behind the stick's events";
    input.Release();
}

TEST_F(DisplayTest, MouseInBackBufferPixels) {
    struct Case {
        int windowed, x, y, winW, winH, outW, outH, expectX, expectY;
    };
    const Case cases[] = {
        {1, 700, 500, 1024, 768, 1024, 768, 700, 500},   // window of the back buffer's size
        {1, 700, 500, 512, 384, 512, 384, 1400, 1000},   // smaller window: scaled, unclamped
        {0, 700, 500, 1024, 768, 1024, 768, 700, 500},   // full screen at the same size
        {0, 960, 540, 1920, 1080, 1920, 1080, 512, 384}, // letterboxed: bars left and right
        {0, 240, 0, 1920, 1080, 1920, 1080, 0, 0},
        {1, 800, 450, 1600, 900, 1600, 900, 512, 384}, // resized window: letterboxed the same
        {1, 200, 450, 1600, 900, 1600, 900, 0, 384},   // left edge of the picture
        {1, 400, 600, 800, 1200, 800, 1200, 512, 384}, // tall window: bars above and below
    };
    for (const Case& c : cases) {
        dx->presentParams.windowed = c.windowed;
        dx->MapMouse(c.x, c.y, c.winW, c.winH, c.outW, c.outH);
        EXPECT_EQ(dx->mouseX, c.expectX) << "window " << c.winW << " x " << c.winH;
        EXPECT_EQ(dx->mouseY, c.expectY) << "window " << c.winW << " x " << c.winH;
    }
}

// One rectangle for the picture and the mouse, in both modes.
TEST_F(DisplayTest, PictureIsLetterboxedInItsOwnProportions) {
    struct Case {
        int outW, outH;
        Rect expected;
    };
    const Case cases[] = {
        {1024, 768, {0, 0, 1024, 768}},   {1920, 1080, {240, 0, 1680, 1080}},
        {1600, 900, {200, 0, 1400, 900}}, {800, 1200, {0, 300, 800, 900}},
        {512, 384, {0, 0, 512, 384}},     {0, 0, {0, 0, 0, 0}},
    };
    for (int windowed : {0, 1}) {
        dx->presentParams.windowed = windowed;
        for (const Case& c : cases) {
            const Rect got = dx->PictureRect(c.outW, c.outH);
            EXPECT_TRUE(got.left == c.expected.left && got.top == c.expected.top &&
                        got.right == c.expected.right && got.bottom == c.expected.bottom)
                << c.outW << " x " << c.outH << ": expected " << c.expected.left << ","
                << c.expected.top << "-" << c.expected.right << "," << c.expected.bottom << ", got "
                << got.left << "," << got.top << "-" << got.right << "," << got.bottom;
        }
    }
}

TEST_F(DisplayTest, MouseInRectIncludesItsEdges) {
    struct Case {
        int x, y, inside;
    };
    for (const Case& c : {Case{10, 20, 1}, Case{20, 10, 1}, Case{21, 15, 0}, Case{15, 9, 0}}) {
        dx->mouseX = c.x;
        dx->mouseY = c.y;
        EXPECT_EQ(dx->IsMouseInRect(10, 10, 20, 20), c.inside) << c.x << ", " << c.y;
    }
}

TEST_F(DisplayTest, DisplayModeToggleTwiceReturnsToFullScreen) {
    dx->ToggleDisplayMode(1, 0, 0, 0); // windowed -> full screen
    EXPECT_EQ(dx->presentParams.windowed, 0);
    EXPECT_EQ(dx->presentParams.backBufferFormat, 22);
    dx->ToggleDisplayMode(1, 0, 0, 0);
    EXPECT_EQ(dx->presentParams.windowed, 1);
    EXPECT_EQ(dx->presentParams.backBufferFormat, 0);
    dx->ToggleDisplayMode(1, 0, 0, 16);
    EXPECT_EQ(dx->presentParams.backBufferFormat, 23);
    EXPECT_EQ(dx->BackBufferWidth(), 1024);
    EXPECT_EQ(dx->BackBufferHeight(), 768);
    EXPECT_EQ(dx->EndFrame(), 1);
}

TEST_F(DisplayTest, FrameRateIsTheAverageOfTenFrames) {
    dx->timerFrequency = 1000; // counter in milliseconds
    dx->lastCounter = 0;
    dx->frameCounter = 0;
    for (int i = 1; i <= 10; ++i) dx->UpdateFrameRate(20 * i);
    EXPECT_EQ(dx->frameRateText, "50");
    for (int i = 11; i <= 19; ++i) dx->UpdateFrameRate(20 * i);
    EXPECT_EQ(dx->frameRateText, "50") << "changes only every tenth frame";
    dx->UpdateFrameRate(200 + 9 * 20 + 40);
    EXPECT_EQ(dx->frameRateText, "45");
}

namespace {
uint32_t FixedTick() {
    return 123456;
}
} // namespace

TEST_F(DisplayTest, ScreenshotNamesAndFormats) {
    SetTickSource(FixedTick);
    dx->Clear(0x00FFFFFF);
    dx->SaveScreenshot("", 1);
    dx->SaveScreenshot("Bild", 2);
    SetTickSource(nullptr);
    EXPECT_TRUE(std::filesystem::exists("File 123456.bmp"));
    EXPECT_TRUE(std::filesystem::exists("Bild.jpg"));
}

TEST_F(DisplayTest, ScreenshotOfF11LeavesOutTheFrameRateText) {
    SetTickSource(FixedTick);
    dx->Clear(0x00FFFFFF);
    dx->screenshotRequested = 1;
    dx->frameRateText = "88";
    dx->frameCounter = 0; // no new rate this frame: the text "88" is drawn
    ASSERT_EQ(dx->EndFrame(), 1);
    SetTickSource(nullptr);
    EXPECT_EQ(dx->screenshotRequested, 0);
    ASSERT_TRUE(std::filesystem::exists("File 123456.bmp"));

    // The back buffer kept the frame-rate text; the picture has none.
    EXPECT_FALSE(FindInk(*dx, 0, 0, 40, 30, 0xFFFFFF).Empty());
    Texture shot;
    shot.Load("File 123456.bmp", 0);
    EXPECT_EQ(shot.width, 1024);
    EXPECT_EQ(shot.height, 768);
    dx->Clear(0x00FF0000);
    shot.Draw(0, 0, 0, 0, 0, 0.0f, 0, 0);
    EXPECT_TRUE(FindInk(*dx, 0, 0, 40, 30, 0xFFFFFF).Empty());
}
