// The combo box: a closed box showing the selected item, and its dropdown list.
#include <algorithm>

#include "Libs/KeyCodes.h"
#include "Libs/Platform.h"
#include "gui/GuiControl.h"
#include "gui/GuiManager.h"
#include "gui/GuiWindow.h"

namespace {

// pressed values of a combo box
constexpr int32_t closed = 0;
constexpr int32_t heldOnBox = 1;
constexpr int32_t barHeld = 2;
constexpr int32_t open = 3;
constexpr int32_t justChosen = -1;

} // namespace

// Combo box (parameters: selected index i, visible rows V, first visible row F; items from
// parameter 4), event by event:
//   dropdown open             its scroll bar follows a held arrow or dragged knob
//   left press on the box     closed: pressed 1 and the focus; open: the dropdown closes
//   left press in the list    on the scroll bar: the bar is held (pressed 2); elsewhere the
//                             row under the pointer is chosen
//   left release              after a press on the box: opens when still on it; a held
//                             scroll bar is let go
//   Space/Return down / up    down: pressed 1 (or closes an open list); up: opens the list
//   Left / Right (closed)     previous / next item without opening
//   Up / Down                 open the list and step the selection
//   Home / End / Page keys    first / last item, a page up / down
// Answers 1 when the selected text changed, -1 when the event was used inside the open list
// (so controls with higher ids do not see it), else 0. An empty list selects nothing.
int32_t GuiControl::ComboBoxInput(int mode) {
    GuiManager* gui = GuiManager::Instance();
    const InputEvent& event = gui->input->event;
    const ItemList& items = param4.items;
    const std::string oldText = text;
    const int32_t count = items.Count();
    const int32_t visibleRows = std::max(param2, 0);
    const int32_t shown = std::min(visibleRows, count);
    const int32_t rowHeight = height - gui->elements[Element::ComboBox].firstBorder;
    const int32_t listHeight = rowHeight > 0 ? shown * rowHeight : 0;
    const int32_t barWidth = gui->elements[Element::ScrollBar].width;
    const int32_t barX = x + width - barWidth - 1;
    const bool hasBar = count > shown;
    int32_t& selected = param1;
    int32_t& first = param3;
    bool chosen = false;

    auto select = [&](int32_t index) {
        if (count == 0) return;
        selected = std::clamp(index, 0, count - 1);
        if (const std::string* item = items.Item(selected)) text = *item;
    };
    auto keepSelectionVisible = [&]() {
        if (selected < first) first = selected;
        if (selected > first + visibleRows - 1) first = selected - visibleRows + 1;
        if (first < 0) first = 0;
    };

    const bool hover = gui->MouseIn(x, y, x + width, y + height);
    state = hover ? 1 : 0;
    const bool inList =
        listHeight > 0 && gui->MouseIn(x, y + height + 1, x + width, y + height + listHeight);

    if (pressed > heldOnBox && hasBar)
        gui->ScrollBarInput(0, phase, barX, y + height + 1, listHeight, count, first, shown, grab);

    if (mode == 1 && event.IsPress()) {
        if (hover) {
            if (pressed == closed) {
                owner->SetFocus(id, 0);
                pressed = heldOnBox;
            } else {
                pressed = closed;
            }
        }
        if (pressed > heldOnBox && inList) {
            if (hasBar && gui->MouseX() >= barX) {
                gui->ScrollBarInput(1, phase, barX, y + height + 1, listHeight, count, first, shown,
                                    grab);
                if (phase > ScrollPart::DownHovered) pressed = barHeld;
            } else {
                select((gui->MouseY() - y - height - 1) / rowHeight + first);
                pressed = justChosen;
                chosen = true;
            }
        }
    } else if (mode == 1) {
        if (pressed == heldOnBox) {
            if (hover) {
                pressed = open;
                phase = 0;
                first = selected;
            } else {
                pressed = closed;
            }
        } else if (pressed == barHeld) {
            gui->ScrollBarInput(1, phase, barX, y + height + 1, listHeight, count, first, shown,
                                grab);
            if (phase <= ScrollPart::DownHovered) pressed = open;
        }
    }

    if (mode == 2) {
        const uint32_t code = event.offset;
        const bool isOpen = pressed > heldOnBox;
        if (!event.IsPress()) {
            if ((code == KeySpace || code == KeyReturn) && pressed == heldOnBox) {
                phase = 0;
                first = selected;
                pressed = open;
            }
        } else if (code == KeySpace || code == KeyReturn) {
            pressed = pressed == closed || pressed == heldOnBox ? heldOnBox : closed;
        } else if (code == KeyLeft && !isOpen && selected > 0) {
            select(selected - 1);
        } else if (code == KeyRight && !isOpen && selected < count - 1) {
            select(selected + 1);
        } else if ((code == KeyUp || code == KeyDown) && count > 0) {
            if (!isOpen) phase = 0;
            pressed = open;
            select(selected + (code == KeyUp ? -1 : 1));
            keepSelectionVisible();
        } else if (code == KeyHome && count > 0) {
            first = 0;
            select(0);
        } else if (code == KeyEnd && count > 0) {
            first = count - 1;
            select(count - 1);
        } else if (code == KeyPageDown && count > 0) {
            first += visibleRows;
            select(selected + visibleRows);
            keepSelectionVisible();
        } else if (code == KeyPageUp && count > 0) {
            first = std::max(first - visibleRows, 0);
            select(selected - visibleRows);
            keepSelectionVisible();
        }
    }

    if (focused) state = 1;
    if (pressed == heldOnBox) state += 1;
    if (pressed == justChosen) pressed = closed;

    if (text != oldText) return 1;
    if ((inList && pressed != closed) || chosen) return -1;
    return 0;
}

void GuiControl::DrawComboBox() {
    GuiManager* gui = GuiManager::Instance();
    const SkinElement& button = gui->elements[Element::ComboBox];
    const int32_t border = gui->elements[Element::Box].firstBorder;
    const int32_t barWidth = gui->elements[Element::ScrollBar].width;
    height = button.height + 4;

    gui->DrawSkinElement(Element::Box, 0, x, y, width, height);
    gui->DrawSkinElement(Element::ComboBox, state, x + width - button.width - 2, y + 2, 0, 0);
    gui->DrawSkinText(fontName, colourName, state, text, x + border, y,
                      width - button.width - 2 * border - 2, height, 0, 2);
    if (pressed <= heldOnBox) return;

    const ItemList& items = param4.items;
    const int32_t count = items.Count();
    const int32_t visibleRows = std::max(param2, 0);
    const int32_t shown = std::min(visibleRows, count);
    const int32_t rowHeight = std::max(height - button.firstBorder, 0);
    param3 = std::max(std::min(param3, count - shown), 0);
    const int32_t first = param3;
    const bool hasBar = visibleRows < count;

    gui->DrawSkinElement(Element::Box, 2, x, y + height, width, shown * rowHeight + 2);
    if (hasBar)
        gui->DrawScrollBar(phase, x + width - barWidth - 1, y + height + 1, shown * rowHeight,
                           count, first, shown);
    const int32_t textRight = hasBar ? x + width - barWidth - 1 : x + width;
    uint32_t selectBackground = 0;
    const bool hasSelectColour = gui->colours.Find("selectb") != nullptr;
    if (hasSelectColour) selectBackground = *gui->colours.Find("selectb");
    for (int32_t k = 0; k < shown; ++k) {
        const std::string* item = items.Item(first + k);
        if (!item) break;
        const int32_t top = y + height + 1 + k * rowHeight;
        const bool isSelected = *item == text;
        if (isSelected && hasSelectColour && gui->directX) {
            const Rect band{x + 1, top, x + 1 + width - barWidth - 2, top + rowHeight};
            gui->directX->Clear(selectBackground, &band);
        }
        gui->DrawSkinText(fontName, isSelected ? "selectf" : colourName, 0, *item, x + border, top,
                          textRight - x - 2 * border, rowHeight, 0, 2);
    }
}
