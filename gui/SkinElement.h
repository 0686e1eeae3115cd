#pragma once
#include <cstdint>

// One picture of the skin: where each of its four states is cut from the skin image, its size
// and three values whose meaning depends on the element (edge widths, arrow sizes, row height).
struct SkinElement {
    int32_t sourceX[4] = {0, 0, 0, 0};
    int32_t sourceY[4] = {0, 0, 0, 0};
    int32_t width = 0;
    int32_t height = 0;
    int32_t firstBorder = 0;
    int32_t secondBorder = 0;
    int32_t extra = 0;
};

// Element numbers; the skin keyword of each is in the comment.
namespace Element {
constexpr int Button = 0;       // "button": button background
constexpr int CheckBox = 1;     // "checkbox": unchecked mark
constexpr int CheckBoxX = 2;    // "checkboxx": ticked mark
constexpr int RadioButton = 3;  // "radiobutton": unselected mark
constexpr int RadioButtonX = 4; // "radiobuttonx": selected mark
constexpr int Box = 5;          // "box": frame of text field, combo box, dropdown and table
constexpr int ComboBox = 6;     // "combobox": drop button
constexpr int ListBox = 7;      // "listbox": table header cells
constexpr int Slider = 8;       // "slider": track and knob
constexpr int ScrollBar = 9;    // "scrollbar": vertical scroll bar parts
constexpr int Window = 10;      // "window": frame with title bar
constexpr int CloseButton = 11; // "closebutton": window close button
constexpr int StatusBar = 12;   // "statusbar": window status bar
constexpr int Count = 13;
} // namespace Element

// Scroll bar part codes, kept in a list control's phase field.
namespace ScrollPart {
constexpr uint32_t None = 0;
constexpr uint32_t UpHovered = 1;
constexpr uint32_t KnobHovered = 2;
constexpr uint32_t DownHovered = 3;
constexpr uint32_t UpHeld = 4;
constexpr uint32_t KnobDragged = 5;
constexpr uint32_t DownHeld = 6;
constexpr uint32_t AllDisabled = 7; // drawing only
} // namespace ScrollPart
