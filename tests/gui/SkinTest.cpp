#include <filesystem>
#include <fstream>

#include "GuiTestSupport.h"

namespace {

struct ElementCase {
    const char* line;
    int element;
    SkinElement expected;
};

std::string Describe(const SkinElement& e) {
    std::string s = "src";
    for (int i = 0; i < 4; ++i)
        s += " (" + std::to_string(e.sourceX[i]) + ";" + std::to_string(e.sourceY[i]) + ")";
    return s + " size " + std::to_string(e.width) + "x" + std::to_string(e.height) + " borders " +
           std::to_string(e.firstBorder) + "," + std::to_string(e.secondBorder) + " extra " +
           std::to_string(e.extra);
}

const SkinElement buttonRecord{{0, 0, 0, 0}, {0, 30, 60, 90}, 80, 30, 4, 4, 0};

} // namespace

TEST_F(GuiTest, SkinElementLinesReadStateAndNumberTokensInAnyOrder) {
    const ElementCase cases[] = {
        {"button = 80, 30, 4, 4, g(0;0), c(0;30), h(0;60), n(0;90)", Element::Button, buttonRecord},
        {"BUTTON = g(0;0) , c(0;30) , h(0;60) , n(0;90), 80, 30, 4, 4", Element::Button,
         buttonRecord},
        {"button=g(0;0),80,c(0;30),30,h(0;60),4,n(0;90),4 // mixed", Element::Button, buttonRecord},
        {"button = ,,80,,30, 4 ,4,g(0;0),c(0;30),h(0;60),n(0;90),", Element::Button, buttonRecord},
        // Beyond five numbers nothing is stored.
        {"checkbox = 1, 2, 3, 4, 5, 6, 7, 8",
         Element::CheckBox,
         {{0, 0, 0, 0}, {0, 0, 0, 0}, 1, 2, 3, 4, 5}},
        // Malformed tokens read as 0; a state token without ";" has y 0.
        {"slider = g(;), c(5), h(x;y), n(-7;+9)z, abc, 12",
         Element::Slider,
         {{0, 5, 0, -7}, {0, 0, 0, 9}, 0, 12, 0, 0, 0}},
        {"scrollbar = 16, 60, 16, 10, 2",
         Element::ScrollBar,
         {{0, 0, 0, 0}, {0, 0, 0, 0}, 16, 60, 16, 10, 2}},
    };
    for (const ElementCase& c : cases) {
        gui.elements[c.element] = SkinElement{};
        gui.HandleSkinLine(c.line);
        const SkinElement& got = gui.elements[c.element];
        EXPECT_EQ(Describe(got), Describe(c.expected)) << "line: " << c.line;
    }
}

TEST_F(GuiTest, SkinColourAndFontLinesFirstDefinitionWins) {
    gui.colours.Clear();
    gui.fonts.Clear();
    const char* lines[] = {
        "COLOR = STANDARD, FF000000",
        "color = standard, ffffffff", // later definition of the same name: ignored
        "color = faint, 00ff00",      // six digits: alpha 0
        "color = broken, zz",         // unreadable: 0
        "FONT = Title, Arial, 20, 1 // the title font",
        "font = title, Courier, 30, 0", // ignored, creates nothing
        "font = body, Liberation Serif , 12, 0",
        "nothing here",
        "= value without key",
        "unknownkey = 1, 2, 3",
    };
    for (const char* line : lines) gui.HandleSkinLine(line);

    struct ColourCase {
        const char* name;
        uint32_t expected;
    } colourCases[] = {{"standard", 0xFF000000u}, {"faint", 0x0000FF00u}, {"broken", 0u}};
    for (const ColourCase& c : colourCases) {
        const uint32_t* got = gui.colours.Find(c.name);
        ASSERT_NE(got, nullptr) << "colour " << c.name << " missing";
        EXPECT_EQ(*got, c.expected) << "colour " << c.name;
    }
    EXPECT_EQ(gui.colours.Count(), 3);

    struct FontCase {
        const char* name;
        const char* face;
        int size;
        int bold;
    } fontCases[] = {{"title", "Arial", 20, 1}, {"body", "Liberation Serif", 12, 0}};
    for (const FontCase& c : fontCases) {
        const SkinFont* got = gui.fonts.Find(c.name);
        ASSERT_NE(got, nullptr) << "font " << c.name << " missing";
        EXPECT_EQ(got->face, c.face) << "font " << c.name;
        EXPECT_EQ(got->size, c.size) << "font " << c.name;
        EXPECT_EQ(got->bold, c.bold) << "font " << c.name;
    }
    EXPECT_EQ(gui.fonts.Count(), 2);
}

TEST_F(GuiTest, SkinFileSplitsLongLinesAndRemovesBlanksFromImageNames) {
    std::filesystem::copy_file("skin/test.bmp", "skin/myskin.bmp",
                               std::filesystem::copy_options::overwrite_existing);
    {
        std::ofstream style("skin/long.style");
        // 999 bytes of comment, then the rest of the same line is read as a line of its own.
        style << "// " << std::string(996, 'x') << "color = tail, 12345678\n";
        style << "image = My Skin.BMP\r\n";
        style << "button = 5, 6\n";
    }
    gui.LoadSkin("long", nullptr, nullptr);
    const uint32_t* tail = gui.colours.Find("tail");
    ASSERT_NE(tail, nullptr) << "the second piece of the long line was not read";
    EXPECT_EQ(*tail, 0x12345678u);
    EXPECT_EQ(gui.skinImage.width, 128) << "skin/myskin.bmp was not loaded";
    EXPECT_EQ(gui.elements[Element::Button].width, 5);
}

TEST_F(GuiTest, NewSkinKeepsUnmentionedElementsAndEmptiesColoursAndFonts) {
    {
        std::ofstream style("skin/partial.style");
        style << "button = 7, 8\n";
    }
    const SkinElement windowBefore = gui.elements[Element::Window];
    gui.LoadSkin("partial", nullptr, nullptr);
    EXPECT_EQ(gui.elements[Element::Button].width, 7);
    EXPECT_EQ(Describe(gui.elements[Element::Window]), Describe(windowBefore));
    EXPECT_EQ(gui.colours.Count(), 0);
    EXPECT_EQ(gui.fonts.Count(), 0);
    EXPECT_EQ(gui.directX, &Platform().directX) << "an empty platform pointer must keep it";

    gui.LoadSkin("no such skin", nullptr, nullptr);
    EXPECT_EQ(gui.elements[Element::Button].width, 7);
    EXPECT_TRUE(gui.skinImage.IsLoaded());
}
