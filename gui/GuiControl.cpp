// Controls: the per-kind dispatch, labels, images, buttons, check boxes, radio buttons.
#include "gui/GuiControl.h"

#include "Libs/KeyCodes.h"
#include "Libs/Platform.h"
#include "gui/GuiManager.h"
#include "gui/GuiWindow.h"

namespace {
// heldBy of a control the left mouse button pressed (key codes stay below 256).
constexpr uint32_t heldByMouse = 256;
} // namespace

int32_t GuiControl::HandleInput(int mode) {
    if (kind == ControlKind::Label || kind == ControlKind::Image) return 0;
    if (!visible || state == ElementState::Disabled) return 0;
    GuiManager* gui = GuiManager::Instance();
    if (!gui || !gui->input || !owner) return 0;
    switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return ButtonInput(mode);
    case ControlKind::Slider:
        return SliderInput(mode);
    case ControlKind::TextField:
        return TextFieldInput(mode);
    case ControlKind::ComboBox:
        return ComboBoxInput(mode);
    case ControlKind::Table:
        return TableInput(mode);
    default:
        return 0;
    }
}

void GuiControl::DrawControl() {
    GuiManager* gui = GuiManager::Instance();
    if (!visible || !gui) return;
    switch (kind) {
    case ControlKind::Label:
        gui->DrawSkinText(fontName, colourName, 0, text, x, y, width, height, param1, param2);
        break;
    case ControlKind::Image:
        if (param4.texture && param4.texture->IsLoaded())
            param4.texture->Draw(x, y, width, height, 0, 0.0f, 0, 0);
        break;
    case ControlKind::Button:
        DrawButton();
        break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        DrawMarkControl();
        break;
    case ControlKind::Slider:
        DrawSlider();
        break;
    case ControlKind::TextField:
        DrawTextField();
        break;
    case ControlKind::ComboBox:
        DrawComboBox();
        break;
    case ControlKind::Table:
        DrawTable();
        break;
    }
}

// Button, check box and radio button, event by event:
//   pointer over it        state 1 (hovered)
//   left press over it     takes the focus, pressed := 1 (state 2), held by the mouse
//   left release           activation when held by the mouse and still over it; pressed := 0
//   Space/Return down      pressed := 1, held by that key (keys reach only the focused control);
//                          a made-up repeat of a held key does nothing
//   Space/Return up        activation when held by that same key; pressed := 0
// A release whose press the control never saw does nothing, and repeats of a held key are no
// presses: the key that ended a game, still held when the result dialog opens, must not click
// the dialog's button.
// Activation: a button answers 1, a check box toggles, a radio button sets itself.
int32_t GuiControl::ButtonInput(int mode) {
    GuiManager* gui = GuiManager::Instance();
    const InputEvent& event = gui->input->event;
    const bool hover = gui->MouseIn(x, y, x + width, y + height);
    state = hover ? 1 : 0;
    bool activated = false;

    if (mode == 1) {
        if (event.IsPress()) {
            if (hover) {
                owner->SetFocus(id, 0);
                pressed = 1;
                heldBy = heldByMouse;
            }
        } else if (heldBy == heldByMouse) {
            activated = pressed != 0 && hover;
            pressed = 0;
            heldBy = 0;
        }
    }
    if (mode == 2 && (event.offset == KeySpace || event.offset == KeyReturn)) {
        // A repeat is no press: the key went down before, perhaps in another window.
        if (event.IsPress()) {
            if (!event.repeated) {
                pressed = 1;
                heldBy = event.offset;
            }
        } else if (heldBy == event.offset) {
            activated = pressed != 0;
            pressed = 0;
            heldBy = 0;
        }
    }

    if (focused) state = 1;
    state += pressed;
    if (!activated) return 0;
    if (kind == ControlKind::CheckBox) param1 = param1 ? 0 : 1;
    if (kind == ControlKind::RadioButton) param1 = 1;
    return 1;
}

void GuiControl::DrawButton() {
    GuiManager* gui = GuiManager::Instance();
    gui->DrawSkinElement(Element::Button, state, x, y, width, height);
    Texture* icon = param4.texture;
    if (!icon || !icon->IsLoaded()) {
        gui->DrawSkinText(fontName, colourName, state, text, x, y, width, height, 1, 2);
        return;
    }
    const int32_t gap = param1;
    const int32_t iconWidth = icon->source.right - icon->source.left;
    const int32_t iconHeight = icon->source.bottom - icon->source.top;
    icon->Draw(x + gap + 3, y + (height - iconHeight) / 2, 0, 0, 0, 0.0f, 0, 0);
    gui->DrawSkinText(fontName, colourName, state, text, x + 2 * gap + iconWidth + 5, y,
                      width - 3 * gap - iconWidth - 8, height, 0, 2);
}

// A check box or radio button: the mark for its value, the caption beside it.
void GuiControl::DrawMarkControl() {
    GuiManager* gui = GuiManager::Instance();
    const int base = kind == ControlKind::CheckBox ? Element::CheckBox : Element::RadioButton;
    const SkinElement& mark = gui->elements[base];
    gui->DrawSkinElement(base + (param1 ? 1 : 0), state, x, y + (height - mark.height) / 2, 0, 0);
    gui->DrawSkinText(fontName, colourName, state, text, x + mark.width + 2, y,
                      width - mark.width - 2, height, 0, 2);
}
