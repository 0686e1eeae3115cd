#include "menu/ControlRow.h"

#include <string>

#include "gui/GuiWindow.h"
#include "storage/LanguageTable.h"

void addControls(GuiWindow& window, LanguageTable& language, std::span<const ControlRow> rows) {
    static const std::string none;
    for (const ControlRow& row : rows) {
        const std::string& caption = row.caption == noText ? none : language.Text(row.caption);
        const std::string& status = row.status == noText ? none : language.Text(row.status);
        window.AddControl(row.id, row.x, row.y, row.width, row.height, row.placement, row.kind,
                          caption, status, row.style, row.style);
    }
}
