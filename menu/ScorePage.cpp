// The statistics page: one sortable row of lifetime figures per profile.
#include "menu/MenuSystem.h"

#include "menu/ControlRow.h"

namespace {

constexpr ControlRow scoreRowsLayout[] = {
    {99, ControlKind::Button, -50, 100, 130, 50, Place::Moving, 325, 326, "button"},
    {11, ControlKind::Label, 150, 10, 190, 19, Place::Moving, 600, noText, "standard"},
    {13, ControlKind::Label, 200, 0, 190, 19, Place::Keeping, 601, noText, "standard"},
    {12, ControlKind::Label, 0, 20, 190, 19, Place::Moving, 602, noText, "standard"},
    {14, ControlKind::Label, 200, 0, 190, 19, Place::Keeping, 603, noText, "standard"},
    {15, ControlKind::Table, -150, 30, 552, 270, Place::Moving, noText, 321, "standard"},
};

constexpr ColumnRow columnRows[] = {{100, 0, 0, 604}, {65, 1, 2, 605}, {65, 1, 2, 606},
                                    {50, 1, 2, 607},  {50, 1, 2, 608}, {60, 1, 2, 609},
                                    {80, 1, 2, 610},  {80, 1, 2, 611}};

constexpr int sortByFirstBest = 2; // column 1 ascending

} // namespace

void MenuSystem::buildScoreWindow() {
    setupPage(scoreWindow, "Highscore", 321);
    addControls(scoreWindow, language, scoreRowsLayout);
    scoreWindow.SetControlParams(99, 4, 5, 0, 0, &iconBack);
    addColumns(scoreColumns, columnRows, [this](int id) { return text(id); });
    buildStatisticsRows();
}

void MenuSystem::buildStatisticsRows() {
    scoreRows.Clear();
    int row = 0;
    for (auto& entry : profiles)
        scoreRows.SelectOrInsert(row++) = statisticsText(entry.second, text(decimalMarkText));
    scoreWindow.SetControlParams(15, 5, sortByFirstBest, 0, 0, &scoreColumns, &scoreRows);
}

void MenuSystem::handleScorePage(int id) {
    if (id == 99) showPage(MainPage);
}
