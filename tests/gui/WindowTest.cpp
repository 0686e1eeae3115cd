#include "GuiTestSupport.h"
#include "tests/support/FrameAccess.h"

#include "Libs/KeyCodes.h"

using namespace TestSkin;

TEST_F(GuiTest, AddControlPlacementsAndLayoutCursor) {
    struct Step {
        int32_t x, y, placement;
        int32_t expectX, expectY; // relative position of the new control
        int32_t cursorX, cursorY; // cursor afterwards
    } steps[] = {
        {10, 20, 0, 10, 20, 10, 20}, // relative to (0, 0), cursor moved
        {5, 30, 0, 15, 50, 15, 50},  // relative to the first control, cursor moved again
        {-5, 10, 1, 10, 60, 15, 50}, // relative, cursor kept (left of the cursor is fine)
        {200, 7, 2, 200, 7, 200, 7}, // absolute, cursor moved
        {1, 1, 3, 1, 1, 200, 7},     // absolute, cursor kept
        {3, 3, 1, 203, 10, 200, 7},
    };
    int32_t nextId = 1;
    for (const Step& s : steps) {
        GuiControl* c = window.AddControl(nextId, s.x, s.y, 50, 20, s.placement, ControlKind::Label,
                                          "", "", "", "");
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->relativeX, s.expectX) << "control " << nextId;
        EXPECT_EQ(c->relativeY, s.expectY) << "control " << nextId;
        EXPECT_EQ(c->x, window.x + s.expectX) << "control " << nextId;
        EXPECT_EQ(c->y, window.y + s.expectY) << "control " << nextId;
        EXPECT_EQ(window.cursorX, s.cursorX) << "after control " << nextId;
        EXPECT_EQ(window.cursorY, s.cursorY) << "after control " << nextId;
        ++nextId;
    }
    EXPECT_EQ(window.AddControl(1, 0, 0, 1, 1, 0, ControlKind::Button, "", "", "", ""), nullptr)
        << "a duplicate id must be refused";
    EXPECT_EQ(window.AddControl(0, 0, 0, 1, 1, 0, ControlKind::Button, "", "", "", ""), nullptr);
    EXPECT_EQ(window.AddControl(-3, 0, 0, 1, 1, 0, ControlKind::Button, "", "", "", ""), nullptr);
    EXPECT_EQ(window.GetControl(42), nullptr);
    EXPECT_EQ(window.controls.Count(), 6);
}

TEST_F(GuiTest, FirstControlAboveImageTakesTheFocus) {
    window.AddControl(1, 0, 0, 10, 10, 3, ControlKind::Label, "", "", "", "");
    window.AddControl(2, 0, 0, 10, 10, 3, ControlKind::Image, "", "", "", "");
    EXPECT_EQ(window.focus, nullptr);
    int32_t result = window.RunFrame(GuiInput::None, id);
    EXPECT_EQ(result, 0) << "a window without a focused control does nothing";
    window.AddControl(7, 0, 0, 10, 10, 3, ControlKind::CheckBox, "", "", "", "");
    window.AddControl(3, 0, 0, 10, 10, 3, ControlKind::Button, "", "", "", "");
    ASSERT_NE(window.focus, nullptr);
    EXPECT_EQ(window.focus->id, 7);
    EXPECT_EQ(window.GetControl(7)->focused, 1);
    EXPECT_EQ(window.GetControl(3)->focused, 0);
}

TEST_F(GuiTest, SetControlParamsStoresOnlyTheCountGiven) {
    window.AddControl(1, 0, 0, 10, 10, 3, ControlKind::CheckBox, "", "", "", "");
    GuiControl* box = window.GetControl(1);
    box->param2 = 5;
    box->param3 = 6;
    window.SetControlParams(1, 1, 1, 99, 99);
    EXPECT_EQ(box->param1, 1);
    EXPECT_EQ(box->param2, 5);
    EXPECT_EQ(box->param3, 6);
    window.SetControlParams(1, 0, 7, 7, 7);
    EXPECT_EQ(box->param1, 1);
    window.SetControlParams(99, 3, 1, 2, 3); // no such control: nothing happens
}

TEST_F(GuiTest, DraggingIsClampedAtAllFourEdgesCountingTheStatusBar) {
    struct Case {
        int32_t mouseX, mouseY;
        int32_t statusBar;
        int32_t expectX, expectY;
    } cases[] = {
        {-1000, 300, 1, frame, 310},
        {300, -1000, 1, 200, titleHeight},
        {5000, 300, 1, 1024 - 400 - frame, 310},
        {300, 5000, 1, 200, 768 - 300 - statusHeight - frame},
        {300, 5000, 0, 200, 768 - 300 - frame},
        {350, 200, 1, 250, 210},
    };
    for (const Case& c : cases) {
        GuiWindow w;
        w.SetupWindow(100, 100, 400, 300, 1, "", "", "");
        w.hasStatusBar = c.statusBar;
        w.AddControl(1, 10, 10, 50, 20, 3, ControlKind::Button, "", "", "", "");
        // Press in the title bar 100 pixels right of the window's left edge, 10 above it.
        MoveMouse(200, 90);
        Platform().input.event = InputEvent{12, 0x80};
        w.RunFrame(GuiInput::Mouse, id);
        MoveMouse(c.mouseX, c.mouseY);
        w.RunFrame(GuiInput::None, id);
        Platform().input.event = InputEvent{12, 0};
        w.RunFrame(GuiInput::Mouse, id);
        EXPECT_EQ(w.x, c.expectX) << "dragged to " << c.mouseX << "," << c.mouseY;
        EXPECT_EQ(w.y, c.expectY) << "dragged to " << c.mouseX << "," << c.mouseY;
        EXPECT_EQ(w.dragX, -1) << "the release must end the drag";
        EXPECT_EQ(w.GetControl(1)->x, w.x + 10);
        EXPECT_EQ(w.GetControl(1)->y, w.y + 10);
        // After the release the window no longer follows the mouse.
        MoveMouse(600, 600);
        w.RunFrame(GuiInput::None, id);
        EXPECT_EQ(w.x, c.expectX);
    }
}

TEST_F(GuiTest, CloseButtonAnswersMinusOneOnlyForPressAndReleaseInside) {
    window.AddControl(1, 10, 10, 50, 20, 3, ControlKind::Button, "", "", "", "");
    // The close button: right edge 4 pixels inside the frame's right edge, top 2 below its top.
    const int32_t left = 100 + 400 + frame - closeRight - closeSize;
    const int32_t top = 100 - titleHeight + closeTop;
    struct Case {
        int32_t pressX, pressY, releaseX, releaseY;
        int32_t expected;
    } cases[] = {
        {left, top, left + closeSize, top + closeSize, -1}, // inclusive edges
        {left + 5, top + 5, 300, 300, 0},
        {300, 300, left + 5, top + 5, 0}, // the press began elsewhere
    };
    for (const Case& c : cases) {
        Click(c.pressX, c.pressY, true);
        const int32_t result = Click(c.releaseX, c.releaseY, false);
        EXPECT_EQ(result, c.expected) << "press " << c.pressX << "," << c.pressY << " release "
                                      << c.releaseX << "," << c.releaseY;
        if (c.expected == -1) {
            EXPECT_EQ(id, -1);
        }
        EXPECT_EQ(window.closeButtonPressed, 0);
        EXPECT_EQ(window.x, 100) << "a press on the close button must not drag";
    }
    Click(left + 1, top + 1, true);
    EXPECT_EQ(window.closeButtonState, 2);
    Hover(300, 300);
    EXPECT_EQ(window.closeButtonState, 0);
}

TEST_F(GuiTest, TabSkipsDisabledAndInvisibleControlsAndWraps) {
    window.AddControl(1, 0, 0, 10, 10, 3, ControlKind::Button, "", "", "", "");
    window.AddControl(2, 0, 0, 10, 10, 3, ControlKind::Button, "", "", "", "")->state = 3;
    window.AddControl(3, 0, 0, 10, 10, 3, ControlKind::Label, "", "", "", "");
    window.AddControl(4, 0, 0, 10, 10, 3, ControlKind::CheckBox, "", "", "", "")->visible = 0;
    window.AddControl(5, 0, 0, 10, 10, 3, ControlKind::Slider, "", "", "", "");
    const int32_t expectedFocus[] = {5, 1, 5};
    for (int32_t expected : expectedFocus) {
        Tap(15);
        ASSERT_NE(window.focus, nullptr);
        EXPECT_EQ(window.focus->id, expected);
        EXPECT_EQ(window.focus->state, 1) << "the new focus shows as focused";
    }
    EXPECT_EQ(window.GetControl(2)->state, 3) << "a disabled control stays disabled";

    // Nothing else qualifies: the focus stays, and the search ends.
    window.GetControl(1)->state = 3;
    window.SetFocus(0, 1);
    ASSERT_NE(window.focus, nullptr);
    EXPECT_EQ(window.focus->id, 5);
    window.GetControl(5)->state = 3;
    window.SetFocus(0, 1);
    ASSERT_NE(window.focus, nullptr);
    EXPECT_EQ(window.focus->id, 5);

    window.SetFocus(77, 0);
    EXPECT_EQ(window.focus, nullptr) << "focusing an unknown id leaves no focus";
}

TEST_F(GuiTest, TabIsCapturedByAKeyCaptureField) {
    window.AddControl(1, 0, 0, 100, 20, 3, ControlKind::TextField, "", "", "", "");
    window.AddControl(2, 0, 30, 100, 20, 3, ControlKind::Button, "", "", "", "");
    window.SetControlParams(1, 3, 0, 0, TextMode::KeyCapture);
    EXPECT_EQ(Key(KeyTab, true), 1) << "the captured Tab changes the text";
    EXPECT_EQ(window.focus->id, 1);
    EXPECT_EQ(window.GetControl(1)->param2, 15);
    EXPECT_EQ(window.GetControl(1)->text, Platform().input.GetKeyName(KeyTab));
}

TEST_F(GuiTest, InactiveWindowIgnoresInput) {
    window.AddControl(1, 10, 10, 80, 30, 3, ControlKind::Button, "", "", "", "");
    window.active = 0;
    EXPECT_EQ(ClickAt(120, 120), 0);
    EXPECT_EQ(Tap(28), 0);
    EXPECT_EQ(window.GetControl(1)->pressed, 0);
}

// A frameless menu page shows the focused control's status text in its status rectangle,
// centred in the rectangle's height (not in the skin's status bar height).
TEST_F(GuiTest, FramelessWindowCentresTheStatusTextInItsStatusRectangle) {
    DirectXLib& dx = Platform().directX;
    window.framed = 0;
    window.statusX = 100;
    window.statusY = 600;
    window.statusWidth = 300;
    window.statusHeight = 60;
    window.AddControl(1, 10, 10, 80, 30, 3, ControlKind::Button, "", "Status text", "", "");
    dx.Clear(0xFFFFFFFF);
    window.DrawWindow();
    // The rows holding dark text pixels, searched well beyond the rectangle.
    int top = -1, bottom = -1;
    for (int y = 560; y < 700; ++y) {
        for (int x = 100; x < 400; ++x) {
            if ((ReadPixel(dx, x, y) & 0xFF) >= 0x80) continue;
            if (top < 0) top = y;
            bottom = y;
            break;
        }
    }
    ASSERT_GE(top, 0) << "no status text drawn";
    const int centre = (top + bottom) / 2;
    const int expected = window.statusY + window.statusHeight / 2;
    EXPECT_GE(top, window.statusY) << "text rows " << top << ".." << bottom;
    EXPECT_LE(bottom, window.statusY + window.statusHeight)
        << "text rows " << top << ".." << bottom;
    EXPECT_NEAR(centre, expected, 4)
        << "expected the text centred at " << expected << ", got rows " << top << ".." << bottom;
}
