#include "GuiTestSupport.h"
#include "Libs/KeyCodes.h"
#include "tests/support/FrameAccess.h"

using namespace TestSkin;

class ComboBoxTest : public GuiTest {
protected:
    KeyedTable<std::string, int> items;
    GuiControl* combo = nullptr;
    // Screen geometry: box at y 110..130, rows of 16 pixels from y 131.
    static constexpr int32_t rowsTop = 131, rowHeight = comboButton + 4 - comboGap;

    void SetUp() override {
        GuiTest::SetUp();
        for (const char* name : {"alpha", "beta", "gamma", "delta", "epsilon"})
            items.SelectOrInsert(name) = 0;
        combo = window.AddControl(1, 10, 10, 150, 20, 3, ControlKind::ComboBox, "", "", "", "");
        window.SetControlParams(1, 4, 0, 3, 0, &items);
    }
    void Open() { ClickAt(120, 115); }
};

TEST_F(ComboBoxTest, SelectionByIndexAndByText) {
    EXPECT_EQ(combo->text, "alpha");
    window.SetControlParams(1, 1, 3);
    EXPECT_EQ(combo->text, "epsilon") << "items are in key order";
    EXPECT_EQ(items.CurrentKey(), "epsilon") << "the item table's cursor follows";
    combo->text = "delta";
    window.SetControlParams(1, 3, 0, 3, 1);
    EXPECT_EQ(combo->param1, 2);
    combo->text = "zeta";
    window.SetControlParams(1, 3, 0, 3, 1);
    EXPECT_EQ(combo->param1, 0) << "no equal item: the index stays as given";
}

TEST_F(ComboBoxTest, ChoosingTheCurrentItemUsesTheEventAndAnotherActivates) {
    // A button under the dropdown with a higher id must not see clicks in the open list.
    window.AddControl(2, 10, 25, 150, 40, 3, ControlKind::Button, "", "", "", "");
    Open();
    ASSERT_EQ(combo->pressed, 3) << "a click on the box opens the dropdown";

    MoveMouse(120, rowsTop + 2);
    Platform().input.event = InputEvent{12, 0x80};
    EXPECT_EQ(combo->HandleInput(GuiInput::Mouse), -1) << "the current item: used, no change";
    EXPECT_EQ(combo->pressed, 0) << "a choice closes the dropdown";

    Open();
    EXPECT_EQ(Click(120, rowsTop + rowHeight + 2, true), 1);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(combo->text, "beta");
    EXPECT_EQ(Click(120, rowsTop + rowHeight + 2, false), 0);
    EXPECT_EQ(window.GetControl(2)->pressed, 0);

    Open();
    Open();
    EXPECT_EQ(combo->pressed, 0) << "a second click on the box closes it";
}

TEST_F(ComboBoxTest, KeyboardStepsAndPages) {
    struct Step {
        int key;
        int32_t index, first, pressed;
    } steps[] = {
        {KeyRight, 1, 0, 0}, {KeyRight, 2, 0, 0},    {KeyLeft, 1, 0, 0},   {KeyDown, 2, 0, 3},
        {KeyDown, 3, 1, 3},  {KeyDown, 4, 2, 3},     {KeyDown, 4, 2, 3},   {KeyUp, 3, 2, 3},
        {KeyHome, 0, 0, 3},  {KeyPageDown, 3, 3, 3}, {KeyPageUp, 0, 0, 3}, {KeyEnd, 4, 4, 3},
        {KeyLeft, 4, 4, 3}, // an open list does not step with Left
    };
    for (const Step& s : steps) {
        Key(s.key, true);
        Key(s.key, false);
        EXPECT_EQ(combo->param1, s.index) << "key " << s.key;
        EXPECT_EQ(combo->param3, s.first) << "key " << s.key;
        EXPECT_EQ(combo->pressed, s.pressed) << "key " << s.key;
        EXPECT_EQ(combo->text, *combo->param4.items.Item(s.index)) << "key " << s.key;
    }
    Key(KeySpace, true);
    EXPECT_EQ(combo->pressed, 0) << "Space closes an open list";
    Key(KeySpace, false);
    Key(KeySpace, true);
    EXPECT_EQ(combo->pressed, 1);
    Key(KeySpace, false);
    EXPECT_EQ(combo->pressed, 3) << "Space released after a press opens it";
}

TEST_F(ComboBoxTest, DropdownHasAScrollBarOnlyWithMoreItemsThanRows) {
    const int32_t barX = 110 + 150 - barWidth - 1;
    struct Case {
        int32_t visibleRows;
        int32_t expectPressed; // after a press where the bar would be
    } cases[] = {{3, 2}, {5, 0}, {8, 0}};
    for (const Case& c : cases) {
        window.SetControlParams(1, 3, 0, c.visibleRows, 0);
        Open();
        Click(barX + 2, rowsTop + 2, true);
        EXPECT_EQ(combo->pressed, c.expectPressed) << c.visibleRows << " rows for 5 items";
        Click(barX + 2, rowsTop + 2, false);
        window.DrawWindow();
        combo->pressed = 0;
    }
}

TEST_F(ComboBoxTest, EmptyListNeverSelectsAndNeverDividesByZero) {
    KeyedTable<std::string, int> none;
    combo->text = "kept";
    window.SetControlParams(1, 4, 0, 3, 0, &none);
    EXPECT_EQ(combo->text, "kept");
    Open();
    window.DrawWindow();
    for (int key : {KeyDown, KeyUp, KeyHome, KeyEnd, KeyPageDown, KeyPageUp, KeyLeft, KeyRight})
        Tap(key);
    ClickAt(120, rowsTop + 2);
    window.DrawWindow();
    EXPECT_EQ(combo->text, "kept");
    EXPECT_EQ(combo->param1, 0);
}

class TableTest : public GuiTest {
protected:
    ColumnTable columns;
    RowTable rows;
    GuiControl* table = nullptr;

    void SetUp() override {
        GuiTest::SetUp();
        columns.SelectOrInsert(0) = TableColumn{100, 1, 2, "Score"};
        columns.SelectOrInsert(1) = TableColumn{100, 0, 0, "Name"};
        const char* cells[] = {"9\nb", "10\nA", "-3\nd"};
        int key = 0;
        for (const char* row : cells) rows.SelectOrInsert(key++) = row;
        table = window.AddControl(1, 10, 10, 260, 200, 3, ControlKind::Table, "", "", "", "");
    }
    // Column k of the rows in key order, joined by blanks.
    std::string Column(int k) {
        std::string out;
        for (const auto& entry : rows) {
            const std::string& row = entry.second;
            const size_t feed = row.find('\n');
            out += (out.empty() ? "" : " ") + (k == 0 ? row.substr(0, feed) : row.substr(feed + 1));
        }
        return out;
    }
};

TEST_F(TableTest, HeaderClicksSortNumericAndTextColumnsBothWays) {
    window.SetControlParams(1, 5, 2, 0, 0, &columns, &rows);
    EXPECT_EQ(Column(1), "A b d") << "SetControlParams sorts";
    struct Step {
        int32_t headerX; // a point in the column's header
        int column;
        const char* expected;
        int32_t sortKey;
    } steps[] = {
        {150, 0, "10 9 -3", 0}, {150, 0, "-3 9 10", 1}, {150, 0, "10 9 -3", 0},
        {250, 1, "A b d", 2},   {250, 1, "d b A", 3},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(ClickAt(s.headerX, 120), 0) << "a table never activates";
        EXPECT_EQ(Column(s.column), s.expected) << "after a click at " << s.headerX;
        EXPECT_EQ(table->param1, s.sortKey);
    }
    // Pressed on a header, released on another: no sorting.
    Click(150, 120, true);
    EXPECT_EQ(table->param2, 2) << "the pressed header is marked";
    Click(250, 120, false);
    EXPECT_EQ(table->param1, 3);
    Hover(150, 120);
    EXPECT_EQ(table->param2, 1) << "a hovered header is marked";
}

TEST_F(TableTest, DigitKeysStandForTheColumnHeaders) {
    window.SetControlParams(1, 5, 2, 0, 0, &columns, &rows);
    struct Step {
        int key;
        const char* score;
        int32_t sortKey;
    } steps[] = {{2, "10 9 -3", 0}, {2, "-3 9 10", 1}, {3, "10 9 -3", 2}, {4, "10 9 -3", 2}};
    for (const Step& s : steps) {
        Key(s.key, true);
        if (s.key != 4) {
            EXPECT_EQ(table->pressed, 1) << "digit " << s.key - 1;
        }
        Key(s.key, false);
        EXPECT_EQ(Column(0), s.score) << "after digit " << s.key - 1;
        EXPECT_EQ(table->param1, s.sortKey);
        EXPECT_EQ(table->pressed, 0);
    }
}

TEST_F(TableTest, HeldScrollArrowStepsEveryHundredMilliseconds) {
    rows.Clear();
    for (int i = 0; i < 20; ++i) rows.SelectOrInsert(i) = std::to_string(i) + "\nrow";
    window.SetControlParams(1, 5, 0, 0, 0, &columns, &rows);
    const int32_t barX = 110 + 260 - barWidth - 1 + 2;
    const int32_t downArrowY = 111 + 198 - arrowHeight / 2; // 9 rows visible of 20
    SetTime(1000);
    Click(barX, downArrowY, true);
    EXPECT_EQ(table->param3, 1) << "the press itself steps once";
    EXPECT_EQ(table->pressed, 2);
    struct Step {
        uint32_t time;
        int32_t mouseY;
        int32_t first;
    } steps[] = {{1050, downArrowY, 1}, {1099, downArrowY, 1}, {1100, downArrowY, 2},
                 {1150, downArrowY, 2}, {1200, downArrowY, 3}, {1300, downArrowY, 4},
                 {1400, 200, 4},        {1500, downArrowY, 4}}; // off the arrow: it stops
    for (const Step& s : steps) {
        SetTime(s.time);
        Hover(barX, s.mouseY);
        EXPECT_EQ(table->param3, s.first) << "at " << s.time - 1000 << " ms";
    }
    Click(barX, downArrowY, false);
    EXPECT_EQ(table->pressed, 0);
    for (int i = 0; i < 30; ++i) Tap(KeyDown);
    EXPECT_EQ(table->param3, 11) << "the first row stops where the last row is visible";
    Tap(KeyHome);
    EXPECT_EQ(table->param3, 0);
    Tap(KeyPageDown);
    EXPECT_EQ(table->param3, 9);
    window.DrawWindow();
}

TEST_F(TableTest, ScrollKnobFollowsThePointerAndTheTrackPages) {
    rows.Clear();
    for (int i = 0; i < 20; ++i) rows.SelectOrInsert(i) = std::to_string(i) + "\nrow";
    window.SetControlParams(1, 5, 0, 0, 0, &columns, &rows);
    // Bar from y 111, 198 high: track of 166 pixels below a 16-pixel arrow; 9 of 20 rows
    // visible, so the knob starts 75 pixels long at the top of the track.
    const int32_t barX = 110 + 260 - barWidth - 1 + 2;
    const int32_t trackTop = 111 + arrowHeight;
    Click(barX, trackTop + 10, true);
    ASSERT_EQ(table->phase, ScrollPart::KnobDragged);
    struct Step {
        int32_t pointerY;
        int32_t first;
    } steps[] = {{trackTop + 10 + 83, 10}, {trackTop + 10, 0}, {trackTop + 500, 11}};
    for (const Step& s : steps) {
        Hover(barX, s.pointerY);
        EXPECT_EQ(table->param3, s.first) << "pointer " << s.pointerY - trackTop << " px down";
    }
    Click(barX, trackTop + 10, false);
    EXPECT_EQ(table->pressed, 0);
    EXPECT_EQ(table->phase, ScrollPart::KnobHovered) << "released over the knob";

    table->param3 = 0;
    ClickAt(barX, trackTop + 150); // below the knob: a page down
    EXPECT_EQ(table->param3, 9);
    ClickAt(barX, trackTop + 2); // above the knob, which now starts 74 pixels down
    EXPECT_EQ(table->param3, 0);
}

// A marked row is drawn in the chosen row's colours wherever sorting puts it, and the table
// scrolls just far enough to show it.
TEST_F(TableTest, MarkedRowIsDrawnChosenAndKeptInView) {
    rows.Clear();
    for (int i = 0; i < 20; ++i) rows.SelectOrInsert(i) = std::to_string(100 - i) + "\nrow";
    table->markedRow = "85\nrow"; // index 15 when sorted by score, descending
    window.SetControlParams(1, 5, 0, 0, 0, &columns, &rows);
    const int32_t visible = (200 - headerHeight - 2) / tableRowHeight;
    ASSERT_LT(visible, 16) << "the marked row must start out of view";
    EXPECT_EQ(table->param3, 15 - visible + 1)
        << "expected the marked row scrolled to the bottom of the view";

    DirectXLib& dx = Platform().directX;
    auto rowColour = [&](int index) {
        dx.Clear(0xFFFFFFFF);
        window.DrawWindow();
        const int32_t top = table->y + 1 + headerHeight + (index - table->param3) * tableRowHeight;
        return ReadPixel(dx, table->x + 60, top + tableRowHeight / 2) & 0xFFFFFF;
    };
    EXPECT_EQ(rowColour(15), 0x0000FFu) << "the marked row in the skin's selectb";
    EXPECT_NE(rowColour(14), 0x0000FFu) << "the row above it is not marked";

    table->markedRow.clear();
    EXPECT_NE(rowColour(15), 0x0000FFu) << "no mark, no chosen row";
}
