// The player-management page, the settings page and the statistics page.
#include "MenuFixture.h"

#include <string>

#include "Libs/KeyCodes.h"
#include "tests/support/VirtualPad.h"

using PlayerPageTest = MenuFixture;

namespace {

uint32_t& keyOf(PlayerProfile& p, int slot) {
    return p.keys[slot / 5][slot % 5];
}

} // namespace

class PlayerPageWithPage : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        menu->showPage(MenuSystem::PlayerPage);
        managed = menuState().managedPlayer;
        ASSERT_NE(managed, nullptr);
    }
    GuiControl& field(int id) { return control(menuState().playerWindow, id); }
    // A key captured into the field of a slot, as the key-capture field reports it.
    void capture(int slot, uint32_t code) {
        field(38 + slot).param2 = static_cast<int32_t>(code);
        activate(38 + slot);
    }
    PlayerProfile* managed = nullptr;
};

TEST_F(PlayerPageWithPage, ACapturedKeySwapsWithTheSlotThatHeldIt) {
    struct Case {
        int slot;
        uint32_t code;
        int swappedSlot; // the slot that held the code before
    };
    const Case cases[] = {
        {0, 57, 4},  // rotate takes hard drop's key of the same set
        {0, 17, 5},  // rotate takes set 2's rotate key
        {7, 205, 1}, // set 2 takes a key of set 1
    };
    for (const Case& c : cases) {
        const uint32_t old = keyOf(*managed, c.slot);
        capture(c.slot, c.code);
        EXPECT_EQ(keyOf(*managed, c.slot), c.code) << "slot " << c.slot;
        EXPECT_EQ(keyOf(*managed, c.swappedSlot), old)
            << "slot " << c.swappedSlot << " should take the old code of slot " << c.slot;
        EXPECT_EQ(field(38 + c.swappedSlot).text, input->GetKeyName(static_cast<int>(old)));
        EXPECT_EQ(field(38 + c.slot).text, input->GetKeyName(static_cast<int>(c.code)));
    }
}

TEST_F(PlayerPageWithPage, RefusedKeysLeaveTheBinding) {
    for (uint32_t code : {1u, 59u, 67u, 87u, 28u}) {
        const uint32_t before = keyOf(*managed, 2);
        capture(2, code);
        EXPECT_EQ(keyOf(*managed, 2), before) << "key " << code << " must be refused";
        EXPECT_EQ(field(40).text, input->GetKeyName(static_cast<int>(before)))
            << "the field shows the kept key again after " << code;
    }
}

TEST_F(PlayerPageWithPage, AKeyPressedIntoAFocusedFieldIsCaptured) {
    menuState().playerWindow.SetFocus(38, 0);
    tapKey(30); // A
    EXPECT_EQ(keyOf(*managed, 0), 30u);
    EXPECT_EQ(keyOf(*managed, 7), 200u) << "set 2's move left gave A away for cursor up";
}

// A focused key field takes a pad's buttons as keys to bind (Start excepted, it leaves games);
// elsewhere on the page the same pad steers: A is Return, B Escape.
TEST_F(PlayerPageWithPage, AKeyFieldCapturesPadButtons) {
    VirtualPad pad;
    ASSERT_TRUE(pad.PluggedIn()) << SDL_GetError();
    frame(); // the pad is taken at the first read
    menuState().playerWindow.SetFocus(38, 0);
    const uint32_t padX = PadKeyCode(0, PadControl::X);
    pad.Tap(SDL_CONTROLLER_BUTTON_X);
    frame();
    EXPECT_EQ(keyOf(*managed, 0), padX);
    EXPECT_EQ(field(38).text, "P1 X");

    pad.Tap(SDL_CONTROLLER_BUTTON_A); // a button like any other key here
    frame();
    EXPECT_EQ(keyOf(*managed, 0), static_cast<uint32_t>(PadKeyCode(0, PadControl::A)));
    EXPECT_EQ(menuState().page, MenuSystem::PlayerPage);

    pad.Tap(SDL_CONTROLLER_BUTTON_START);
    frame();
    EXPECT_EQ(keyOf(*managed, 0), static_cast<uint32_t>(PadKeyCode(0, PadControl::A)))
        << "Start is refused";
    EXPECT_EQ(field(38).text, "P1 A");

    menuState().playerWindow.SetFocus(11, 0); // a button: the pad steers again
    pad.Tap(SDL_CONTROLLER_BUTTON_B);
    frame();
    EXPECT_EQ(menuState().page, MenuSystem::MainPage) << "B goes back like Escape";
}

// A player with only a pad is never trapped in the key fields: Start moves on like Tab, field by
// field and out of the last one, and binds nothing on the way.
TEST_F(PlayerPageWithPage, StartLeadsAPadOutOfTheKeyFields) {
    VirtualPad pad;
    ASSERT_TRUE(pad.PluggedIn()) << SDL_GetError();
    frame();
    GuiWindow& window = menuState().playerWindow;
    const PlayerProfile before = *managed;
    window.SetFocus(38, 0);
    int fieldsPassed = 0;
    while (window.CapturingKeys() && fieldsPassed <= 20) {
        const int32_t was = window.focus->id;
        pad.Tap(SDL_CONTROLLER_BUTTON_START);
        frame();
        ASSERT_NE(window.focus, nullptr);
        EXPECT_NE(window.focus->id, was)
            << "expected Start to move the focus on from field " << was;
        ++fieldsPassed;
    }
    EXPECT_EQ(fieldsPassed, 10) << "expected Start to pass the ten key fields, then leave them";
    for (int slot = 0; slot < 10; ++slot)
        EXPECT_EQ(keyOf(*managed, slot), before.keys[slot / 5][slot % 5])
            << "slot " << slot << " was rebound on the way";
    pad.Tap(SDL_CONTROLLER_BUTTON_B);
    frame();
    EXPECT_EQ(menuState().page, MenuSystem::MainPage) << "out of the key fields, B goes back";
}

TEST_F(PlayerPageWithPage, ThePresetListFollowsTheThreeTimingValues) {
    managed->keyRepeatInterval = 47;
    managed->softDropSpeed = 76;
    menuState().playerWindow.SetControlParams(23, 1, 143);
    activate(23);
    EXPECT_EQ(managed->keyRepeatDelay, 143u);
    EXPECT_EQ(field(21).text.rfind("3: ", 0), 0u) << "shown: " << field(21).text;
    EXPECT_EQ(field(24).text, "143 " + languageText(526));

    menuState().playerWindow.SetControlParams(23, 1, 144);
    activate(23);
    EXPECT_EQ(field(21).text, languageText(525)) << "no preset matches 144/47/76";
}

TEST_F(PlayerPageWithPage, PresetsSetTheirThreeValues) {
    struct Case {
        int preset;
        uint32_t delay, interval, softDrop;
    };
    const Case cases[] = {{0, 211, 70, 52}, {2, 143, 47, 76}, {4, 75, 25, 100}};
    for (const Case& c : cases) {
        menu->selectItem(menuState().playerWindow, 21, menuState().presetNames[c.preset]);
        activate(21);
        EXPECT_EQ(managed->keyRepeatDelay, c.delay) << "preset " << c.preset;
        EXPECT_EQ(managed->keyRepeatInterval, c.interval) << "preset " << c.preset;
        EXPECT_EQ(managed->softDropSpeed, c.softDrop) << "preset " << c.preset;
        EXPECT_EQ(control(menuState().playerWindow, 26).param1, static_cast<int32_t>(c.interval));
    }
    const uint32_t delay = managed->keyRepeatDelay;
    menu->selectItem(menuState().playerWindow, 21, menuState().presetNames[5]);
    activate(21);
    EXPECT_EQ(managed->keyRepeatDelay, delay) << "the own-values entry changes nothing";
}

TEST_F(PlayerPageWithPage, ANameTakenInOtherCaseTurnsTheFieldRed) {
    struct Case {
        std::string typed;
        bool valid;
    };
    const Case cases[] = {
        {"spieler 2", false}, // the other profile, other case
        {"", false},
        {"SPIELER 1", true}, // the managed profile's own name does not count
        {"Neu", true},
    };
    for (const Case& c : cases) {
        field(14).text = c.typed;
        activate(14);
        EXPECT_EQ(menuState().nameValid, c.valid ? 1 : 0) << "name \"" << c.typed << "\"";
        EXPECT_EQ(field(14).colourName, c.valid ? "" : "red") << "name \"" << c.typed << "\"";
    }
}

TEST_F(PlayerPageWithPage, AnInvalidNameIsNotApplied) {
    const std::string name = managed->name;
    field(14).text = "SPIELER 2";
    activate(14);
    activate(15);
    EXPECT_EQ(managed->name, name);
    EXPECT_EQ(profile("SPIELER 2"), nullptr);
}

TEST_F(PlayerPageWithPage, ARenamedProfileShowsOnTheStatisticsPageAndThePanels) {
    field(14).text = "Kim";
    activate(14);
    activate(15);
    ASSERT_NE(profile("Kim"), nullptr);
    EXPECT_EQ(menuState().managedPlayer, profile("Kim"));
    EXPECT_EQ(field(13).text, "Kim");
    EXPECT_EQ(control(menuState().mainWindow, 90).text, "Kim")
        << "the managed profile was player 1";

    activate(99);
    activate(32);
    bool found = false;
    for (auto& row : menuState().scoreRows) found = found || row.second.rfind("Kim\n", 0) == 0;
    EXPECT_TRUE(found) << "the statistics rows were built again with the new name";
}

TEST_F(PlayerPageWithPage, CreatingAndDeletingProfiles) {
    activate(12);
    EXPECT_EQ(menuState().questionOpen, 0)
        << "two profiles: deleting is refused without a question";
    EXPECT_EQ(menu->profiles.Count(), 2);

    activate(11);
    ASSERT_EQ(menu->profiles.Count(), 3);
    EXPECT_EQ(menuState().managedPlayer->name, "Spieler 3");
    EXPECT_EQ(field(14).text, "Spieler 3");
    EXPECT_TRUE(menuState().playerNames.Contains("Spieler 3"));

    activate(12);
    ASSERT_EQ(menuState().questionOpen, 1);
    menu->answerQuestion(12);
    EXPECT_EQ(menu->profiles.Count(), 2);
    EXPECT_FALSE(menuState().playerNames.Contains("Spieler 3"));
    EXPECT_NE(menuState().managedPlayer, nullptr);
    EXPECT_EQ(field(14).text, menuState().managedPlayer->name);
}

// The delete question names the player it deletes, so the wrong one is not lost by mistake.
TEST_F(PlayerPageWithPage, TheDeleteQuestionNamesThePlayer) {
    activate(11);
    ASSERT_EQ(menuState().managedPlayer->name, "Spieler 3");
    activate(12);
    ASSERT_EQ(menuState().questionOpen, 1);
    EXPECT_EQ(control(menuState().questionWindow, 11).text, "Spieler 3 wirklich l\xF6schen?");
    menu->answerQuestion(13);
    EXPECT_EQ(menu->profiles.Count(), 3) << "no keeps the player";
}

// While the name field takes typed text, the digits type; they do not step the panels'
// players as they do elsewhere on the page.
TEST_F(PlayerPageWithPage, DigitsTypedIntoTheNameAreNoShortcuts) {
    PlayerProfile* first = menu->player1;
    menuState().playerWindow.SetFocus(14, 0);
    GuiControl& name = field(14);
    name.param1 = static_cast<int32_t>(name.text.size());
    const std::string before = name.text;
    pushKeyPress(KeyDigit1);
    input->PushTypedText("1");
    frame();
    EXPECT_EQ(menu->player1, first) << "the digit 1 typed into the name chose another player 1";
    EXPECT_EQ(name.text, before + "1");

    menuState().playerWindow.SetFocus(99, 0);
    tapKey(KeyDigit1);
    EXPECT_NE(menu->player1, first) << "outside a text field the digit 1 steps player 1";
}

// The key table reads as one table: the action names stand on the baseline of their key
// fields' text, and names and column heads share one font.
TEST_F(PlayerPageWithPage, KeyTableLabelsShareTheBaselineAndFontOfTheFields) {
    GuiWindow& window = menuState().playerWindow;
    const int actionLabels[] = {32, 33, 34, 35, 48};
    for (int row = 0; row < 5; ++row) {
        const GuiControl& label = control(window, actionLabels[row]);
        for (int set = 0; set < 2; ++set) {
            const GuiControl& keyField = control(window, 38 + 5 * set + row);
            // Same top, same height and both one line centred: the same baseline.
            EXPECT_EQ(label.y, keyField.y) << "label " << label.id << ", field " << keyField.id;
            EXPECT_EQ(label.height, keyField.height)
                << "label " << label.id << ": expected the field's height " << keyField.height
                << ", got " << label.height;
            EXPECT_EQ(label.fontName, keyField.fontName) << "label " << label.id;
        }
        EXPECT_EQ(label.param2, 2) << "label " << label.id << ": expected one centred line";
    }
    for (int head : {31, 36, 37})
        EXPECT_EQ(control(window, head).fontName, control(window, 32).fontName)
            << "column head " << head << " in another font than the action names";
}

// A new player whose name sorts before the shown ones moves them down the list: every page's
// panel must point at its shown name again, or Left/Right step from the wrong entry.
TEST_F(PlayerPageWithPage, ANewPlayerKeepsThePanelsOnTheirShownNames) {
    field(14).text = "Xaver"; // player 1, "Spieler 1" before
    activate(14);
    activate(15);
    activate(11); // "Spieler 1" again, now first in the list
    ASSERT_EQ(menuState().managedPlayer->name, "Spieler 1");
    for (int page : {MenuSystem::MainPage, MenuSystem::SettingsPage, MenuSystem::PlayerPage,
                     MenuSystem::ScorePage}) {
        for (int id : {90, 91}) {
            GuiControl& list = control(menu->pageWindow(page), id);
            const std::string* shown = list.param4.items.Item(list.param1);
            const std::string got = shown ? *shown : "(none)";
            EXPECT_EQ(got, list.text) << "page " << page << " list " << id << ": index "
                                      << list.param1 << " should hold \"" << list.text << "\"";
        }
    }
    menu->showPage(MenuSystem::MainPage);
    menuState().currentWindow->SetFocus(90, 0);
    tapKey(203); // Left: the entry before "Xaver"
    EXPECT_EQ(control(menuState().mainWindow, 90).text, "Spieler 2");
}

TEST_F(PlayerPageWithPage, DisplayOptionsSetTheirBits) {
    menuState().playerWindow.SetControlParams(18, 1, 1);
    activate(18);
    EXPECT_EQ(managed->displayFlags, 2u);
    menuState().playerWindow.SetControlParams(16, 1, 1);
    activate(16);
    EXPECT_EQ(managed->displayFlags, 3u);
    menuState().playerWindow.SetControlParams(18, 1, 0);
    activate(18);
    EXPECT_EQ(managed->displayFlags, 1u);
}

TEST_F(PlayerPageTest, BothKeySetHeadingsHaveTheBlank) {
    EXPECT_EQ(control(menuState().playerWindow, 36).text, "Spieler 1");
    EXPECT_EQ(control(menuState().playerWindow, 37).text, "Spieler 2");
}

TEST_F(PlayerPageTest, SettingsChangesTakeEffectAtOnce) {
    menu->showPage(MenuSystem::SettingsPage);
    GuiWindow& page = menuState().settingsWindow;
    page.SetControlParams(21, 1, 320);
    activate(21);
    EXPECT_EQ(menu->settings.particleCount, 320);
    EXPECT_EQ(menu->boardContext.particleCount, 320) << "the boards read the new budget";
    EXPECT_EQ(control(page, 22).text, "320 " + languageText(412));

    page.SetControlParams(24, 1, 40);
    activate(24);
    EXPECT_EQ(menu->settings.soundVolume, 40);
    EXPECT_EQ(control(page, 25).text, "40%");

    activate(16);
    EXPECT_EQ(menu->settings.backgroundKind, 1);
    EXPECT_EQ(control(page, 15).param1, 0);
    EXPECT_EQ(control(page, 17).param1, 0);

    menu->selectItem(page, 43, "English");
    activate(43);
    EXPECT_EQ(menu->settings.languageName, "English");
    EXPECT_EQ(menu->text(102), "Spieler") << "texts change only at the next start";

    menu->selectItem(page, 41, "Plain");
    activate(41);
    EXPECT_EQ(menu->settings.skinName, "Plain");

    menu->selectItem(page, 46, "klassisch");
    activate(46);
    EXPECT_EQ(menu->settings.blockSetName, "klassisch");
    EXPECT_EQ(menu->block.IsLoaded(), 1);

    menu->selectItem(page, 13, "Meer");
    activate(13);
    EXPECT_EQ(menu->settings.backgroundName, "Meer");
    EXPECT_EQ(menu->settings.backgroundIndex, 1);
    EXPECT_EQ(menuState().fadeAmount, 255) << "the new picture covers the page";
}

TEST_F(PlayerPageTest, ANewBackgroundFadesAwayInAboutASecond) {
    menu->showPage(MenuSystem::SettingsPage);
    activate(14); // a random picture
    ASSERT_EQ(menuState().fadeAmount, 255);
    int frames = 0;
    while (menuState().fadeAmount > 0 && frames < 100) {
        frame(50);
        ++frames;
    }
    EXPECT_EQ(menuState().fadeAmount, 0);
    EXPECT_GE(frames * 50, 1000) << "255 steps of 4 ms";
    EXPECT_LE(frames * 50, 1050);
}
