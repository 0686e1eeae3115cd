#include "GameFixture.h"

#include <fstream>

#include "game/Random.h"

namespace {

struct LanguageLine {
    int id;
    const char* text;
};
const LanguageLine Texts[] = {
    {100, "Ja"},
    {101, "Nein"},
    {200, "Punkte"},
    {201, "Rekord"},
    {202, "Level"},
    {203, "Minute"},
    {208, "Reihen"},
    {209, "Steine"},
    {210, FixtureText::computerPlays},
    {211, FixtureText::playerBack},
    {212, FixtureText::computerName},
    {213, "Ergebnis"},
    {215, FixtureText::duel},
    {216, FixtureText::playerWon},
    {217, FixtureText::playerLost},
    {218, FixtureText::computerCaption},
    {219, FixtureText::newRecord},
    {220, FixtureText::noRecord},
};

} // namespace

uint32_t GameFixture::clock = 0;

void GameFixture::SetUp() {
    clock = 1000;
    SetTickSource(&GameFixture::testClock);
    folder =
        std::filesystem::temp_directory_path() /
        ("brixel_gameflow_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    {
        std::ofstream file(folder / "language.txt");
        for (const LanguageLine& line : Texts) file << line.id << "=" << line.text << "\n";
    }

    directX = std::make_unique<DirectXLib>();
    directX->CreateMainWindow("brixel", 107, 108, 0, "1.2");
    directX->InitDirect3D(1024, 768, 32, 2);
    directX->windowState = DirectXLib::Active;
    input = std::make_unique<InputLib>();

    menu = std::make_unique<MenuSystem>();
    menu->directX = directX.get();
    menu->input = input.get();
    // No skin: the dialogs are drawn with nothing, but take input as in the game.
    menuState().guiManager.directX = directX.get();
    menuState().guiManager.input = input.get();
    menuState().language.Load((folder / "language.txt").string());
    for (const char* name : {"Anna", "Bert"}) menu->profiles.SelectOrInsert(name).name = name;
    menu->player1 = &anna();
    menu->player2 = &bert();
    menu->settings.backgroundKind = 2;
    const uint32_t colours[7] = {0xFFFF5E00, 0xFFF4E000, 0xFF0093DD, 0xFF84C225,
                                 0xFFB74F8F, 0xFFFFFFFF, 0xFF41C4B0};
    for (int i = 0; i < 7; ++i) menu->pieceColours[i] = colours[i];
    BoardContext& context = menu->boardContext;
    context.particleCount = 150;
    context.sounds = menu.get();
    context.keyRepeat = menu.get();

    Random::Seed(12345);
    game = std::make_unique<Game>();
    game->setup(*menu);
}

void GameFixture::TearDown() {
    SetTickSource(nullptr);
    game.reset();
    menu.reset();
    input.reset();
    directX.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void GameFixture::startSingle(int variant) {
    menu->settings.singlePlayerMode = variant;
    menu->pausedGame = 0;
    menu->requestedGame = 0;
    game->start();
}

void GameFixture::startPair(int variant, int endlessGame) {
    menu->settings.twoPlayerMode = variant;
    menu->settings.twoPlayerEndless = endlessGame;
    menu->pausedGame = 0;
    menu->requestedGame = 1;
    game->start();
}

void GameFixture::resume(int requested) {
    menu->requestedGame = requested;
    game->start();
}

int GameFixture::frame(uint32_t elapsed) {
    return game->frame(elapsed);
}

void GameFixture::pushPress(uint32_t code) {
    InputEvent event;
    event.offset = code;
    event.data = 0x80;
    input->PushKeyboardEvent(event);
}

void GameFixture::pushRelease(uint32_t code) {
    InputEvent event;
    event.offset = code;
    event.data = 0;
    input->PushKeyboardEvent(event);
}

int GameFixture::tapKey(uint32_t code) {
    pushPress(code);
    pushRelease(code);
    return frame(0);
}

void GameFixture::loseAtNextUpdate(Board& board) {
    board.state = 1;
    board.clearTimer = 1;
    // Rows 0 to 4 taken except the last column, so no row is full and no piece fits.
    for (int column = 1; column < 10; ++column)
        for (int row = 0; row < 5; ++row) board.field.cell(column, row) = 1;
}
