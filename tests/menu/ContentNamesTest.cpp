// Content whose names are not ASCII, or whose endings are in capitals, is offered and used: the
// language's texts appear, the pictures load.
#include "MenuFixture.h"

#include "Libs/Texture.h"
#include "Libs/Win1252.h"

namespace fs = std::filesystem;

namespace {

// Renames a file of the small content set; both names UTF-8.
void renameContent(const char* from, const char* to) {
    fs::rename(fs::path(std::u8string(reinterpret_cast<const char8_t*>(from))),
               fs::path(std::u8string(reinterpret_cast<const char8_t*>(to))));
}

} // namespace

class ContentNamesTest : public MenuFixture {
protected:
    void prepareContent() override {
        MenuFixture::prepareContent();
        fs::remove("language/English.txt");
        fs::remove("language/English.bmp");
        renameContent("language/Deutsch.txt", "language/Fran\xC3\xA7"
                                              "ais.txt");
        renameContent("language/Deutsch.bmp", "language/Fran\xC3\xA7"
                                              "ais.BMP");
        renameContent("images/background/Berge.jpg", "images/background/Stra\xC3\x9F"
                                                     "e.jpg");
        renameContent("images/background/Meer.jpg", "images/background/Strand.JPG");
        renameContent("images/block/klassisch.png", "images/block/W\xC3\xBCrfel.PNG");
        renameContent("skin/Golden.style", "skin/Sch\xC3\xB6n.STYLE");
    }
};

TEST_F(ContentNamesTest, ALanguageNamedBeyondAsciiGivesTheMenusTheirTexts) {
    EXPECT_EQ("Fran\xE7"
              "ais",
              menu->settings.languageName);
    EXPECT_EQ(languageText(300), menu->text(300)) << "the main menu heading is blank";
    EXPECT_EQ(1, menuState().languagePicture.IsLoaded()) << "the language's picture";
}

TEST_F(ContentNamesTest, EveryListedPictureLoadsByItsTitle) {
    ASSERT_EQ(2, menu->backgroundCount());
    struct Case {
        std::string path; // Windows-1252, as the game builds it
    } cases[] = {
        {"images/background/" + menu->backgroundTitle(0) + ".jpg"},
        {"images/background/" + menu->backgroundTitle(1) + ".jpg"},
        {"images/block/W\xFCrfel.png"},
        {"language/Fran\xE7"
         "ais.bmp"},
    };
    EXPECT_EQ("Strand", menu->backgroundTitle(0));
    EXPECT_EQ("Stra\xDF"
              "e",
              menu->backgroundTitle(1))
        << "byte order: \"n\" before \"\xDF\"";
    for (const Case& c : cases) {
        Texture picture;
        picture.Load(c.path, 0);
        EXPECT_EQ(1, picture.IsLoaded()) << Win1252ToUtf8(c.path) << " did not load";
    }
}
