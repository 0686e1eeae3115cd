// Draws every control kind in each of its states with one skin and saves the picture as a BMP.
//   gallery [path/to/Name.style] [output name without extension, default "gallery"]
// Runs headless unless SDL_VIDEODRIVER says otherwise.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "Libs/Platform.h"
#include "gui/GuiManager.h"
#include "gui/GuiWindow.h"

namespace fs = std::filesystem;

namespace {

// Half way through a blink period with phase 0: the caret is shown.
uint32_t CaretShownClock() {
    return 700;
}

// The "image" entry of a skin file, so the gallery can show the whole picture too.
std::string SkinImageName(const fs::path& style) {
    std::ifstream in(style);
    std::string line;
    while (std::getline(in, line)) {
        std::string packed;
        for (char c : line.substr(0, line.find("//")))
            if (c != ' ' && c != '\t' && c != '\r') packed += static_cast<char>(std::tolower(c));
        if (packed.rfind("image=", 0) == 0) return packed.substr(6);
    }
    return {};
}

GuiControl* Add(GuiWindow& w, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                ControlKind kind, const std::string& text, int32_t state) {
    // Buttons use the skin's "button" font and colours, as the menus do.
    const std::string look = kind == ControlKind::Button ? "button" : "";
    GuiControl* c = w.AddControl(id, x, y, width, height, 3, kind, text,
                                 "Status text of control " + std::to_string(id), look, look);
    if (c) c->state = state;
    return c;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path style = fs::absolute(
        argc > 1 ? fs::path(argv[1]) : fs::path(BRIXEL_SOURCE_DIR "/content/skin/Golden.style"));
    const fs::path output = fs::absolute(argc > 2 ? argv[2] : "gallery");
    if (!fs::exists(style)) {
        std::fprintf(stderr, "gallery: no skin file %s\n", style.string().c_str());
        return 1;
    }
    // The skin loader reads "skin/<name>.style": give it a working folder where the skin's own
    // folder is called "skin".
    const fs::path work =
        fs::temp_directory_path() / ("brixel-gallery-" + std::to_string(getpid()));
    fs::create_directories(work);
    fs::create_directory_symlink(style.parent_path(), work / "skin");
    fs::current_path(work);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    DirectXLib directX;
    InputLib input;
    directX.CreateMainWindow("brixel", 107, 108, 0, "1.2");
    directX.InitDirect3D(1024, 768, 32, 2);
    SetTickSource(CaretShownClock);
    GuiManager gui;
    gui.LoadSkin(style.stem().string(), &directX, &input);

    GuiWindow window;
    window.SetupWindow(32, 56, 960, 640, 1, "Gallery: " + style.stem().string(), "window",
                       "window");
    window.closeButtonState = 1;
    const char* stateNames[4] = {"normal", "hover", "pressed", "disabled"};
    int32_t id = 1;
    for (int s = 0; s < 4; ++s) {
        Add(window, id++, 16, 12 + s * 44, 130, 34, ControlKind::Button, stateNames[s], s);
        for (int value = 0; value < 2; ++value) {
            Add(window, id, 166, 12 + (s * 2 + value) * 24, 150, 22, ControlKind::CheckBox,
                std::string(stateNames[s]) + (value ? " on" : " off"), s)
                ->param1 = value;
            ++id;
            Add(window, id, 330, 12 + (s * 2 + value) * 24, 150, 22, ControlKind::RadioButton,
                std::string(stateNames[s]) + (value ? " on" : " off"), s)
                ->param1 = value;
            ++id;
        }
        GuiControl* slider =
            Add(window, id++, 500, 12 + s * 44, 200, 26, ControlKind::Slider, "", s);
        slider->param1 = s * 33;
        slider->param3 = 100;
    }
    Add(window, id++, 720, 12, 220, 120, ControlKind::Label,
        "A label wraps its words inside its rectangle from the top, here in the standard font.", 0);
    for (int a = 0; a < 3; ++a) {
        GuiControl* label = Add(window, id++, 720, 140 + a * 22, 220, 20, ControlKind::Label,
                                a == 0   ? "left"
                                : a == 1 ? "centre"
                                         : "right",
                                0);
        label->param1 = a;
        label->param2 = 2;
    }

    const char* fieldTexts[4] = {"Text field", "Focused: caret", "Disabled", ""};
    for (int s = 0; s < 4; ++s) {
        GuiControl* field =
            Add(window, id++, 16, 220 + s * 40, 200, 30, ControlKind::TextField, fieldTexts[s],
                s == 1   ? 1
                : s == 2 ? 3
                         : 0);
        field->param1 = static_cast<int32_t>(field->text.size());
        field->param2 = 30;
    }
    GuiControl* capture = window.GetControl(id - 1);
    capture->param3 = TextMode::KeyCapture;
    capture->text = input.GetKeyName(200);

    static KeyedTable<std::string, int> items;
    const char* names[] = {"Amber", "Bronze", "Copper", "Gold", "Ivory", "Jade", "Onyx", "Pearl"};
    for (const char* n : names) items.SelectOrInsert(n) = 0;
    for (int s = 0; s < 4; ++s) {
        GuiControl* combo =
            Add(window, id, 240, 220 + s * 40, 180, 30, ControlKind::ComboBox, "", s);
        window.SetControlParams(id, 4, s, 4, 0, &items);
        combo->state = s;
        ++id;
    }
    const int32_t openCombo = id;
    Add(window, id, 440, 220, 190, 30, ControlKind::ComboBox, "", 1);
    window.SetControlParams(id++, 4, 3, 4, 0, &items);
    window.GetControl(openCombo)->pressed = 3;
    window.GetControl(openCombo)->param3 = 2;
    window.GetControl(openCombo)->phase = ScrollPart::KnobHovered;

    static ColumnTable columns;
    static RowTable rows;
    columns.SelectOrInsert(0) = TableColumn{110, 0, 0, "Name"};
    columns.SelectOrInsert(1) = TableColumn{80, 1, 2, "Score"};
    columns.SelectOrInsert(2) = TableColumn{80, 1, 1, "Rows"};
    for (int r = 0; r < 14; ++r)
        rows.SelectOrInsert(r) = std::string(names[r % 8]) + " " + std::to_string(r) + "\n" +
                                 std::to_string(1000 + r * 137 % 900) + "\n" +
                                 std::to_string(r * 7 % 40);
    const int32_t tableId = id++;
    Add(window, tableId, 650, 220, 290, 240, ControlKind::Table, "", 0);
    window.SetControlParams(tableId, 5, 3, 4, 0, &columns, &rows);
    window.GetControl(tableId)->phase = ScrollPart::DownHovered;

    const std::string imageName = SkinImageName(style);
    static Texture picture;
    if (!imageName.empty() && fs::exists(fs::path("skin") / imageName)) {
        picture.Load("skin/" + imageName, 0xFFFF00FF);
        const int32_t w = picture.width > 600 ? 600 : picture.width;
        const int32_t h = picture.width > 0 ? picture.height * w / picture.width : 0;
        GuiControl* image =
            Add(window, id++, 16, 400, w, h > 230 ? 230 : h, ControlKind::Image, "", 0);
        image->param4 = &picture;
    }
    // The open dropdown is the focused control: drawn last, and its status text in the bar.
    window.SetFocus(openCombo, 0);
    window.GetControl(openCombo)->state = 1;

    GuiWindow inactive;
    inactive.SetupWindow(700, 560, 240, 60, 1, "Inactive window", "window", "window");
    inactive.active = 0;
    inactive.hasStatusBar = 0;
    inactive.AddControl(1, 10, 14, 220, 30, 3, ControlKind::Button, "Button", "", "button",
                        "button");

    directX.Clear(0xFF303030);
    window.DrawWindow();
    inactive.DrawWindow();
    directX.SaveScreenshot(output.string(), 1);
    std::printf("gallery: %s.bmp\n", output.string().c_str());

    SetTickSource(nullptr);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(work);
    return 0;
}
