#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "Libs/Platform.h"
#include "menu/MenuSystem.h"
#include "tests/support/MenuSystemTestAccess.h"

// A built MenuSystem on the dummy video and audio drivers, working in a fresh folder that holds
// a small content set of its own (language, skin, pictures), with a test clock.
class MenuFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Fills the fresh working folder with content; the default is the small set of the tests.
    virtual void prepareContent();
    // The repository's own content instead, for tests of what the player really sees.
    static void linkRepositoryContent();

    // One frame with the given elapsed milliseconds; answers update's result.
    int frame(uint32_t elapsed = 10);
    // A key press and its release, buffered for the next frame.
    void pushKey(uint32_t code);
    void pushKeyPress(uint32_t code);
    void pushClick(); // left button down and up
    // Press, frame: answers update's result.
    int tapKey(uint32_t code);

    GuiControl& control(GuiWindow& window, int id);
    // As if the control had been activated by the player.
    int activate(int id) { return menu->dispatch(id); }
    PlayerProfile* profile(const std::string& name) { return menu->profiles.Find(name); }
    MenuSystemTestAccess menuState() { return MenuSystemTestAccess(*menu); }

    static uint32_t clock;
    static uint32_t testClock() { return clock; }

    std::filesystem::path previousFolder;
    std::filesystem::path folder;
    std::unique_ptr<DirectXLib> directX;
    std::unique_ptr<InputLib> input;
    std::unique_ptr<SoundLib> soundLib;
    std::unique_ptr<MenuSystem> menu;
};

// Language texts the tests read: every id used by the menus has "T<id>" unless set here.
std::string languageText(int id);
