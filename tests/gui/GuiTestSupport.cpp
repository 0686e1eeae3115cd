#include "GuiTestSupport.h"
#include "tests/TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// The test skin's picture: the button's four states in four colours one below the other, a
// magenta (transparent) block, and everything else yellow.
uint32_t TestImageColour(int x, int y) {
    if (x < 80 && y < 120) return TestSkin::buttonColours[y / 30];
    if (x >= 80 && y < 32) return 0xFF00FF;
    return 0xFFFF00;
}

void WriteBmp(const std::string& path, int w, int h) {
    const int rowBytes = (w * 3 + 3) & ~3;
    const uint32_t imageSize = rowBytes * h;
    std::vector<uint8_t> file(54 + imageSize, 0);
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = (v >> (8 * i)) & 0xFF;
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, 54 + imageSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    file[26] = 1;
    file[28] = 24;
    put32(34, imageSize);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t c = TestImageColour(x, y);
            const int at = 54 + (h - 1 - y) * rowBytes + x * 3;
            file[at] = c & 0xFF;
            file[at + 1] = (c >> 8) & 0xFF;
            file[at + 2] = (c >> 16) & 0xFF;
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), file.size());
}

const char* testStyle = R"(// brixel test skin
image = Test.bmp
window = g(0;0), n(0;0), 40, 40, 20, 4, 8
closebutton = g(40;0), c(40;0), h(40;0), n(40;0), 16, 16, 4, 2
statusbar = g(0;0), 20, 18
button = g(0;0), c(0;30), h(0;60), n(0;90), 80, 30, 4, 4
box = g(0;0), c(0;30), h(0;60), n(0;90), 20, 20, 3, 3
checkbox = g(0;0), 12, 12
checkboxx = g(0;30), 12, 12
radiobutton = g(0;0), 12, 12
radiobuttonx = g(0;30), 12, 12
combobox = g(0;0), c(0;30), h(0;60), n(0;90), 16, 16, 4
listbox = g(0;0), c(0;30), h(0;60), 60, 20, 4, 6, 18
slider = g(0;0), c(0;30), h(0;60), n(0;90), 40, 10, 2, 8
scrollbar = g(0;0), c(0;30), h(0;60), n(0;90), 16, 60, 16, 10, 2
color = standard, ff000000
color = selectb, ff0000ff
color = selectf, ffffffff
font = standard, Arial, 14, 0
)";

} // namespace

TestPlatform::TestPlatform() {
    const auto dir = MakeTestFolder("brixel-gui-test-");
    std::filesystem::create_directories(dir / "skin");
    std::filesystem::current_path(dir);
    WriteBmp("skin/test.bmp", 128, 128);
    std::ofstream("skin/test.style") << testStyle;
    directX.CreateMainWindow("brixel", 107, 108, 0, "1.2");
    directX.InitDirect3D(1024, 768, 32, 2);
}

TestPlatform& Platform() {
    static TestPlatform platform;
    return platform;
}

uint32_t GuiTest::now = 1000;

void GuiTest::SetUp() {
    TestPlatform& platform = Platform();
    now = 1000;
    SetTickSource([]() { return now; });
    for (int k = 0; k < 256; ++k) platform.input.heldKeys[k] = 0;
    gui.LoadSkin("test", &platform.directX, &platform.input);
    window.SetupWindow(100, 100, 400, 300, 1, "Test", "", "");
}

void GuiTest::TearDown() {
    SetTickSource(nullptr);
}

void GuiTest::MoveMouse(int32_t x, int32_t y) {
    Platform().directX.mouseX = x;
    Platform().directX.mouseY = y;
}

int32_t GuiTest::Click(int32_t x, int32_t y, bool press) {
    MoveMouse(x, y);
    InputEvent e;
    e.offset = 12;
    e.data = press ? 0x80 : 0;
    Platform().input.event = e;
    return window.RunFrame(GuiInput::Mouse, id);
}

int32_t GuiTest::ClickAt(int32_t x, int32_t y) {
    Click(x, y, true);
    return Click(x, y, false);
}

int32_t GuiTest::Hover(int32_t x, int32_t y) {
    MoveMouse(x, y);
    return window.RunFrame(GuiInput::None, id);
}

int32_t GuiTest::Key(int code, bool press) {
    InputLib& input = Platform().input;
    InputEvent e;
    e.offset = static_cast<uint32_t>(code);
    e.data = press ? 0x80 : 0;
    input.PushKeyboardEvent(e);
    if (!input.ReadKeyEvent(0, 1)) return -100;
    return window.RunFrame(GuiInput::Keyboard, id);
}

int32_t GuiTest::Tap(int code) {
    const int32_t down = Key(code, true);
    const int32_t up = Key(code, false);
    return down > up ? down : up;
}
