// Every picture the game names is there, in the format its name promises, and of a size that
// fits the screen layout it is drawn into.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <SDL.h>

#include "ContentFiles.h"
#include "Libs/Texture.h"

namespace {

struct Fit {
    const char* file;
    const char* format;
    int minWidth, minHeight, maxWidth, maxHeight;
    const char* why;
};

// Bounds from the positions the menus and the game screen draw at (1024 x 768 back buffer).
const Fit kPictures[] = {
    {"images/Menu_Menu.png", "png", 610, 450, 710, 641,
     "at (50, 70): frames the page controls (right to the statistics table at x 652, down to y "
     "520), "
     "stays left of the player panel at x 760 and above the status text at y 711"},
    {"images/Menu_Spieler.png", "png", 175, 110, 264, 367,
     "at (760, 200): behind the panel heading (825..935, 212) and both player choosers, inside the "
     "screen"},
    {"images/Menu_Status.png", "png", 1024, 201, 1024, 201,
     "at (0, 567): the full bottom of the screen"},
    {"images/Spiel_Feld.png", "png", 370, 705, 495, 748,
     "a board at (x, y): playing area (25, 61) to (345, 701), caption box 369 wide; two boards at "
     "x 130 and 625 "
     "must not overlap; y 20 plus the height stays on screen"},
    {"images/Spiel_Next.png", "png", 82, 154, 100, 678,
     "at (x - 100, y + 70): every next piece lies within (14, 22) to (78, 150); the panel ends "
     "before the board at x"},
    {"images/Spiel_Anzeige.png", "png", 222, 290, 292, 408,
     "at (48, 360): status lines from x 70 to 270 and down to y 650; ends before the board at x "
     "340"},
    {"images/Spiel_Slider.bmp", "bmp", 121, 4, 200, 30, "the minute bar is cut to 3..121 pixels"},
    {"images/Spiel_Slider_.bmp", "bmp", 121, 4, 200, 30,
     "the minute bar's fill, cut to 3..121 pixels"},
    {"images/Spiel_Partikel.bmp", "bmp", 8, 8, 64, 64,
     "a spark, stretched to each particle's size"},
    {"images/Outro_Partikel.bmp", "bmp", 16, 16, 64, 64, "a credits spark at its own size"},
    {"images/Icon_Single.png", "png", 16, 16, 48, 46, "icon on a 230 x 50 button"},
    {"images/Icon_Multi.png", "png", 16, 16, 48, 46, "icon on a 230 x 50 button"},
    {"images/Icon_Return.png", "png", 16, 16, 48, 46, "icon on a 230 x 50 button"},
    {"images/Icon_Options.png", "png", 16, 16, 48, 46, "icon on a 230 x 50 button"},
    {"images/Icon_Manage.png", "png", 16, 16, 48, 46, "icon on a 230 x 50 button"},
    {"images/Icon_Score.png", "png", 16, 16, 40, 46,
     "icon on a button and at (10, 130) in the result dialogs, left of the text at x 50"},
    {"images/Icon_End.png", "png", 16, 16, 48, 46, "icon on a 230 x 50 button"},
    {"images/Icon_Back.png", "png", 16, 16, 48, 46, "icon on a 130 x 50 button"},
    {"images/Icon_New.png", "png", 16, 16, 48, 46, "icon on a 200 x 50 button"},
    {"images/Icon_Delete.png", "png", 16, 16, 48, 46, "icon on a 200 x 50 button"},
    {"images/Icon_Question.png", "png", 16, 16, 40, 60,
     "at (10, 30) in the question dialog, left of the question at x 50"},
    {"language/Deutsch.bmp", "bmp", 16, 16, 150, 45,
     "on the settings page at (500, 358), above the label at y 403"},
    {"language/English.bmp", "bmp", 16, 16, 150, 45,
     "on the settings page at (500, 358), above the label at y 403"},
    {"icon/brixel.png", "png", 256, 256, 256, 256, "the large application icon"},
    {"icon/brixel-32.png", "png", 32, 32, 32, 32, "the small application icon"},
};

TEST(ImageFiles, EveryPictureFitsWhereItIsDrawn) {
    for (const Fit& fit : kPictures) {
        SCOPED_TRACE(std::string(fit.file) + ": " + fit.why);
        content::ImageSize size = content::ReadImageSize(fit.file);
        ASSERT_EQ(size.format, fit.format)
            << "expected a " << fit.format << " file, got format '" << size.format << "'";
        EXPECT_TRUE(size.width >= fit.minWidth && size.width <= fit.maxWidth)
            << "width " << size.width << " not in " << fit.minWidth << ".." << fit.maxWidth;
        EXPECT_TRUE(size.height >= fit.minHeight && size.height <= fit.maxHeight)
            << "height " << size.height << " not in " << fit.minHeight << ".." << fit.maxHeight;
    }
}

// Drawn without a colour key over the background: their rounded and open parts need alpha.
TEST(ImageFiles, OverlaidPicturesCarryAlpha) {
    const char* files[] = {
        "images/Menu_Menu.png",    "images/Menu_Spieler.png", "images/Menu_Status.png",
        "images/Spiel_Feld.png",   "images/Spiel_Next.png",   "images/Spiel_Anzeige.png",
        "images/Icon_Single.png",  "images/Icon_Multi.png",   "images/Icon_Return.png",
        "images/Icon_Options.png", "images/Icon_Manage.png",  "images/Icon_Score.png",
        "images/Icon_End.png",     "images/Icon_Back.png",    "images/Icon_New.png",
        "images/Icon_Delete.png",  "images/Icon_Question.png"};
    for (const char* file : files) {
        EXPECT_TRUE(content::ReadImageSize(file).alpha) << file << " has no alpha channel";
    }
}

TEST(ImageFiles, MinuteBarAndFillMatch) {
    content::ImageSize bar = content::ReadImageSize("images/Spiel_Slider.bmp");
    content::ImageSize fill = content::ReadImageSize("images/Spiel_Slider_.bmp");
    EXPECT_EQ(fill.width, bar.width) << "the fill is drawn over the bar at the same place";
    EXPECT_EQ(fill.height, bar.height);
}

TEST(ImageFiles, BlockSetsAreSingle32PixelBlocksWithTheDefaultAmongThem) {
    auto titles = content::Titles("images/block", ".png");
    ASSERT_GE(titles.size(), 3u) << "expected the default set and at least two more";
    EXPECT_NE(std::find(titles.begin(), titles.end(), "design druve"), titles.end())
        << "default block set missing";
    for (const std::string& title : titles) {
        content::ImageSize size = content::ReadImageSize("images/block/" + title + ".png");
        EXPECT_EQ(size.format, "png") << title;
        EXPECT_EQ(size.width, 32) << title << ": width";
        EXPECT_EQ(size.height, 32) << title << ": height";
    }
}

TEST(ImageFiles, BackgroundsCoverTheScreenAndStaySmall) {
    auto titles = content::Titles("images/background", ".jpg");
    ASSERT_GE(titles.size(), 4u) << "expected at least four backgrounds";
    for (const std::string& title : titles) {
        const std::string file = "images/background/" + title + ".jpg";
        content::ImageSize size = content::ReadImageSize(file);
        EXPECT_EQ(size.format, "jpeg") << file;
        EXPECT_EQ(size.width, 1024) << file;
        EXPECT_EQ(size.height, 768) << file;
        size_t bytes = content::ReadBytes(file).size();
        EXPECT_TRUE(bytes > 20000 && bytes < 400000) << file << ": " << bytes << " bytes";
    }
}

TEST(ImageFiles, DefaultContentNamedBySettingsExists) {
    const char* files[] = {"skin/Golden.style", "language/Deutsch.txt", "language/Deutsch.bmp",
                           "images/block/design druve.png"};
    for (const char* file : files) {
        EXPECT_TRUE(content::Exists(file)) << file << " is missing";
    }
    for (const std::string& language : content::Titles("language", ".txt")) {
        EXPECT_TRUE(content::Exists("language/" + language + ".bmp"))
            << "no picture for language " << language;
    }
}

TEST(ImageFiles, ContentStaysWellUnderTenMegabytes) {
    uintmax_t total = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(content::Path(""))) {
        if (entry.is_regular_file()) {
            total += entry.file_size();
        }
    }
    EXPECT_LT(total, 10u * 1024 * 1024) << "content holds " << total << " bytes";
}

} // namespace

// The menu pictures that every skin shows (the page plate, the player panel, the bottom band)
// are neutral greys, so none of them carries one skin's colour into another's.
TEST(ImageFiles, FixedMenuPicturesAreNeutralForEverySkin) {
    for (const char* file :
         {"images/Menu_Menu.png", "images/Menu_Spieler.png", "images/Menu_Status.png"}) {
        Texture picture;
        picture.Load(std::string(BRIXEL_SOURCE_DIR) + "/content/" + file, 0);
        ASSERT_EQ(picture.IsLoaded(), 1) << file;
        SDL_Surface* surface = picture.pixels;
        int opaque = 0, coloured = 0;
        for (int y = 0; y < surface->h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
            for (int x = 0; x < surface->w; ++x) {
                const uint32_t p = row[x];
                if ((p >> 24) < 200) continue;
                const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
                const int high = std::max({r, g, b}), low = std::min({r, g, b});
                ++opaque;
                // Saturation above a quarter: a clear colour, not a tinted grey.
                if (high > 0 && (high - low) * 4 > high) ++coloured;
            }
        }
        ASSERT_GT(opaque, 0) << file;
        EXPECT_LT(coloured * 100, opaque)
            << file << ": expected under 1% clearly coloured pixels, got " << coloured << " of "
            << opaque;
    }
}
