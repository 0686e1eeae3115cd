// The player-management page: create, choose, rename and delete profiles; display options,
// key timing with its presets, and the two key sets.
#include "menu/MenuSystem.h"

#include "Libs/KeyCodes.h"
#include "menu/ControlRow.h"
#include "storage/TextFormat.h"

namespace {

constexpr ControlRow playerRows[] = {
    {99, ControlKind::Button, -50, 100, 130, 50, Place::Moving, 325, 326, "button"},
    {11, ControlKind::Button, 150, 0, 200, 50, Place::Moving, 500, 501, "button"},
    {12, ControlKind::Button, 220, 0, 200, 50, Place::Moving, 502, 503, "button"},
    {13, ControlKind::ComboBox, -340, 60, 110, 40, Place::Moving, noText, 504, "standard"},
    {14, ControlKind::TextField, 150, 0, 200, 22, Place::Keeping, noText, 505, "standard"},
    {15, ControlKind::Button, 370, 0, 100, 22, Place::Keeping, 506, 507, "standard"},
    {16, ControlKind::CheckBox, 0, 40, 200, 18, Place::Moving, 508, 509, "standard"},
    {17, ControlKind::CheckBox, 300, 0, 200, 18, Place::Keeping, 510, 511, "standard"},
    {18, ControlKind::CheckBox, 0, 20, 70, 18, Place::Moving, 512, 513, "standard"},
    {50, ControlKind::Label, 170, 0, 200, 18, Place::Keeping, noText, noText, "standard"},
    {51, ControlKind::Slider, 80, 0, 80, 18, Place::Keeping, noText, 515, "standard"},
    {19, ControlKind::CheckBox, 300, 0, 200, 18, Place::Keeping, 516, 517, "standard"},
    {20, ControlKind::Label, 0, 35, 200, 18, Place::Moving, 518, noText, "standard"},
    {21, ControlKind::ComboBox, 0, 20, 120, 22, Place::Moving, noText, 519, "standard"},
    {22, ControlKind::Label, 0, 30, 200, 50, Place::Moving, 528, noText, "standard"},
    {23, ControlKind::Slider, 0, 17, 150, 25, Place::Moving, noText, 529, "standard"},
    {24, ControlKind::Label, 166, 0, 100, 50, Place::Keeping, noText, noText, "standard"},
    {25, ControlKind::Label, 0, 30, 200, 50, Place::Moving, 530, noText, "standard"},
    {26, ControlKind::Slider, 0, 17, 150, 25, Place::Moving, noText, 531, "standard"},
    {27, ControlKind::Label, 166, 0, 100, 50, Place::Keeping, noText, noText, "standard"},
    {28, ControlKind::Label, 0, 30, 200, 50, Place::Moving, 532, noText, "standard"},
    {29, ControlKind::Slider, 0, 17, 150, 25, Place::Moving, noText, 533, "standard"},
    {30, ControlKind::Label, 166, 0, 100, 50, Place::Keeping, noText, noText, "standard"},
    {31, ControlKind::Label, 300, -150, 100, 50, Place::Moving, 534, noText, "standard"},
    {32, ControlKind::Label, 0, 30, 100, 50, Place::Moving, 535, noText, "standard"},
    {33, ControlKind::Label, 0, 30, 100, 50, Place::Moving, 537, noText, "standard"},
    {34, ControlKind::Label, 0, 30, 100, 50, Place::Moving, 539, noText, "standard"},
    {35, ControlKind::Label, 0, 30, 100, 50, Place::Moving, 541, noText, "standard"},
    {48, ControlKind::Label, 0, 30, 100, 50, Place::Moving, 543, noText, "standard"},
    {36, ControlKind::Label, 50, -150, 100, 50, Place::Moving, noText, noText, "standard"},
    {38, ControlKind::TextField, 0, 30, 60, 22, Place::Moving, noText, noText, "standard"},
    {39, ControlKind::TextField, 0, 30, 60, 22, Place::Moving, noText, noText, "standard"},
    {40, ControlKind::TextField, 0, 30, 60, 22, Place::Moving, noText, noText, "standard"},
    {41, ControlKind::TextField, 0, 30, 60, 22, Place::Moving, noText, noText, "standard"},
    {42, ControlKind::TextField, 0, 30, 60, 22, Place::Moving, noText, noText, "standard"},
    {37, ControlKind::Label, 70, -150, 100, 50, Place::Moving, noText, noText, "standard"},
    {43, ControlKind::TextField, 0, 30, 60, 22, Place::Moving, noText, noText, "standard"},
    {44, ControlKind::TextField, 0, 30, 60, 22, Place::Moving, noText, noText, "standard"},
    {45, ControlKind::TextField, 0, 30, 60, 22, Place::Moving, noText, noText, "standard"},
    {46, ControlKind::TextField, 0, 30, 60, 22, Place::Moving, noText, noText, "standard"},
    {47, ControlKind::TextField, 0, 30, 60, 22, Place::Moving, noText, noText, "standard"},
};

constexpr int firstKeyField = 38;
constexpr int keyFieldCount = 10;
// The key block (its headings, the action names and the key fields) is set in the skin's small
// font: the names must fit the narrow columns beside and in the key fields.
constexpr int keyBlockLabels[] = {31, 36, 37, 32, 33, 34, 35, 48};
constexpr const char* keyBlockFont = "small";
// The action names, each a line centred in the height of its row's key fields, so that it
// stands on the same baseline as the key names.
constexpr int actionLabels[] = {32, 33, 34, 35, 48};
// Texts naming the five actions in the key fields' status texts.
constexpr int actionTexts[5] = {536, 538, 540, 542, 544};
// Keys that belong to the menus and the window, never to a key set: Escape, F1, F9, F11,
// Enter, and the pads' Start buttons, which leave a running game.
constexpr int refusedKeys[] = {KeyEscape,
                               KeyF1,
                               KeyF9,
                               KeyF11,
                               KeyReturn,
                               PadKeyCode(0, PadControl::Start),
                               PadKeyCode(1, PadControl::Start)};
constexpr int nameLength = 20;
constexpr int ownValuesPreset = 5;

// Preset s: delay 211 - 34 s, interval a third of it, soft drop 12 s + 52.
struct SpeedPreset {
    uint32_t delay, interval, softDrop;
};
constexpr SpeedPreset presetValues(int s) {
    const uint32_t delay = static_cast<uint32_t>(211 - 34 * s);
    return {delay, delay / 3, static_cast<uint32_t>(12 * s + 52)};
}

uint32_t& keySlot(PlayerProfile& profile, int slot) {
    return profile.keys[slot / 5][slot % 5];
}

bool isRefusedKey(uint32_t code) {
    for (int refused : refusedKeys)
        if (code == static_cast<uint32_t>(refused)) return true;
    return false;
}

} // namespace

void MenuSystem::buildPlayerWindow() {
    setupPage(playerWindow, "Spieler managen", 319);
    addControls(playerWindow, language, playerRows);
    playerWindow.SetControlParams(99, 4, 5, 0, 0, &iconBack);
    playerWindow.SetControlParams(11, 4, 5, 0, 0, &iconNew);
    playerWindow.SetControlParams(12, 4, 5, 0, 0, &iconDelete);
    playerWindow.SetControlParams(13, 4, 0, 10, 0, &playerNames);
    playerWindow.SetControlParams(14, 3, 0, nameLength, TextMode::Wide);

    speedPresets.Clear();
    for (int s = 0; s < ownValuesPreset; ++s) {
        presetNames[s] = FormatText("%d: ", {s + 1}) + text(520 + s);
        speedPresets.SelectOrInsert(presetNames[s]);
    }
    presetNames[ownValuesPreset] = text(525);
    speedPresets.SelectOrInsert(presetNames[ownValuesPreset]);
    playerWindow.SetControlParams(21, 4, 0, 6, 0, &speedPresets);

    playerWindow.SetControlParams(23, 3, 1, 1, 400);
    playerWindow.SetControlParams(26, 3, 1, 1, 400);
    playerWindow.SetControlParams(29, 3, 2, 2, 250);
    playerWindow.SetControlParams(51, 3, 0, 0, 99);

    // Both key set headings carry the blank before their number.
    playerWindow.GetControl(36)->text = text(102) + " 1";
    playerWindow.GetControl(37)->text = text(102) + " 2";
    for (int id : keyBlockLabels) playerWindow.GetControl(id)->fontName = keyBlockFont;
    const int32_t fieldHeight = playerWindow.GetControl(firstKeyField)->height;
    for (int id : actionLabels) {
        GuiControl* label = playerWindow.GetControl(id);
        label->height = label->relativeHeight = fieldHeight;
        playerWindow.SetControlParams(id, 2, 0, 2);
    }
    for (int slot = 0; slot < keyFieldCount; ++slot) {
        GuiControl* field = playerWindow.GetControl(firstKeyField + slot);
        field->fontName = keyBlockFont;
        field->text = "Taste T";
        field->statusText = text(102) + (slot < 5 ? " 1: " : " 2: ") + text(actionTexts[slot % 5]);
        playerWindow.SetControlParams(firstKeyField + slot, 3, 0, 0, TextMode::KeyCapture);
    }
}

void MenuSystem::refreshPlayerPage() {
    PlayerProfile& profile = *managedPlayer;
    selectItem(playerWindow, 13, profile.name);
    GuiControl* nameField = playerWindow.GetControl(14);
    nameField->text = profile.name;
    nameField->param1 = 0;
    nameField->colourName.clear();
    nameValid = 1;
    playerWindow.SetControlParams(16, 1, (profile.displayFlags & 1) ? 1 : 0);
    playerWindow.SetControlParams(18, 1, (profile.displayFlags & 2) ? 1 : 0);
    playerWindow.SetControlParams(17, 1, profile.displayOption ? 1 : 0);
    playerWindow.SetControlParams(19, 1, profile.rotateDirection ? 1 : 0);
    for (int slot = 0; slot < keyFieldCount; ++slot) showKey(slot);
    refreshPlayerValues();
}

void MenuSystem::refreshPlayerValues() {
    const PlayerProfile& profile = *managedPlayer;
    int preset = ownValuesPreset;
    for (int s = 0; s < ownValuesPreset; ++s) {
        const SpeedPreset values = presetValues(s);
        if (values.delay == profile.keyRepeatDelay &&
            values.interval == profile.keyRepeatInterval &&
            values.softDrop == profile.softDropSpeed) {
            preset = s;
            break;
        }
    }
    selectItem(playerWindow, 21, presetNames[preset]);

    const struct {
        int slider, label;
        uint32_t value;
        const char* format;
        int unit;
    } values[] = {{23, 24, profile.keyRepeatDelay, "%d ", 526},
                  {26, 27, profile.keyRepeatInterval, "%d ", 526},
                  {29, 30, profile.softDropSpeed, "%d ", 527},
                  {51, 50, profile.overlayOpacity, "%d%% ", 514}};
    for (const auto& v : values) {
        playerWindow.GetControl(v.slider)->param1 = static_cast<int32_t>(v.value);
        playerWindow.GetControl(v.label)->text =
            FormatText(std::string(v.format) + text(v.unit), {static_cast<int>(v.value)});
    }
}

// The key field of a slot shows the name of the code the slot holds.
void MenuSystem::showKey(int slot) {
    GuiControl* field = playerWindow.GetControl(firstKeyField + slot);
    const uint32_t code = keySlot(*managedPlayer, slot);
    field->text = input->GetKeyName(static_cast<int>(code));
    field->param2 = static_cast<int32_t>(code);
}

// A key was captured into the field of a slot: refused keys leave the binding; a code already
// bound to another slot of this profile moves there in exchange for the slot's old code.
void MenuSystem::captureKey(int slot) {
    const uint32_t code =
        static_cast<uint32_t>(playerWindow.GetControl(firstKeyField + slot)->param2);
    if (isRefusedKey(code)) {
        showKey(slot);
        return;
    }
    const uint32_t old = keySlot(*managedPlayer, slot);
    for (int other = 0; other < keyFieldCount; ++other) {
        if (other == slot || keySlot(*managedPlayer, other) != code) continue;
        keySlot(*managedPlayer, other) = old;
        showKey(other);
    }
    keySlot(*managedPlayer, slot) = code;
    showKey(slot);
}

void MenuSystem::handlePlayerPage(int id) {
    PlayerProfile& profile = *managedPlayer;
    switch (id) {
    case 99:
        showPage(MainPage);
        break;
    case 11:
        managedPlayer = createPlayer();
        fillPlayerNames();
        refreshPlayerPage();
        // A new name can sort before the panels' names and move them down the list.
        refreshPlayerPanels();
        break;
    case 12: {
        if (profiles.Count() <= 2) break;
        // The question names the player, so the wrong one is not deleted by mistake; a language
        // without that text asks the general question.
        const std::string question =
            text(840).empty() ? text(545) : FormatText(text(840), {profile.name});
        if (ask(12, question, text(546), text(100), text(101), 1) != 1) break;
        deletePlayer();
        refreshPlayerPage();
        break;
    }
    case 13:
        if (PlayerProfile* chosen = profiles.Find(playerWindow.GetControl(13)->text)) {
            managedPlayer = chosen;
            refreshPlayerPage();
        }
        break;
    case 14: {
        GuiControl* field = playerWindow.GetControl(14);
        nameValid = isNameFree(field->text, managedPlayer) ? 1 : 0;
        field->colourName = nameValid ? "" : "red";
        break;
    }
    case 15: {
        const std::string newName = playerWindow.GetControl(14)->text;
        if (!nameValid || newName == profile.name) break;
        renamePlayer(newName);
        selectItem(playerWindow, 13, managedPlayer->name);
        refreshPlayerPanels();
        break;
    }
    case 16:
    case 18: {
        const uint32_t bit = id == 16 ? 1u : 2u;
        if (playerWindow.GetControl(id)->param1)
            profile.displayFlags |= bit;
        else
            profile.displayFlags &= ~bit;
        break;
    }
    case 17:
        profile.displayOption = playerWindow.GetControl(17)->param1 ? 1 : 0;
        break;
    case 19:
        profile.rotateDirection = playerWindow.GetControl(19)->param1 ? 1 : 0;
        break;
    case 21: {
        const std::string& chosen = playerWindow.GetControl(21)->text;
        for (int s = 0; s < ownValuesPreset; ++s) {
            if (chosen != presetNames[s]) continue;
            const SpeedPreset values = presetValues(s);
            profile.keyRepeatDelay = values.delay;
            profile.keyRepeatInterval = values.interval;
            profile.softDropSpeed = values.softDrop;
        }
        refreshPlayerValues();
        break;
    }
    case 23:
        profile.keyRepeatDelay = sliderValue(23);
        refreshPlayerValues();
        break;
    case 26:
        profile.keyRepeatInterval = sliderValue(26);
        refreshPlayerValues();
        break;
    case 29:
        profile.softDropSpeed = sliderValue(29);
        refreshPlayerValues();
        break;
    case 51:
        profile.overlayOpacity = sliderValue(51);
        refreshPlayerValues();
        break;
    default:
        if (id >= firstKeyField && id < firstKeyField + keyFieldCount)
            captureKey(id - firstKeyField);
        break;
    }
}

uint32_t MenuSystem::sliderValue(int id) {
    const int32_t value = playerWindow.GetControl(id)->param1;
    return value < 0 ? 0u : static_cast<uint32_t>(value);
}
