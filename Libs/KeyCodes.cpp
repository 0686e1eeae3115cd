#include "Libs/KeyCodes.h"

#include <SDL_scancode.h>

#include <array>
#include <string>

namespace {

// Windows-1252 bytes are written as escapes: \xF6 ö, \xE4 ä, \xFC ü, \xDF ß, \xB4 ´.
constexpr KeyText keyNames[] = {
    {1, "Esc"},
    {2, "1"},
    {3, "2"},
    {4, "3"},
    {5, "4"},
    {6, "5"},
    {7, "6"},
    {8, "7"},
    {9, "8"},
    {10, "9"},
    {11, "0"},
    {12, "\xDF"},
    {13, "\xB4"},
    {14, "R\xFC"
         "ck"},
    {15, "Tab"},
    {16, "q"},
    {17, "w"},
    {18, "e"},
    {19, "r"},
    {20, "t"},
    {21, "z"},
    {22, "u"},
    {23, "i"},
    {24, "o"},
    {25, "p"},
    {26, "\xFC"},
    {27, "+"},
    {28, "Enter"},
    {29, "Strg L"},
    {30, "a"},
    {31, "s"},
    {32, "d"},
    {33, "f"},
    {34, "g"},
    {35, "h"},
    {36, "j"},
    {37, "k"},
    {38, "l"},
    {39, "\xF6"},
    {40, "\xE4"},
    {41, "^"},
    {42, "Shift L"},
    {43, "#"},
    {44, "y"},
    {45, "x"},
    {46, "c"},
    {47, "v"},
    {48, "b"},
    {49, "n"},
    {50, "m"},
    {51, ","},
    {52, "."},
    {53, "-"},
    {54, "Shift R"},
    {55, "Num *"},
    {56, "Alt"},
    {57, "Space"},
    {58, "Caps"},
    {59, "F1"},
    {60, "F2"},
    {61, "F3"},
    {62, "F4"},
    {63, "F5"},
    {64, "F6"},
    {65, "F7"},
    {66, "F8"},
    {67, "F9"},
    {68, "F10"},
    {69, "Num"},
    {70, "Rollen"},
    {71, "Num 7"},
    {72, "Num 8"},
    {73, "Num 9"},
    {74, "Num -"},
    {75, "Num 4"},
    {76, "Num 5"},
    {77, "Num 6"},
    {78, "Num +"},
    {79, "Num 1"},
    {80, "Num 2"},
    {81, "Num 3"},
    {82, "Num 0"},
    {83, "Num ,"},
    {86, "<"},
    {87, "F11"},
    {88, "F12"},
    {156, "NumEnt"},
    {157, "Strg R"},
    {181, "Num /"},
    {183, "Druck"},
    {184, "Alt Gr"},
    {197, "Pause"},
    {199, "Pos1"},
    {200, "Hoch"},
    {201, "Bild auf"},
    {203, "Links"},
    {205, "Rechts"},
    {207, "Ende"},
    {208, "Runter"},
    {209, "Bild ab"},
    {210, "Einfg"},
    {211, "Entf"},
    {219, "Win L"},
    {220, "Win R"},
    {221, "Men\xFC"},
};

constexpr KeyText baseChars[] = {
    {41, "^"},    {2, "1"},  {3, "2"},     {4, "3"},  {5, "4"},     {6, "5"},     {7, "6"},
    {8, "7"},     {9, "8"},  {10, "9"},    {11, "0"}, {12, "\xDF"}, {13, "\xB4"}, {16, "q"},
    {17, "w"},    {18, "e"}, {19, "r"},    {20, "t"}, {21, "z"},    {22, "u"},    {23, "i"},
    {24, "o"},    {25, "p"}, {26, "\xFC"}, {27, "+"}, {30, "a"},    {31, "s"},    {32, "d"},
    {33, "f"},    {34, "g"}, {35, "h"},    {36, "j"}, {37, "k"},    {38, "l"},    {39, "\xF6"},
    {40, "\xE4"}, {43, "#"}, {86, "<"},    {44, "y"}, {45, "x"},    {46, "c"},    {47, "v"},
    {48, "b"},    {49, "n"}, {50, "m"},    {51, ","}, {52, "."},    {53, "-"},    {57, " "},
};

constexpr KeyText numPadChars[] = {
    {181, "/"}, {55, "*"}, {74, "-"}, {71, "7"}, {72, "8"}, {73, "9"}, {75, "4"}, {76, "5"},
    {77, "6"},  {79, "1"}, {80, "2"}, {81, "3"}, {82, "0"}, {83, ","}, {78, "+"},
};

// \xB0 °, \xA7 §, \xDC Ü, \xD6 Ö, \xC4 Ä.
constexpr KeyText shiftChars[] = {
    {41, "\xB0"}, {2, "!"},     {3, "\""}, {4, "\xA7"},  {5, "$"},     {6, "%"},
    {7, "&"},     {8, "/"},     {9, "("},  {10, ")"},    {11, "="},    {12, "?"},
    {13, "`"},    {26, "\xDC"}, {27, "*"}, {39, "\xD6"}, {40, "\xC4"}, {43, "'"},
    {86, ">"},    {51, ";"},    {52, ":"}, {53, "_"},
};

// \xB2 ², \xB3 ³, \x80 the euro sign, \xB5 µ.
constexpr KeyText altGrChars[] = {
    {3, "\xB2"}, {4, "\xB3"}, {8, "{"},     {9, "["},  {10, "]"}, {11, "}"},
    {12, "\\"},  {16, "@"},   {18, "\x80"}, {27, "~"}, {86, "|"}, {50, "\xB5"},
};

struct ScancodeRow {
    SDL_Scancode scancode;
    int code;
};

// Every key the game can name, plus the further keys a keyboard may have, by position.
constexpr ScancodeRow scancodeRows[] = {
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_1, 2},
    {SDL_SCANCODE_2, 3},
    {SDL_SCANCODE_3, 4},
    {SDL_SCANCODE_4, 5},
    {SDL_SCANCODE_5, 6},
    {SDL_SCANCODE_6, 7},
    {SDL_SCANCODE_7, 8},
    {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10},
    {SDL_SCANCODE_0, 11},
    {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13},
    {SDL_SCANCODE_BACKSPACE, 14},
    {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16},
    {SDL_SCANCODE_W, 17},
    {SDL_SCANCODE_E, 18},
    {SDL_SCANCODE_R, 19},
    {SDL_SCANCODE_T, 20},
    {SDL_SCANCODE_Y, 21},
    {SDL_SCANCODE_U, 22},
    {SDL_SCANCODE_I, 23},
    {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},
    {SDL_SCANCODE_LEFTBRACKET, 26},
    {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28},
    {SDL_SCANCODE_LCTRL, 29},
    {SDL_SCANCODE_A, 30},
    {SDL_SCANCODE_S, 31},
    {SDL_SCANCODE_D, 32},
    {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},
    {SDL_SCANCODE_H, 35},
    {SDL_SCANCODE_J, 36},
    {SDL_SCANCODE_K, 37},
    {SDL_SCANCODE_L, 38},
    {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_APOSTROPHE, 40},
    {SDL_SCANCODE_GRAVE, 41},
    {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_BACKSLASH, 43},
    {SDL_SCANCODE_NONUSHASH, 43}, // the same key as reported by some ISO keyboards
    {SDL_SCANCODE_Z, 44},
    {SDL_SCANCODE_X, 45},
    {SDL_SCANCODE_C, 46},
    {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_N, 49},
    {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51},
    {SDL_SCANCODE_PERIOD, 52},
    {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_RSHIFT, 54},
    {SDL_SCANCODE_KP_MULTIPLY, 55},
    {SDL_SCANCODE_LALT, 56},
    {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_CAPSLOCK, 58},
    {SDL_SCANCODE_F1, 59},
    {SDL_SCANCODE_F2, 60},
    {SDL_SCANCODE_F3, 61},
    {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63},
    {SDL_SCANCODE_F6, 64},
    {SDL_SCANCODE_F7, 65},
    {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67},
    {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69},
    {SDL_SCANCODE_SCROLLLOCK, 70},
    {SDL_SCANCODE_KP_7, 71},
    {SDL_SCANCODE_KP_8, 72},
    {SDL_SCANCODE_KP_9, 73},
    {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_KP_4, 75},
    {SDL_SCANCODE_KP_5, 76},
    {SDL_SCANCODE_KP_6, 77},
    {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_KP_1, 79},
    {SDL_SCANCODE_KP_2, 80},
    {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_KP_0, 82},
    {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_NONUSBACKSLASH, 86},
    {SDL_SCANCODE_F11, 87},
    {SDL_SCANCODE_F12, 88},
    {SDL_SCANCODE_F13, 100},
    {SDL_SCANCODE_F14, 101},
    {SDL_SCANCODE_F15, 102},
    {SDL_SCANCODE_INTERNATIONAL2, 112}, // kana
    {SDL_SCANCODE_INTERNATIONAL1, 115}, // ro
    {SDL_SCANCODE_INTERNATIONAL4, 121}, // convert
    {SDL_SCANCODE_INTERNATIONAL5, 123}, // no convert
    {SDL_SCANCODE_INTERNATIONAL3, 125}, // yen
    {SDL_SCANCODE_KP_EQUALS, 141},
    {SDL_SCANCODE_AUDIOPREV, 144},
    {SDL_SCANCODE_STOP, 149},
    {SDL_SCANCODE_AUDIONEXT, 153},
    {SDL_SCANCODE_KP_ENTER, 156},
    {SDL_SCANCODE_RCTRL, 157},
    {SDL_SCANCODE_MUTE, 160},
    {SDL_SCANCODE_CALCULATOR, 161},
    {SDL_SCANCODE_AUDIOPLAY, 162},
    {SDL_SCANCODE_AUDIOSTOP, 164},
    {SDL_SCANCODE_VOLUMEDOWN, 174},
    {SDL_SCANCODE_VOLUMEUP, 176},
    {SDL_SCANCODE_AC_HOME, 178},
    {SDL_SCANCODE_KP_COMMA, 179},
    {SDL_SCANCODE_KP_DIVIDE, 181},
    {SDL_SCANCODE_PRINTSCREEN, 183},
    {SDL_SCANCODE_SYSREQ, 183},
    {SDL_SCANCODE_RALT, 184},
    {SDL_SCANCODE_PAUSE, 197},
    {SDL_SCANCODE_HOME, 199},
    {SDL_SCANCODE_UP, 200},
    {SDL_SCANCODE_PAGEUP, 201},
    {SDL_SCANCODE_LEFT, 203},
    {SDL_SCANCODE_RIGHT, 205},
    {SDL_SCANCODE_END, 207},
    {SDL_SCANCODE_DOWN, 208},
    {SDL_SCANCODE_PAGEDOWN, 209},
    {SDL_SCANCODE_INSERT, 210},
    {SDL_SCANCODE_DELETE, 211},
    {SDL_SCANCODE_LGUI, 219},
    {SDL_SCANCODE_RGUI, 220},
    {SDL_SCANCODE_APPLICATION, 221},
    {SDL_SCANCODE_MENU, 221},
    {SDL_SCANCODE_POWER, 222},
    {SDL_SCANCODE_SLEEP, 223},
    {SDL_SCANCODE_AC_SEARCH, 229},
    {SDL_SCANCODE_AC_BOOKMARKS, 230},
    {SDL_SCANCODE_AC_REFRESH, 231},
    {SDL_SCANCODE_AC_STOP, 232},
    {SDL_SCANCODE_AC_FORWARD, 233},
    {SDL_SCANCODE_AC_BACK, 234},
    {SDL_SCANCODE_COMPUTER, 235},
    {SDL_SCANCODE_MAIL, 236},
    {SDL_SCANCODE_MEDIASELECT, 237},
};

static_assert(SDL_NUM_SCANCODES <= ScancodeCount);

// The rows above spread into a direct lookup, built once at compile time.
constexpr std::array<unsigned char, ScancodeCount> BuildScancodeMap() {
    std::array<unsigned char, ScancodeCount> map{};
    for (const ScancodeRow& row : scancodeRows)
        map[row.scancode] = static_cast<unsigned char>(row.code);
    return map;
}
constexpr std::array<unsigned char, ScancodeCount> scancodeMap = BuildScancodeMap();

// What follows "P1 " in the names of a pad's controls, in PadControl order: arrows for the
// directions (D-pad, then the left and right stick), so that each name fits a key field.
constexpr const char* padControlNames[PadControlCount] = {
    "A", "B", "X",    "Y",    "Back", "Start", "LB",   "RB",   "LS",   "RS",   "^",  "v",
    "<", ">", "LS ^", "LS v", "LS <", "LS >",  "RS ^", "RS v", "RS <", "RS >", "LT", "RT",
};

// Built in place once: the rows point into the texts beside them.
struct PadNames {
    std::string texts[PadCount * PadControlCount];
    KeyText rows[PadCount * PadControlCount];

    PadNames() {
        for (int pad = 0; pad < PadCount; ++pad) {
            for (int c = 0; c < PadControlCount; ++c) {
                const int row = pad * PadControlCount + c;
                texts[row] = "P" + std::to_string(pad + 1) + " " + padControlNames[c];
                rows[row] = {PadKeyCode(pad, static_cast<PadControl>(c)), texts[row].c_str()};
            }
        }
    }
};

} // namespace

int FindPadControl(int code, int& pad, PadControl& control) {
    for (int p = 0; p < PadCount; ++p) {
        int c = -1;
        if (code >= PadCodes[p].buttons && code < PadCodes[p].buttons + PadButtonCount)
            c = code - PadCodes[p].buttons;
        const int directionCount = PadControlCount - PadButtonCount;
        if (code >= PadCodes[p].directions && code < PadCodes[p].directions + directionCount)
            c = PadButtonCount + code - PadCodes[p].directions;
        if (c < 0) continue;
        pad = p;
        control = static_cast<PadControl>(c);
        return 1;
    }
    return 0;
}

std::span<const KeyText> PadKeyNameTable() {
    static const PadNames names;
    return names.rows;
}

std::span<const KeyText> KeyNameTable() {
    return keyNames;
}
std::span<const KeyText> BaseCharTable() {
    return baseChars;
}
std::span<const KeyText> NumPadCharTable() {
    return numPadChars;
}
std::span<const KeyText> ShiftCharTable() {
    return shiftChars;
}
std::span<const KeyText> AltGrCharTable() {
    return altGrChars;
}

const char* FindKeyText(std::span<const KeyText> table, int code) {
    for (const KeyText& row : table) {
        if (row.code == code) return row.text;
    }
    return nullptr;
}

int KeyCodeFromScancode(int scancode) {
    if (scancode < 0 || scancode >= ScancodeCount) return 0;
    return scancodeMap[scancode];
}
