#include "Libs/Win1252.h"

#include <gtest/gtest.h>

TEST(Win1252, RoundTripsTheGermanLettersAndSigns) {
    struct Case {
        const char* win1252;
        const char* utf8;
    } cases[] = {
        {"J\xFCrgen", "J\xC3\xBCrgen"},   // ü
        {"\xE4\xDF", "\xC3\xA4\xC3\x9F"}, // ä ß
        {"\x80", "\xE2\x82\xAC"},         // €
        {"\xB0", "\xC2\xB0"},             // °
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.utf8, Win1252ToUtf8(c.win1252)) << "for " << c.utf8;
        std::string back;
        ASSERT_TRUE(Utf8ToWin1252(c.utf8, back)) << "for " << c.utf8;
        EXPECT_EQ(c.win1252, back);
    }
}

TEST(Win1252, RefusesWhatItCannotExpress) {
    const char* bad[] = {
        "\xE6\x97\xA5", // a CJK character
        "\xC3",         // cut short
        "\xC0\xAF",     // overlong slash
        "\xFF",         // not UTF-8 at all
    };
    for (const char* text : bad) {
        std::string out = "untouched";
        EXPECT_FALSE(Utf8ToWin1252(text, out));
        EXPECT_EQ("untouched", out);
    }
}

// One lower case for names and table sorting: every capital pairs with its small letter, the
// ones outside the Latin-1 block (Š Œ Ž Ÿ) included; signs and small letters stay.
TEST(Win1252, LowerCaseCoversEveryCapital) {
    struct Case {
        unsigned char in, expected;
    } cases[] = {
        {'A', 'a'},   {'Z', 'z'},   {'a', 'a'},   {'@', '@'},   {'[', '['},   {0x8A, 0x9A},
        {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}, {0xC0, 0xE0}, {0xC4, 0xE4}, {0xD6, 0xF6},
        {0xDC, 0xFC}, {0xDE, 0xFE}, {0xD7, 0xD7}, {0xDF, 0xDF}, {0x9A, 0x9A}, {0x80, 0x80},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Win1252Lower(c.in), c.expected)
            << "byte 0x" << std::hex << int(c.in) << ": expected 0x" << int(c.expected)
            << ", got 0x" << int(Win1252Lower(c.in));
    EXPECT_EQ(Win1252Lowered("\x8A"
                             "ANDOR \x9F"
                             "VES"),
              "\x9A"
              "andor \xFF"
              "ves");
}
