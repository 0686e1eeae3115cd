#include "GuiTestSupport.h"
#include "Libs/KeyCodes.h"
#include "tests/support/FrameAccess.h"

using namespace TestSkin;

TEST_F(GuiTest, ButtonActivatesOnReleaseOnlyOverIt) {
    window.AddControl(1, 10, 10, 80, 30, 3, ControlKind::Button, "OK", "", "", "");
    window.AddControl(2, 10, 50, 80, 30, 3, ControlKind::Button, "Other", "", "", "");
    GuiControl* other = window.GetControl(2);

    EXPECT_EQ(ClickAt(150, 125), 1);
    EXPECT_EQ(id, 1);

    // Press on button 2, move off it and release: the press gave it the focus and it shows
    // state 2 while held, but there is no activation.
    EXPECT_EQ(Click(150, 165, true), 0);
    EXPECT_EQ(window.focus, other);
    Hover(400, 350);
    EXPECT_EQ(other->state, 2);
    EXPECT_EQ(Click(400, 350, false), 0);
    EXPECT_EQ(other->pressed, 0);
    EXPECT_EQ(other->state, 1);
}

TEST_F(GuiTest, ReturnOrSpaceReleasedOnTheFocusedButtonActivatesIt) {
    window.AddControl(1, 10, 10, 80, 30, 3, ControlKind::Button, "OK", "", "", "");
    MoveMouse(0, 0);
    // The press happened before the button had the focus: its release alone does nothing.
    EXPECT_EQ(Key(KeyReturn, false), 0);
    EXPECT_EQ(Key(KeySpace, true), 0);
    EXPECT_EQ(window.focus->state, 2) << "Space held shows the pressed state";
    EXPECT_EQ(Key(KeySpace, false), 1);
    EXPECT_EQ(Tap(30), 0) << "other keys do nothing";
}

// A dialog opened while a key or the mouse button is still held (the hard drop that ended the
// game): the release alone must not click its focused button; a whole press and release does.
TEST_F(GuiTest, ButtonActivatesOnlyOnAReleaseWhosePressItSaw) {
    // ...Repeat: a press the key's auto-repeat made up while it was held.
    enum Step {
        SpaceDown,
        SpaceUp,
        ReturnDown,
        ReturnUp,
        MouseDown,
        MouseUp,
        SpaceRepeat,
        ReturnRepeat
    };
    struct Case {
        const char* what;
        Step steps[3];
        int count;
        int32_t expected; // the last step's result
    } cases[] = {
        {"Space released, pressed before", {SpaceUp}, 1, 0},
        {"Return released, pressed before", {ReturnUp}, 1, 0},
        {"mouse released, pressed before", {MouseUp}, 1, 0},
        {"Space pressed and released", {SpaceDown, SpaceUp}, 2, 1},
        {"Return pressed and released", {ReturnDown, ReturnUp}, 2, 1},
        {"mouse pressed and released", {MouseDown, MouseUp}, 2, 1},
        {"Return pressed, Space released", {ReturnDown, SpaceUp}, 2, 0},
        {"Space pressed, mouse released", {SpaceDown, MouseUp}, 2, 0},
        {"mouse pressed, Space released", {MouseDown, SpaceUp}, 2, 0},
        {"mouse released while Space held", {SpaceDown, MouseUp, SpaceUp}, 3, 1},
        {"Return held from before, repeating", {ReturnRepeat, ReturnRepeat, ReturnUp}, 3, 0},
        {"Space held from before, repeating", {SpaceRepeat, SpaceUp}, 2, 0},
        {"Return pressed here, then repeating", {ReturnDown, ReturnRepeat, ReturnUp}, 3, 1},
        {"Space repeating, Return pressed here", {SpaceRepeat, ReturnDown, ReturnUp}, 3, 1},
    };
    for (const Case& c : cases) {
        GuiWindow dialog;
        dialog.SetupWindow(100, 100, 400, 300, 1, "Result", "", "");
        dialog.AddControl(1, 10, 10, 80, 30, 3, ControlKind::Button, "Again", "", "", "");
        dialog.SetFocus(1, 0);
        MoveMouse(150, 125);
        int32_t result = -100;
        for (int i = 0; i < c.count; ++i) {
            const Step step = c.steps[i];
            InputEvent e;
            const bool repeat = step == SpaceRepeat || step == ReturnRepeat;
            e.offset = step == SpaceDown || step == SpaceUp || step == SpaceRepeat      ? KeySpace
                       : step == ReturnDown || step == ReturnUp || step == ReturnRepeat ? KeyReturn
                                                                                        : 12;
            e.data =
                step == SpaceDown || step == ReturnDown || step == MouseDown || repeat ? 0x80 : 0;
            e.repeated = repeat ? 1 : 0;
            Platform().input.event = e;
            const int mode = e.offset == 12 ? GuiInput::Mouse : GuiInput::Keyboard;
            result = dialog.RunFrame(mode, id);
        }
        EXPECT_EQ(result, c.expected)
            << c.what << ": expected " << c.expected << ", got " << result;
    }
}

TEST_F(GuiTest, CheckBoxTogglesAndRadioButtonSets) {
    window.AddControl(1, 10, 10, 100, 20, 3, ControlKind::CheckBox, "Check", "", "", "");
    window.AddControl(2, 10, 40, 100, 20, 3, ControlKind::RadioButton, "Radio", "", "", "");
    const int32_t expectedCheck[] = {1, 0, 1};
    for (int32_t expected : expectedCheck) {
        EXPECT_EQ(ClickAt(120, 120), 1);
        EXPECT_EQ(window.GetControl(1)->param1, expected);
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ClickAt(120, 150), 1);
        EXPECT_EQ(window.GetControl(2)->param1, 1);
    }
}

TEST_F(GuiTest, SliderStepsByATenthOfTheRangeOrByOne) {
    struct Case {
        int32_t minimum, maximum, start;
        int key;
        int32_t expected;
    } cases[] = {
        {0, 100, 50, KeyLeft, 40}, {0, 100, 50, KeyRight, 60}, {0, 100, 50, KeyUp, 51},
        {0, 100, 50, KeyDown, 49}, {0, 5, 2, KeyLeft, 1},      {0, 5, 2, KeyRight, 3},
        {0, 5, 2, KeyUp, 3},       {0, 5, 2, KeyDown, 1},      {0, 100, 95, KeyRight, 100},
        {0, 100, 5, KeyLeft, 0},   {0, 100, 0, KeyDown, 0},    {10, 20, 10, KeyLeft, 10},
        {7, 7, 7, KeyRight, 7},    {7, 7, 7, KeyLeft, 7},
    };
    for (const Case& c : cases) {
        GuiWindow w;
        w.SetupWindow(100, 100, 400, 300, 1, "", "", "");
        w.AddControl(1, 10, 10, 208, 20, 3, ControlKind::Slider, "", "", "", "");
        w.SetControlParams(1, 3, c.start, c.minimum, c.maximum);
        InputEvent e{static_cast<uint32_t>(c.key), 0x80};
        Platform().input.event = e;
        const int32_t result = w.RunFrame(GuiInput::Keyboard, id);
        const int32_t got = w.GetControl(1)->param1;
        EXPECT_EQ(got, c.expected)
            << c.minimum << ".." << c.maximum << " from " << c.start << " key " << c.key;
        EXPECT_EQ(result, got != c.start ? 1 : 0);
        w.DrawWindow(); // also with maximum equal to minimum
    }
}

TEST_F(GuiTest, SliderClicksBesideTheKnobStepAndAFlatSliderStaysPut) {
    window.AddControl(1, 10, 10, 208, 20, 3, ControlKind::Slider, "", "", "", "");
    window.SetControlParams(1, 3, 50, 0, 100);
    // Knob of value 50 covers x 210..218 on screen.
    EXPECT_EQ(Click(300, 120, true), 1);
    EXPECT_EQ(Click(300, 120, false), 0);
    EXPECT_EQ(window.GetControl(1)->param1, 60);
    EXPECT_EQ(Click(115, 120, true), 1);
    EXPECT_EQ(Click(115, 120, false), 0);
    EXPECT_EQ(window.GetControl(1)->param1, 50);

    window.SetControlParams(1, 3, 3, 3, 3);
    EXPECT_EQ(ClickAt(300, 120), 0);
    EXPECT_EQ(Click(111, 120, true), 0);
    Hover(500, 120);
    EXPECT_EQ(Click(500, 120, false), 0);
    EXPECT_EQ(window.GetControl(1)->param1, 3);
}

TEST_F(GuiTest, DraggedSliderKnobKeepsTheMouseEvents) {
    window.AddControl(5, 10, 50, 208, 20, 3, ControlKind::Slider, "", "", "", "");
    window.AddControl(6, 10, 290, 80, 30, 3, ControlKind::Button, "", "", "", "");
    window.SetControlParams(5, 3, 0, 0, 100);
    GuiControl* slider = window.GetControl(5);
    // Knob at x 110..118; grab it 2 pixels in.
    EXPECT_EQ(Click(112, 160, true), 0);
    ASSERT_EQ(slider->pressed, 1);
    // Far off the slider the knob still follows: centre of value 50 is at 110 + 50.5 * 2.
    EXPECT_EQ(Hover(212, 400), 1);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(slider->param1, 50);
    // Released over the button: only the slider sees it.
    EXPECT_EQ(Click(150, 400, false), 1);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(slider->param1, 19);
    EXPECT_EQ(slider->pressed, 0);
    EXPECT_EQ(window.focus, slider);
    EXPECT_EQ(window.GetControl(6)->pressed, 0);
}

TEST_F(GuiTest, SkinPiecesAreCutFromTheImageAndMagentaIsTransparent) {
    DirectXLib& dx = Platform().directX;
    auto rgb = [&](int x, int y) { return ReadPixel(dx, x, y) & 0xFFFFFF; };
    dx.Clear(0xFFFFFFFF);
    for (int state = 0; state < 4; ++state) {
        const int32_t left = 100 + state * 150;
        gui.DrawSkinElement(Element::Button, state, left, 300, 120, 50);
        // Corner, stretched edge and stretched centre all come from that state's picture.
        const int points[3][2] = {{left + 1, 301}, {left + 60, 302}, {left + 119, 349}};
        for (const auto& p : points)
            EXPECT_EQ(rgb(p[0], p[1]), buttonColours[state])
                << "state " << state << " at " << p[0] << "," << p[1];
        EXPECT_EQ(rgb(left + 120, 325), 0xFFFFFFu) << "nothing right of the button";
    }
    gui.elements[Element::CheckBox].sourceX[0] = 90; // the magenta block
    gui.DrawSkinElement(Element::CheckBox, 0, 50, 50, 0, 0);
    EXPECT_EQ(rgb(55, 55), 0xFFFFFFu) << "magenta must be the transparent colour";
}
