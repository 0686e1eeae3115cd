// The main menu page and its handler.
#include "menu/MenuSystem.h"

#include "menu/ControlRow.h"

namespace {

constexpr ControlRow mainRows[] = {
    {11, ControlKind::Button, -10, 100, 230, 50, Place::Moving, 301, 302, "button"},
    {20, ControlKind::Label, 0, 60, 110, 40, Place::Keeping, 303, noText, "standard"},
    {13, ControlKind::ComboBox, 0, 77, 130, 40, Place::Keeping, noText, 304, "standard"},
    {12, ControlKind::Button, 266, 0, 230, 50, Place::Moving, 307, 308, "button"},
    {22, ControlKind::Label, 0, 60, 110, 40, Place::Keeping, 309, noText, "standard"},
    {14, ControlKind::ComboBox, 0, 77, 130, 40, Place::Keeping, noText, 310, "standard"},
    {15, ControlKind::CheckBox, 140, 77, 110, 19, Place::Keeping, 313, 314, "standard"},
    {17, ControlKind::Button, -266, 110, 230, 50, Place::Moving, 315, 316, "button"},
    {18, ControlKind::Button, 266, 0, 230, 50, Place::Moving, 315, 316, "button"},
    {30, ControlKind::Button, -266, 90, 230, 50, Place::Moving, 317, 318, "button"},
    {31, ControlKind::Button, 266, 0, 230, 50, Place::Moving, 319, 320, "button"},
    {32, ControlKind::Button, -266, 70, 230, 50, Place::Moving, 321, 322, "button"},
    {99, ControlKind::Button, 266, 0, 230, 50, Place::Moving, 323, 324, "button"},
};

constexpr int iconGap = 5;

} // namespace

void MenuSystem::buildMainWindow() {
    setupPage(mainWindow, "Hauptmenu", 300);
    addControls(mainWindow, language, mainRows);

    const struct {
        int id;
        Texture* icon;
    } icons[] = {{11, &iconSingle},  {12, &iconMulti},  {17, &iconReturn}, {18, &iconReturn},
                 {30, &iconOptions}, {31, &iconManage}, {32, &iconScore},  {99, &iconEnd}};
    for (const auto& button : icons)
        mainWindow.SetControlParams(button.id, 4, iconGap, 0, 0, button.icon);

    singleModes.Clear();
    singleModes.SelectOrInsert("1: " + text(305));
    singleModes.SelectOrInsert("2: " + text(306));
    twoPlayerModes.Clear();
    twoPlayerModes.SelectOrInsert("1: " + text(311));
    twoPlayerModes.SelectOrInsert("2: " + text(312));
    twoPlayerModes.SelectOrInsert("3: " + text(860));
    mainWindow.SetControlParams(13, 4, settings.singlePlayerMode, 5, 0, &singleModes);
    mainWindow.SetControlParams(14, 4, settings.twoPlayerMode, 5, 0, &twoPlayerModes);
    mainWindow.SetControlParams(15, 1, settings.twoPlayerEndless);
    mainWindow.GetControl(17)->visible = 0;
    mainWindow.GetControl(18)->visible = 0;
}

int MenuSystem::handleMainMenu(int id) {
    mainWindow.GetControl(17)->visible = pausedGame == 1;
    mainWindow.GetControl(18)->visible = pausedGame == 2;

    switch (id) {
    case 11: // a new one-player game
    case 12: // a new two-player game
        if (pausedGame != 0 && ask(id, text(331), text(329), text(100), text(101), 1) != 1)
            return 1;
        pausedGame = 0;
        requestedGame = id == 11 ? 0 : 1;
        // Over the network the other player is found first.
        if (id == 12 && settings.twoPlayerMode == 2) {
            openNetworkDialog();
            return 1;
        }
        return 0;
    case 17: // resume: the game sees pausedGame still naming this kind
        requestedGame = 0;
        return 0;
    case 18:
        requestedGame = 1;
        return 0;
    case 13:
    case 14: { // a game variant changed; a paused game of that kind is abandoned on yes
        const int kind = id == 13 ? 1 : 2;
        int32_t& mode = id == 13 ? settings.singlePlayerMode : settings.twoPlayerMode;
        GuiControl* list = mainWindow.GetControl(id);
        if (pausedGame == kind) {
            if (ask(id, text(333), text(329), text(100), text(101), 0) != 1) return 1;
            if (answer == 1) {
                mainWindow.SetControlParams(id, 1, mode);
                return 1;
            }
            pausedGame = 0;
        }
        mode = list->param1;
        return 1;
    }
    case 15:
        settings.twoPlayerEndless = mainWindow.GetControl(15)->param1;
        return 1;
    case 30:
        showPage(SettingsPage);
        selectItem(settingsWindow, 13, settings.backgroundName);
        return 1;
    case 31:
        showPage(PlayerPage);
        return 1;
    case 32:
        showPage(ScorePage);
        buildStatisticsRows();
        return 1;
    case 99:
        if (pausedGame != 0 && ask(99, text(332), text(329), text(100), text(101), 1) != 1)
            return 1;
        startCredits();
        return 1;
    default:
        return 1;
    }
}
