#include "storage/TextFormat.h"

#include <gtest/gtest.h>
#include <string>

TEST(FormatText, FillsConversionsInOrder) {
    const std::string name = "J\xFCrgen";
    struct Case {
        const char* format;
        std::string expected;
        std::string got;
    } cases[] = {
        {"%s hat %d Punkte", "J\xFCrgen hat 1200 Punkte",
         FormatText("%s hat %d Punkte", {name, 1200})},
        {"%d%%", "75%", FormatText("%d%%", {75})},
        {"Stufe %i", "Stufe -3", FormatText("Stufe %i", {-3})},
        {"%u", "4294967295", FormatText("%u", {4294967295u})},
        {"%d of unsigned", "4000000000 of unsigned", FormatText("%d of unsigned", {4000000000u})},
        {"%u of -1", "4294967295 of -1", FormatText("%u of -1", {-1})},
        {"%s", "text", FormatText("%s", {"text"})},
        {"no values", "no values", FormatText("no values", {})},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, c.got) << "format \"" << c.format << "\"";
}

TEST(FormatText, HostileTextsAreShownHarmlessly) {
    struct Case {
        const char* format;
        std::string expected;
        std::string got;
    } cases[] = {
        {"%s%s%s%n", "%s%s%s%n", FormatText("%s%s%s%n", {})},
        {"%s%s%s%n with one", "a%s%s%n", FormatText("%s%s%s%n", {"a"})},
        {"%99999d", "%99999d", FormatText("%99999d", {5})},
        {"lone %", "100 %", FormatText("100 %", {})},
        {"%", "%", FormatText("%", {1})},
        {"%x %p %f", "%x %p %f", FormatText("%x %p %f", {1, 2, 3})},
        {"%s given a number", "%s", FormatText("%s", {7})},
        {"%d given a text", "%d", FormatText("%d", {"7"})},
        {"mismatch uses up its value", "%d 9", FormatText("%d %d", {"x", 9})},
        {"surplus values", "1", FormatText("%d", {1, 2, 3})},
        {"%%s stays literal", "%s", FormatText("%%s", {"x"})},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, c.got) << "case: " << c.format;
}
