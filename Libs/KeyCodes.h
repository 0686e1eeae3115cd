#pragma once
#include <span>

// The keyboard tables: key codes are positions on the keyboard (Escape 1, Enter 28, F1 59,
// cursor up 200, ...), so the German names and characters follow the physical keys.

// One row of a key table: a key code and its Windows-1252 text.
struct KeyText {
    int code;
    const char* text;
};

std::span<const KeyText> KeyNameTable();    // display names
std::span<const KeyText> BaseCharTable();   // characters without modifiers
std::span<const KeyText> NumPadCharTable(); // number pad, when digits are asked for
std::span<const KeyText> ShiftCharTable();  // with a shift key down, after upper-casing
std::span<const KeyText> AltGrCharTable();  // with Alt Gr down, applied last

// The text of code in table, nullptr when the table has no row for it.
const char* FindKeyText(std::span<const KeyText> table, int code);

// The key codes the game's own code reads: the menus, the GUI controls, the game and the
// character look-up. Players may bind any code; these are the ones with a fixed meaning.
constexpr int KeyEscape = 1;
constexpr int KeyDigit1 = 2; // the digit row 1..9, 0 runs from 2 to 11
constexpr int KeyDigit2 = 3;
constexpr int KeyDigit3 = 4;
constexpr int KeyDigit0 = 11;
constexpr int KeyBackspace = 14;
constexpr int KeyTab = 15;
constexpr int KeyW = 17;
constexpr int KeyReturn = 28;
constexpr int KeyLeftControl = 29;
constexpr int KeyA = 30;
constexpr int KeyS = 31;
constexpr int KeyD = 32;
constexpr int KeyLeftShift = 42;
constexpr int KeyRightShift = 54;
constexpr int KeyLeftAlt = 56;
constexpr int KeySpace = 57;
constexpr int KeyCapsLock = 58;
constexpr int KeyF1 = 59;
constexpr int KeyF9 = 67;
constexpr int KeyNumLock = 69;
constexpr int KeyScrollLock = 70;
constexpr int KeyF11 = 87;
constexpr int KeyNumPadEnter = 156;
constexpr int KeyRightControl = 157;
constexpr int KeyPrint = 183;
constexpr int KeyAltGr = 184;
constexpr int KeyPause = 197;
constexpr int KeyHome = 199;
constexpr int KeyUp = 200;
constexpr int KeyPageUp = 201;
constexpr int KeyLeft = 203;
constexpr int KeyRight = 205;
constexpr int KeyEnd = 207;
constexpr int KeyDown = 208;
constexpr int KeyPageDown = 209;
constexpr int KeyInsert = 210;
constexpr int KeyDelete = 211;
constexpr int KeyLeftWindows = 219;
constexpr int KeyRightWindows = 220;
constexpr int KeyMenu = 221;
// Not a key: an event with this code carries one typed Windows-1252 character in appData, as
// the system's keyboard layout made it. Key codes stay positions; typed text follows the layout.
constexpr int KeyTypedText = 256;

// Game controllers. Every button, stick direction and trigger of up to two pads is a key of
// its own, so bindings, key repeat and the key fields treat it like any key. The pads' codes
// are numbers no keyboard sends: DirectInput never gave them to a key, and the keyboard table
// leaves them free. Each pad has a block for its buttons and one for its stick and trigger
// directions.
enum class PadControl {
    A,
    B,
    X,
    Y,
    Back,
    Start,
    LeftShoulder,
    RightShoulder,
    LeftStickClick,
    RightStickClick,
    Up, // Up .. Right: the D-pad
    Down,
    Left,
    Right,
    LeftStickUp,
    LeftStickDown,
    LeftStickLeft,
    LeftStickRight,
    RightStickUp,
    RightStickDown,
    RightStickLeft,
    RightStickRight,
    LeftTrigger,
    RightTrigger,
};
constexpr int PadCount = 2;
constexpr int PadControlCount = 24;
constexpr int PadButtonCount = 14; // A .. Right; the rest are directions of sticks and triggers
struct PadCodeBlocks {
    int buttons;
    int directions;
};
constexpr PadCodeBlocks PadCodes[PadCount] = {{127, 89}, {238, 185}};

// The key code of a control of pad 0 or 1.
constexpr int PadKeyCode(int pad, PadControl control) {
    const int c = static_cast<int>(control);
    if (c < PadButtonCount) return PadCodes[pad].buttons + c;
    return PadCodes[pad].directions + c - PadButtonCount;
}
// 1 with the pad and control a key code stands for; 0 for codes that are no pad's.
int FindPadControl(int code, int& pad, PadControl& control);
// Display names of the pads' codes ("P1 A", "P2 LS <", ...).
std::span<const KeyText> PadKeyNameTable();

// SDL scancodes run from 0 to below this bound.
constexpr int ScancodeCount = 512;
// The key code of an SDL scancode, 0 for keys the game has no code for.
int KeyCodeFromScancode(int scancode);
