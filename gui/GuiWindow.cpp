// A window of controls: building, focus, drawing and the per-frame input routing.
#include "gui/GuiWindow.h"

#include "Libs/KeyCodes.h"
#include "Libs/Platform.h"
#include "gui/GuiManager.h"

namespace {

constexpr uint32_t leftButton = 12; // mouse offset of the left button

bool TakesFocus(const GuiControl& control) {
    return static_cast<int32_t>(control.kind) > static_cast<int32_t>(ControlKind::Image) &&
           control.state != ElementState::Disabled && control.visible != 0;
}

} // namespace

void GuiWindow::SetupWindow(int32_t newX, int32_t newY, int32_t newWidth, int32_t newHeight,
                            int32_t newFramed, const std::string& newTitle,
                            const std::string& newFontName, const std::string& newColourName) {
    x = newX;
    y = newY;
    width = newWidth;
    height = newHeight;
    framed = newFramed;
    title = newTitle;
    fontName = newFontName;
    colourName = newColourName;
}

GuiControl* GuiWindow::AddControl(int32_t id, int32_t cx, int32_t cy, int32_t cw, int32_t ch,
                                  int32_t placement, ControlKind kind, const std::string& text,
                                  const std::string& statusText, const std::string& fontName,
                                  const std::string& colourName) {
    if (id <= 0 || controls.Contains(id)) return nullptr;
    // Placement 0 and 1 are relative to the layout cursor; 0 and 2 move the cursor there.
    if (placement / 2 == 0) {
        cx += cursorX;
        cy += cursorY;
    }
    if (placement % 2 == 0) {
        cursorX = cx;
        cursorY = cy;
    }
    GuiControl& control = controls.SelectOrInsert(id);
    control.relativeX = cx;
    control.relativeY = cy;
    control.relativeWidth = cw;
    control.relativeHeight = ch;
    control.x = x + cx;
    control.y = y + cy;
    control.width = cw;
    control.height = ch;
    control.owner = this;
    control.text = text;
    control.statusText = statusText;
    control.fontName = fontName;
    control.colourName = colourName;
    control.kind = kind;
    control.id = id;
    control.visible = 1;
    if (!focus && static_cast<int32_t>(kind) > static_cast<int32_t>(ControlKind::Image)) {
        focus = &control;
        control.focused = 1;
    }
    return &control;
}

void GuiWindow::SetControlParams(int32_t id, int count, int32_t p1, int32_t p2, int32_t p3,
                                 ControlObject p4, ControlObject p5) {
    GuiControl* control = controls.Find(id);
    if (!control) return;
    if (count >= 1) control->param1 = p1;
    if (count >= 2) control->param2 = p2;
    if (count >= 3) control->param3 = p3;
    if (count >= 4) control->param4 = p4;
    if (count >= 5) control->param5 = p5;

    if (control->kind == ControlKind::Table) control->SortTable();
    if (control->kind == ControlKind::ComboBox) {
        const ItemList& items = control->param4.items;
        if (p3 != 0) {
            // Select by text: the index of the item equal to the text, if any.
            for (int i = 0; i < items.Count(); ++i) {
                if (*items.Item(i) == control->text) control->param1 = i;
            }
        } else if (const std::string* item = items.Item(control->param1)) {
            control->text = *item;
            items.Select(control->param1);
        }
    }
}

GuiControl* GuiWindow::GetControl(int32_t id) {
    return controls.Find(id);
}

void GuiWindow::SetFocus(int32_t id, int next) {
    GuiControl* old = focus;
    if (old) {
        old->focused = 0;
        old->pressed = 0;
        old->heldBy = 0;
        // A control the owner disabled stays disabled.
        if (old->state != ElementState::Disabled) old->state = 0;
    }
    if (next == 0) {
        focus = controls.Find(id);
        if (focus) focus->focused = 1;
        return;
    }
    // The next focusable control after the old one in id order, wrapping round once; the old
    // one itself comes last. None qualifying: the focus stays where it was.
    for (int pass = 0; pass < 2; ++pass) {
        for (auto& [controlId, control] : controls) {
            const bool after = !old || controlId > old->id;
            if (after != (pass == 0) || !TakesFocus(control)) continue;
            focus = &control;
            control.focused = 1;
            return;
        }
    }
    if (focus) focus->focused = 1;
}

void GuiWindow::MoveTo(int32_t newX, int32_t newY) {
    GuiManager* gui = GuiManager::Instance();
    if (!gui) return;
    const int32_t titleHeight = gui->elements[Element::Window].firstBorder;
    const int32_t frame = gui->elements[Element::Window].secondBorder;
    const int32_t statusHeight = hasStatusBar ? gui->elements[Element::StatusBar].height : 0;
    // Right and bottom first, so a window larger than the screen keeps its title bar reachable.
    if (newX + width + frame > gui->ScreenWidth()) newX = gui->ScreenWidth() - width - frame;
    if (newY + height + statusHeight + frame > gui->ScreenHeight())
        newY = gui->ScreenHeight() - height - statusHeight - frame;
    if (newX < frame) newX = frame;
    if (newY < titleHeight) newY = titleHeight;
    x = newX;
    y = newY;
    for (auto& entry : controls) {
        entry.second.x = x + entry.second.relativeX;
        entry.second.y = y + entry.second.relativeY;
    }
}

void GuiWindow::DrawWindow() {
    GuiManager* gui = GuiManager::Instance();
    if (!gui) return;
    const int32_t T = gui->elements[Element::Window].firstBorder;
    const int32_t B = gui->elements[Element::Window].secondBorder;
    const int32_t S = gui->elements[Element::StatusBar].height;
    // The frame's own status bar; a frameless window uses its status rectangle instead.
    const int32_t barHeight = hasStatusBar ? S : 0;

    if (framed) {
        gui->DrawSkinElement(Element::Window, active ? 0 : 3, x - B, y - T, width + 2 * B,
                             height + T + B + barHeight);
        gui->DrawSkinText(fontName, colourName, 1 - active, title, x + T / 5, y - T,
                          width - 3 * T / 2, T, 0, 2);
        if (hasCloseButton)
            gui->DrawSkinElement(Element::CloseButton, active ? closeButtonState : 3, x + width + B,
                                 y - T, 0, 0);
        if (hasStatusBar) {
            gui->DrawSkinElement(Element::StatusBar, 0, x, y + height, width, S);
            if (focus)
                gui->DrawSkinText("", "", 0, focus->statusText, x + S / 5, y + height,
                                  width - S / 2, S, 0, 2);
        }
    } else if (hasStatusBar && focus) {
        gui->DrawSkinText(fontName, colourName, 0, focus->statusText, statusX, statusY, statusWidth,
                          statusHeight, 0, 2);
    }

    // The focused control comes last so that an open dropdown lies on top. While it is held,
    // no other control shows a hover.
    const bool focusHeld = focus && (focus->pressed == 1 || focus->pressed == 2);
    for (auto& entry : controls) {
        GuiControl& control = entry.second;
        if (&control == focus) continue;
        if (focusHeld && control.state != ElementState::Disabled) control.state = 0;
        control.DrawControl();
    }
    if (focus) focus->DrawControl();
}

bool GuiWindow::CapturingKeys() const {
    return focus && focus->kind == ControlKind::TextField && focus->param3 == TextMode::KeyCapture;
}

// Tab moves on, except in a key field waiting for a key, where it is a key like any other.
// There a pad's Start, which is never bound, moves on instead: a player with only a pad always
// has a way out.
bool GuiWindow::MovesFocusOn(uint32_t code) const {
    int pad = 0;
    PadControl control{};
    if (!CapturingKeys()) return code == KeyTab;
    return FindPadControl(static_cast<int>(code), pad, control) && control == PadControl::Start;
}

bool GuiWindow::TypingText() const {
    return focus && focus->kind == ControlKind::TextField && focus->param3 != TextMode::KeyCapture;
}

// One event into the window. When what happens, event by event:
//
//   event                                 effect                                  result
//   ------------------------------------  --------------------------------------  --------
//   any, no focused control               nothing                                 0
//   any, window inactive                  focused control's state, pressed := 0   0
//   mouse, not the left button            nothing                                 0
//   left press on the close button        close button pressed                    0
//   left release on it after that press   close button released                   -1 (id -1)
//   pointer over / holding close button   close button state 1 / 2                0
//   left press in the title bar           drag starts (offset kept)               routed on
//   any mouse while dragging              window follows, clamped on screen;      routed on
//                                         a release ends the drag
//   Tab press (not in a key capture), or  focus to the next focusable control     0
//     a pad's Start in a key capture
//   key, or focused control held          focused control's HandleInput only      its r if > 0
//     (pressed 1 or 2: button, slider
//     knob, closed combo box, scroll bar)
//   otherwise                             every control's HandleInput, ascending  first r > 0;
//                                         id; a -1 (open dropdown) ends the pass  0 on -1
//
// Controls themselves activate (result 1) as follows:
//   Button       release over it after a press on it; Space/Return released while focused
//                after its press was seen there (a key held from before does nothing)
//   CheckBox     as Button, toggling its value
//   RadioButton  as Button, setting its value to 1
//   Slider       the value changed (click beside the knob, knob drag, arrow keys)
//   TextField    the text changed (typing, editing keys, a captured key)
//   ComboBox     the selected text changed (a row chosen, arrows, Home/End/Page)
//   Table        never: a header click or digit key sorts it
int32_t GuiWindow::RunFrame(int mode, int32_t& id) {
    id = -1;
    if (!focus) return 0;
    if (!active) {
        focus->state = 0;
        focus->pressed = 0;
        focus->heldBy = 0;
        return 0;
    }
    GuiManager* gui = GuiManager::Instance();
    if (!gui || !gui->input) return 0;
    const InputEvent& event = gui->input->event;
    if (mode == GuiInput::Mouse && event.offset != leftButton) return 0;

    if (framed && mode != GuiInput::Keyboard) {
        const int32_t T = gui->elements[Element::Window].firstBorder;
        const int32_t B = gui->elements[Element::Window].secondBorder;
        const SkinElement& closeButton = gui->elements[Element::CloseButton];
        if (hasCloseButton && dragX == -1) {
            const int32_t left = x + width + B - closeButton.firstBorder - closeButton.width;
            const int32_t top = y - T + closeButton.secondBorder;
            const bool inside =
                gui->MouseIn(left, top, left + closeButton.width, top + closeButton.height);
            if (mode == GuiInput::Mouse && event.IsPress() && inside) closeButtonPressed = 1;
            if (mode == GuiInput::Mouse && !event.IsPress()) {
                // Only a press that began on the button closes the window.
                const bool wasPressed = closeButtonPressed != 0;
                closeButtonPressed = 0;
                if (inside && wasPressed) {
                    closeButtonState = 1;
                    return -1;
                }
            }
            closeButtonState = inside ? closeButtonPressed + 1 : 0;
            if (inside || closeButtonPressed) return 0;
        }
        if (movable) {
            if (mode == GuiInput::Mouse && event.IsPress() &&
                gui->MouseIn(x - B, y - T, x + width + B, y)) {
                dragX = gui->MouseX() - x;
                dragY = gui->MouseY() - y;
            }
            if (dragX != -1) {
                MoveTo(gui->MouseX() - dragX, gui->MouseY() - dragY);
                if (mode == GuiInput::Mouse && !event.IsPress()) dragX = -1;
            }
        }
    }

    if (mode == GuiInput::Keyboard && event.IsPress() && MovesFocusOn(event.offset)) {
        SetFocus(0, 1);
        if (focus) focus->state = 1;
        return 0;
    }

    if (focus->pressed == 1 || focus->pressed == 2 || mode == GuiInput::Keyboard) {
        const int32_t r = focus->HandleInput(mode);
        id = focus->id;
        return r > 0 ? r : 0;
    }
    for (auto& entry : controls) {
        const int32_t r = entry.second.HandleInput(mode);
        id = entry.second.id;
        if (r < 0) return 0;
        if (r > 0) return r;
    }
    return 0;
}
