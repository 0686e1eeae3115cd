#pragma once
#include <cstdint>
#include <string>

#include "menu/MenuSystem.h"

// The menus' own state that the tests set up and look at: the windows and the page shown, the
// question dialog, the settings page's fade, the player page and the credits.
struct MenuSystemTestAccess {
    explicit MenuSystemTestAccess(MenuSystem& menus)
        : guiManager(menus.guiManager), mainWindow(menus.mainWindow),
          settingsWindow(menus.settingsWindow), playerWindow(menus.playerWindow),
          scoreWindow(menus.scoreWindow), questionWindow(menus.questionWindow),
          currentWindow(menus.currentWindow), playerNames(menus.playerNames),
          backgrounds(menus.backgrounds), scoreRows(menus.scoreRows), language(menus.language),
          iconQuestion(menus.iconQuestion), languagePicture(menus.languagePicture),
          outroParticle(menus.outroParticle), page(menus.page), fadeAmount(menus.fadeAmount),
          fadeCarry(menus.fadeCarry), fadeTick(menus.fadeTick), nameValid(menus.nameValid),
          presetNames(menus.presetNames), questionOpen(menus.questionOpen),
          pendingId(menus.pendingId), answer(menus.answer), managedPlayer(menus.managedPlayer),
          particles(menus.particles), outroMode(menus.outroMode), swirl(menus.swirl),
          drift(menus.drift), statusFont(menus.statusFont), captionFont(menus.captionFont) {}

    GuiManager& guiManager;
    GuiWindow& mainWindow;
    GuiWindow& settingsWindow;
    GuiWindow& playerWindow;
    GuiWindow& scoreWindow;
    GuiWindow& questionWindow;
    GuiWindow*& currentWindow;
    NameList& playerNames;
    NameList& backgrounds;
    RowTable& scoreRows;
    LanguageTable& language;
    Texture& iconQuestion;
    Texture& languagePicture;
    Texture& outroParticle;
    int32_t& page;
    int32_t& fadeAmount;
    uint32_t& fadeCarry;
    uint32_t& fadeTick;
    int32_t& nameValid;
    std::string (&presetNames)[6];
    int32_t& questionOpen;
    int32_t& pendingId;
    int32_t& answer;
    PlayerProfile*& managedPlayer;
    OutroParticle (&particles)[MenuSystem::particleTotal];
    int32_t& outroMode;
    float& swirl;
    float& drift;
    Font& statusFont;
    Font& captionFont;
};
