// The player's whole journey in one process: the real platform objects on SDL's dummy drivers,
// the real menus and game flow, the real frame loop, a test clock and made-up input. At the end
// it looks at what a player would find in the working folder.
#include <gtest/gtest.h>

#include "tests/TestSupport.h"
#include "tests/support/FrameAccess.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "Libs/KeyCodes.h"
#include "Libs/Platform.h"
#include "app/FrameLoop.h"
#include "game/Game.h"
#include "game/Random.h"
#include "menu/MenuSystem.h"
#include "storage/ProfileStore.h"
#include "tests/support/GameTestAccess.h"
#include "tests/support/MenuSystemTestAccess.h"
#include "tests/support/SyntheticInput.h"
#include "tests/support/VirtualPad.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t KeyQ = 16;
constexpr uint32_t LeftButton = 12;
constexpr uint32_t Pressed = 0x80;
constexpr int SdlScancodeF11 = 68; // F11 goes the whole road: the platform's watch and InputLib
constexpr uint32_t FrameMs = 20;

uint32_t clockNow = 1000;
uint32_t TestClock() {
    return clockNow;
}

using Loop = FrameLoop<DirectXLib, InputLib, MenuSystem, Game>;

// A fresh working folder holding links to the game's content, left and removed at the end.
struct WorkingFolder {
    fs::path previous;
    fs::path folder;

    bool Enter() {
        previous = fs::current_path();
        folder = MakeTestFolder("brixel-journey-");
        if (folder.empty()) return false;
        for (const char* content : {"images", "sounds", "skin", "language"})
            if (!LinkFolder(fs::path(BRIXEL_SOURCE_DIR) / "content" / content, folder / content))
                return false;
        fs::current_path(folder);
        return true;
    }
    // BRIXEL_JOURNEY_KEEP set: the folder stays for a look at what the journey left.
    void Leave() {
        if (folder.empty()) return;
        fs::current_path(previous);
        if (std::getenv("BRIXEL_JOURNEY_KEEP")) {
            std::printf("journey: the working folder stays at %s\n", folder.string().c_str());
            return;
        }
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

// The platform objects as the game's entry makes them, here on SDL's dummy drivers.
struct PlatformObjects {
    DirectXLib directX;
    InputLib input;
    SoundLib sound;
    PlatformObjects() {
        directX.CreateMainWindow("brixel", 107, 108, 1, "1.2");
        directX.InitDirect3D(1024, 768, 32, 2);
        input.Init();
        sound.Init(1);
    }
    // The entry's shutdown order; the window goes last.
    ~PlatformObjects() {
        sound.Shutdown();
        input.Release();
    }
};

// The player at the keyboard and mouse, one frame of 20 ms at a time.
struct Player {
    DirectXLib& directX;
    InputLib& input;
    Loop& loop;
    int frames = 0;

    void Frame() {
        clockNow += FrameMs;
        loop.RunFrame();
        ++frames;
    }
    // Frames until done() holds, each after step(); false when the budget runs out first.
    bool RunUntil(
        int budget, const std::function<bool()>& done, const std::function<void()>& step = [] {}) {
        for (int i = 0; i < budget; ++i) {
            if (done()) return true;
            step();
            Frame();
        }
        return done();
    }
    void Key(uint32_t code, uint32_t data) {
        InputEvent event;
        event.offset = code;
        event.data = data;
        input.PushKeyboardEvent(event);
    }
    // Press and release before the next frame.
    void Tap(uint32_t code) {
        Key(code, Pressed);
        Key(code, 0);
    }
    void TapAndFrame(uint32_t code) {
        Tap(code);
        Frame();
    }
    // Half a second of frames: a result dialog takes keys only after that.
    void ReadResult() {
        for (uint32_t waited = 0; waited < 500; waited += FrameMs) Frame();
    }
    // The mouse at the point, the left button pressed and released there, then one frame. The
    // pointer is placed after the previous frame's end, which reads the system's pointer.
    void Click(int x, int y) {
        directX.mouseX = x;
        directX.mouseY = y;
        InputEvent event;
        event.offset = LeftButton;
        event.data = Pressed;
        input.PushMouseEvent(event);
        event.data = 0;
        input.PushMouseEvent(event);
        Frame();
    }
    void ClickControl(GuiWindow& window, int id) {
        GuiControl* control = window.GetControl(id);
        ASSERT_NE(nullptr, control) << "control " << id << " is missing";
        // A check box is clicked on its box at the left.
        const int x = control->kind == ControlKind::CheckBox ? control->x + 5
                                                             : control->x + control->width / 2;
        Click(x, control->y + control->height / 2);
    }
};

// The menus, the game and the frame loop as the entry builds them, the random numbers seeded
// before the game sets up.
struct Session {
    MenuSystem menus;
    MenuSystemTestAccess menuState{menus};
    Game game;
    GameTestAccess gameState{game};
    Loop loop;
    Player player;

    Session(PlatformObjects& platform, uint32_t seed)
        : loop(platform.directX, platform.input, menus, game), player{platform.directX,
                                                                      platform.input, loop} {
        menus.build(platform.directX, platform.input);
        Random::Seed(seed);
        game.setup(menus);
        loop.Start();
    }
};

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Little(const std::string& bytes, size_t at, int size) {
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
    return v;
}

// Distinct colours of a 24- or 32-bit BMP; 0 when the file is no such picture.
size_t BmpColourCount(const std::string& bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return 0;
    const uint32_t data = Little(bytes, 10, 4);
    const uint32_t bits = Little(bytes, 28, 2);
    if (bits != 24 && bits != 32) return 0;
    std::set<uint32_t> colours;
    const size_t step = bits / 8;
    for (size_t at = data; at + 3 <= bytes.size(); at += step) colours.insert(Little(bytes, at, 3));
    return colours.size();
}

// One pixel of a bottom-up 24-bit BMP as RGB; 0xFFFFFFFF when outside the picture.
uint32_t BmpPixel(const std::string& bytes, int x, int y) {
    if (bytes.size() < 54 || Little(bytes, 28, 2) != 24) return 0xFFFFFFFFu;
    const int width = static_cast<int>(Little(bytes, 18, 4));
    const int height = static_cast<int>(Little(bytes, 22, 4));
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFFu;
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    const size_t at = Little(bytes, 10, 4) + (height - 1 - y) * rowBytes + x * 3;
    if (at + 3 > bytes.size()) return 0xFFFFFFFFu;
    return Little(bytes, at, 3);
}

struct Sample {
    int x, y;
    uint32_t rgb;
};

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The keys of the settings file's lines, in file order.
std::vector<std::string> IniKeys(const std::string& text) {
    std::vector<std::string> keys;
    for (const std::string& line : SplitLines(text)) {
        size_t equals = line.find('=');
        if (equals != std::string::npos) keys.push_back(line.substr(0, equals));
    }
    return keys;
}

std::string IniValue(const std::string& text, const std::string& key) {
    size_t at = text.find(key + "=");
    if (at == std::string::npos) return "(missing)";
    at += key.size() + 1;
    return text.substr(at, text.find_first_of("\r\n", at) - at);
}

// The result dialog's label tells of the player, with every placeholder filled.
void ExpectResultShown(Game& game, const std::string& playerName) {
    GuiControl* label = game.dialog().GetControl(Game::ResultLabel);
    ASSERT_NE(nullptr, label) << "the result dialog has no label";
    EXPECT_NE(std::string::npos, label->text.find(playerName))
        << "expected the result to name " << playerName << ", got \"" << label->text << "\"";
    EXPECT_EQ(std::string::npos, label->text.find('%'))
        << "a placeholder was left in the result \"" << label->text << "\"";
}

} // namespace

TEST(Journey, MenusGamesPagesScreenshotCreditsAndWhatIsLeftOnDisk) {
    WorkingFolder work;
    ASSERT_TRUE(work.Enter()) << "could not prepare a working folder with the content";
    SetTickSource(TestClock);

    int frameCount = 0;
    std::vector<Sample> shown;
    int gamesBefore = -1, gamesAfterAssisted = -1, gamesAfterAlone = -1;
    {
        PlatformObjects platform;
        DirectXLib& directX = platform.directX;
        {
            Session session(platform, 20261209);
            MenuSystem& menus = session.menus;
            MenuSystemTestAccess& menuState = session.menuState;
            Game& game = session.game;
            GameTestAccess& gameState = session.gameState;
            Loop& loop = session.loop;
            Player& player = session.player;

            // --- the main menu ---
            ASSERT_TRUE(player.RunUntil(5, [&] { return player.frames >= 5; }));
            ASSERT_EQ(DirectXLib::Active, directX.windowState) << "the window is not active";
            ASSERT_EQ(MenuSystem::MainPage, menuState.page)
                << "the game did not open on the main menu";
            ASSERT_EQ(Loop::MenusRun, loop.programState);
            gamesBefore = static_cast<int>(menus.player1->gamesPlayed);

            // --- a one-player game: the computer helps, then the player drops until lost ---
            player.ClickControl(menuState.mainWindow, 11);
            ASSERT_EQ(Loop::GameRuns, loop.programState) << "button 11 did not start a game";
            ASSERT_EQ(1, menus.pausedGame) << "no one-player game under way";
            player.TapAndFrame(KeyF1);
            EXPECT_EQ(1, gameState.singleBoard.aiMode)
                << "F1 should hand the board to the computer";
            // The computer steers each new piece; it falls at the game's own pace.
            const int piecesBeforeComputer = gameState.singleBoard.pieces;
            ASSERT_TRUE(player.RunUntil(4000,
                                        [&] {
                                            return gameState.dialogOpen != 0 ||
                                                   gameState.singleBoard.pieces >=
                                                       piecesBeforeComputer + 3;
                                        }))
                << "the computer placed " << gameState.singleBoard.pieces - piecesBeforeComputer
                << " pieces in 4000 frames, not 3";
            ASSERT_EQ(0, gameState.dialogOpen) << "the computer lost its first pieces";
            player.Tap(KeyF1);
            player.TapAndFrame(KeyF1);
            EXPECT_EQ(0, gameState.singleBoard.aiMode) << "F1 twice more should give control back";
            EXPECT_EQ(1, gameState.singleBoard.assisted);
            ASSERT_TRUE(player.RunUntil(
                3000, [&] { return gameState.dialogOpen != 0; }, [&] { player.Tap(KeySpace); }))
                << "hard drops did not end the assisted game within 3000 frames";
            EXPECT_EQ(&gameState.singlePlayerDialog, &game.dialog()) << "not the one-player result";
            ExpectResultShown(game, menus.player1->name);
            gamesAfterAssisted = static_cast<int>(menus.player1->gamesPlayed);

            // Another game from the dialog (Return on "yes"), this time played alone.
            player.ReadResult();
            player.TapAndFrame(KeyReturn);
            ASSERT_EQ(0, gameState.dialogOpen) << "Return on the result dialog did not start anew";
            EXPECT_EQ(0, gameState.singleBoard.assisted) << "the new game is still marked assisted";
            // A pause in the menus half way: the game waits behind the resume button.
            ASSERT_TRUE(player.RunUntil(
                400, [&] { return gameState.singleBoard.pieces >= 3; },
                [&] { player.Tap(KeySpace); }))
                << "three hard drops did not land within 400 frames";
            const int piecesAtPause = gameState.singleBoard.pieces;
            player.TapAndFrame(KeyEscape);
            ASSERT_EQ(Loop::MenusRun, loop.programState) << "Escape did not pause the game";
            ASSERT_TRUE(player.RunUntil(5, [&] {
                return menuState.mainWindow.GetControl(17)->visible;
            })) << "no resume button within 5 frames of the pause";
            player.ClickControl(menuState.mainWindow, 17);
            ASSERT_EQ(Loop::GameRuns, loop.programState) << "the resume button did not resume";
            EXPECT_EQ(piecesAtPause, gameState.singleBoard.pieces)
                << "the resumed game started anew";
            ASSERT_TRUE(player.RunUntil(
                3000, [&] { return gameState.dialogOpen != 0; }, [&] { player.Tap(KeySpace); }))
                << "hard drops did not end the second game within 3000 frames";
            gamesAfterAlone = static_cast<int>(menus.player1->gamesPlayed);
            player.ReadResult();
            player.TapAndFrame(KeyEscape);
            ASSERT_EQ(Loop::MenusRun, loop.programState) << "Escape did not leave the result";
            ASSERT_EQ(MenuSystem::MainPage, menuState.page);

            // --- against the computer, endless off, until the left board loses ---
            ASSERT_EQ(1, menus.settings.twoPlayerMode) << "the computer is not the default rival";
            ASSERT_EQ(1, menus.settings.twoPlayerEndless) << "endless is not the default";
            player.ClickControl(menuState.mainWindow, 15);
            ASSERT_EQ(0, menus.settings.twoPlayerEndless)
                << "the check box did not turn endless off";
            player.ClickControl(menuState.mainWindow, 12);
            ASSERT_EQ(Loop::GameRuns, loop.programState) << "button 12 did not start a game";
            ASSERT_EQ(3, gameState.mode) << "not a game against the computer";
            ASSERT_TRUE(player.RunUntil(
                3000, [&] { return gameState.dialogOpen != 0; }, [&] { player.Tap(KeySpace); }))
                << "hard drops did not end the game against the computer within 3000 frames";
            EXPECT_EQ(&gameState.twoPlayerDialog, &game.dialog());
            ExpectResultShown(game, menus.player1->name);
            EXPECT_EQ(1, gameState.rightWins)
                << "the left board was to lose (left wins " << gameState.leftWins << ")";
            player.ReadResult();
            player.TapAndFrame(KeyEscape);
            ASSERT_EQ(Loop::MenusRun, loop.programState) << "Escape did not leave the result";

            // --- every menu page, and back with Escape ---
            const struct {
                int button;
                int page;
            } pages[] = {{30, MenuSystem::SettingsPage},
                         {31, MenuSystem::PlayerPage},
                         {32, MenuSystem::ScorePage}};
            for (const auto& visit : pages) {
                player.ClickControl(menuState.mainWindow, visit.button);
                player.Frame();
                EXPECT_EQ(visit.page, menuState.page) << "button " << visit.button;
                player.TapAndFrame(KeyEscape);
                player.Frame();
                EXPECT_EQ(MenuSystem::MainPage, menuState.page)
                    << "Escape did not lead back from page " << visit.page;
            }
            ASSERT_EQ(MenuSystem::MainPage, menuState.page);
            // The statistics page showed player 1's games: the sixth cell of its row.
            std::string shownGames = "(no row)";
            for (const auto& row : menuState.scoreRows) {
                std::vector<std::string> cells = SplitLines(row.second);
                if (cells.size() > 5 && cells[0] == menus.player1->name) shownGames = cells[5];
            }
            EXPECT_EQ(std::to_string(gamesAfterAlone), shownGames)
                << "games of player 1 on the statistics page";

            // --- a screenshot with F11 ---
            PostSyntheticKey(SdlScancodeF11, 1, 0);
            PostSyntheticKey(SdlScancodeF11, 0, 0);
            EXPECT_EQ(1, directX.screenshotRequested) << "the platform did not see F11";
            player.Frame();
            EXPECT_EQ(0, directX.screenshotRequested) << "the frame's end took no screenshot";
            // What the frame showed, to compare with the file later.
            for (int y = 4; y < 768; y += 97)
                for (int x = 3; x < 1024; x += 101)
                    shown.push_back({x, y, ReadPixel(directX, x, y) & 0xFFFFFFu});
            EXPECT_EQ(MenuSystem::MainPage, menuState.page) << "F11 changed the menu page";

            // --- the end through the credits ---
            player.TapAndFrame(KeyEscape);
            ASSERT_EQ(MenuSystem::CreditsPage, menuState.page)
                << "Escape did not start the credits";
            for (int i = 0; i < 100; ++i) player.Frame();
            ASSERT_TRUE(loop.Running()) << "the credits ended by themselves";
            player.Tap(KeyQ);
            ASSERT_TRUE(player.RunUntil(5, [&] { return !loop.Running(); }))
                << "q in the credits did not close the window";
            EXPECT_EQ(DirectXLib::Closed, directX.windowState);

            frameCount = player.frames;
            menus.saveSettings();
        }
    }
    SetTickSource(nullptr);

    // --- what the player finds ---
    EXPECT_EQ(gamesBefore, gamesAfterAssisted) << "an assisted game counted in the statistics";
    EXPECT_EQ(gamesBefore + 1, gamesAfterAlone) << "the game played alone did not count";

    EXPECT_FALSE(fs::exists("DirectX Fehler.txt"))
        << "an error was logged: " << ReadWhole("DirectX Fehler.txt");

    const std::string ini = ReadWhole("data/brixel.ini");
    std::vector<std::string> keys = IniKeys(ini);
    const std::set<std::string> expectedKeys = {"Modus Einzelspieler",
                                                "Modus Mehrspieler",
                                                "Modus Mehrspieler_endlos",
                                                "Hintergrund Art",
                                                "Partikel",
                                                "Volume Sounds",
                                                "Hintergrund Bild",
                                                "Spieler 1",
                                                "Spieler 2",
                                                "Spieler Manage",
                                                "Skin",
                                                "Sprache",
                                                "Stein",
                                                "Netzwerk Adresse",
                                                "Netzwerk Relay"};
    EXPECT_EQ(expectedKeys.size(), keys.size()) << "data/brixel.ini:\n" << ini;
    EXPECT_EQ(expectedKeys, std::set<std::string>(keys.begin(), keys.end())) << "data/brixel.ini:\n"
                                                                             << ini;
    EXPECT_EQ("0", IniValue(ini, "Modus Mehrspieler_endlos")) << "the endless choice was lost";

    const struct {
        const char* file;
        int gamesPlayed;
    } profiles[] = {{"data/Spieler 1.user", gamesBefore + 1}, {"data/Spieler 2.user", 0}};
    for (const auto& expected : profiles) {
        PlayerProfile profile;
        EXPECT_EQ(1, readProfileFile(expected.file, profile)) << expected.file << " is not valid";
        EXPECT_EQ(expected.gamesPlayed, static_cast<int>(profile.gamesPlayed))
            << "gamesPlayed in " << expected.file;
    }

    std::vector<fs::path> pictures;
    for (const fs::directory_entry& entry : fs::directory_iterator(work.folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("File ", 0) == 0 && entry.path().extension() == ".bmp")
            pictures.push_back(entry.path());
    }
    ASSERT_EQ(1u, pictures.size()) << "F11 should leave one \"File *.bmp\"";
    const std::string picture = ReadWhole(pictures[0]);
    const size_t colours = BmpColourCount(picture);
    EXPECT_GT(colours, 64u) << pictures[0] << " looks blank: " << colours << " colours";
    int differing = 0;
    for (const Sample& sample : shown) {
        const uint32_t saved = BmpPixel(picture, sample.x, sample.y);
        if (saved != sample.rgb && ++differing <= 3)
            ADD_FAILURE() << "screenshot pixel (" << sample.x << ", " << sample.y << "): expected "
                          << std::hex << sample.rgb << " as shown, got " << saved << std::dec;
    }
    EXPECT_EQ(0, differing) << "of " << shown.size() << " pixels the screenshot differs from the "
                            << "frame shown";

    work.Leave();
    std::printf("journey: %d frames\n", frameCount);
}

// With nothing but a game controller: a game from the main menu, moved and dropped by the pad's
// buttons bound to the player's keys, left with Start, started again, played to its end, and
// the result dialog left with B.
TEST(Journey, APadAloneGoesFromTheMenusThroughAGameAndBack) {
    WorkingFolder work;
    ASSERT_TRUE(work.Enter()) << "could not prepare a working folder with the content";
    SetTickSource(TestClock);
    {
        PlatformObjects platform;
        VirtualPad pad;
        ASSERT_TRUE(pad.PluggedIn()) << SDL_GetError();
        Session session(platform, 20261210);
        MenuSystemTestAccess& menuState = session.menuState;
        GameTestAccess& gameState = session.gameState;
        Loop& loop = session.loop;
        Player& player = session.player;
        // Player 1 has bound the pad: rotate Y, right and left the D-pad, soft drop down, hard
        // drop A.
        const PadControl bound[5] = {PadControl::Y, PadControl::Right, PadControl::Left,
                                     PadControl::Down, PadControl::A};
        for (int action = 0; action < 5; ++action)
            session.menus.player1->keys[0][action] =
                static_cast<uint32_t>(PadKeyCode(0, bound[action]));
        auto press = [&](SDL_GameControllerButton button) {
            pad.Tap(button);
            player.Frame();
        };
        ASSERT_TRUE(player.RunUntil(5, [&] { return player.frames >= 5; }));
        ASSERT_EQ(Loop::MenusRun, loop.programState);

        press(SDL_CONTROLLER_BUTTON_A); // the focused first button: a one-player game
        ASSERT_EQ(Loop::GameRuns, loop.programState) << "A on the main menu did not start a game";
        const int column = gameState.singleBoard.field.pieceColumn;
        press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        EXPECT_EQ(column - 1, gameState.singleBoard.field.pieceColumn) << "the bound D-pad left";
        press(SDL_CONTROLLER_BUTTON_A);
        EXPECT_EQ(1, gameState.singleBoard.pieces) << "A, bound to hard drop, did not drop";
        EXPECT_EQ(Loop::GameRuns, loop.programState) << "A in play must not act as Return";

        press(SDL_CONTROLLER_BUTTON_START);
        ASSERT_EQ(Loop::MenusRun, loop.programState) << "Start did not leave the game";
        ASSERT_TRUE(player.RunUntil(5, [&] { return menuState.page == MenuSystem::MainPage; }));

        press(SDL_CONTROLLER_BUTTON_A); // a new game; the paused one is given up when asked
        ASSERT_TRUE(player.RunUntil(5, [&] {
            if (loop.programState == Loop::GameRuns) return true;
            if (menuState.questionOpen) press(SDL_CONTROLLER_BUTTON_A);
            return false;
        })) << "no new game from the main menu";
        ASSERT_TRUE(player.RunUntil(
            3000, [&] { return gameState.dialogOpen != 0; },
            [&] { pad.Tap(SDL_CONTROLLER_BUTTON_A); }))
            << "the pad's hard drops did not end the game";
        player.ReadResult();
        press(SDL_CONTROLLER_BUTTON_B);
        EXPECT_EQ(Loop::MenusRun, loop.programState) << "B did not leave the result dialog";
        EXPECT_EQ(0, gameState.dialogOpen);
    }
    SetTickSource(nullptr);
    work.Leave();
}
