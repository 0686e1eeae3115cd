#pragma once
#include <map>

// An ordered map with a built-in cursor. It holds a window's controls, the skin's colours and
// fonts, every item list a combo box or table shows, the profile list and the language texts.
// Keys ascend: integers numerically, strings byte by byte (std::string compares as unsigned
// bytes). The cursor is the current entry; its value pointer is empty past the last entry.
template <class Key, class Value> class KeyedTable {
public:
    using Map = std::map<Key, Value>;

    // Inserts a default value when the key is new; either way the entry becomes current.
    Value& SelectOrInsert(const Key& key) {
        cursor = entries.try_emplace(key).first;
        current = &cursor->second;
        return *current;
    }

    // Makes the entry current and answers its value. An absent key moves the cursor to the end
    // and leaves the previous value pointer as it was; the answer is then nullptr.
    Value* Select(const Key& key) {
        cursor = entries.find(key);
        if (cursor == entries.end()) return nullptr;
        current = &cursor->second;
        return current;
    }

    Value* First() {
        cursor = entries.begin();
        return Settle();
    }

    Value* Next() {
        if (cursor != entries.end()) ++cursor;
        return Settle();
    }

    Value* Last() {
        if (entries.empty()) return First();
        cursor = std::prev(entries.end());
        return Settle();
    }

    // The current value pointer (nullptr after walking past the last entry).
    Value* CurrentValue() const { return current; }
    // The current key; only meaningful while the cursor stands on an entry.
    const Key& CurrentKey() const { return cursor->first; }
    bool AtEnd() const { return cursor == entries.end(); }

    int Count() const { return static_cast<int>(entries.size()); }
    bool Contains(const Key& key) const { return entries.count(key) != 0; }
    Value* Find(const Key& key) {
        auto it = entries.find(key);
        return it == entries.end() ? nullptr : &it->second;
    }
    const Value* Find(const Key& key) const {
        auto it = entries.find(key);
        return it == entries.end() ? nullptr : &it->second;
    }

    // Removes the entry; a cursor standing on it moves to the end.
    bool Remove(const Key& key) {
        auto it = entries.find(key);
        if (it == entries.end()) return false;
        if (current == &it->second) current = nullptr;
        if (cursor == it) cursor = entries.end();
        entries.erase(it);
        return true;
    }

    // Moves the entry to a new key; the value keeps its address, so pointers to it stay valid.
    // False when the old key is absent or the new one taken. The cursor moves to the end.
    bool Rename(const Key& from, const Key& to) {
        if (entries.count(to) != 0) return false;
        auto node = entries.extract(from);
        if (node.empty()) return false;
        node.key() = to;
        entries.insert(std::move(node));
        cursor = entries.end();
        return true;
    }

    void Clear() {
        entries.clear();
        cursor = entries.end();
        current = nullptr;
    }

    // Plain iteration in key order, for code that needs no cursor.
    typename Map::iterator begin() { return entries.begin(); }
    typename Map::iterator end() { return entries.end(); }
    typename Map::const_iterator begin() const { return entries.begin(); }
    typename Map::const_iterator end() const { return entries.end(); }

    KeyedTable() = default;
    // A copy gets its own cursor at the end: iterators into another map must not be shared.
    KeyedTable(const KeyedTable& other) : entries(other.entries) {}
    KeyedTable& operator=(const KeyedTable& other) {
        if (this != &other) {
            entries = other.entries;
            cursor = entries.end();
            current = nullptr;
        }
        return *this;
    }

private:
    Value* Settle() {
        current = cursor == entries.end() ? nullptr : &cursor->second;
        return current;
    }

    Map entries;
    typename Map::iterator cursor = entries.end();
    Value* current = nullptr;
};
