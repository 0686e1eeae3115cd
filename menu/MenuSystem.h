#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Libs/Platform.h"
#include "game/BoardContext.h"
#include "gui/GuiManager.h"
#include "gui/GuiWindow.h"
#include "net/Session.h"
#include "storage/ContentLists.h"
#include "storage/KeyedTable.h"
#include "storage/LanguageTable.h"
#include "storage/PlayerProfile.h"
#include "storage/Settings.h"

// A string-keyed list whose keys are the items a combo box shows.
using NameList = KeyedTable<std::string, int32_t>;

// One particle of the closing credits' spiral.
struct OutroParticle {
    float x = 0, y = 0;
    float radius = 0; // 0..1 of the spiral's reach
    float angle = 0;  // half turns
    float angularSpeed = 0;
    float spin = 0; // quarter turns
    float spinSpeed = 0;
    uint32_t colour = 0;
    int32_t active = 0;
};

// Everything the player sees outside a running game: the background, the four menu pages, the
// question dialog, the player panel and the credits. It owns the settings, the profiles, the
// language texts and every texture, sound and font the game screen draws with.
class MenuSystem : public BoardSounds, public KeyRepeatControl {
public:
    // Pages, in the order of `page`.
    enum Page { MainPage = 0, SettingsPage = 1, PlayerPage = 2, ScorePage = 3, CreditsPage = 4 };
    static constexpr int particleTotal = 1000;
    static constexpr int decimalMarkText = 930; // the language's decimal mark ("," or ".")
    // The colour key of the block sets: their pictures are see-through where they are magenta.
    static constexpr uint32_t magentaKey = 0xFFFF00FF;

    MenuSystem() = default;
    MenuSystem(const MenuSystem&) = delete;
    MenuSystem& operator=(const MenuSystem&) = delete;

    // Once at start-up: content, settings, profiles, textures, skin and all windows.
    void build(DirectXLib& directX, InputLib& input);
    // Once per frame while the menus are shown: 0 when a game is to start now, 1 otherwise.
    int update(uint32_t elapsed);
    // Non-zero while a network game is connected or awaited: it runs on behind other windows,
    // since the other player's game does.
    int talksToNetwork() const {
        const net::Session::Phase phase = session.phase();
        return phase != net::Session::Idle && phase != net::Session::Closed ? 1 : 0;
    }
    void releaseTextures();
    void reloadTextures();
    // At shutdown: every profile, then the settings file; the files that could not be saved,
    // and why.
    std::vector<SaveFailure> saveSettings();
    // The re-entrant yes/no dialog: first call opens it (0); once answered the handler runs
    // again with the same id and this returns 1 (0 for "no" when confirm is set).
    int ask(int id, const std::string& question, const std::string& caption, const std::string& yes,
            const std::string& no, int confirm);

    // Page handlers, called with every activated id and with 0 in a frame without input.
    int handleMainMenu(int id);
    void handleSettings(int id);
    void handlePlayerPage(int id);
    void handleScorePage(int id);
    void handlePlayerPanel(int id);

    void showPage(int newPage);
    void refreshPlayerPage();
    void refreshPlayerValues();
    void buildStatisticsRows();
    void startCredits();
    void runCredits(uint32_t ticks);

    GuiWindow& pageWindow(int pageIndex);
    const std::string& text(int id) { return language.Text(id); }

    // Window building.
    void setupPage(GuiWindow& window, const char* title, int heading);
    void buildMainWindow();
    void buildSettingsWindow();
    void buildPlayerWindow();
    void buildScoreWindow();
    void buildQuestionWindow();
    void addPlayerPanel(GuiWindow& window);

    // Input routing and the question dialog.
    int readMenuKey();
    int routeEvent(int mode);
    int dispatch(int id);
    int answerQuestion(int id);
    void drawVersionLine();

    // The network dialog (NetworkDialog.cpp): host, join or cancel; 0 once the other player is
    // there and the online game is to start.
    void buildNetworkWindow();
    void openNetworkDialog();
    int routeNetworkEvent(int mode);
    int runNetworkDialog();
    void closeNetworkDialog();
    void hostNetworkGame();
    void joinNetworkGame();
    void joinRelayRoom();
    void showAttempt(bool started);
    std::string failureText(net::Failure failure);

    // The player panel.
    void copyPlayerPanel(GuiWindow& from);
    void refreshPlayerPanels();
    // Shows an item of a combo box by its text (index and text together).
    void selectItem(GuiWindow& window, int id, const std::string& item);

    // Settings page.
    void runBackgroundFade();
    // The picture at index becomes the background: settings, the settings page's list, texture.
    void useBackground(int index);
    // A random picture of the list becomes the background; 0 when the list is empty.
    int useRandomBackground();
    void startBackgroundFade();
    int backgroundCount() const { return backgrounds.Count(); }
    std::string backgroundTitle(int index) const { return titleAt(backgrounds, index); }
    void fitImage(GuiWindow& window, int id);

    // Player page.
    void showKey(int slot);
    void captureKey(int slot);
    uint32_t sliderValue(int id);

    // Credits.
    struct CreditTexts {
        std::string title;         // "brixel, a game by" and the authors
        std::string thanksHeading; // above the thanks
        std::string thanks;        // several lines
        std::string contact;       // the bottom line
    };
    CreditTexts creditTexts();
    void moveCreditParticles();
    void drawCredits();

    // Profiles, settings and content lists.
    void loadProfilesAndSettings();
    std::vector<SaveFailure> saveProfilesAndSettings();
    void loadLanguage();
    void resolvePlayersAndBackground();
    void buildBlockSetList();
    void buildSkinList();
    void fillPlayerNames();
    PlayerProfile* createPlayer();
    void deletePlayer();
    void renamePlayer(const std::string& newName);
    bool isNameFree(const std::string& name, const PlayerProfile* own) const;
    PlayerProfile* nextProfile(const PlayerProfile* profile);

    // BoardSounds and KeyRepeatControl: the boards play the menu's sounds and set key repeat.
    void playRotate() override;
    void playHit() override;
    void playRow() override;
    void SetKeyRepeat(int key, int firstDelay, int interval) override;

    // --- what the game and the platform share with the menus ---
    DirectXLib* directX = nullptr;
    InputLib* input = nullptr;

    // Textures and fonts the game screen draws with (released around a lost device).
    Texture background;
    Texture iconScore;   // the result dialog's icon
    Texture gameDisplay; // images/Spiel_Anzeige.png: the single-player status panel
    Texture gameField;   // images/Spiel_Feld.png
    Texture gameNext;    // images/Spiel_Next.png
    Texture gameParticle;
    Texture gameSlider;
    Texture gameSliderMark; // images/Spiel_Slider_.bmp
    Texture block;
    uint32_t pieceColours[7] = {};

    Font statusFont;  // "Arial" 20
    Font captionFont; // "Arial" 20 bold
    Font bigFont;     // "Arial" 40 bold

    int32_t requestedGame = 0; // 0 one player, 1 two players
    int32_t pausedGame = 0;    // 0 none, 1 one player, 2 two players (set by the game)

    // particleCount, the garbage counts and buffers, the sounds and key repeat for the boards.
    BoardContext boardContext;

    Settings settings;
    ProfileList profiles;
    PlayerProfile* player1 = nullptr;
    PlayerProfile* player2 = nullptr;

    // The connection of an online game: opened by the network dialog, played by the game.
    net::Session session;

private:
    // The tests set up and look at the menus' own state through it (tests/support).
    friend struct MenuSystemTestAccess;

    // The fixed pictures that reloadTextures loads, without a colour key.
    struct TextureFile {
        Texture MenuSystem::*texture;
        const char* file;
    };
    static const TextureFile fixedTextures[];

    // --- the menus' own data ---
    GuiManager guiManager;

    GuiWindow mainWindow;
    GuiWindow settingsWindow;
    GuiWindow playerWindow;
    GuiWindow scoreWindow;
    GuiWindow questionWindow;
    GuiWindow* currentWindow = &mainWindow;

    // Item lists shown by the combo boxes and the statistics table.
    NameList playerNames;
    NameList singleModes;
    NameList twoPlayerModes;
    NameList backgrounds;
    NameList speedPresets;
    NameList skins;
    NameList languages;
    NameList blockSets;
    ColumnTable scoreColumns;
    RowTable scoreRows;

    LanguageTable language;

    // The menus' own textures (all but outroParticle released around a lost device).
    Texture menuImage;   // images/Menu_Menu.png
    Texture playerImage; // images/Menu_Spieler.png
    Texture statusImage; // images/Menu_Status.png
    Texture iconSingle, iconMulti, iconReturn, iconOptions, iconManage, iconEnd, iconBack, iconNew,
        iconDelete, iconQuestion;
    Texture languagePicture;
    Texture outroParticle;

    Sound rotateSound;
    Sound hitSound;
    Sound rowSound;

    int32_t page = MainPage;
    // The background fade of the settings page.
    int32_t fadeAmount = 0;
    uint32_t fadeCarry = 0;
    uint32_t fadeTick = 0;
    int32_t nameValid = 1;
    std::string presetNames[6]; // the speed preset items, by preset index (5: own values)

    GuiWindow networkWindow;
    int32_t networkOpen = 0;

    int32_t questionOpen = 0;
    int32_t pendingId = 0;
    int32_t answerReady = 0;
    int32_t answer = 0; // 0 yes, 1 no

    PlayerProfile* managedPlayer = nullptr;

    // The credits.
    OutroParticle particles[particleTotal];
    int32_t outroMode = 0;
    int32_t spawnCounter = 0;
    float swirl = 0.7f;
    float drift = 0.9f;
};
