// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/columns.h"

#include "record/item_record.h"
#include "record/record_form.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace zantor {

namespace {

// The read-only names that the form shows beside reference numbers.
struct ReferenceName {
    Refresh refresh;
    std::string_view key;
    std::string_view label;
};
constexpr ReferenceName kReferenceNames[] = {
    {Refresh::MaterialName, "materialNameField", "Material:"},
    {Refresh::DamageTypeName, "damageTypeNameField", "Damage type:"},
    {Refresh::AmmoTypeName, "ammoTypeNameFIeld", "Ammo type:"},
    {Refresh::DefaultAmmoName, "ammoNameField", "Default ammo:"},
    {Refresh::ProjectileName, "fireArtNameField", "Projectile:"},
};

// The name that stands beside a field's number: the projectile's beside its number,
// not beside the file list that also refreshes it.
const ReferenceName* referenceAfter(const Field& f) {
    for (const auto& r : kReferenceNames) {
        if (r.refresh == Refresh::ProjectileName ? f.kind == FieldKind::ProjectileId
                                                 : (f.after == r.refresh))
            return &r;
    }
    return nullptr;
}

void addFields(std::vector<Column>& columns, std::span<const Field> fields, std::string_view type) {
    for (const Field& f : fields) {
        columns.push_back(
            {ColumnKind::Field, f.control, f.label, type, &f, Refresh::None, fieldSlot(f)});
        if (const ReferenceName* r = referenceAfter(f))
            columns.push_back(
                {ColumnKind::Reference, r->key, r->label, type, nullptr, r->refresh, fieldSlot(f)});
    }
}

const std::vector<Column>& columnList() {
    static const std::vector<Column> columns = [] {
        std::vector<Column> c{
            {ColumnKind::File, "file", "File", ""},
            {ColumnKind::Type, "type", "Type", ""},
            {ColumnKind::Name, "nameField", "Name:", ""},
            {ColumnKind::Description, "descField", "Description:", ""},
        };
        addFields(c, commonFields(), "");
        for (const ItemType& t : kItemTypes)
            addFields(c, sectionFields(t.section), t.name);
        return c;
    }();
    return columns;
}

} // namespace

bool Column::editable() const {
    switch (kind) {
    case ColumnKind::Name:
    case ColumnKind::Description:
        return true;
    case ColumnKind::Field:
        return field->kind != FieldKind::ItemType;
    default:
        return false;
    }
}

bool Column::isNumber() const {
    return kind == ColumnKind::Field && !isListField(*field);
}

bool Column::isList() const {
    return kind == ColumnKind::Field && isListField(*field);
}

std::span<const Column> tableColumns() {
    return columnList();
}

int columnIndex(std::string_view key) {
    static const std::unordered_map<std::string_view, int> index = [] {
        std::unordered_map<std::string_view, int> m;
        const auto& c = columnList();
        for (std::size_t i = 0; i < c.size(); ++i)
            m.emplace(c[i].key, static_cast<int>(i));
        return m;
    }();
    const auto it = index.find(key);
    return it == index.end() ? -1 : it->second;
}

int fieldSlot(const Field& field) {
    static const std::unordered_map<const Field*, int> slots = [] {
        std::unordered_map<const Field*, int> m;
        const auto all = allFields();
        for (std::size_t i = 0; i < all.size(); ++i)
            m.emplace(all[i], static_cast<int>(i));
        return m;
    }();
    return slots.at(&field);
}

int fieldSlot(std::string_view control) {
    static const std::unordered_map<std::string_view, int> slots = [] {
        std::unordered_map<std::string_view, int> m;
        const auto all = allFields();
        for (std::size_t i = 0; i < all.size(); ++i)
            m.emplace(all[i]->control, static_cast<int>(i));
        return m;
    }();
    const auto it = slots.find(control);
    return it == slots.end() ? -1 : it->second;
}

} // namespace zantor
