// Every text the menu pages show fits the box its page gives it, in every language and with every
// skin of the repository's content: nothing is cut off by its box, and nothing runs into the next
// control on its row.
#include "MenuFixture.h"
#include "tests/TestSupport.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "Libs/KeyCodes.h"
#include "game/Game.h"
#include "storage/TextFormat.h"
#include "tests/support/GameTestAccess.h"

namespace fs = std::filesystem;

namespace {

// A text keeps at least this much room before the next control on its row, so that it does not
// read as one with that control's text.
constexpr int32_t roomBeforeNext = 6;

// The names found in a content folder with the given extension, sorted.
std::vector<std::string> contentNames(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    for (const auto& entry :
         fs::directory_iterator(fs::path(BRIXEL_SOURCE_DIR) / "content" / folder))
        if (entry.path().extension() == extension) names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

const char* pageName(int page) {
    switch (page) {
    case MenuSystem::MainPage:
        return "main menu";
    case MenuSystem::SettingsPage:
        return "settings";
    case MenuSystem::PlayerPage:
        return "player page";
    default:
        return "statistics";
    }
}

// Where a control draws its text: the left edge and the width the control hands to the text.
struct TextBox {
    int32_t left = 0;
    int32_t width = 0;
};

} // namespace

class TextFitTest : public MenuFixture {
protected:
    void prepareContent() override { linkRepositoryContent(); }

    // A fresh menu that reads the language from its settings file, as at a start of the game.
    void rebuildIn(const std::string& languageName) {
        menu.reset();
        fs::create_directories("data");
        std::ofstream("data/brixel.ini", std::ios::binary) << "Sprache=" << languageName << "\r\n";
        menu = std::make_unique<MenuSystem>();
        menu->build(*directX, *input);
        directX->windowState = DirectXLib::Active;
    }

    // The widest the text is drawn with any of the fonts of the given states.
    int32_t widest(const GuiControl& c, const std::string& text, int lastState) {
        int32_t most = 0;
        for (int state = 0; state <= lastState; ++state) {
            int w = 0, h = 0;
            directX->MeasureText(text, menuState().guiManager.ResolveFont(c.fontName, state), 0, w,
                                 h, 1);
            most = std::max(most, static_cast<int32_t>(w));
        }
        return most;
    }

    // The box the control kind draws its own text in (as the gui's drawing code places it).
    TextBox ownBox(const GuiControl& c) {
        const GuiManager& gui = menuState().guiManager;
        const int32_t boxBorder = gui.elements[Element::Box].firstBorder;
        switch (c.kind) {
        case ControlKind::Button: {
            const Texture* icon = c.param4.texture;
            if (!icon || !icon->IsLoaded()) {
                const int32_t border = gui.elements[Element::Button].firstBorder;
                return {c.x + border, c.width - 2 * border};
            }
            const int32_t iconWidth = icon->source.right - icon->source.left;
            return {c.x + 2 * c.param1 + iconWidth + 5, c.width - 3 * c.param1 - iconWidth - 8};
        }
        case ControlKind::CheckBox:
        case ControlKind::RadioButton: {
            const int32_t mark = gui.elements[Element::CheckBox].width;
            return {c.x + mark + 2, c.width - mark - 2};
        }
        case ControlKind::TextField:
            return {c.x + boxBorder, c.width - 2 * boxBorder};
        case ControlKind::ComboBox:
            return {c.x + boxBorder,
                    c.width - gui.elements[Element::ComboBox].width - 2 * boxBorder - 2};
        default:
            return {c.x, c.width};
        }
    }

    // The texts a control can show: its own, every item of a list, every key name of a key
    // field.
    std::vector<std::string> shownTexts(const GuiControl& c) {
        std::vector<std::string> texts;
        if (!c.text.empty()) texts.push_back(c.text);
        if (c.kind == ControlKind::ComboBox)
            for (int k = 0; k < c.param4.items.Count(); ++k)
                texts.push_back(*c.param4.items.Item(k));
        // All key fields are alike: the first one of a page stands for the others.
        const bool keyField = c.kind == ControlKind::TextField && c.param3 == TextMode::KeyCapture;
        // Every code a key field can hold, named in the language in use (pads and keys without
        // a name included).
        if (keyField && !keyNamesChecked) {
            for (int code = 0; code < 256; ++code) texts.push_back(input->GetKeyName(code));
        }
        if (keyField) keyNamesChecked = true;
        return texts;
    }

    // Where the text must end: its box's right end, or a little before the next control to the
    // right that its line touches, whichever comes first.
    int32_t rightLimit(GuiWindow& window, const GuiControl& c, const TextBox& box) {
        int32_t limit = box.left + box.width;
        int w = 0, lineHeight = 0;
        directX->MeasureText("Ag", menuState().guiManager.ResolveFont(c.fontName, 0), 0, w,
                             lineHeight, 1);
        // Labels put their line at the top (or the bottom); the other kinds centre it.
        int32_t lineTop = c.y + (c.height - lineHeight) / 2;
        if (c.kind == ControlKind::Label && c.param2 <= 1) lineTop = c.y;
        if (c.kind == ControlKind::Label && c.param2 == 3) lineTop = c.y + c.height - lineHeight;
        const int32_t lineBottom = lineTop + lineHeight;
        for (auto& entry : window.controls) {
            const GuiControl& other = entry.second;
            if (&other == &c || !other.visible || other.x <= c.x) continue;
            if (other.y >= lineBottom || other.y + other.height <= lineTop) continue;
            limit = std::min(limit, other.x - roomBeforeNext);
        }
        return limit;
    }

    void checkPage(int page, const std::string& where) {
        checkWindow(menu->pageWindow(page), pageName(page), where);
    }

    // Checks every control of the window, its title and the status texts of its controls;
    // failures name the window, control, text and widths.
    void checkWindow(GuiWindow& window, const std::string& name, const std::string& where) {
        keyNamesChecked = false;
        checkTitleAndStatusTexts(window, name, where);
        for (auto& entry : window.controls) {
            GuiControl& c = entry.second;
            if (!c.visible || c.kind == ControlKind::Image || c.kind == ControlKind::Slider)
                continue;
            if (c.kind == ControlKind::Table) {
                checkTableHeaders(name, c, where);
                continue;
            }
            if (c.kind == ControlKind::Label && c.param2 == 0) {
                checkWrappedLabel(window, name, c, where);
                continue;
            }
            const TextBox box = ownBox(c);
            const int32_t available = rightLimit(window, c, box) - box.left;
            const int lastState = c.kind == ControlKind::Label ? 0 : ElementState::Disabled;
            for (const std::string& text : shownTexts(c)) {
                const int32_t measured = widest(c, text, lastState);
                EXPECT_LE(measured, available)
                    << where << ", " << name << ", control " << c.id << ": \"" << text << "\" is "
                    << measured << " px wide, expected at most the " << available
                    << " px its box leaves";
            }
        }
    }

    // Each column caption within its header cell, as the table draws it.
    void checkTableHeaders(const std::string& name, const GuiControl& table,
                           const std::string& where) {
        const GuiManager& gui = menuState().guiManager;
        const SkinElement& header = gui.elements[Element::ListBox];
        const int32_t limit = table.x + table.width - 2; // no scroll bar with a few players
        if (!table.param4.columns) return;
        int32_t left = table.x + 1;
        int k = 0;
        for (const auto& entry : *table.param4.columns) {
            const bool last = k++ == table.param4.columns->Count() - 1;
            int32_t w = entry.second.width;
            if (last || left + w > limit) w = limit - left;
            const int32_t available = w - 2 * header.firstBorder - header.secondBorder;
            const int32_t measured = widest(table, entry.second.caption, ElementState::Pressed);
            EXPECT_LE(measured, available)
                << where << ", " << name << ", control " << table.id << " column " << k << ": \""
                << entry.second.caption << "\" is " << measured << " px wide, expected at most the "
                << available << " px its header leaves";
            left += entry.second.width;
        }
    }

    // A label that wraps its text at word boundaries: every line within its width (and before
    // the next control on its row), all lines within its height.
    void checkWrappedLabel(GuiWindow& window, const std::string& name, const GuiControl& c,
                           const std::string& where) {
        if (c.text.empty()) return;
        const int32_t available = rightLimit(window, c, ownBox(c)) - c.x;
        int w = available, h = 0;
        directX->MeasureText(c.text, menuState().guiManager.ResolveFont(c.fontName, 0), 0, w, h, 0);
        EXPECT_LE(w, available) << where << ", " << name << ", control " << c.id << ": \"" << c.text
                                << "\" has a line " << w << " px wide, expected at most the "
                                << available << " px it has";
        if (c.height > 0) {
            EXPECT_LE(h, c.height)
                << where << ", " << name << ", control " << c.id << ": \"" << c.text << "\" is "
                << h << " px high, expected at most " << c.height;
        }
    }

    // The title in its title bar, and each control's status text in the status bar (a framed
    // window's own, or a frameless window's status rectangle), as the window draws them.
    void checkTitleAndStatusTexts(GuiWindow& window, const std::string& name,
                                  const std::string& where) {
        GuiManager& gui = menuState().guiManager;
        const int32_t T = gui.elements[Element::Window].firstBorder;
        const int32_t S = gui.elements[Element::StatusBar].height;
        auto check = [&](const std::string& what, const std::string& text, Font* font,
                         int32_t available) {
            int w = 0, h = 0;
            directX->MeasureText(text, font, 0, w, h, 1);
            EXPECT_LE(w, available)
                << where << ", " << name << ", " << what << ": \"" << text << "\" is " << w
                << " px wide, expected at most the " << available << " px it has";
        };
        if (window.framed) {
            for (int state : {0, 1})
                check("title", window.title, gui.ResolveFont(window.fontName, state),
                      window.width - 3 * T / 2);
        }
        if (!window.hasStatusBar) return;
        Font* statusFont =
            window.framed ? gui.ResolveFont("", 0) : gui.ResolveFont(window.fontName, 0);
        const int32_t statusRoom = window.framed ? window.width - S / 2 : window.statusWidth;
        for (auto& entry : window.controls) {
            const GuiControl& c = entry.second;
            if (c.visible && !c.statusText.empty())
                check("status text of control " + std::to_string(c.id), c.statusText, statusFont,
                      statusRoom);
        }
    }

    bool keyNamesChecked = false;

    // Every slider at its maximum, so that the value labels show their longest numbers.
    void slidersToMaximum(int page) {
        for (auto& entry : menu->pageWindow(page).controls) {
            GuiControl& c = entry.second;
            if (c.kind != ControlKind::Slider) continue;
            c.param1 = c.param3;
            activate(c.id);
        }
    }
};

TEST_F(TextFitTest, EveryTextFitsItsBoxInEveryLanguageAndSkin) {
    const std::vector<std::string> languages = contentNames("language", ".txt");
    const std::vector<std::string> skins = contentNames("skin", ".style");
    ASSERT_GE(languages.size(), 2u) << "expected Deutsch and English in content/language";
    ASSERT_GE(skins.size(), 2u) << "expected the skins in content/skin";
    for (const std::string& languageName : languages) {
        rebuildIn(languageName);
        ASSERT_EQ(menu->settings.languageName, languageName);
        for (const std::string& skin : skins) {
            menuState().guiManager.LoadSkin(skin, nullptr, nullptr);
            for (int page : {MenuSystem::MainPage, MenuSystem::SettingsPage, MenuSystem::PlayerPage,
                             MenuSystem::ScorePage}) {
                menu->showPage(page);
                slidersToMaximum(page);
                frame(); // combo boxes take their drawn height
                checkPage(page, languageName + " with skin " + skin);
            }
        }
    }
}

// The dialogs (the question, the two result dialogs with the top ten) and the credits lines, in
// every language and skin, with realistic names and the largest numbers a game gives.
TEST_F(TextFitTest, DialogsAndCreditsFitInEveryLanguageAndSkin) {
    const std::vector<std::string> languages = contentNames("language", ".txt");
    const std::vector<std::string> skins = contentNames("skin", ".style");
    const std::string winner = "Maximilian", loser = "Alexandra";
    for (const std::string& languageName : languages) {
        rebuildIn(languageName);
        Game game;
        game.setup(*menu);
        GameTestAccess gameState(game);
        GuiWindow& question = menuState().questionWindow;
        // The texts the result label shows, as the game fills them in.
        const std::string results[] = {
            FormatText(menu->text(215), {winner, loser}),
            FormatText(menu->text(216), {winner, 10}),
            FormatText(menu->text(217), {winner, 10}),
            FormatText(menu->text(219), {winner, 99999999u, 10}),
            FormatText(menu->text(220), {winner, 99999999u}),
        };
        for (const std::string& skin : skins) {
            menuState().guiManager.LoadSkin(skin, nullptr, nullptr);
            const std::string where = languageName + " with skin " + skin;
            for (int questionText : {330, 331, 332, 333, 545}) {
                question.title = menu->text(questionText == 545 ? 546 : 329);
                question.GetControl(11)->text = menu->text(questionText);
                checkWindow(question, "question " + std::to_string(questionText), where);
            }
            for (GuiWindow* dialog : {&gameState.twoPlayerDialog, &gameState.singlePlayerDialog}) {
                const std::string name =
                    dialog == &gameState.twoPlayerDialog ? "two-player result" : "top-ten result";
                for (const std::string& result : results) {
                    dialog->GetControl(Game::ResultLabel)->text = result;
                    checkWindow(*dialog, name, where);
                }
            }

            // The credits lines, in the boxes the credits draw them in.
            const MenuSystem::CreditTexts credits = menu->creditTexts();
            struct Line {
                const char* what;
                const std::string& text;
                Font* font;
                int32_t width, height; // height 0: one line
            };
            const Line lines[] = {
                {"title", credits.title, &menuState().captionFont, 1024, 50},
                {"thanks heading", credits.thanksHeading, &menuState().statusFont, 1024, 50},
                {"thanks", credits.thanks, &menuState().statusFont, 1024, 200},
                {"contact", credits.contact, &menuState().captionFont, 1024 - 2 * 40, 0},
            };
            for (const Line& line : lines) {
                int w = line.width, h = 0;
                directX->MeasureText(line.text, line.font, 0, w, h, line.height > 0 ? 0 : 1);
                EXPECT_LE(w, line.width) << where << ", credits " << line.what << ": \""
                                         << line.text << "\" is " << w << " px wide";
                if (line.height > 0) {
                    EXPECT_LE(h, line.height) << where << ", credits " << line.what << ": \""
                                              << line.text << "\" is " << h << " px high";
                }
            }
        }
    }
}
