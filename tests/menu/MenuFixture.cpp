#include "MenuFixture.h"
#include "tests/TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <vector>

#include "Libs/Tick.h"

namespace fs = std::filesystem;

uint32_t MenuFixture::clock = 1000;

namespace {

// A 4 x 4 picture, 24-bit BMP: the image loader tells formats by content, not by extension.
void writePicture(const fs::path& file, uint8_t shade) {
    const int side = 4;
    const int rowBytes = side * 3;
    const uint32_t dataSize = rowBytes * side;
    const uint32_t fileSize = 54 + dataSize;
    std::vector<uint8_t> bytes(fileSize, 0);
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, side);
    put32(22, side);
    bytes[26] = 1;  // planes
    bytes[28] = 24; // bits per pixel
    put32(34, dataSize);
    for (uint32_t i = 54; i < fileSize; ++i) bytes[i] = shade;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void writeText(const fs::path& file, const std::string& content) {
    std::ofstream out(file, std::ios::binary);
    out << content;
}

const char* const pictures[] = {
    "images/Menu_Menu.png",       "images/Menu_Spieler.png",
    "images/Menu_Status.png",     "images/Icon_Single.png",
    "images/Icon_Multi.png",      "images/Icon_Return.png",
    "images/Icon_Options.png",    "images/Icon_Manage.png",
    "images/Icon_Score.png",      "images/Icon_End.png",
    "images/Icon_Back.png",       "images/Icon_New.png",
    "images/Icon_Delete.png",     "images/Icon_Question.png",
    "images/Spiel_Anzeige.png",   "images/Spiel_Feld.png",
    "images/Spiel_Next.png",      "images/Spiel_Partikel.bmp",
    "images/Spiel_Slider.bmp",    "images/Spiel_Slider_.bmp",
    "images/Outro_Partikel.bmp",  "images/block/design druve.png",
    "images/block/klassisch.png", "images/background/Berge.jpg",
    "images/background/Meer.jpg", "language/Deutsch.bmp",
    "language/English.bmp",       "skin/golden.png",
};

const char* const skin = "image = golden.png\n"
                         "button = 4,4,1,1, g(0;0), c(0;0), h(0;0), n(0;0)\n"
                         "box = 4,4,1,1, g(0;0), c(0;0), h(0;0), n(0;0)\n"
                         "combobox = 4,4,0, g(0;0), c(0;0), h(0;0), n(0;0)\n"
                         "slider = 4,4,1,1, g(0;0), c(0;0), h(0;0), n(0;0)\n"
                         "scrollbar = 4,4,1,1,1, g(0;0), c(0;0), h(0;0), n(0;0)\n"
                         "window = 4,4,20,2,1, g(0;0), c(0;0), h(0;0), n(0;0)\n"
                         "listbox = 4,4,1,1,20, g(0;0), c(0;0), h(0;0), n(0;0)\n"
                         "color = standard, ff000000\n"
                         "color = red, ffff0000\n"
                         "font = standard, Arial, 16, 0\n";

} // namespace

std::string languageText(int id) {
    switch (id) {
    case 102:
        return "Spieler";
    case 520:
        return "Gem\xFCtlich";
    case 521:
        return "Ruhig";
    case 522:
        return "Mittel";
    case 523:
        return "Flott";
    case 524:
        return "Rasant";
    case 525:
        return "Eigene Werte";
    case 840:
        return "%s wirklich l\xF6schen?";
    default:
        return "T" + std::to_string(id);
    }
}

void MenuFixture::SetUp() {
    previousFolder = fs::current_path();
    folder = MakeTestFolder("brixel-menu-");
    ASSERT_FALSE(folder.empty());
    fs::current_path(folder);
    prepareContent();

    clock = 1000;
    SetTickSource(&MenuFixture::testClock);
    directX = std::make_unique<DirectXLib>();
    input = std::make_unique<InputLib>();
    soundLib = std::make_unique<SoundLib>();
    directX->CreateMainWindow("brixel", 107, 108, 0, "1.2");
    directX->InitDirect3D(1024, 768, 32, 2);
    input->Init();
    soundLib->Init(1);
    menu = std::make_unique<MenuSystem>();
    menu->build(*directX, *input);
    directX->windowState = DirectXLib::Active;
}

void MenuFixture::linkRepositoryContent() {
    const fs::path content = fs::path(BRIXEL_SOURCE_DIR) / "content";
    for (const char* dir : {"images", "language", "skin", "sounds"})
        ASSERT_TRUE(LinkFolder(content / dir, dir)) << dir;
}

void MenuFixture::prepareContent() {
    for (const char* dir : {"images/block", "images/background", "language", "skin", "sounds"})
        fs::create_directories(dir);
    for (const char* picture : pictures) writePicture(picture, 0x80);
    std::string texts;
    for (int id = 100; id <= 705; ++id) texts += std::to_string(id) + "=" + languageText(id) + "\n";
    texts += "840=" + languageText(840) + "\n";
    writeText("language/Deutsch.txt", texts);
    writeText("language/English.txt", "100=Yes\n");
    writeText("skin/Golden.style", skin);
    writeText("skin/Plain.style", skin);
}

void MenuFixture::TearDown() {
    menu.reset();
    if (soundLib) soundLib->Shutdown();
    soundLib.reset();
    if (input) input->Release();
    input.reset();
    directX.reset();
    SetTickSource(nullptr);
    fs::current_path(previousFolder);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

int MenuFixture::frame(uint32_t elapsed) {
    clock += elapsed;
    directX->Clear(0x00FFFFFF);
    return menu->update(elapsed);
}

void MenuFixture::pushKeyPress(uint32_t code) {
    InputEvent press;
    press.offset = code;
    press.data = 0x80;
    press.timeStamp = clock;
    input->PushKeyboardEvent(press);
}

void MenuFixture::pushKey(uint32_t code) {
    pushKeyPress(code);
    InputEvent release;
    release.offset = code;
    release.data = 0;
    release.timeStamp = clock;
    input->PushKeyboardEvent(release);
}

void MenuFixture::pushClick() {
    for (uint32_t data : {0x80u, 0u}) {
        InputEvent button;
        button.offset = 12;
        button.data = data;
        button.timeStamp = clock;
        input->PushMouseEvent(button);
    }
}

int MenuFixture::tapKey(uint32_t code) {
    pushKey(code);
    return frame();
}

GuiControl& MenuFixture::control(GuiWindow& window, int id) {
    GuiControl* c = window.GetControl(id);
    EXPECT_NE(c, nullptr) << "no control " << id;
    static GuiControl none;
    return c ? *c : none;
}
