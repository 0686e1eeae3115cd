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
constexpr int KeyReturn = 28;
constexpr int KeyLeftShift = 42;
constexpr int KeyRightShift = 54;
constexpr int KeySpace = 57;
constexpr int KeyF1 = 59;
constexpr int KeyF11 = 87;
constexpr int KeyAltGr = 184;
constexpr int KeyHome = 199;
constexpr int KeyUp = 200;
constexpr int KeyPageUp = 201;
constexpr int KeyLeft = 203;
constexpr int KeyRight = 205;
constexpr int KeyEnd = 207;
constexpr int KeyDown = 208;
constexpr int KeyPageDown = 209;
constexpr int KeyDelete = 211;

// SDL scancodes run from 0 to below this bound.
constexpr int ScancodeCount = 512;
// The key code of an SDL scancode, 0 for keys the game has no code for.
int KeyCodeFromScancode(int scancode);
