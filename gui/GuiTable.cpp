// The sortable table: column headers, rows of line-feed separated cells, a scroll bar.
#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "Libs/KeyCodes.h"
#include "Libs/Platform.h"
#include "Libs/Win1252.h"
#include "gui/GuiControl.h"
#include "gui/GuiManager.h"
#include "gui/GuiWindow.h"

namespace {

// pressed values of a table
constexpr int32_t idle = 0;
constexpr int32_t headerHeld = 1;
constexpr int32_t barHeld = 2;

// Where column k lies on screen: columns run from x + 1, each as wide as its record; the last
// one, or one that would reach past the limit, ends at the limit (2 pixels before the scroll
// bar or the right edge). False when there is no column k.
bool ColumnSpan(const ColumnTable* columns, int k, int32_t x, int32_t limit, int32_t& left,
                int32_t& width) {
    if (!columns || k < 0 || k >= columns->Count()) return false;
    int32_t columnX = x + 1;
    int index = 0;
    for (const auto& entry : *columns) {
        const bool last = index == columns->Count() - 1;
        int32_t w = entry.second.width;
        if (last || columnX + w > limit) w = limit - columnX;
        if (index == k) {
            left = columnX;
            width = w;
            return true;
        }
        columnX += entry.second.width;
        ++index;
    }
    return false;
}

// Cell k of a row (the text after the k-th line feed up to the next one).
std::string_view Cell(std::string_view row, int k) {
    for (int i = 0; i < k; ++i) {
        const size_t feed = row.find('\n');
        if (feed == std::string_view::npos) return {};
        row.remove_prefix(feed + 1);
    }
    return row.substr(0, row.find('\n'));
}

// A numeric cell: only the characters of "0123456789.-" count, in order.
double Number(std::string_view cell) {
    std::string kept;
    for (char c : cell) {
        if ((c >= '0' && c <= '9') || c == '.' || c == '-') kept += c;
    }
    return std::strtod(kept.c_str(), nullptr);
}

} // namespace

int GuiControl::TableVisibleRows() const {
    GuiManager* gui = GuiManager::Instance();
    const SkinElement& header = gui->elements[Element::ListBox];
    if (header.extra <= 0) return 0;
    return std::max((height - header.height - 2) / header.extra, 0);
}

int GuiControl::TableColumnAt(int mouseX) const {
    GuiManager* gui = GuiManager::Instance();
    const int32_t rows = param5.rows ? param5.rows->Count() : 0;
    const int32_t barWidth = gui->elements[Element::ScrollBar].width;
    const int32_t limit = (TableVisibleRows() < rows ? x + width - barWidth - 1 : x + width) - 2;
    const int count = param4.columns ? param4.columns->Count() : 0;
    for (int k = 0; k < count; ++k) {
        int32_t left = 0, w = 0;
        if (ColumnSpan(param4.columns, k, x, limit, left, w) && mouseX >= left && mouseX < left + w)
            return k;
    }
    return -1;
}

// Table (parameters: sort key, header marker, first visible row; columns and rows from
// parameters 4 and 5), event by event:
//   scroll bar held            follows a held arrow or dragged knob
//   left press on a header     the focus; pressed 1, that header shown pressed
//   left press on the bar      the focus; the bar is held (pressed 2)
//   left release on the same   the sort key flips between ascending and descending for that
//   header                     column (a new column starts ascending) and the rows are sorted
//   Up/Down/Home/End/Page      scroll the rows
//   digit 1..9, 0 down / up    stand for a press / release on the header of columns 0..9
// A table never activates: it answers 0.
int32_t GuiControl::TableInput(int mode) {
    GuiManager* gui = GuiManager::Instance();
    const InputEvent& event = gui->input->event;
    const int32_t headerHeight = gui->elements[Element::ListBox].height;
    const int32_t barWidth = gui->elements[Element::ScrollBar].width;
    const int32_t count = param5.rows ? param5.rows->Count() : 0;
    const int32_t columnCount = param4.columns ? param4.columns->Count() : 0;
    const int32_t visibleRows = TableVisibleRows();
    const bool hasBar = visibleRows < count;
    const int32_t barX = x + width - barWidth - 1;
    const int32_t mouseX = gui->MouseX();
    int32_t& sortKey = param1;
    int32_t& marker = param2;
    int32_t& first = param3;
    const int32_t oldSortKey = sortKey;
    auto toggleSort = [&](int32_t column) {
        sortKey = sortKey == 2 * column ? 2 * column + 1 : 2 * column;
    };

    const bool hover = gui->MouseIn(x, y, x + width, y + height);
    state = hover ? 1 : 0;
    if (hasBar)
        gui->ScrollBarInput(0, phase, barX, y + 1, height - 2, count, first, visibleRows, grab);

    const bool leftOfBar = !hasBar || mouseX < barX;
    const bool onHeaderRow = gui->MouseY() <= y + 1 + headerHeight;
    const int32_t column = leftOfBar && onHeaderRow && hover ? TableColumnAt(mouseX) : -1;

    if (mode == 1 && event.IsPress() && hover) {
        owner->SetFocus(id, 0);
        if (column >= 0) {
            pressed = headerHeld;
            marker = 2 * column + 2;
        } else if (hasBar && !leftOfBar) {
            gui->ScrollBarInput(1, phase, barX, y + 1, height - 2, count, first, visibleRows, grab);
            pressed = phase > ScrollPart::DownHovered ? barHeld : idle;
        }
    } else if (mode == 1 && !event.IsPress()) {
        if (pressed == headerHeld) {
            pressed = idle;
            if (column >= 0 && marker == 2 * column + 2) toggleSort(column);
        } else if (pressed == barHeld) {
            gui->ScrollBarInput(1, phase, barX, y + 1, height - 2, count, first, visibleRows, grab);
            pressed = idle;
        }
    }

    if (mode == 2) {
        const uint32_t code = event.offset;
        const bool digit = code >= KeyDigit1 && code <= KeyDigit0;
        const int32_t digitColumn = static_cast<int32_t>(code) - static_cast<int32_t>(KeyDigit1);
        if (event.IsPress()) {
            if (code == KeyUp) first = std::max(first - 1, 0);
            if (code == KeyDown) first += 1;
            if (code == KeyHome) first = 0;
            if (code == KeyEnd) first = count - visibleRows;
            if (code == KeyPageUp) first = std::max(first - visibleRows, 0);
            if (code == KeyPageDown) first += visibleRows;
            if (digit && digitColumn < columnCount) {
                pressed = headerHeld;
                marker = 2 * digitColumn + 2;
            }
        } else if (digit && digitColumn < columnCount && pressed == headerHeld) {
            pressed = idle;
            toggleSort(digitColumn);
        }
    }

    if (pressed == idle) marker = column >= 0 ? 2 * column + 1 : 0;
    if (focused) state = 1;
    if (sortKey != oldSortKey) SortTable();
    first = std::max(std::min(first, count - visibleRows), 0);
    return 0;
}

// Rows are taken one at a time: a text column takes the greatest cell first, a numeric column
// the smallest number, and among equal values the earliest row. An even sort key then numbers
// them backwards (text ascending, numbers descending); an odd key forwards.
void GuiControl::SortTable() {
    RowTable* rows = param5.rows;
    if (!rows || !param4.columns) return;
    const int column = param1 / 2;
    bool numeric = false;
    int index = 0;
    for (const auto& entry : *param4.columns) {
        if (index++ == column) numeric = entry.second.numeric != 0;
    }

    struct Taken {
        std::string row;
        std::string text;
        double number = 0;
    };
    std::vector<Taken> order;
    for (const auto& entry : *rows) {
        const std::string_view cell = Cell(entry.second, column);
        order.push_back(Taken{entry.second, numeric ? std::string() : Win1252Lowered(cell),
                              numeric ? Number(cell) : 0.0});
    }
    // A stable sort takes the rows in exactly the order the selection above describes.
    std::stable_sort(order.begin(), order.end(), [numeric](const Taken& a, const Taken& b) {
        return numeric ? a.number < b.number : a.text > b.text;
    });

    const int32_t n = static_cast<int32_t>(order.size());
    const bool reversed = (param1 & 1) == 0;
    rows->Clear();
    for (int32_t i = 0; i < n; ++i)
        rows->SelectOrInsert(reversed ? n - 1 - i : i) = std::move(order[i].row);
    ShowMarkedRow();
}

// Scrolls just far enough that the marked row is in view.
void GuiControl::ShowMarkedRow() {
    if (markedRow.empty() || !param5.rows) return;
    int32_t index = 0;
    for (const auto& row : *param5.rows) {
        if (row.second == markedRow) break;
        ++index;
    }
    if (index >= param5.rows->Count()) return;
    const int32_t visibleRows = std::max(TableVisibleRows(), 1);
    if (index < param3) param3 = index;
    if (index >= param3 + visibleRows) param3 = index - visibleRows + 1;
}

void GuiControl::DrawTable() {
    GuiManager* gui = GuiManager::Instance();
    const SkinElement& header = gui->elements[Element::ListBox];
    const int32_t headerHeight = header.height, rowHeight = header.extra;
    const int32_t P = header.firstBorder, Q = header.secondBorder;
    const int32_t barWidth = gui->elements[Element::ScrollBar].width;
    const int32_t count = param5.rows ? param5.rows->Count() : 0;
    const int32_t visibleRows = TableVisibleRows();
    const bool hasBar = visibleRows < count;
    const int32_t limit = (hasBar ? x + width - barWidth - 1 : x + width) - 2;

    gui->DrawSkinElement(Element::Box, 0, x, y, width, height);
    if (hasBar)
        gui->DrawScrollBar(phase, x + width - barWidth - 1, y + 1, height - 2, count, param3,
                           visibleRows);
    if (!param4.columns) return;

    const int columnCount = param4.columns->Count();
    int k = 0;
    for (const auto& entry : *param4.columns) {
        int32_t left = 0, w = 0;
        ColumnSpan(param4.columns, k, x, limit, left, w);
        const int headerState = param2 == 2 * k + 2 ? 2 : param2 == 2 * k + 1 ? 1 : 0;
        const int arrow = param1 == 2 * k ? 2 : param1 == 2 * k + 1 ? 3 : 1;
        gui->DrawSkinElement(Element::ListBox, headerState, left, y + 1, w, arrow);
        gui->DrawSkinText(fontName, colourName, headerState, entry.second.caption, left + P, y + 1,
                          w - 2 * P - Q, headerHeight, 0, 2);
        ++k;
    }
    if (rowHeight <= 0 || !param5.rows) return;

    int32_t rowY = y + 1 + headerHeight;
    int32_t rowIndex = 0;
    for (const auto& row : *param5.rows) {
        if (rowIndex++ < param3) continue;
        if (rowY + rowHeight > y + height) break;
        // The marked row in the colours of a chosen row, where the skin has them.
        const bool marked = !markedRow.empty() && row.second == markedRow;
        const uint32_t* markColour = marked ? gui->colours.Find("selectb") : nullptr;
        if (markColour && gui->directX) {
            const Rect band{x + 1, rowY, limit, rowY + rowHeight};
            gui->directX->Clear(*markColour, &band);
        }
        int c = 0;
        for (const auto& entry : *param4.columns) {
            int32_t left = 0, w = 0;
            ColumnSpan(param4.columns, c, x, limit, left, w);
            gui->DrawSkinText(fontName, markColour ? "selectf" : colourName, 0,
                              std::string(Cell(row.second, c)), left + 4, rowY, w - 6, rowHeight,
                              entry.second.alignment, 2);
            if (++c >= columnCount) break;
        }
        rowY += rowHeight;
    }
}
