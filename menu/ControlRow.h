#pragma once
#include <cstdint>
#include <span>

#include "gui/ControlKind.h"
#include "gui/ControlObject.h"

class GuiWindow;
class LanguageTable;

// Where AddControl puts a control: relative to the layout cursor or absolute, and whether the
// cursor moves to it.
namespace Place {
constexpr int Moving = 0;          // relative to the cursor, cursor moves there
constexpr int Keeping = 1;         // relative to the cursor, cursor stays
constexpr int AbsoluteMoving = 2;  // absolute, cursor moves there
constexpr int AbsoluteKeeping = 3; // absolute, cursor stays
} // namespace Place

constexpr int noText = -1;

// One control of a menu page: the pages are tables of these rows, added by one loop.
struct ControlRow {
    int id;
    ControlKind kind;
    int x, y, width, height;
    int placement;
    int caption;       // language text id or noText
    int status;        // language text id or noText
    const char* style; // font and colour name
};

// Adds the rows in order; texts are looked up in the language table.
void addControls(GuiWindow& window, LanguageTable& language, std::span<const ControlRow> rows);

// One column of a table control: width, numeric sorting, alignment of its cells (0 left,
// 1 centre, 2 right) and the language text id of its caption.
struct ColumnRow {
    int width, numeric, alignment, caption;
};

// Fills a table's columns from the rows, in order; textOf gives a caption's text.
template <class TextOf>
void addColumns(ColumnTable& columns, std::span<const ColumnRow> rows, TextOf textOf) {
    columns.Clear();
    int key = 0;
    for (const ColumnRow& row : rows) {
        TableColumn& column = columns.SelectOrInsert(key++);
        column.width = row.width;
        column.numeric = row.numeric;
        column.alignment = row.alignment;
        column.caption = textOf(row.caption);
    }
}
