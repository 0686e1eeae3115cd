// The skins: each ".style" defines all thirteen elements in their four states inside its
// picture, with usable border values, and every font and colour the toolkit, menus and
// dialogs ask for. The lines are read the way the skin loader reads them.

#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ContentFiles.h"
#include "Libs/Font.h"

namespace {

struct Element {
    bool defined = false;
    bool hasState[4] = {};
    int x[4] = {}, y[4] = {};
    std::vector<int> numbers; // width, height, first border, second border, extra
    int Number(size_t i) const { return i < numbers.size() ? numbers[i] : 0; }
};

struct FontEntry {
    std::string face;
    int size = 0;
    int bold = 0;
};

struct Skin {
    std::string image;
    std::string imageLineAsWritten;
    std::map<std::string, Element> elements;
    std::map<std::string, FontEntry> fonts;
    std::map<std::string, std::string> colours; // name -> value text
};

std::vector<std::string> Tokens(const std::string& value) {
    std::vector<std::string> tokens;
    std::stringstream in(value);
    std::string token;
    while (std::getline(in, token, ',')) {
        if (!token.empty()) {
            tokens.push_back(token);
        }
    }
    return tokens;
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

Skin ReadSkin(const std::string& relative) {
    Skin skin;
    std::istringstream in(content::ReadBytes(relative));
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find("//"));
        const std::string asWritten = line;
        std::string key, value;
        std::string flat;
        for (char c : line) {
            if (c != ' ' && c != '\t') {
                flat += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
        }
        size_t equals = flat.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        key = flat.substr(0, equals);
        value = flat.substr(equals + 1);
        std::vector<std::string> tokens = Tokens(value);
        if (key == "image") {
            skin.image = value;
            skin.imageLineAsWritten = Trim(asWritten.substr(asWritten.find('=') + 1));
        } else if (key == "font" && tokens.size() >= 4) {
            std::vector<std::string> pieces;
            std::stringstream pieceIn(asWritten);
            std::string piece;
            while (std::getline(pieceIn, piece, ',')) {
                pieces.push_back(piece);
            }
            if (!skin.fonts.count(tokens[0])) {
                skin.fonts[tokens[0]] = {Trim(pieces[1]), std::atoi(tokens[2].c_str()),
                                         std::atoi(tokens[3].c_str())};
            }
        } else if (key == "color" && tokens.size() >= 2) {
            skin.colours.emplace(tokens[0], tokens[1]);
        } else if (key != "imagealpha") {
            Element& element = skin.elements[key];
            element.defined = true;
            element.numbers.clear();
            for (const std::string& token : tokens) {
                const std::string states = "gchn";
                size_t state = states.find(token[0]);
                if (token.size() > 2 && token[1] == '(' && state != std::string::npos) {
                    std::string inner = token.substr(2);
                    element.hasState[state] = true;
                    element.x[state] = std::atoi(inner.substr(0, inner.find(';')).c_str());
                    std::string afterSemicolon = inner.substr(inner.find(';') + 1);
                    element.y[state] =
                        std::atoi(afterSemicolon.substr(0, afterSemicolon.find(')')).c_str());
                } else {
                    element.numbers.push_back(std::atoi(token.c_str()));
                }
            }
        }
    }
    return skin;
}

std::vector<std::string> SkinTitles() {
    return content::Titles("skin", ".style");
}

const char* const kElements[] = {
    "button",  "checkbox", "checkboxx", "radiobutton", "radiobuttonx", "box",      "combobox",
    "listbox", "slider",   "scrollbar", "window",      "closebutton",  "statusbar"};

TEST(SkinFiles, TheDefaultSkinAndAnotherOneExist) {
    auto titles = SkinTitles();
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Golden"), titles.end())
        << "the default skin is missing";
    EXPECT_GE(titles.size(), 2u) << "expected a second skin to switch to";
}

TEST(SkinFiles, PictureIsNamedInLowerCaseWithoutSpacesAndExists) {
    for (const std::string& title : SkinTitles()) {
        Skin skin = ReadSkin("skin/" + title + ".style");
        SCOPED_TRACE(title);
        ASSERT_FALSE(skin.image.empty()) << "no image line";
        EXPECT_EQ(skin.imageLineAsWritten, skin.image)
            << "the loader lower-cases the name and drops its spaces";
        EXPECT_EQ(content::ReadImageSize("skin/" + skin.image).format, "png")
            << "skin/" << skin.image;
    }
}

TEST(SkinFiles, EveryElementHasFourStatesInsideThePicture) {
    for (const std::string& title : SkinTitles()) {
        Skin skin = ReadSkin("skin/" + title + ".style");
        content::ImageSize picture = content::ReadImageSize("skin/" + skin.image);
        for (const char* name : kElements) {
            SCOPED_TRACE(title + " " + name);
            const Element& e = skin.elements[name];
            ASSERT_TRUE(e.defined) << "element missing";
            EXPECT_LE(e.numbers.size(), 5u) << "an element has five numbers at most";
            int w = e.Number(0), h = e.Number(1);
            EXPECT_TRUE(w > 0 && h > 0) << "size " << w << " x " << h;
            for (int s = 0; s < 4; ++s) {
                EXPECT_TRUE(e.hasState[s]) << "state " << s << " not given";
                EXPECT_TRUE(e.x[s] >= 0 && e.y[s] >= 0 && e.x[s] + w <= picture.width &&
                            e.y[s] + h <= picture.height)
                    << "state " << s << " at (" << e.x[s] << ", " << e.y[s] << ") size " << w
                    << " x " << h << " leaves the " << picture.width << " x " << picture.height
                    << " picture";
            }
        }
    }
}

TEST(SkinFiles, BorderValuesLeaveEveryPieceItsRoom) {
    for (const std::string& title : SkinTitles()) {
        Skin skin = ReadSkin("skin/" + title + ".style");
        auto n = [&](const char* name, size_t i) { return skin.elements[name].Number(i); };
        SCOPED_TRACE(title);
        struct Rule {
            const char* what;
            bool holds;
        };
        const Rule rules[] = {
            {"button edges fit", n("button", 2) > 0 && n("button", 3) > 0 &&
                                     2 * n("button", 2) < n("button", 0) &&
                                     2 * n("button", 3) < n("button", 1)},
            {"box edges fit, and fit a 22 pixel text field", n("box", 2) > 0 && n("box", 3) > 0 &&
                                                                 2 * n("box", 2) < n("box", 0) &&
                                                                 2 * n("box", 3) < 22},
            {"combobox rows are positive (control height + 4 - first border)",
             n("combobox", 1) + 4 - n("combobox", 2) > 0},
            {"listbox strip holds edges and two arrows",
             n("listbox", 2) > 0 && n("listbox", 3) > 0 &&
                 2 * n("listbox", 2) + 2 * n("listbox", 3) < n("listbox", 0)},
            {"table rows have a height", n("listbox", 4) > 0},
            {"slider strip holds ends, track and knob",
             n("slider", 2) > 0 && n("slider", 3) > 0 &&
                 2 * n("slider", 2) + n("slider", 3) < n("slider", 0)},
            {"scroll bar strip holds two arrows, the knob and a track",
             n("scrollbar", 2) > 0 && n("scrollbar", 3) > 0 &&
                 2 * n("scrollbar", 2) + n("scrollbar", 3) < n("scrollbar", 1)},
            {"knob caps fit the knob",
             n("scrollbar", 4) > 0 && 2 * n("scrollbar", 4) < n("scrollbar", 3)},
            {"window frame has a title bar, a border and end pieces",
             n("window", 2) > 0 && n("window", 3) > 0 && n("window", 4) > 0 &&
                 2 * n("window", 4) < n("window", 0) &&
                 n("window", 2) + n("window", 3) < n("window", 1)},
            {"close button sits inside the title bar",
             n("closebutton", 3) >= 0 &&
                 n("closebutton", 3) + n("closebutton", 1) <= n("window", 2)},
            {"status bar has a height", n("statusbar", 1) > 0},
        };
        for (const Rule& rule : rules) {
            EXPECT_TRUE(rule.holds) << rule.what;
        }
    }
}

TEST(SkinFiles, DefinesEveryFontAndColourTheGameAsksFor) {
    const char* fonts[] = {"standard", "button", "status", "big", "window"};
    const char* colours[] = {"standard", "standard1", "standard2", "standard3", "button", "button1",
                             "button2",  "button3",   "status",    "big",       "window", "window1",
                             "red",      "red1",      "selectb",   "selectf"};
    for (const std::string& title : SkinTitles()) {
        Skin skin = ReadSkin("skin/" + title + ".style");
        for (const char* name : fonts) {
            auto font = skin.fonts.find(name);
            ASSERT_NE(font, skin.fonts.end()) << title << ": font " << name << " missing";
            EXPECT_FALSE(font->second.face.empty()) << title << ": font " << name;
            EXPECT_TRUE(font->second.size >= 8 && font->second.size <= 60)
                << title << ": font " << name << " size " << font->second.size;
            EXPECT_TRUE(font->second.bold == 0 || font->second.bold == 1)
                << title << ": font " << name;
        }
        for (const char* name : colours) {
            EXPECT_TRUE(skin.colours.count(name)) << title << ": colour " << name << " missing";
        }
        for (const auto& [name, value] : skin.colours) {
            // A six-digit value has alpha 0 and would be invisible.
            EXPECT_TRUE(value.size() == 8 && value.compare(0, 2, "ff") == 0)
                << title << ": colour " << name << " = " << value << " is not opaque";
        }
    }
}

// Faces must be real fonts here, not the system's last resort: the family of the file the game's
// font look-up finds must be the face itself or its metric-compatible stand-in.
TEST(SkinFiles, FontFacesAreFoundBySystemLookUp) {
    const std::map<std::string, std::string> standIns = {{"arial", "liberation sans"},
                                                         {"times new roman", "liberation serif"},
                                                         {"courier new", "liberation mono"}};
    ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
    auto lower = [](std::string text) {
        for (char& c : text) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return text;
    };
    for (const std::string& title : SkinTitles()) {
        Skin skin = ReadSkin("skin/" + title + ".style");
        for (const auto& [name, font] : skin.fonts) {
            const std::string file = MatchFontFile(font.face, font.bold == 1);
            std::string family;
            if (TTF_Font* opened = file.empty() ? nullptr : TTF_OpenFont(file.c_str(), 12)) {
                const char* found = TTF_FontFaceFamilyName(opened);
                family = lower(found ? found : "");
                TTF_CloseFont(opened);
            }
            std::string wanted = lower(font.face);
            auto standIn = standIns.find(wanted);
            EXPECT_TRUE(family == wanted ||
                        (standIn != standIns.end() && family == standIn->second))
                << title << ": font " << name << " asks for \"" << font.face
                << "\", the look-up gives \"" << file << "\" of the family \"" << family << "\"";
        }
    }
    TTF_Quit();
}

} // namespace
