// The settings page: background, particles, volume, skin, language and block set.
#include "menu/MenuSystem.h"

#include "game/Random.h"
#include "menu/ControlRow.h"
#include "storage/TextFormat.h"

namespace {

constexpr ControlRow settingsRows[] = {
    {99, ControlKind::Button, -10, 100, 230, 50, Place::Moving, 325, 326, "button"},
    {12, ControlKind::Label, 30, 80, 230, 50, Place::Moving, 400, noText, "standard"},
    {13, ControlKind::ComboBox, 0, 17, 150, 50, Place::Moving, noText, 401, "standard"},
    {14, ControlKind::Button, 170, 0, 80, 22, Place::Keeping, 402, 403, "standard"},
    {15, ControlKind::RadioButton, 0, 35, 250, 18, Place::Moving, 404, 405, "standard"},
    {16, ControlKind::RadioButton, 0, 20, 250, 18, Place::Moving, 406, 407, "standard"},
    {17, ControlKind::RadioButton, 0, 20, 250, 18, Place::Moving, 408, 409, "standard"},
    {20, ControlKind::Label, 0, 50, 100, 50, Place::Moving, 413, noText, "standard"},
    {21, ControlKind::Slider, 0, 17, 150, 25, Place::Moving, noText, 414, "standard"},
    {22, ControlKind::Label, 166, 0, 100, 50, Place::Keeping, noText, noText, "standard"},
    {23, ControlKind::Label, 0, 50, 100, 50, Place::Moving, 415, noText, "standard"},
    {24, ControlKind::Slider, 0, 17, 150, 25, Place::Moving, noText, 416, "standard"},
    {25, ControlKind::Label, 166, 0, 100, 50, Place::Keeping, noText, noText, "standard"},
    {40, ControlKind::Label, 290, -226, 230, 50, Place::Moving, 410, noText, "standard"},
    {41, ControlKind::ComboBox, 0, 17, 150, 50, Place::Moving, noText, 411, "standard"},
    {42, ControlKind::Label, 0, 30, 230, 50, Place::Moving, 417, noText, "standard"},
    {43, ControlKind::ComboBox, 0, 17, 150, 50, Place::Moving, noText, 418, "standard"},
    {44, ControlKind::Image, 40, 35, 0, 0, Place::Moving, noText, noText, "standard"},
    {45, ControlKind::Label, -40, 45, 230, 50, Place::Moving, 419, noText, "standard"},
    {46, ControlKind::ComboBox, 0, 17, 150, 50, Place::Moving, noText, 420, "standard"},
    {47, ControlKind::Image, 49, 35, 0, 0, Place::Moving, noText, noText, "standard"},
};

constexpr int listRows = 10;

} // namespace

void MenuSystem::buildSettingsWindow() {
    setupPage(settingsWindow, "Einstellungen", 317);
    addControls(settingsWindow, language, settingsRows);
    settingsWindow.SetControlParams(99, 4, 5, 0, 0, &iconBack);

    const struct {
        int id;
        NameList* items;
        const std::string& chosen;
    } lists[] = {{13, &backgrounds, settings.backgroundName},
                 {41, &skins, settings.skinName},
                 {43, &languages, settings.languageName},
                 {46, &blockSets, settings.blockSetName}};
    for (const auto& list : lists) {
        settingsWindow.SetControlParams(list.id, 4, 0, listRows, 0, list.items);
        selectItem(settingsWindow, list.id, list.chosen);
    }
    settingsWindow.SetControlParams(15 + settings.backgroundKind, 1, 1);
    settingsWindow.SetControlParams(21, 3, settings.particleCount, 10, 500);
    settingsWindow.SetControlParams(24, 3, settings.soundVolume, 0, 100);
    settingsWindow.GetControl(22)->text = FormatText("%d %s", {settings.particleCount, text(412)});
    settingsWindow.GetControl(25)->text = FormatText("%d%%", {settings.soundVolume});
    settingsWindow.SetControlParams(44, 4, 0, 0, 0, &languagePicture);
    settingsWindow.SetControlParams(47, 4, 0, 0, 0, &block);
    fitImage(settingsWindow, 44);
    fitImage(settingsWindow, 47);
}

// A newly chosen background covers the page and fades away in about a second (4 ms a step).
void MenuSystem::runBackgroundFade() {
    if (fadeAmount <= 0) return;
    const uint32_t now = GetTickCount();
    const uint32_t time = (now - fadeTick) + fadeCarry;
    fadeTick = now;
    fadeAmount -= static_cast<int32_t>(time / 4);
    fadeCarry = time % 4;
    if (fadeAmount < 0) fadeAmount = 0;
    background.Draw(0, 0, 0, 0, 255 - fadeAmount, 0.0f, 0, 0);
}

void MenuSystem::useBackground(int index) {
    settings.backgroundIndex = index;
    settings.backgroundName = backgroundTitle(index);
    selectItem(settingsWindow, 13, settings.backgroundName);
    background.Load("images/background/" + settings.backgroundName + ".jpg", 0);
}

int MenuSystem::useRandomBackground() {
    const int count = backgroundCount();
    if (count <= 0) return 0;
    useBackground(Random::Draw() % count);
    return 1;
}

void MenuSystem::startBackgroundFade() {
    fadeAmount = 255;
    fadeCarry = 0;
    fadeTick = GetTickCount();
}

void MenuSystem::handleSettings(int id) {
    runBackgroundFade();
    GuiControl* control = settingsWindow.GetControl(id);
    switch (id) {
    case 99:
        showPage(MainPage);
        break;
    case 13:
        useBackground(control->param1);
        startBackgroundFade();
        break;
    case 14:
        if (useRandomBackground()) startBackgroundFade();
        break;
    case 15:
    case 16:
    case 17:
        for (int radio = 15; radio <= 17; ++radio)
            settingsWindow.SetControlParams(radio, 1, radio == id ? 1 : 0);
        settings.backgroundKind = id - 15;
        break;
    case 21:
        settings.particleCount = control->param1;
        boardContext.particleCount = settings.particleCount;
        settingsWindow.GetControl(22)->text =
            FormatText("%d %s", {settings.particleCount, text(412)});
        break;
    case 24:
        settings.soundVolume = control->param1;
        settingsWindow.GetControl(25)->text = FormatText("%d%%", {settings.soundVolume});
        rotateSound.SetVolume(settings.soundVolume, 0);
        hitSound.SetVolume(settings.soundVolume, 0);
        rowSound.SetVolume(settings.soundVolume, 0);
        break;
    case 41:
        settings.skinName = control->text;
        guiManager.LoadSkin(settings.skinName, nullptr, nullptr);
        break;
    case 43:
        // The texts follow at the next start, when the language file is read again.
        settings.languageName = control->text;
        languagePicture.Load("language/" + settings.languageName + ".bmp", 0);
        fitImage(settingsWindow, 44);
        break;
    case 46:
        settings.blockSetName = control->text;
        block.Load("images/block/" + settings.blockSetName + ".png", magentaKey);
        fitImage(settingsWindow, 47);
        break;
    default:
        break;
    }
}
