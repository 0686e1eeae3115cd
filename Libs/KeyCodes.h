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

// Key codes of the modifiers GetKeyChar looks at.
constexpr int KeyLeftShift = 42;
constexpr int KeyRightShift = 54;
constexpr int KeyAltGr = 184;

// SDL scancodes run from 0 to below this bound.
constexpr int ScancodeCount = 512;
// The key code of an SDL scancode, 0 for keys the game has no code for.
int KeyCodeFromScancode(int scancode);
