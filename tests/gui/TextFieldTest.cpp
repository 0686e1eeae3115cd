#include "GuiTestSupport.h"

#include <algorithm>

#include "Libs/KeyCodes.h"
#include "tests/support/FrameAccess.h"

using namespace TestSkin;

namespace {
constexpr int keyA = 30, keyS = 31;
constexpr int typeA = -1; // in a table of keys: the letter "a" typed as text
} // namespace

class TextFieldTest : public GuiTest {
protected:
    GuiControl* field = nullptr;
    void SetUp() override {
        GuiTest::SetUp();
        field = window.AddControl(1, 10, 10, 200, 24, 3, ControlKind::TextField, "", "", "", "");
    }
    void Prepare(const std::string& text, int32_t caret, int32_t maxLength, int32_t mode) {
        field->text = text;
        window.SetControlParams(1, 3, caret, maxLength, mode);
    }
    // A key with a modifier held.
    int32_t TypeWith(int modifier, int code) {
        Key(modifier, true);
        const int32_t r = Tap(code);
        Key(modifier, false);
        return r;
    }
    // Text as the system's keyboard layout delivers it (UTF-8), fed to the window character by
    // character; returns the largest result.
    int32_t Type(const std::string& utf8) {
        InputLib& input = Platform().input;
        input.PushTypedText(utf8);
        int32_t result = 0;
        while (input.ReadKeyEvent(0, 1))
            result = std::max(result, window.RunFrame(GuiInput::Keyboard, id));
        return result;
    }
};

TEST_F(TextFieldTest, EditingKeysAndTypingAtTheMaximumLength) {
    struct Case {
        const char* text;
        int32_t caret, maxLength;
        int key;
        const char* expectText;
        int32_t expectCaret;
    } cases[] = {
        {"abc", 3, 3, typeA, "abc", 3},       // full: typing changes nothing
        {"abc", 3, 3, KeyBackspace, "ab", 2}, // editing keys still work when full
        {"abc", 1, 3, KeyDelete, "ac", 1},
        {"abc", 3, 3, KeyDelete, "abc", 3}, // Delete at the end does nothing
        {"abc", 0, 3, KeyBackspace, "abc", 0},
        {"abc", 2, 3, KeyLeft, "abc", 1},
        {"abc", 0, 3, KeyLeft, "abc", 0},
        {"abc", 2, 3, KeyRight, "abc", 3},
        {"abc", 3, 3, KeyRight, "abc", 3},
        {"abc", 1, 3, KeyEnd, "abc", 3},
        {"abc", 2, 3, KeyHome, "abc", 0},
        {"abc", 1, 10, typeA, "aabc", 2},
        {"abc", 9, 10, typeA, "abca", 4}, // a caret beyond the text is brought back first
        {"abc", 1, 10, keyA, "abc", 1},   // the key alone types nothing: text comes as text
    };
    for (const Case& c : cases) {
        Prepare(c.text, c.caret, c.maxLength, TextMode::Any);
        const int32_t result = c.key == typeA ? Type("a") : Tap(c.key);
        EXPECT_EQ(field->text, c.expectText)
            << "'" << c.text << "' caret " << c.caret << " key " << c.key;
        EXPECT_EQ(field->param1, c.expectCaret) << "'" << c.text << "' key " << c.key;
        EXPECT_EQ(result, field->text != c.text ? 1 : 0);
    }
}

TEST_F(TextFieldTest, ShiftDeleteEmptiesTheFieldWhereverTheCaretIs) {
    for (int32_t caret : {0, 2, 5}) {
        Prepare("hello", caret, 5, TextMode::Any);
        EXPECT_EQ(TypeWith(KeyLeftShift, KeyDelete), 1) << "caret " << caret;
        EXPECT_EQ(field->text, "") << "caret " << caret;
        EXPECT_EQ(field->param1, 0);
    }
}

// What lands in the field is what the keyboard layout typed, filtered by the field's mode.
TEST_F(TextFieldTest, CharacterSetsOfTheModes) {
    struct Case {
        int32_t mode;
        const char* typed;  // UTF-8, as the system delivers it
        const char* stored; // Windows-1252, "" when refused
    } cases[] = {
        {TextMode::LettersDigits, "\xC3\xA4", ""},
        {TextMode::LettersDigits, "a", "a"},
        {TextMode::LettersDigits, "7", "7"},
        {TextMode::LettersDigits, " ", " "},
        {TextMode::LettersDigits, "A", "A"},
        {TextMode::Wide, "\xC3\xA4", "\xE4"},
        {TextMode::Wide, "\xE2\x82\xAC", "\x80"},
        {TextMode::Wide, "@", "@"},
        {TextMode::Wide, "y", "y"},
        {TextMode::Wide, "/", ""},            // the slash is not in the wide set
        {TextMode::Wide, "\xE2\x86\x90", ""}, // no Windows-1252 character
        {TextMode::Any, "/", "/"},
        {TextMode::Any, "Tony y-z [];'", "Tony y-z [];'"},
        {TextMode::KeyCapture, "a", ""},     // a key field waits for a key, not for text
        {TextMode::KeyCapture + 1, "s", ""}, // other modes accept no characters
    };
    for (const Case& c : cases) {
        Prepare("", 0, 20, c.mode);
        Type(c.typed);
        EXPECT_EQ(field->text, c.stored)
            << "mode " << c.mode << ": typed \"" << c.typed << "\", expected \"" << c.stored
            << "\", got \"" << field->text << "\"";
    }
}

TEST_F(TextFieldTest, KeyCaptureActivatesOnlyWhenTheKeyChanges) {
    Prepare("", 0, 0, TextMode::KeyCapture);
    EXPECT_EQ(Key(keyA, true), 1);
    EXPECT_EQ(field->text, Platform().input.GetKeyName(keyA));
    EXPECT_EQ(field->param2, keyA);
    EXPECT_EQ(Key(keyA, false), 0) << "releases capture nothing";
    EXPECT_EQ(Key(keyA, true), 0) << "the same key again changes nothing";
    EXPECT_EQ(Key(KeyEnd, true), 1);
    EXPECT_EQ(field->param2, KeyEnd);
    EXPECT_EQ(field->param1, 0);
}

TEST_F(TextFieldTest, ClickPutsTheCaretAtTheNearerBoundary) {
    Prepare("Wide text", 0, 20, TextMode::Any);
    DirectXLib& dx = Platform().directX;
    Font* font = gui.ResolveFont("", 1);
    auto widthOf = [&](const std::string& s) {
        int w = 0, h = 0;
        dx.MeasureText(s, font, 0, w, h, 1);
        return w;
    };
    const int32_t left = field->x + boxBorder;
    const int32_t w1 = widthOf("W"), w2 = widthOf("Wi");
    ASSERT_GT(w2 - w1, 2) << "the font must give the letters a width";
    struct Case {
        int32_t mouseX;
        int32_t expected;
    } cases[] = {
        {left + w1 + (w2 - w1) / 2 - 1, 1}, // just before the middle of "i": left boundary
        {left + w1 + (w2 - w1) / 2 + 2, 2}, // past the middle: right boundary
        {left - 2, 0},
        {field->x + 199, 9}, // right of the text: the end
    };
    for (const Case& c : cases) {
        ClickAt(c.mouseX, field->y + 5);
        EXPECT_EQ(field->param1, c.expected)
            << "click at " << c.mouseX - left << " px into the text";
    }
}

TEST_F(TextFieldTest, CaretBlinksFromItsLastMovement) {
    Prepare("abc", 0, 10, TextMode::Any);
    DirectXLib& dx = Platform().directX;
    const int32_t caretX = field->x + boxBorder; // caret 0: at the text's start
    auto caretShown = [&]() {
        dx.Clear(0xFFFFFFFF);
        field->DrawControl();
        return (ReadPixel(dx, caretX, field->y + 12) & 0xFFFFFF) == 0;
    };
    SetTime(5000);
    Tap(KeyRight);
    Tap(KeyLeft); // moved: shown at once for 699 ms, then hidden 700 ms, shown 700 ms
    struct Step {
        uint32_t time;
        bool shown;
    } steps[] = {{5000, true}, {5698, true}, {5699, false}, {6398, false},
                 {6399, true}, {7098, true}, {7099, false}};
    for (const Step& s : steps) {
        SetTime(s.time);
        EXPECT_EQ(caretShown(), s.shown) << "at " << s.time - 5000 << " ms";
    }
    window.SetFocus(0, 0);
    field->state = 0;
    SetTime(5000);
    EXPECT_FALSE(caretShown()) << "no caret without the focus";
}

// A disabled field is drawn from the skin's disabled box, as other controls are; the other
// states keep the normal box.
TEST_F(TextFieldTest, DisabledFieldDrawsTheDisabledBox) {
    DirectXLib& dx = Platform().directX;
    const int32_t states[] = {ElementState::Normal, ElementState::Hovered, ElementState::Disabled};
    for (int32_t state : states) {
        field->state = state;
        dx.Clear(0xFFFFFFFF);
        field->DrawControl();
        const uint32_t expected =
            state == ElementState::Disabled ? buttonColours[3] : buttonColours[0];
        const uint32_t got = ReadPixel(dx, field->x + 190, field->y + 12) & 0xFFFFFF;
        EXPECT_EQ(got, expected) << "state " << state << ": expected box colour " << std::hex
                                 << expected << ", got " << got;
    }
}

// A key field waiting for a key says so with an ellipsis instead of the key's name and never
// shows a caret; once it has taken a key it shows the key's name again.
TEST_F(TextFieldTest, KeyFieldWaitingForAKeyShowsAnEllipsisAndNoCaret) {
    Prepare("Hoch", 0, 0, TextMode::KeyCapture);
    window.SetFocus(0, 0);
    EXPECT_EQ(field->ShownText(), "Hoch") << "not focused: the bound key";

    window.SetFocus(1, 0);
    Hover(field->x + 20, field->y + 5); // a frame without events: the field shows its focus
    ASSERT_EQ(field->state, 1);
    EXPECT_EQ(field->ShownText(), "\x85") << "focused and waiting";
    DirectXLib& dx = Platform().directX;
    for (uint32_t time : {5000u, 5700u}) { // both phases of the caret's blinking
        SetTime(time);
        dx.Clear(0xFFFFFFFF);
        field->DrawControl();
        for (int32_t x = field->x + boxBorder; x < field->x + field->width - boxBorder; ++x) {
            const uint32_t top = ReadPixel(dx, x, field->y + boxBorder + 1) & 0xFFFFFF;
            const uint32_t bottom = ReadPixel(dx, x, field->y + field->height - boxBorder - 2);
            ASSERT_FALSE(top == 0 && (bottom & 0xFFFFFF) == 0)
                << "a caret line at x " << x - field->x << " at " << time << " ms";
        }
    }

    Tap(keyS);
    EXPECT_EQ(field->ShownText(), Platform().input.GetKeyName(keyS)) << "after taking a key";
    window.SetFocus(1, 0);
    EXPECT_EQ(field->ShownText(), "\x85") << "focused anew: waiting again";
}
