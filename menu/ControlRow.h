#pragma once
#include <cstdint>
#include <span>

#include "gui/ControlKind.h"

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
