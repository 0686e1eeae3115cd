// The slider: a value between a minimum and a maximum, set with the knob, clicks and arrows.
#include <cmath>

#include "Libs/KeyCodes.h"
#include "Libs/Platform.h"
#include "gui/GuiControl.h"
#include "gui/GuiManager.h"
#include "gui/GuiWindow.h"

namespace {} // namespace

// Slider (parameters: value, minimum, maximum; compared as unsigned), event by event:
//   knob held (pressed 1)     the value follows the pointer, keeping the grab offset
//   left press right of knob  value + step (a tenth of the range, at least 1)
//   left press left of knob   value - step (0 when not above step)
//   left press on the knob    pressed := 1, grab := pointer offset in the knob
//   left release              pressed := 0
//   Down / Up                 value - 1 (not below 0) / + 1
//   Left / Right              value - step / + step
// The value is kept within [minimum, maximum]; a change answers 1. A slider whose maximum
// equals its minimum keeps the minimum and shows its knob at the left end.
int32_t GuiControl::SliderInput(int mode) {
    GuiManager* gui = GuiManager::Instance();
    const InputEvent& event = gui->input->event;
    const uint32_t minimum = static_cast<uint32_t>(param2);
    const uint32_t maximum = static_cast<uint32_t>(param3);
    const uint32_t range = maximum - minimum;
    const uint32_t oldValue = static_cast<uint32_t>(param1);
    uint32_t value = oldValue;
    const int32_t knobWidth = gui->elements[Element::Slider].secondBorder;
    const int32_t travel = width - knobWidth;
    const uint32_t step = range / 10 > 0 ? range / 10 : 1;
    const int32_t knobLeft =
        range == 0 ? x
                   : x + static_cast<int32_t>(static_cast<int64_t>(travel) *
                                              static_cast<int64_t>(value - minimum) / range);
    const int32_t knobRight = knobLeft + knobWidth;
    const int32_t mouseX = gui->MouseX();
    const bool hover = gui->MouseIn(x, y, x + width, y + height);
    state = hover ? 1 : 0;

    if (pressed == 1) {
        // The smallest value whose knob centre reaches the pointer (the maximum if none).
        const double target = mouseX - grab - x;
        if (range == 0 || travel <= 0) {
            value = target <= 0 ? minimum : maximum;
        } else {
            const double offset = std::ceil(target * range / travel - 0.5);
            value = offset <= 0       ? minimum
                    : offset >= range ? maximum
                                      : minimum + static_cast<uint32_t>(offset);
        }
    }
    if (mode == 1) {
        if (event.IsPress() && hover) {
            owner->SetFocus(id, 0);
            if (mouseX > knobRight) {
                value += step;
            } else if (mouseX < knobLeft) {
                value = value > step ? value - step : 0;
            } else {
                pressed = 1;
                grab = mouseX - knobLeft;
            }
        } else if (!event.IsPress()) {
            pressed = 0;
        }
    }
    if (mode == 2 && event.IsPress()) {
        if (event.offset == KeyDown && value != 0) value -= 1;
        if (event.offset == KeyUp) value += 1;
        if (event.offset == KeyLeft) value = value > step ? value - step : 0;
        if (event.offset == KeyRight) value += step;
    }

    if (value < minimum) value = minimum;
    if (value > maximum) value = maximum;
    param1 = static_cast<int32_t>(value);
    if (focused) state = 1;
    state += pressed;
    return value != oldValue ? 1 : 0;
}

void GuiControl::DrawSlider() {
    GuiManager* gui = GuiManager::Instance();
    const uint32_t minimum = static_cast<uint32_t>(param2);
    const uint32_t range = static_cast<uint32_t>(param3) - minimum;
    uint32_t offset = static_cast<uint32_t>(param1) - minimum;
    if (offset > range) offset = range;
    // Knob position in thousandths, plus one.
    const int32_t knob =
        range == 0 ? 1 : static_cast<int32_t>(static_cast<uint64_t>(offset) * 1000 / range) + 1;
    const int32_t elementHeight = gui->elements[Element::Slider].height;
    gui->DrawSkinElement(Element::Slider, state, x, y + (height - elementHeight) / 2, width, knob);
}
