s/^(#include "tests/[^"]*")$/1/
#include "GuiTestSupport.h"
s/^(#include "tests/[^"]*")$/1/
#include "Libs/KeyCodes.h"
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
using namespace TestSkin;
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
class ComboBoxTest : public GuiTest {
s/^(#include "tests/[^"]*")$/1/
protected:
s/^(#include "tests/[^"]*")$/1/
    KeyedTable<std::string, int> items;
s/^(#include "tests/[^"]*")$/1/
    GuiControl* combo = nullptr;
s/^(#include "tests/[^"]*")$/1/
    // Screen geometry: box at y 110..130, rows of 16 pixels from y 131.
s/^(#include "tests/[^"]*")$/1/
    static constexpr int32_t rowsTop = 131, rowHeight = comboButton + 4 - comboGap;
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
    void SetUp() override {
s/^(#include "tests/[^"]*")$/1/
        GuiTest::SetUp();
s/^(#include "tests/[^"]*")$/1/
        for (const char* name : {"alpha", "beta", "gamma", "delta", "epsilon"})
s/^(#include "tests/[^"]*")$/1/
            items.SelectOrInsert(name) = 0;
s/^(#include "tests/[^"]*")$/1/
        combo = window.AddControl(1, 10, 10, 150, 20, 3, ControlKind::ComboBox, "", "", "", "");
s/^(#include "tests/[^"]*")$/1/
        window.SetControlParams(1, 4, 0, 3, 0, &items);
s/^(#include "tests/[^"]*")$/1/
    }
s/^(#include "tests/[^"]*")$/1/
    void Open() { ClickAt(120, 115); }
s/^(#include "tests/[^"]*")$/1/
};
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
TEST_F(ComboBoxTest, SelectionByIndexAndByText) {
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->text, "alpha");
s/^(#include "tests/[^"]*")$/1/
    window.SetControlParams(1, 1, 3);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->text, "epsilon") << "items are in key order";
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(items.CurrentKey(), "epsilon") << "the item table's cursor follows";
s/^(#include "tests/[^"]*")$/1/
    combo->text = "delta";
s/^(#include "tests/[^"]*")$/1/
    window.SetControlParams(1, 3, 0, 3, 1);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->param1, 2);
s/^(#include "tests/[^"]*")$/1/
    combo->text = "zeta";
s/^(#include "tests/[^"]*")$/1/
    window.SetControlParams(1, 3, 0, 3, 1);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->param1, 0) << "no equal item: the index stays as given";
s/^(#include "tests/[^"]*")$/1/
}
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
TEST_F(ComboBoxTest, ChoosingTheCurrentItemUsesTheEventAndAnotherActivates) {
s/^(#include "tests/[^"]*")$/1/
    // A button under the dropdown with a higher id must not see clicks in the open list.
s/^(#include "tests/[^"]*")$/1/
    window.AddControl(2, 10, 25, 150, 40, 3, ControlKind::Button, "", "", "", "");
s/^(#include "tests/[^"]*")$/1/
    Open();
s/^(#include "tests/[^"]*")$/1/
    ASSERT_EQ(combo->pressed, 3) << "a click on the box opens the dropdown";
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
    MoveMouse(120, rowsTop + 2);
s/^(#include "tests/[^"]*")$/1/
    Platform().input.event = InputEvent{12, 0x80};
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->HandleInput(GuiInput::Mouse), -1) << "the current item: used, no change";
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->pressed, 0) << "a choice closes the dropdown";
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
    Open();
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(Click(120, rowsTop + rowHeight + 2, true), 1);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(id, 1);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->text, "beta");
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(Click(120, rowsTop + rowHeight + 2, false), 0);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(window.GetControl(2)->pressed, 0);
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
    Open();
s/^(#include "tests/[^"]*")$/1/
    Open();
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->pressed, 0) << "a second click on the box closes it";
s/^(#include "tests/[^"]*")$/1/
}
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
TEST_F(ComboBoxTest, KeyboardStepsAndPages) {
s/^(#include "tests/[^"]*")$/1/
    struct Step {
s/^(#include "tests/[^"]*")$/1/
        int key;
s/^(#include "tests/[^"]*")$/1/
        int32_t index, first, pressed;
s/^(#include "tests/[^"]*")$/1/
    } steps[] = {
s/^(#include "tests/[^"]*")$/1/
        {KeyRight, 1, 0, 0}, {KeyRight, 2, 0, 0},    {KeyLeft, 1, 0, 0},   {KeyDown, 2, 0, 3},
s/^(#include "tests/[^"]*")$/1/
        {KeyDown, 3, 1, 3},  {KeyDown, 4, 2, 3},     {KeyDown, 4, 2, 3},   {KeyUp, 3, 2, 3},
s/^(#include "tests/[^"]*")$/1/
        {KeyHome, 0, 0, 3},  {KeyPageDown, 3, 3, 3}, {KeyPageUp, 0, 0, 3}, {KeyEnd, 4, 4, 3},
s/^(#include "tests/[^"]*")$/1/
        {KeyLeft, 4, 4, 3}, // an open list does not step with Left
s/^(#include "tests/[^"]*")$/1/
    };
s/^(#include "tests/[^"]*")$/1/
    for (const Step& s : steps) {
s/^(#include "tests/[^"]*")$/1/
        Key(s.key, true);
s/^(#include "tests/[^"]*")$/1/
        Key(s.key, false);
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(combo->param1, s.index) << "key " << s.key;
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(combo->param3, s.first) << "key " << s.key;
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(combo->pressed, s.pressed) << "key " << s.key;
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(combo->text, *combo->param4.items.Item(s.index)) << "key " << s.key;
s/^(#include "tests/[^"]*")$/1/
    }
s/^(#include "tests/[^"]*")$/1/
    Key(KeySpace, true);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->pressed, 0) << "Space closes an open list";
s/^(#include "tests/[^"]*")$/1/
    Key(KeySpace, false);
s/^(#include "tests/[^"]*")$/1/
    Key(KeySpace, true);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->pressed, 1);
s/^(#include "tests/[^"]*")$/1/
    Key(KeySpace, false);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->pressed, 3) << "Space released after a press opens it";
s/^(#include "tests/[^"]*")$/1/
}
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
TEST_F(ComboBoxTest, DropdownHasAScrollBarOnlyWithMoreItemsThanRows) {
s/^(#include "tests/[^"]*")$/1/
    const int32_t barX = 110 + 150 - barWidth - 1;
s/^(#include "tests/[^"]*")$/1/
    struct Case {
s/^(#include "tests/[^"]*")$/1/
        int32_t visibleRows;
s/^(#include "tests/[^"]*")$/1/
        int32_t expectPressed; // after a press where the bar would be
s/^(#include "tests/[^"]*")$/1/
    } cases[] = {{3, 2}, {5, 0}, {8, 0}};
s/^(#include "tests/[^"]*")$/1/
    for (const Case& c : cases) {
s/^(#include "tests/[^"]*")$/1/
        window.SetControlParams(1, 3, 0, c.visibleRows, 0);
s/^(#include "tests/[^"]*")$/1/
        Open();
s/^(#include "tests/[^"]*")$/1/
        Click(barX + 2, rowsTop + 2, true);
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(combo->pressed, c.expectPressed) << c.visibleRows << " rows for 5 items";
s/^(#include "tests/[^"]*")$/1/
        Click(barX + 2, rowsTop + 2, false);
s/^(#include "tests/[^"]*")$/1/
        window.DrawWindow();
s/^(#include "tests/[^"]*")$/1/
        combo->pressed = 0;
s/^(#include "tests/[^"]*")$/1/
    }
s/^(#include "tests/[^"]*")$/1/
}
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
TEST_F(ComboBoxTest, EmptyListNeverSelectsAndNeverDividesByZero) {
s/^(#include "tests/[^"]*")$/1/
    KeyedTable<std::string, int> none;
s/^(#include "tests/[^"]*")$/1/
    combo->text = "kept";
s/^(#include "tests/[^"]*")$/1/
    window.SetControlParams(1, 4, 0, 3, 0, &none);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->text, "kept");
s/^(#include "tests/[^"]*")$/1/
    Open();
s/^(#include "tests/[^"]*")$/1/
    window.DrawWindow();
s/^(#include "tests/[^"]*")$/1/
    for (int key : {KeyDown, KeyUp, KeyHome, KeyEnd, KeyPageDown, KeyPageUp, KeyLeft, KeyRight})
s/^(#include "tests/[^"]*")$/1/
        Tap(key);
s/^(#include "tests/[^"]*")$/1/
    ClickAt(120, rowsTop + 2);
s/^(#include "tests/[^"]*")$/1/
    window.DrawWindow();
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->text, "kept");
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(combo->param1, 0);
s/^(#include "tests/[^"]*")$/1/
}
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
class TableTest : public GuiTest {
s/^(#include "tests/[^"]*")$/1/
protected:
s/^(#include "tests/[^"]*")$/1/
    ColumnTable columns;
s/^(#include "tests/[^"]*")$/1/
    RowTable rows;
s/^(#include "tests/[^"]*")$/1/
    GuiControl* table = nullptr;
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
    void SetUp() override {
s/^(#include "tests/[^"]*")$/1/
        GuiTest::SetUp();
s/^(#include "tests/[^"]*")$/1/
        columns.SelectOrInsert(0) = TableColumn{100, 1, 2, "Score"};
s/^(#include "tests/[^"]*")$/1/
        columns.SelectOrInsert(1) = TableColumn{100, 0, 0, "Name"};
s/^(#include "tests/[^"]*")$/1/
        const char* cells[] = {"9\nb", "10\nA", "-3\nd"};
s/^(#include "tests/[^"]*")$/1/
        int key = 0;
s/^(#include "tests/[^"]*")$/1/
        for (const char* row : cells) rows.SelectOrInsert(key++) = row;
s/^(#include "tests/[^"]*")$/1/
        table = window.AddControl(1, 10, 10, 260, 200, 3, ControlKind::Table, "", "", "", "");
s/^(#include "tests/[^"]*")$/1/
    }
s/^(#include "tests/[^"]*")$/1/
    // Column k of the rows in key order, joined by blanks.
s/^(#include "tests/[^"]*")$/1/
    std::string Column(int k) {
s/^(#include "tests/[^"]*")$/1/
        std::string out;
s/^(#include "tests/[^"]*")$/1/
        for (const auto& entry : rows) {
s/^(#include "tests/[^"]*")$/1/
            const std::string& row = entry.second;
s/^(#include "tests/[^"]*")$/1/
            const size_t feed = row.find('\n');
s/^(#include "tests/[^"]*")$/1/
            out += (out.empty() ? "" : " ") + (k == 0 ? row.substr(0, feed) : row.substr(feed + 1));
s/^(#include "tests/[^"]*")$/1/
        }
s/^(#include "tests/[^"]*")$/1/
        return out;
s/^(#include "tests/[^"]*")$/1/
    }
s/^(#include "tests/[^"]*")$/1/
};
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
TEST_F(TableTest, HeaderClicksSortNumericAndTextColumnsBothWays) {
s/^(#include "tests/[^"]*")$/1/
    window.SetControlParams(1, 5, 2, 0, 0, &columns, &rows);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(Column(1), "A b d") << "SetControlParams sorts";
s/^(#include "tests/[^"]*")$/1/
    struct Step {
s/^(#include "tests/[^"]*")$/1/
        int32_t headerX; // a point in the column's header
s/^(#include "tests/[^"]*")$/1/
        int column;
s/^(#include "tests/[^"]*")$/1/
        const char* expected;
s/^(#include "tests/[^"]*")$/1/
        int32_t sortKey;
s/^(#include "tests/[^"]*")$/1/
    } steps[] = {
s/^(#include "tests/[^"]*")$/1/
        {150, 0, "10 9 -3", 0}, {150, 0, "-3 9 10", 1}, {150, 0, "10 9 -3", 0},
s/^(#include "tests/[^"]*")$/1/
        {250, 1, "A b d", 2},   {250, 1, "d b A", 3},
s/^(#include "tests/[^"]*")$/1/
    };
s/^(#include "tests/[^"]*")$/1/
    for (const Step& s : steps) {
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(ClickAt(s.headerX, 120), 0) << "a table never activates";
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(Column(s.column), s.expected) << "after a click at " << s.headerX;
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(table->param1, s.sortKey);
s/^(#include "tests/[^"]*")$/1/
    }
s/^(#include "tests/[^"]*")$/1/
    // Pressed on a header, released on another: no sorting.
s/^(#include "tests/[^"]*")$/1/
    Click(150, 120, true);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->param2, 2) << "the pressed header is marked";
s/^(#include "tests/[^"]*")$/1/
    Click(250, 120, false);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->param1, 3);
s/^(#include "tests/[^"]*")$/1/
    Hover(150, 120);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->param2, 1) << "a hovered header is marked";
s/^(#include "tests/[^"]*")$/1/
}
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
TEST_F(TableTest, DigitKeysStandForTheColumnHeaders) {
s/^(#include "tests/[^"]*")$/1/
    window.SetControlParams(1, 5, 2, 0, 0, &columns, &rows);
s/^(#include "tests/[^"]*")$/1/
    struct Step {
s/^(#include "tests/[^"]*")$/1/
        int key;
s/^(#include "tests/[^"]*")$/1/
        const char* score;
s/^(#include "tests/[^"]*")$/1/
        int32_t sortKey;
s/^(#include "tests/[^"]*")$/1/
    } steps[] = {{2, "10 9 -3", 0}, {2, "-3 9 10", 1}, {3, "10 9 -3", 2}, {4, "10 9 -3", 2}};
s/^(#include "tests/[^"]*")$/1/
    for (const Step& s : steps) {
s/^(#include "tests/[^"]*")$/1/
        Key(s.key, true);
s/^(#include "tests/[^"]*")$/1/
        if (s.key != 4) {
s/^(#include "tests/[^"]*")$/1/
            EXPECT_EQ(table->pressed, 1) << "digit " << s.key - 1;
s/^(#include "tests/[^"]*")$/1/
        }
s/^(#include "tests/[^"]*")$/1/
        Key(s.key, false);
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(Column(0), s.score) << "after digit " << s.key - 1;
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(table->param1, s.sortKey);
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(table->pressed, 0);
s/^(#include "tests/[^"]*")$/1/
    }
s/^(#include "tests/[^"]*")$/1/
}
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
TEST_F(TableTest, HeldScrollArrowStepsEveryHundredMilliseconds) {
s/^(#include "tests/[^"]*")$/1/
    rows.Clear();
s/^(#include "tests/[^"]*")$/1/
    for (int i = 0; i < 20; ++i) rows.SelectOrInsert(i) = std::to_string(i) + "\nrow";
s/^(#include "tests/[^"]*")$/1/
    window.SetControlParams(1, 5, 0, 0, 0, &columns, &rows);
s/^(#include "tests/[^"]*")$/1/
    const int32_t barX = 110 + 260 - barWidth - 1 + 2;
s/^(#include "tests/[^"]*")$/1/
    const int32_t downArrowY = 111 + 198 - arrowHeight / 2; // 9 rows visible of 20
s/^(#include "tests/[^"]*")$/1/
    SetTime(1000);
s/^(#include "tests/[^"]*")$/1/
    Click(barX, downArrowY, true);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->param3, 1) << "the press itself steps once";
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->pressed, 2);
s/^(#include "tests/[^"]*")$/1/
    struct Step {
s/^(#include "tests/[^"]*")$/1/
        uint32_t time;
s/^(#include "tests/[^"]*")$/1/
        int32_t mouseY;
s/^(#include "tests/[^"]*")$/1/
        int32_t first;
s/^(#include "tests/[^"]*")$/1/
    } steps[] = {{1050, downArrowY, 1}, {1099, downArrowY, 1}, {1100, downArrowY, 2},
s/^(#include "tests/[^"]*")$/1/
                 {1150, downArrowY, 2}, {1200, downArrowY, 3}, {1300, downArrowY, 4},
s/^(#include "tests/[^"]*")$/1/
                 {1400, 200, 4},        {1500, downArrowY, 4}}; // off the arrow: it stops
s/^(#include "tests/[^"]*")$/1/
    for (const Step& s : steps) {
s/^(#include "tests/[^"]*")$/1/
        SetTime(s.time);
s/^(#include "tests/[^"]*")$/1/
        Hover(barX, s.mouseY);
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(table->param3, s.first) << "at " << s.time - 1000 << " ms";
s/^(#include "tests/[^"]*")$/1/
    }
s/^(#include "tests/[^"]*")$/1/
    Click(barX, downArrowY, false);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->pressed, 0);
s/^(#include "tests/[^"]*")$/1/
    for (int i = 0; i < 30; ++i) Tap(KeyDown);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->param3, 11) << "the first row stops where the last row is visible";
s/^(#include "tests/[^"]*")$/1/
    Tap(KeyHome);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->param3, 0);
s/^(#include "tests/[^"]*")$/1/
    Tap(KeyPageDown);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->param3, 9);
s/^(#include "tests/[^"]*")$/1/
    window.DrawWindow();
s/^(#include "tests/[^"]*")$/1/
}
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
TEST_F(TableTest, ScrollKnobFollowsThePointerAndTheTrackPages) {
s/^(#include "tests/[^"]*")$/1/
    rows.Clear();
s/^(#include "tests/[^"]*")$/1/
    for (int i = 0; i < 20; ++i) rows.SelectOrInsert(i) = std::to_string(i) + "\nrow";
s/^(#include "tests/[^"]*")$/1/
    window.SetControlParams(1, 5, 0, 0, 0, &columns, &rows);
s/^(#include "tests/[^"]*")$/1/
    // Bar from y 111, 198 high: track of 166 pixels below a 16-pixel arrow; 9 of 20 rows
s/^(#include "tests/[^"]*")$/1/
    // visible, so the knob starts 75 pixels long at the top of the track.
s/^(#include "tests/[^"]*")$/1/
    const int32_t barX = 110 + 260 - barWidth - 1 + 2;
s/^(#include "tests/[^"]*")$/1/
    const int32_t trackTop = 111 + arrowHeight;
s/^(#include "tests/[^"]*")$/1/
    Click(barX, trackTop + 10, true);
s/^(#include "tests/[^"]*")$/1/
    ASSERT_EQ(table->phase, ScrollPart::KnobDragged);
s/^(#include "tests/[^"]*")$/1/
    struct Step {
s/^(#include "tests/[^"]*")$/1/
        int32_t pointerY;
s/^(#include "tests/[^"]*")$/1/
        int32_t first;
s/^(#include "tests/[^"]*")$/1/
    } steps[] = {{trackTop + 10 + 83, 10}, {trackTop + 10, 0}, {trackTop + 500, 11}};
s/^(#include "tests/[^"]*")$/1/
    for (const Step& s : steps) {
s/^(#include "tests/[^"]*")$/1/
        Hover(barX, s.pointerY);
s/^(#include "tests/[^"]*")$/1/
        EXPECT_EQ(table->param3, s.first) << "pointer " << s.pointerY - trackTop << " px down";
s/^(#include "tests/[^"]*")$/1/
    }
s/^(#include "tests/[^"]*")$/1/
    Click(barX, trackTop + 10, false);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->pressed, 0);
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->phase, ScrollPart::KnobHovered) << "released over the knob";
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
    table->param3 = 0;
s/^(#include "tests/[^"]*")$/1/
    ClickAt(barX, trackTop + 150); // below the knob: a page down
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->param3, 9);
s/^(#include "tests/[^"]*")$/1/
    ClickAt(barX, trackTop + 2); // above the knob, which now starts 74 pixels down
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->param3, 0);
s/^(#include "tests/[^"]*")$/1/
}
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
// A marked row is drawn in the chosen row's colours wherever sorting puts it, and the table
s/^(#include "tests/[^"]*")$/1/
// scrolls just far enough to show it.
s/^(#include "tests/[^"]*")$/1/
TEST_F(TableTest, MarkedRowIsDrawnChosenAndKeptInView) {
s/^(#include "tests/[^"]*")$/1/
    rows.Clear();
s/^(#include "tests/[^"]*")$/1/
    for (int i = 0; i < 20; ++i) rows.SelectOrInsert(i) = std::to_string(100 - i) + "\nrow";
s/^(#include "tests/[^"]*")$/1/
    table->markedRow = "85\nrow"; // index 15 when sorted by score, descending
s/^(#include "tests/[^"]*")$/1/
    window.SetControlParams(1, 5, 0, 0, 0, &columns, &rows);
s/^(#include "tests/[^"]*")$/1/
    const int32_t visible = (200 - headerHeight - 2) / tableRowHeight;
s/^(#include "tests/[^"]*")$/1/
    ASSERT_LT(visible, 16) << "the marked row must start out of view";
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(table->param3, 15 - visible + 1)
s/^(#include "tests/[^"]*")$/1/
        << "expected the marked row scrolled to the bottom of the view";
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
    DirectXLib& dx = Platform().directX;
s/^(#include "tests/[^"]*")$/1/
    auto rowColour = [&](int index) {
s/^(#include "tests/[^"]*")$/1/
        dx.Clear(0xFFFFFFFF);
s/^(#include "tests/[^"]*")$/1/
        window.DrawWindow();
s/^(#include "tests/[^"]*")$/1/
        const int32_t top = table->y + 1 + headerHeight + (index - table->param3) * tableRowHeight;
s/^(#include "tests/[^"]*")$/1/
        return ReadPixel(dx, table->x + 60, top + tableRowHeight / 2) & 0xFFFFFF;
s/^(#include "tests/[^"]*")$/1/
    };
s/^(#include "tests/[^"]*")$/1/
    EXPECT_EQ(rowColour(15), 0x0000FFu) << "the marked row in the skin's selectb";
s/^(#include "tests/[^"]*")$/1/
    EXPECT_NE(rowColour(14), 0x0000FFu) << "the row above it is not marked";
s/^(#include "tests/[^"]*")$/1/

s/^(#include "tests/[^"]*")$/1/
    table->markedRow.clear();
s/^(#include "tests/[^"]*")$/1/
    EXPECT_NE(rowColour(15), 0x0000FFu) << "no mark, no chosen row";
s/^(#include "tests/[^"]*")$/1/
}
