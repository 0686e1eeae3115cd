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
