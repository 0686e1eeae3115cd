// The text field: one line of editable text with a blinking caret, or a key capture field.
#include <cstdlib>

#include <string_view>

#include "Libs/KeyCodes.h"
#include "Libs/Platform.h"
#include "gui/GuiControl.h"
#include "gui/GuiManager.h"
#include "gui/GuiWindow.h"

namespace {

constexpr uint32_t blinkMs = 700; // the caret is shown and hidden for this long in turn
// pressed of a key field: it has taken a key since it got the focus (0: still waiting).
constexpr int32_t keyTaken = 3;
// What a key field waiting for a key shows instead of the key's name.
constexpr const char* waitingText = "\x85";

// Windows-1252 bytes: the wide set adds umlauts, sharp s and the punctuation that is safe in
// names; the narrow set is letters, digits and the space.
constexpr std::string_view wideSet = "1234567890abcdefghijklmnopqrstuvwxyz\xE4\xF6\xFC"
                                     "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xDC\xDF"
                                     " ^\xB0!\xA7$%&()=`\xB4\xB2\xB3{[]}+'#~-_,;\xB5@\x80";
constexpr std::string_view narrowSet =
    "1234567890abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ ";

bool Accepts(int32_t mode, char c) {
    if (mode == TextMode::Any) return true;
    if (mode == TextMode::Wide) return wideSet.find(c) != std::string_view::npos;
    if (mode == TextMode::LettersDigits) return narrowSet.find(c) != std::string_view::npos;
    return false;
}

int32_t MeasureWidth(DirectXLib* directX, const std::string& text, Font* font) {
    if (!directX || text.empty()) return 0;
    int w = 0, h = 0;
    directX->MeasureText(text, font, 0, w, h, 1);
    return w;
}

} // namespace

// Text field, event by event (parameters: caret, maximum length, TextMode):
//   left press over it    takes the focus; the caret goes to the nearest character boundary
//   key down, key capture the text becomes the key's name, parameter 2 its code, caret 0
//   key down, otherwise   Left/Right/Home/End move the caret; Backspace removes before it,
//                         Delete at it, Shift+Delete clears all
//   typed character       below the maximum length, inserted at the caret when the mode
//                         allows it (a key capture field ignores it)
//   key up                nothing
// Every caret movement shows the caret at once. A changed text answers 1.
int32_t GuiControl::TextFieldInput(int mode) {
    GuiManager* gui = GuiManager::Instance();
    InputLib* input = gui->input;
    const InputEvent& event = input->event;
    const std::string oldText = text;
    if (param1 < 0) param1 = 0;
    if (param1 > static_cast<int32_t>(text.size())) param1 = static_cast<int32_t>(text.size());
    const int32_t oldCaret = param1;
    const bool hover = gui->MouseIn(x, y, x + width, y + height);
    state = hover ? 1 : 0;

    if (mode == 1 && event.IsPress() && hover) {
        owner->SetFocus(id, 0);
        // Measured with the font the focused field is drawn with.
        Font* font = gui->ResolveFont(fontName, 1);
        const int32_t border = gui->elements[Element::Box].firstBorder;
        const int32_t mouseX = gui->MouseX();
        int32_t best = 100000;
        for (size_t i = 0; i <= text.size(); ++i) {
            const int32_t w = MeasureWidth(gui->directX, text.substr(0, i), font);
            const int32_t distance = std::abs(mouseX - x - border - w);
            if (distance < best) {
                best = distance;
                param1 = static_cast<int32_t>(i);
            }
        }
    }

    if (mode == 2 && event.offset == KeyTypedText) {
        // A typed character, as the player's keyboard layout made it; a key field waits for
        // a key, not for text.
        const char typed = static_cast<char>(event.appData);
        if (param3 != TextMode::KeyCapture && static_cast<int32_t>(text.size()) < param2 &&
            Accepts(param3, typed)) {
            size_t at = static_cast<size_t>(param1);
            if (at > text.size()) at = text.size();
            text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), typed);
            param1 = static_cast<int32_t>(at) + 1;
        }
    } else if (mode == 2 && event.IsPress()) {
        const int code = static_cast<int>(event.offset);
        if (param3 == TextMode::KeyCapture) {
            pressed = keyTaken;
            text = input->GetKeyName(code);
            param1 = 0;
            param2 = code;
        } else {
            const size_t caret = static_cast<size_t>(param1);
            if (code == KeyLeft && param1 > 0) param1 -= 1;
            if (code == KeyRight) param1 += 1;
            if (code == KeyEnd) param1 = static_cast<int32_t>(text.size());
            if (code == KeyHome) param1 = 0;
            if (code == KeyBackspace && caret > 0) {
                text.erase(caret - 1, 1);
                param1 -= 1;
            }
            if (code == KeyDelete) {
                // The keys held right now, not an earlier snapshot.
                const bool shift = input->heldKeys[KeyLeftShift] || input->heldKeys[KeyRightShift];
                if (shift)
                    text.clear();
                else if (caret < text.size())
                    text.erase(caret, 1);
            }
        }
    }

    if (param1 > static_cast<int32_t>(text.size())) param1 = static_cast<int32_t>(text.size());
    if (param1 < 0) param1 = 0;
    if (param1 != oldCaret) phase = 701 - GetTickCount() % (2 * blinkMs);
    state = focused ? 1 : 0;
    return text != oldText ? 1 : 0;
}

void GuiControl::DrawTextField() {
    GuiManager* gui = GuiManager::Instance();
    const int32_t border = gui->elements[Element::Box].firstBorder;
    // The box shows whether the field can be used; hover and focus show in the text and caret.
    const int boxState = state == ElementState::Disabled ? ElementState::Disabled : 0;
    gui->DrawSkinElement(Element::Box, boxState, x, y, width, height);
    // While it is edited the text stays whole, so the caret keeps its place.
    gui->DrawSkinText(fontName, colourName, state, ShownText(), x + border, y, width - 2 * border,
                      height, 0, 2, focused ? 0 : 1);
    // A key field has no caret: it takes keys, not text.
    if (param3 == TextMode::KeyCapture) return;
    if (state == 0 || state == ElementState::Disabled || !gui->directX) return;

    size_t caret = param1 < 0 ? 0 : static_cast<size_t>(param1);
    if (caret > text.size()) caret = text.size();
    const int32_t caretX =
        MeasureWidth(gui->directX, text.substr(0, caret), gui->ResolveFont(fontName, state));
    const bool shown = ((GetTickCount() + phase) / blinkMs) % 2 == 1;
    if (caretX < width - 2 * border && shown) {
        const int32_t lineX = x + border + caretX;
        gui->directX->DrawLine(lineX, y + border, lineX, y + height - border, 0xFF000000, 1.0f, 0,
                               1.0f);
    }
}

std::string GuiControl::ShownText() const {
    const bool waiting = kind == ControlKind::TextField && param3 == TextMode::KeyCapture &&
                         focused && pressed != keyTaken;
    return waiting ? waitingText : text;
}
