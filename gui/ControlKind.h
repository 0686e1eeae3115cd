#pragma once
#include <cstdint>

// The nine kinds of control a window can hold. Kinds above Image can take the focus.
enum class ControlKind : int32_t {
    Label = 0,
    Image = 1,
    Button = 2,
    CheckBox = 3,
    RadioButton = 4,
    Slider = 5,
    TextField = 6,
    ComboBox = 7,
    Table = 8,
};

// The visual state of a control or a skin piece. A control in Disabled takes no input and can
// be given the focus neither by Tab nor by the mouse; owners set and clear it themselves.
namespace ElementState {
constexpr int32_t Normal = 0;
constexpr int32_t Hovered = 1; // hovered or focused
constexpr int32_t Pressed = 2; // hovered or focused with the button held
constexpr int32_t Disabled = 3;
} // namespace ElementState

// Text field character sets (parameter 3 of a TextField).
namespace TextMode {
constexpr int32_t Any = 0;
constexpr int32_t Wide = 1;
constexpr int32_t LettersDigits = 2;
constexpr int32_t KeyCapture = 4;
} // namespace TextMode
