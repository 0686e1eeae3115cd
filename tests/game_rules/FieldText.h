#pragma once
#include <initializer_list>
#include <string>

#include "game/PlayField.h"

// Test fields drawn as text: each string is one row of the ten playable columns, '.' empty, a
// digit a block of that value, any other character a block of value 1. The rows are laid onto
// the bottom of the field (the last string is row 19).
inline void DrawRows(PlayField& field, std::initializer_list<const char*> rowTexts) {
    int row = PlayField::floorRow - int(rowTexts.size());
    for (const char* text : rowTexts) {
        for (int column = 1; column <= 10 && text[column - 1] != '\0'; ++column) {
            const char c = text[column - 1];
            field.cell(column, row) = c == '.' ? 0 : (c >= '1' && c <= '7' ? c - '0' : 1);
        }
        ++row;
    }
}

// An empty walled field with the given falling piece.
inline PlayField EmptyField(int type, int rotation, int column, int height) {
    PlayField field;
    field.reset();
    field.currentType = type;
    field.rotation = rotation;
    field.pieceColumn = column;
    field.pieceHeight = height;
    return field;
}

// The rows of the playable area as text, top row first, for failure messages.
inline std::string FieldPicture(const PlayField& field) {
    std::string picture;
    for (int row = 0; row < PlayField::floorRow; ++row) {
        for (int column = 1; column <= 10; ++column) {
            const int value = field.cell(column, row);
            picture += value == 0 ? '.' : char('0' + value);
        }
        picture += '\n';
    }
    return picture;
}

// Number of non-empty cells in the playable area.
inline int BlockCount(const PlayField& field) {
    int count = 0;
    for (int row = 0; row < PlayField::floorRow; ++row)
        for (int column = 1; column <= 10; ++column) count += field.cell(column, row) != 0;
    return count;
}
