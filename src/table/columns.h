// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/fields.h"

#include <span>
#include <string_view>

namespace zantor {

enum class ColumnKind {
    File,        // the item file's name
    Type,        // the item type name
    Name,        // the name from pro_item.msg
    Description, // the description from pro_item.msg
    Field,       // one field of the field tables
    Reference,   // the name beside a reference number, read-only
};

// One column of the folder table. Its key is the name of the control that shows the
// value in the form ("file" and "type" for the first two) and heads the CSV column.
struct Column {
    ColumnKind kind;
    std::string_view key;
    std::string_view label;
    std::string_view type; // the item type whose page shows it; "" for every item
    const Field* field = nullptr;
    Refresh reference = Refresh::None; // Reference: which name
    int slot = -1; // Field: the field's position in allFields(); Reference: the named field's

    /// True when an item of the type has this column.
    bool appliesTo(std::string_view typeName) const { return type.empty() || type == typeName; }
    /// True when the user may change it (in an item the column applies to).
    bool editable() const;
    /// True for columns whose values are whole numbers typed as decimal text.
    bool isNumber() const;
    /// True for columns whose values are chosen from a list.
    bool isList() const;
};

/// The columns of the folder table: file, type, name, description, then every field
/// of the field tables (common header first, then each type's section) with the
/// reference names right after the numbers they name.
std::span<const Column> tableColumns();
/// The index of the column with the key, or -1.
int columnIndex(std::string_view key);

/// The position of a field in allFields(), which indexes the per-field values of a row.
int fieldSlot(const Field& field);
int fieldSlot(std::string_view control);

} // namespace zantor
