#include "storage/KeyedTable.h"

#include <gtest/gtest.h>
#include <string>

TEST(KeyedTable, WalksInKeyOrderWithTheCursor) {
    KeyedTable<int, std::string> table;
    table.SelectOrInsert(30) = "c";
    table.SelectOrInsert(10) = "a";
    table.SelectOrInsert(20) = "b";
    EXPECT_EQ(3, table.Count());

    std::string seen;
    for (auto* v = table.First(); v; v = table.Next()) seen += *v;
    EXPECT_EQ("abc", seen);
    EXPECT_EQ(nullptr, table.CurrentValue()) << "the value pointer is empty after the last entry";
    ASSERT_NE(nullptr, table.Last());
    EXPECT_EQ(30, table.CurrentKey());
}

TEST(KeyedTable, StringKeysCompareAsBytes) {
    KeyedTable<std::string, int> table;
    for (const char* name : {"b", "A", "\xE4", "a"}) table.SelectOrInsert(name);
    std::string order;
    for (auto& [key, value] : table) order += key;
    EXPECT_EQ("Aab\xE4", order) << "upper case first, bytes above 127 last";
}

TEST(KeyedTable, SelectOfAnAbsentKeyKeepsTheValuePointer) {
    KeyedTable<int, int> table;
    table.SelectOrInsert(1) = 11;
    EXPECT_EQ(nullptr, table.Select(5));
    EXPECT_TRUE(table.AtEnd());
    ASSERT_NE(nullptr, table.CurrentValue());
    EXPECT_EQ(11, *table.CurrentValue());
}

TEST(KeyedTable, SelectOrInsertKeepsAnExistingValue) {
    KeyedTable<int, int> table;
    table.SelectOrInsert(7) = 70;
    EXPECT_EQ(70, table.SelectOrInsert(7));
    EXPECT_EQ(1, table.Count());
    EXPECT_TRUE(table.Remove(7));
    EXPECT_EQ(0, table.Count());
    EXPECT_EQ(nullptr, table.CurrentValue());
}
