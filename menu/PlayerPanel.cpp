// The player panel shown on every page: who plays as player 1 and player 2.
#include "menu/MenuSystem.h"

#include "menu/ControlRow.h"

namespace {

constexpr ControlRow panelRows[] = {
    {89, ControlKind::Label, 825, 212, 110, 40, Place::AbsoluteMoving, 103, noText, "status"},
    {90, ControlKind::ComboBox, 0, 40, 110, 40, Place::Moving, noText, 327, "standard"},
    {91, ControlKind::ComboBox, 0, 30, 110, 40, Place::Moving, noText, 328, "standard"},
};

constexpr int panelRowsVisible = 10;

} // namespace

void MenuSystem::addPlayerPanel(GuiWindow& window) {
    addControls(window, language, panelRows);
    window.SetControlParams(89, 1, 1);
    window.SetControlParams(90, 4, 0, panelRowsVisible, 0, &playerNames);
    window.SetControlParams(91, 4, 0, panelRowsVisible, 0, &playerNames);
    selectItem(window, 90, player1->name);
    selectItem(window, 91, player2->name);
}

// The panel of the page being left tells the other three pages what it shows.
void MenuSystem::copyPlayerPanel(GuiWindow& from) {
    for (int p = MainPage; p <= ScorePage; ++p) {
        GuiWindow& to = pageWindow(p);
        if (&to == &from) continue;
        for (int id : {90, 91}) {
            to.GetControl(id)->text = from.GetControl(id)->text;
            to.GetControl(id)->param1 = from.GetControl(id)->param1;
        }
    }
}

// Every page's panel shows the current players again (after a profile was renamed or deleted).
void MenuSystem::refreshPlayerPanels() {
    for (int p = MainPage; p <= ScorePage; ++p) {
        selectItem(pageWindow(p), 90, player1->name);
        selectItem(pageWindow(p), 91, player2->name);
    }
}

void MenuSystem::handlePlayerPanel(int id) {
    GuiWindow& window = *currentWindow;
    switch (id) {
    case 92: // key 1: the next profile for player 1
        selectItem(window, 90, nextProfile(player1)->name);
        id = 90;
        break;
    case 93: // key 2: the next profile for player 2
        selectItem(window, 91, nextProfile(player2)->name);
        id = 91;
        break;
    case 94: // key 3: the two players swap
        selectItem(window, 90, player2->name);
        id = 90;
        break;
    default:
        break;
    }
    if (id != 90 && id != 91) return;

    PlayerProfile* chosen = profiles.Find(window.GetControl(id)->text);
    if (chosen == nullptr) return;
    PlayerProfile*& changed = id == 90 ? player1 : player2;
    PlayerProfile*& other = id == 90 ? player2 : player1;
    if (chosen == changed) return;

    // Player 1 takes part in every game; player 2 only in a two-player game against a person.
    const bool swaps = chosen == other;
    const bool touchesPausedGame =
        (id == 90 || swaps) ? pausedGame != 0 : (pausedGame == 2 && settings.twoPlayerMode == 0);
    if (touchesPausedGame) {
        if (ask(id, text(330), text(329), text(100), text(101), 0) != 1) return;
        if (answer == 1) {
            selectItem(window, id, changed->name);
            return;
        }
    }
    if (touchesPausedGame || id == 90 || swaps) pausedGame = 0;
    if (swaps) {
        other = changed;
        selectItem(window, id == 90 ? 91 : 90, other->name);
    }
    changed = chosen;
}
