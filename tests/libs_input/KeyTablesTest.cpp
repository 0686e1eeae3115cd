#include "Libs/InputLib.h"
#include "Libs/KeyCodes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

constexpr uint32_t Pressed = 0x80;

void Hold(InputLib& input, int code, bool down) {
    InputEvent e;
    e.offset = static_cast<uint32_t>(code);
    e.data = down ? Pressed : 0;
    input.PushKeyboardEvent(e);
}

TEST(KeyNames, NamesAndUnknownCodes) {
    struct Case {
        int code;
        std::string name;
    };
    const Case cases[] = {
        {200, "Hoch"},  {100, "#100"}, {1, "Esc"},   {57, "Space"},    {184, "Alt Gr"},
        {210, "Einfg"}, {39, "\xF6"},  {12, "\xDF"}, {221, "Men\xFC"}, {84, "#84"},
        {0, "#0"},      {256, "#256"}, {-1, "#-1"},  {21, "z"},        {44, "y"},
    };
    InputLib input;
    for (const Case& c : cases) {
        EXPECT_EQ(input.GetKeyName(c.code), c.name) << "key code " << c.code;
    }
}

// A language may name keys; an empty name brings the German one back, and codes without a
// row of their own never take one.
TEST(KeyNames, LanguageNamesStandInForTheGermanOnes) {
    InputLib input;
    input.SetKeyName(KeyUp, "Up");
    input.SetKeyName(KeyDelete, "Del");
    input.SetKeyName(300, "out of range");
    input.SetKeyName(-1, "out of range");
    struct Case {
        int code;
        std::string name;
    };
    const Case named[] = {{KeyUp, "Up"}, {KeyDelete, "Del"}, {KeyDown, "Runter"},
                          {300, "#300"}, {-1, "#-1"},        {100, "#100"}};
    for (const Case& c : named)
        EXPECT_EQ(input.GetKeyName(c.code), c.name)
            << "key code " << c.code << " with two names set";
    input.SetKeyName(KeyUp, "");
    EXPECT_EQ(input.GetKeyName(KeyUp), "Hoch") << "an empty name should bring the German one back";
}

TEST(KeyNames, TableHasOneRowPerCode) {
    std::set<int> codes;
    for (const KeyText& row : KeyNameTable()) {
        EXPECT_TRUE(codes.insert(row.code).second) << "key code " << row.code << " named twice";
        EXPECT_GT(row.code, 0);
        EXPECT_LT(row.code, 256);
    }
    EXPECT_EQ(codes.size(), 105u);
}

TEST(KeyChars, BaseNumPadShiftAndAltGr) {
    struct Case {
        int code;
        int numPad;
        bool shift;
        bool altGr;
        std::string expected;
    };
    const Case cases[] = {
        {30, 0, false, false, "a"},
        {30, 0, true, false, "A"},
        {3, 0, false, false, "2"},
        {3, 0, true, false, "\""},
        {3, 0, false, true, "\xB2"},
        {3, 0, true, true, "\xB2"}, // Alt Gr wins over shift
        {79, 0, false, false, "Unbekannt: 79"},
        {79, 1, false, false, "1"},
        {59, 0, false, false, "Unbekannt: 59"},
        {59, 0, true, false, "UNBEKANNT: 59"},
        {26, 0, false, false, "\xFC"},
        {26, 0, true, false, "\xDC"},
        {12, 0, true, false, "?"},
        {12, 0, false, true, "\\"},
        {18, 0, false, true, "\x80"},
        {18, 0, true, false, "E"},
        {30, 0, false, true, "a"}, // no Alt Gr character: the base one stays
        {57, 0, false, false, " "},
        {55, 0, false, false, "Unbekannt: 55"},
        {55, 1, true, false, "*"},
        {86, 0, true, false, ">"},
        {86, 0, false, true, "|"},
        {16, 0, false, true, "@"},
        {50, 0, false, true, "\xB5"},
    };
    for (const Case& c : cases) {
        InputLib input;
        if (c.shift) Hold(input, KeyLeftShift, true);
        if (c.altGr) Hold(input, KeyAltGr, true);
        EXPECT_EQ(input.GetKeyChar(c.code, c.numPad), c.expected)
            << "code " << c.code << " numPad " << c.numPad << " shift " << c.shift << " altGr "
            << c.altGr;
    }
}

TEST(KeyChars, ModifiersAreThoseOfTheMomentOfTheCall) {
    InputLib input;
    Hold(input, KeyRightShift, true);
    EXPECT_EQ(input.GetKeyChar(30, 0), "A") << "right shift";
    EXPECT_NE(input.keyState[KeyRightShift], 0) << "the snapshot shows the held shift";
    Hold(input, KeyRightShift, false);
    // The shift events are still unread in the buffer; only the held state counts.
    EXPECT_EQ(input.GetKeyChar(30, 0), "a") << "after shift was let go";
    EXPECT_EQ(input.keyState[KeyRightShift], 0);
}

// Every key that has a name can be bound from a real keyboard.
TEST(KeyCodeMap, EveryNamedKeyHasAScancode) {
    std::set<int> reachable;
    for (int scancode = 0; scancode < ScancodeCount; ++scancode) {
        int code = KeyCodeFromScancode(scancode);
        if (code != 0) reachable.insert(code);
    }
    for (const KeyText& row : KeyNameTable()) {
        EXPECT_TRUE(reachable.count(row.code))
            << "no scancode gives key code " << row.code << " (" << row.text << ")";
    }
}

// The pads' keys take codes no keyboard key has or sends, each with a short name and no
// character, and each code leads back to its pad and control.
TEST(PadKeys, CodesAreFreeNamedAndTypeNothing) {
    std::set<int> keyboardCodes;
    for (const KeyText& row : KeyNameTable()) keyboardCodes.insert(row.code);
    for (int scancode = 0; scancode < ScancodeCount; ++scancode)
        keyboardCodes.insert(KeyCodeFromScancode(scancode));
    std::set<int> padCodes;
    InputLib input;
    for (int pad = 0; pad < PadCount; ++pad) {
        for (int c = 0; c < PadControlCount; ++c) {
            const int code = PadKeyCode(pad, static_cast<PadControl>(c));
            EXPECT_TRUE(code > 0 && code < 256) << "pad " << pad << " control " << c;
            EXPECT_TRUE(padCodes.insert(code).second) << "code " << code << " given twice";
            EXPECT_FALSE(keyboardCodes.count(code)) << "code " << code << " is a keyboard key's";
            int foundPad = -1;
            PadControl found{};
            EXPECT_EQ(FindPadControl(code, foundPad, found), 1) << "code " << code;
            EXPECT_EQ(foundPad, pad) << "code " << code;
            EXPECT_EQ(static_cast<int>(found), c) << "code " << code;
            const std::string prefix = "P" + std::to_string(pad + 1) + " ";
            EXPECT_EQ(input.GetKeyName(code).rfind(prefix, 0), 0u)
                << "code " << code << " is named " << input.GetKeyName(code);
            EXPECT_EQ(input.GetKeyChar(code, 1), "") << "code " << code;
        }
    }
    EXPECT_EQ(PadKeyNameTable().size(), padCodes.size());
    for (int code : {0, 1, 28, 126, 141, 200, 237, 256}) {
        int pad = -1;
        PadControl control{};
        EXPECT_EQ(FindPadControl(code, pad, control), 0) << "code " << code;
    }
    struct Case {
        int code;
        const char* name;
    };
    const Case names[] = {
        {PadKeyCode(0, PadControl::A), "P1 A"},
        {PadKeyCode(0, PadControl::Start), "P1 Start"},
        {PadKeyCode(0, PadControl::Up), "P1 ^"},
        {PadKeyCode(1, PadControl::LeftStickLeft), "P2 LS <"},
        {PadKeyCode(1, PadControl::RightTrigger), "P2 RT"},
    };
    for (const Case& c : names) EXPECT_EQ(input.GetKeyName(c.code), c.name) << "code " << c.code;
}

TEST(KeyCodeMap, KeysByPosition) {
    // Scancodes are USB usage numbers: the key labelled Y on a US keyboard is German z (21).
    struct Case {
        int scancode;
        int code;
    };
    const Case cases[] = {
        {4, 30},    // A
        {28, 21},   // Y position -> z
        {29, 44},   // Z position -> y
        {40, 28},   // Return
        {41, 1},    // Escape
        {45, 12},   // minus position -> ß
        {100, 86},  // the extra key beside left shift -> <
        {82, 200},  // cursor up
        {88, 156},  // number pad Enter
        {230, 184}, // right Alt -> Alt Gr
        {0, 0},     // unknown
        {-1, 0},    {ScancodeCount, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyCodeFromScancode(c.scancode), c.code) << "scancode " << c.scancode;
    }
}

} // namespace
