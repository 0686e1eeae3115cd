// The menus built from the repository's own content: every picture, skin and text they name is
// there, and every page draws.
#include "MenuFixture.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

class RealContentTest : public MenuFixture {
protected:
    void prepareContent() override {
        const fs::path content = fs::path(BRIXEL_SOURCE_DIR) / "content";
        for (const char* dir : {"images", "language", "skin", "sounds"})
            ASSERT_TRUE(LinkFolder(content / dir, dir)) << dir;
    }
};

TEST_F(RealContentTest, EveryPageDrawsOverTheBackground) {
    ASSERT_FALSE(menu->text(300).empty()) << "the main menu heading comes from the language file";
    EXPECT_EQ(menu->profiles.Count(), 2);
    for (int p : {MenuSystem::MainPage, MenuSystem::SettingsPage, MenuSystem::PlayerPage,
                  MenuSystem::ScorePage}) {
        menu->showPage(p);
        EXPECT_EQ(frame(), 1) << "page " << p;
        EXPECT_NE(directX->ReadPixel(2, 2) & 0xFFFFFF, 0xFFFFFFu)
            << "page " << p << ": the background picture covers the white clear";
    }
    menu->showPage(MenuSystem::MainPage);
    activate(99);
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(directX->ReadPixel(600, 50) & 0xFFFFFF, 0u) << "the credits clear to black";
}
