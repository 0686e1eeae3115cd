// The language files: every text the menus and the game look up is there in each language,
// each format text carries exactly the values its caller fills in, and the files are the
// single-byte code page the game reads.

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ContentFiles.h"

namespace {

const char* const kLanguages[] = {"Deutsch", "English"};

std::vector<int> UsedIds() {
    std::vector<int> ids;
    const std::pair<int, int> ranges[] = {{100, 104}, {200, 224}, {300, 333}, {400, 420},
                                          {500, 546}, {600, 611}, {700, 705}};
    for (auto [first, last] : ranges) {
        for (int id = first; id <= last; ++id) {
            ids.push_back(id);
        }
    }
    return ids;
}

// The texts the game uses as formats, with the kinds of the values it supplies, in order.
// Every other text is shown or joined as it stands and must hold no conversion.
const std::map<int, std::string> kFormats = {
    {210, "d"},   // the computer's look-ahead level on the record line
    {211, "d"},   // the record line after the player took over again
    {215, "ss"},  // winner, loser
    {216, "sd"},  // player, computer level (won)
    {217, "sd"},  // player, computer level (lost)
    {219, "sdd"}, // player, score, rank
    {220, "sd"},  // player, score
    {840, "s"},   // the player the delete question names
};

TEST(LanguageFiles, EveryUsedTextExistsAndIsNotEmpty) {
    for (const char* language : kLanguages) {
        auto texts = content::ReadLanguage(std::string("language/") + language + ".txt");
        ASSERT_FALSE(texts.empty()) << language << ".txt is missing or empty";
        for (int id : UsedIds()) {
            auto found = texts.find(id);
            EXPECT_TRUE(found != texts.end() && !found->second.empty())
                << language << ": text " << id << " is missing or empty";
        }
    }
}

// Check box 19 ticked (rotateDirection 1, the default) turns the pieces clockwise, so its
// caption and status text must say clockwise.
TEST(LanguageFiles, RotateCheckBoxTextsSayClockwise) {
    struct Case {
        const char* language;
        int id;
        const char* wanted;
        const char* unwanted;
    } cases[] = {
        {"Deutsch", 516, "Rechtsherum", "Links"},
        {"Deutsch", 517, "im Uhrzeigersinn", "gegen"},
        {"English", 516, "clockwise", "anticlockwise"},
        {"English", 517, "clockwise", "anticlockwise"},
    };
    for (const Case& c : cases) {
        auto texts = content::ReadLanguage(std::string("language/") + c.language + ".txt");
        const std::string& text = texts[c.id];
        EXPECT_NE(text.find(c.wanted), std::string::npos)
            << c.language << " " << c.id << ": expected \"" << c.wanted << "\" in \"" << text
            << "\"";
        EXPECT_EQ(text.find(c.unwanted), std::string::npos)
            << c.language << " " << c.id << ": expected no \"" << c.unwanted << "\" in \"" << text
            << "\"";
    }
}

TEST(LanguageFiles, FormatTextsHoldExactlyTheSuppliedConversions) {
    for (const char* language : kLanguages) {
        auto texts = content::ReadLanguage(std::string("language/") + language + ".txt");
        for (int id : UsedIds()) {
            auto format = kFormats.find(id);
            std::string expected = format == kFormats.end() ? "" : format->second;
            EXPECT_EQ(content::Conversions(texts[id]), expected)
                << language << ": text " << id << " \"" << texts[id] << "\"";
        }
    }
}

TEST(LanguageFiles, BothLanguagesDefineTheSameTexts) {
    auto german = content::ReadLanguage("language/Deutsch.txt");
    auto english = content::ReadLanguage("language/English.txt");
    for (const auto& [id, text] : german) {
        EXPECT_TRUE(english.count(id)) << "text " << id << " is German only";
    }
    for (const auto& [id, text] : english) {
        EXPECT_TRUE(german.count(id)) << "text " << id << " is English only";
    }
}

// The reader stops at a line of 1000 characters or more, and a line whose id is not a number
// lands under another id: both would lose texts silently.
TEST(LanguageFiles, EveryLineIsANumberedTextTheReaderTakesWhole) {
    for (const char* language : kLanguages) {
        std::istringstream in(content::ReadBytes(std::string("language/") + language + ".txt"));
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            size_t equals = line.find('=');
            bool numbered = equals != std::string::npos && equals > 0 &&
                            line.find_first_not_of("0123456789") == equals;
            EXPECT_TRUE(numbered) << language << " line " << number << ": \"" << line << "\"";
            EXPECT_LT(line.size(), 1000u) << language << " line " << number << " is too long";
        }
    }
}

TEST(LanguageFiles, NewPlayersAreNamedSpielerInGerman) {
    auto german = content::ReadLanguage("language/Deutsch.txt");
    EXPECT_EQ(german[102], "Spieler")
        << "the first profiles must be \"Spieler 1\" and \"Spieler 2\"";
}

TEST(LanguageFiles, OwnValuesEntrySortsAfterTheFivePresets) {
    // The preset list is shown in text order and the handlers take index 5 as the own values.
    for (const char* language : kLanguages) {
        auto texts = content::ReadLanguage(std::string("language/") + language + ".txt");
        EXPECT_GT(texts[525], "5: " + texts[524]) << language << ": \"" << texts[525] << "\"";
    }
}

TEST(LanguageFiles, AreSingleByteTextWithPlainLineEnds) {
    for (const char* language : kLanguages) {
        const std::string bytes = content::ReadBytes(std::string("language/") + language + ".txt");
        ASSERT_FALSE(bytes.empty()) << language;
        EXPECT_EQ(bytes.find('\r'), std::string::npos)
            << language << ": a carriage return would end up in the texts";
        for (size_t i = 0; i + 1 < bytes.size(); ++i) {
            unsigned char lead = bytes[i], next = bytes[i + 1];
            ASSERT_FALSE(lead >= 0xC2 && lead <= 0xDF && next >= 0x80 && next <= 0xBF)
                << language << ": UTF-8 sequence at byte " << i << "; the game reads Windows-1252";
        }
    }
    auto german = content::ReadLanguage("language/Deutsch.txt");
    EXPECT_EQ(german[300], "Hauptmen\xFC") << "u-umlaut must be the single byte 0xFC";
}

} // namespace
