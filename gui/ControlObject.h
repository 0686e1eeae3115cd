#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "storage/KeyedTable.h"

class Texture;

// One column of a table control: the owner's column table maps column numbers (in key order,
// counted from 0) to these.
struct TableColumn {
    int32_t width = 0;
    int32_t numeric = 0;   // non-zero: the column sorts numerically
    int32_t alignment = 0; // cells: 0 left, 1 centre, 2 right
    std::string caption;
};

using ColumnTable = KeyedTable<int32_t, TableColumn>;
// One row per entry; its cells are separated by a line feed, cell k belongs to column k.
using RowTable = KeyedTable<int32_t, std::string>;

// The items of a combo box: the keys, in key order, of any string-keyed KeyedTable the owner
// keeps (a profile list, a list of skins, a plain list of names). The table must outlive the
// control.
class ItemList {
public:
    ItemList() = default;
    template <class Value>
    ItemList(KeyedTable<std::string, Value>* table)
        : table(table), countOf(&CountOf<Value>), keyAt(&KeyAt<Value>), selectAt(&SelectAt<Value>) {
    }

    bool IsSet() const { return table != nullptr; }
    int Count() const { return table ? countOf(table) : 0; }
    // The item at the index (from 0), nullptr outside the list.
    const std::string* Item(int index) const { return table ? keyAt(table, index) : nullptr; }
    // Moves the owner's table cursor to the item at the index.
    void Select(int index) const {
        if (table) selectAt(table, index);
    }

private:
    template <class Value> static int CountOf(void* table) {
        return static_cast<KeyedTable<std::string, Value>*>(table)->Count();
    }
    template <class Value> static const std::string* KeyAt(void* table, int index) {
        auto* items = static_cast<KeyedTable<std::string, Value>*>(table);
        if (index < 0 || index >= items->Count()) return nullptr;
        auto it = items->begin();
        std::advance(it, index);
        return &it->first;
    }
    template <class Value> static void SelectAt(void* table, int index) {
        if (const std::string* key = KeyAt<Value>(table, index))
            static_cast<KeyedTable<std::string, Value>*>(table)->Select(*key);
    }

    void* table = nullptr;
    int (*countOf)(void*) = nullptr;
    const std::string* (*keyAt)(void*, int) = nullptr;
    void (*selectAt)(void*, int) = nullptr;
};

// Parameters 4 and 5 of a control: a reference to an object of the owner. Built implicitly from
// whichever object the control kind uses; the other members stay empty.
struct ControlObject {
    ControlObject() = default;
    ControlObject(std::nullptr_t) {}
    ControlObject(Texture* texture) : texture(texture) {}
    template <class Value> ControlObject(KeyedTable<std::string, Value>* items) : items(items) {}
    ControlObject(ColumnTable* columns) : columns(columns) {}
    ControlObject(RowTable* rows) : rows(rows) {}

    Texture* texture = nullptr; // Image picture, Button icon
    ItemList items;             // ComboBox items
    ColumnTable* columns = nullptr;
    RowTable* rows = nullptr;
};
