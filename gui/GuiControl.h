#pragma once
#include <cstdint>
#include <string>

#include "gui/ControlKind.h"
#include "gui/ControlObject.h"

class GuiWindow;

// One control of a window. The owner reads and writes the fields directly (texts, values,
// visible, state 3 to disable); the window calls DrawControl and HandleInput.
//
// Parameters by kind:
//   Label       p1 horizontal alignment (0 left, 1 centre, 2 right), p2 vertical mode (0 wrapped
//               from the top, 1 one line at the top, 2 centred, 3 at the bottom)
//   Image       p4.texture
//   Button      p1 gap around the icon, p4.texture the icon or none
//   CheckBox    p1 value 0/1
//   RadioButton p1 value 0/1
//   Slider      p1 value, p2 minimum, p3 maximum
//   TextField   p1 caret, p2 maximum length (key capture: the captured key code), p3 TextMode
//   ComboBox    p1 selected index, p2 visible rows of the dropdown, p3 select-by-text flag
//               (afterwards the first visible row), p4.items
//   Table       p1 sort key (2 x column ascending, + 1 descending), p2 header marker, p3 first
//               visible row, p4.columns, p5.rows
class GuiControl {
public:
    // Screen rectangle: window position plus relative position.
    int32_t x = 0, y = 0, width = 0, height = 0;
    // Position inside the window's client area.
    int32_t relativeX = 0, relativeY = 0, relativeWidth = 0, relativeHeight = 0;
    std::string statusText; // shown in the status bar while focused
    std::string text;       // caption, text field content, combo box selection
    std::string fontName;
    std::string colourName;
    int32_t visible = 1;
    int32_t state = 0;   // ElementState, recomputed by HandleInput
    int32_t pressed = 0; // held / drag / open sub-state of the kind
    // Button kinds: the key code whose press it saw, 256 for the left mouse button, 0 none.
    uint32_t heldBy = 0;
    ControlKind kind = ControlKind::Label;
    int32_t focused = 0;
    int32_t id = 0;
    int32_t param1 = 0, param2 = 0, param3 = 0;
    uint32_t phase = 0; // caret blink phase; list controls: scroll bar part code
    int32_t grab = 0;   // slider grab offset; list controls: scroll grab or last repeat time
    ControlObject param4;
    ControlObject param5;
    GuiWindow* owner = nullptr;
    // Table: the row (its whole text) shown as chosen, kept in view when the table sorts;
    // empty for none.
    std::string markedRow;

    // Draws the control from the current skin; nothing when invisible.
    void DrawControl();
    // One input event (mode 0 none, 1 mouse, 2 keyboard; InputLib's event). Returns 1 when
    // activated, 0 when not, -1 when the event is used up (combo box only).
    int32_t HandleInput(int mode);
    // Re-orders the row table of a Table by its sort key.
    void SortTable();
    // What the control shows of its text: a key field waiting for a key (focused, no key
    // taken since) shows an ellipsis instead of the key's name.
    std::string ShownText() const;
    // Table: scrolls so that the marked row is visible.
    void ShowMarkedRow();

private:
    int32_t ButtonInput(int mode);
    int32_t SliderInput(int mode);
    int32_t TextFieldInput(int mode);
    int32_t ComboBoxInput(int mode);
    int32_t TableInput(int mode);
    void DrawButton();
    void DrawMarkControl();
    void DrawSlider();
    void DrawTextField();
    void DrawComboBox();
    void DrawTable();
    int TableVisibleRows() const;
    int TableColumnAt(int mouseX) const;
};
