#include "menu/MenuSystem.h"

#include <ctime>

#include "Libs/KeyCodes.h"
#include "game/Random.h"
#include "menu/ControlRow.h"

namespace {

constexpr uint32_t black = 0xFF000000;

constexpr uint32_t defaultPieceColours[7] = {0xFFFF5E00, 0xFFF4E000, 0xFF0093DD, 0xFF84C225,
                                             0xFFB74F8F, 0xFFFFFFFF, 0xFF41C4B0};

// The question dialog: its controls below the framed window.
constexpr ControlRow questionRows[] = {
    {10, ControlKind::Image, 10, 30, 0, 0, Place::Moving, noText, noText, "standard"},
    {11, ControlKind::Label, 40, -20, 230, 70, Place::Moving, noText, noText, "standard"},
    {12, ControlKind::Button, 0, 60, 100, 22, Place::Moving, 100, noText, "button"},
    {13, ControlKind::Button, 110, 0, 100, 22, Place::Moving, 101, noText, "button"},
};

} // namespace

const MenuSystem::TextureFile MenuSystem::fixedTextures[] = {
    {&MenuSystem::menuImage, "images/Menu_Menu.png"},
    {&MenuSystem::playerImage, "images/Menu_Spieler.png"},
    {&MenuSystem::statusImage, "images/Menu_Status.png"},
    {&MenuSystem::iconSingle, "images/Icon_Single.png"},
    {&MenuSystem::iconMulti, "images/Icon_Multi.png"},
    {&MenuSystem::iconReturn, "images/Icon_Return.png"},
    {&MenuSystem::iconOptions, "images/Icon_Options.png"},
    {&MenuSystem::iconManage, "images/Icon_Manage.png"},
    {&MenuSystem::iconScore, "images/Icon_Score.png"},
    {&MenuSystem::iconEnd, "images/Icon_End.png"},
    {&MenuSystem::iconBack, "images/Icon_Back.png"},
    {&MenuSystem::iconNew, "images/Icon_New.png"},
    {&MenuSystem::iconDelete, "images/Icon_Delete.png"},
    {&MenuSystem::iconQuestion, "images/Icon_Question.png"},
    {&MenuSystem::gameDisplay, "images/Spiel_Anzeige.png"},
    {&MenuSystem::gameField, "images/Spiel_Feld.png"},
    {&MenuSystem::gameNext, "images/Spiel_Next.png"},
    {&MenuSystem::gameParticle, "images/Spiel_Partikel.bmp"},
    {&MenuSystem::gameSlider, "images/Spiel_Slider.bmp"},
    {&MenuSystem::gameSliderMark, "images/Spiel_Slider_.bmp"},
};

void MenuSystem::build(DirectXLib& directXLib, InputLib& inputLib) {
    directX = &directXLib;
    input = &inputLib;
    Random::Seed(static_cast<uint32_t>(std::time(nullptr)));

    statusFont.Create("Arial", 20, 0);
    captionFont.Create("Arial", 20, 1);
    bigFont.Create("Arial", 40, 1);

    loadProfilesAndSettings();
    loadLanguage();

    Sound* sounds[] = {&rotateSound, &hitSound, &rowSound};
    const char* soundFiles[] = {"sounds/rotate.wav", "sounds/hit.wav", "sounds/row.wav"};
    for (int i = 0; i < 3; ++i) {
        sounds[i]->Load(soundFiles[i]);
        sounds[i]->SetVolume(settings.soundVolume, 0);
    }

    for (int i = 0; i < 2 && profiles.Count() < 2; ++i) createPlayer();
    resolvePlayersAndBackground();

    page = MainPage;
    requestedGame = 0;
    pausedGame = 0;
    fadeAmount = 0;
    fadeCarry = 0;
    fadeTick = 0;
    for (int i = 0; i < 7; ++i) pieceColours[i] = defaultPieceColours[i];
    boardContext.particleCount = settings.particleCount;
    boardContext.sounds = this;
    boardContext.keyRepeat = this;
    boardContext.inputEvent = &input->event;

    buildBlockSetList();
    reloadTextures();
    fillPlayerNames();
    buildSkinList();
    guiManager.LoadSkin(settings.skinName, directX, input);

    buildMainWindow();
    buildSettingsWindow();
    buildPlayerWindow();
    refreshPlayerPage();
    buildScoreWindow();
    buildQuestionWindow();
    buildNetworkWindow();
    for (int p = MainPage; p <= ScorePage; ++p) addPlayerPanel(pageWindow(p));
    currentWindow = &mainWindow;
}

void MenuSystem::reloadTextures() {
    background.Load("images/background/" + settings.backgroundName + ".jpg", 0);
    for (const TextureFile& t : fixedTextures) (this->*t.texture).Load(t.file, 0);
    languagePicture.Load("language/" + settings.languageName + ".bmp", 0);
    block.Load("images/block/" + settings.blockSetName + ".png", magentaKey);
    outroParticle.Load("images/Outro_Partikel.bmp", 0);
}

void MenuSystem::releaseTextures() {
    background.ReleaseResource();
    for (const TextureFile& t : fixedTextures) (this->*t.texture).ReleaseResource();
    languagePicture.ReleaseResource();
    block.ReleaseResource();
}

GuiWindow& MenuSystem::pageWindow(int pageIndex) {
    switch (pageIndex) {
    case SettingsPage:
        return settingsWindow;
    case PlayerPage:
        return playerWindow;
    case ScorePage:
        return scoreWindow;
    default:
        return mainWindow;
    }
}

// Page windows are frameless; the focused control's status text shows bottom left.
void MenuSystem::setupPage(GuiWindow& window, const char* title, int heading) {
    window.SetupWindow(0, 0, 100, 100, 0, title, "status", "status");
    window.statusX = 40;
    window.statusY = 711;
    window.statusWidth = 580;
    window.statusHeight = 46;
    const ControlRow headingRow[] = {
        {10, ControlKind::Label, 150, 79, 490, 100, Place::Moving, heading, noText, "big"}};
    addControls(window, language, headingRow);
    window.SetControlParams(10, 2, 1, 0, 0, nullptr, nullptr);
}

void MenuSystem::buildQuestionWindow() {
    questionWindow.SetupWindow(230, 266, 300, 100, 1, "Kurze Frage", "window", "window");
    addControls(questionWindow, language, questionRows);
    questionWindow.GetControl(11)->text = "Frage";
    questionWindow.SetControlParams(10, 4, 0, 0, 0, &iconQuestion, nullptr);
}

int MenuSystem::ask(int id, const std::string& question, const std::string& caption,
                    const std::string& yes, const std::string& no, int confirm) {
    if (answerReady) {
        answerReady = 0;
        return (confirm && answer == 1) ? 0 : 1;
    }
    questionOpen = 1;
    pendingId = id;
    questionWindow.title = caption;
    questionWindow.GetControl(11)->text = question;
    questionWindow.GetControl(12)->text = yes;
    questionWindow.GetControl(13)->text = no;
    questionWindow.SetFocus(12, 0);
    return 0;
}

void MenuSystem::showPage(int newPage) {
    copyPlayerPanel(*currentWindow);
    page = newPage;
    currentWindow = &pageWindow(newPage);
}

// Hands one activated id to the current page and then to the player panel. Answers 0 when the
// main menu asked for a game.
int MenuSystem::dispatch(int id) {
    int result = 1;
    switch (page) {
    case MainPage:
        result = handleMainMenu(id);
        break;
    case SettingsPage:
        handleSettings(id);
        break;
    case PlayerPage:
        handlePlayerPage(id);
        break;
    case ScorePage:
        handleScorePage(id);
        break;
    default:
        break;
    }
    if (result == 0) return 0;
    if (page != CreditsPage) handlePlayerPanel(id);
    return 1;
}

// The dialog was answered with button 12 (yes) or 13 (no): the handler that asked runs again.
int MenuSystem::answerQuestion(int id) {
    answer = id - 12;
    questionOpen = 0;
    answerReady = 1;
    int result = dispatch(pendingId);
    // A handler that no longer asks must not leave a stale answer for the next question.
    answerReady = 0;
    return result;
}

// One keyboard event (mode 2) or mouse event (mode 1): to the dialog while it is open, else to
// the page. Answers 0 when a game is to start.
int MenuSystem::routeEvent(int mode) {
    const bool escapePressed =
        mode == 2 && input->event.offset == KeyEscape && input->event.data == 0x80;
    int id = -1;
    if (networkOpen) return routeNetworkEvent(mode);
    if (questionOpen) {
        int result = questionWindow.RunFrame(mode, id);
        // Escape, like the dialog's close button, answers no.
        if (result < 0 || (result == 0 && escapePressed))
            id = 13;
        else if (result == 0)
            return 1;
        if (id != 12 && id != 13) return 1;
        return answerQuestion(id);
    }
    int result = currentWindow->RunFrame(mode, id);
    if (result <= 0) {
        if (mode != 2 || !input->event.IsPress()) return 1;
        // The digits type into a text field; they are no shortcuts there.
        const bool digit = input->event.offset >= KeyDigit1 && input->event.offset <= KeyDigit0;
        if (digit && currentWindow->TypingText()) return 1;
        switch (input->event.offset) {
        case KeyEscape:
            id = 99;
            break;
        case KeyDigit1:
            id = 92;
            break;
        case KeyDigit2:
            id = 93;
            break;
        case KeyDigit3:
            id = 94;
            break;
        default:
            return 1;
        }
    }
    return dispatch(id);
}

int MenuSystem::update(uint32_t elapsed) {
    if (page == CreditsPage) {
        runCredits(elapsed / 10);
        return 1;
    }
    background.Draw(0, 0, 0, 0, 0, 0.0f, 0, 0);
    statusImage.Draw(0, 567, 0, 0, 0, 0.0f, 0, 0);
    drawVersionLine();
    menuImage.Draw(50, 70, 0, 0, 0, 0.0f, 0, 0);
    playerImage.Draw(760, 200, 0, 0, 0, 0.0f, 0, 0);
    currentWindow->DrawWindow();
    if (networkOpen) networkWindow.DrawWindow();
    if (questionOpen) questionWindow.DrawWindow();

    bool hadEvent = false;
    while (readMenuKey()) {
        hadEvent = true;
        if (routeEvent(2) == 0) return 0;
        if (page == CreditsPage) return 1;
    }
    while (input->ReadMouse(0, 1, 1)) {
        hadEvent = true;
        if (routeEvent(1) == 0) return 0;
        if (page == CreditsPage) return 1;
    }
    if (hadEvent) return 1;

    int id = -1;
    if (networkOpen) return runNetworkDialog();
    if (questionOpen) {
        int result = questionWindow.RunFrame(0, id);
        if (result > 0 && (id == 12 || id == 13)) return answerQuestion(id);
        return 1;
    }
    if (currentWindow->RunFrame(0, id) <= 0) id = 0;
    return dispatch(id);
}

// A pad steers the menus like the arrow keys, Return and Escape, except while a key field
// waits for a key: then each of its buttons is a key to bind.
int MenuSystem::readMenuKey() {
    const bool capturing = !questionOpen && currentWindow->CapturingKeys();
    input->padMeaning = capturing ? PadMeaning::OwnCodes : PadMeaning::Menus;
    return input->ReadKey(1, 1, 0);
}

void MenuSystem::drawVersionLine() {
    directX->DrawText(905, 610, text(104) + " " + directX->versionText, &statusFont, black, 0, 0, 0,
                      1);
}

std::vector<SaveFailure> MenuSystem::saveSettings() {
    rotateSound.Unload();
    hitSound.Unload();
    rowSound.Unload();
    return saveProfilesAndSettings();
}

void MenuSystem::playRotate() {
    rotateSound.Play(1);
}
void MenuSystem::playHit() {
    hitSound.Play(1);
}
void MenuSystem::playRow() {
    rowSound.Play(1);
}
void MenuSystem::SetKeyRepeat(int key, int firstDelay, int interval) {
    input->SetKeyRepeat(key, firstDelay, interval);
}

void MenuSystem::selectItem(GuiWindow& window, int id, const std::string& item) {
    GuiControl* list = window.GetControl(id);
    if (list == nullptr) return;
    list->text = item;
    const ItemList& items = list->param4.items;
    for (int i = 0; i < items.Count(); ++i) {
        if (*items.Item(i) == item) {
            list->param1 = i;
            return;
        }
    }
}

// An image control takes the size of its picture.
void MenuSystem::fitImage(GuiWindow& window, int id) {
    GuiControl* image = window.GetControl(id);
    if (image == nullptr || image->param4.texture == nullptr) return;
    image->width = image->relativeWidth = image->param4.texture->width;
    image->height = image->relativeHeight = image->param4.texture->height;
}
