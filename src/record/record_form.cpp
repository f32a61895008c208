// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/record_form.h"

#include "common/numbers.h"

#include <vector>

namespace zantor {

namespace {

// A list position for a stored value, or -1 when a list of fixed size has no entry.
int positionFor(std::int64_t value, int listSize) {
    if (value < 0 || (listSize > 0 && value >= listSize) || value > INT32_MAX)
        return -1;
    return static_cast<int>(value);
}

std::int64_t stored(const ItemRecord& r, const Field& f) {
    return readField(r, f.section, f.offset, f.width);
}

int attackCode(const ItemRecord& r, const Field& f) {
    return (r.header[kAttackModeOffset] >> f.nibbleShift) & 0x0F;
}

// The attack-mode code a list stands for; a list without a selection keeps the code read.
int chosenAttackCode(const ItemRecord& r, const RecordForm& form, const Field& f) {
    const int p = form.position(f.control);
    return p < 0 ? attackCode(r, f) : p;
}

void storeNumber(ItemRecord& r, const Field& f, const RecordForm& form, std::size_t offset) {
    storeValue(r, f.section, toInt(form.text(f.control)), offset, -1);
}

void applyAttackModeRule(ItemRecord& r, const RecordForm& form, AttackModeRule rule) {
    const auto fields = sectionFields(Section::Weapon);
    const Field* modes[2] = {};
    std::vector<const Field*> rows; // range1, range2, ap1, ap2
    for (const auto& f : fields) {
        if (f.kind == FieldKind::AttackMode)
            modes[f.nibbleShift == 0 ? 0 : 1] = &f;
        else if (f.kind == FieldKind::AttackRow)
            rows.push_back(&f);
    }
    const int m1 = chosenAttackCode(r, form, *modes[0]);
    const int m2 = chosenAttackCode(r, form, *modes[1]);
    const bool swap = rule == AttackModeRule::Save ? (m1 < m2 && m1 != 0) : (m1 > m2);
    const int high = swap ? m1 : m2;
    const int low = swap ? m2 : m1;
    storeByte(r, Section::Header, 16 * high + low, kAttackModeOffset);
    // Each row pair (range, then AP): the first row's field is at the lower offset.
    for (std::size_t i = 0; i + 1 < rows.size(); i += 2) {
        const Field& first = *rows[i];
        const Field& second = *rows[i + 1];
        if (swap) {
            storeNumber(r, second, form, first.offset);
            storeNumber(r, first, form, second.offset);
        } else {
            storeNumber(r, first, form, first.offset);
            storeNumber(r, second, form, second.offset);
        }
    }
}

void updateField(ItemRecord& r, const RecordForm& form, const Field& f, AttackModeRule rule) {
    switch (f.kind) {
    case FieldKind::Number:
        storeNumber(r, f, form, f.offset);
        break;
    case FieldKind::Byte:
        storeByte(r, f.section, toInt(form.text(f.control)), f.offset);
        break;
    case FieldKind::ListWhole:
    case FieldKind::ListCoded: {
        // A list without a selection stores back the value that was read.
        const int p = form.position(f.control);
        const auto v = p < 0 ? stored(r, f) : p;
        storeValue(r, f.section, static_cast<std::int32_t>(v), f.offset,
                   f.kind == FieldKind::ListCoded ? f.typeCode : -1);
        break;
    }
    case FieldKind::ListByte: {
        const int p = form.position(f.control);
        if (p >= 0)
            storeByte(r, f.section, p, f.offset);
        break;
    }
    case FieldKind::ProjectileId: {
        const std::int32_t value = toInt(form.text(f.control));
        const int p = form.position(f.linked);
        const int fileByte = p < 0 ? static_cast<int>(readField(r, f.section, f.offset, 1)) : p;
        storeValue(r, f.section, value, f.offset, fileByte);
        break;
    }
    case FieldKind::Statistic: {
        const int p = form.position(f.control);
        if (p < 0)
            break;
        const bool minOfStat2 = f.withMinEntry && p == f.listSize - 1;
        storeValue(r, f.section, minOfStat2 ? -2 : p - 1, f.offset, -1);
        break;
    }
    case FieldKind::Addiction:
        storeValue(r, f.section, r.addictionCode, f.offset, -1);
        break;
    case FieldKind::AttackMode:
        if (f.nibbleShift == 0)
            applyAttackModeRule(r, form, rule);
        break;
    case FieldKind::ProjectileFile: // stored with the projectile number
    case FieldKind::AttackRow:      // stored by the attack-mode rule
    case FieldKind::ItemType:       // never written by the editor
        break;
    }
}

} // namespace

int largestStoredPosition(const Field& f) {
    if (f.listSize > 0)
        return f.listSize - 1;
    switch (f.kind) {
    case FieldKind::ListCoded:
        return 0xFFFFFF;
    case FieldKind::ListByte:
        return 0xFF;
    default:
        return INT32_MAX;
    }
}

bool isListField(const Field& f) {
    switch (f.kind) {
    case FieldKind::Number:
    case FieldKind::Byte:
    case FieldKind::ProjectileId:
    case FieldKind::AttackRow:
        return false;
    default:
        return true;
    }
}

int displayedPosition(const ItemRecord& r, const Field& f) {
    switch (f.kind) {
    case FieldKind::ListWhole:
    case FieldKind::ListByte:
    case FieldKind::ProjectileFile:
    case FieldKind::ItemType:
        return positionFor(stored(r, f), f.listSize);
    case FieldKind::ListCoded:
        return positionFor(readField(r, f.section, f.offset + 1, 3), f.listSize);
    case FieldKind::AttackMode:
        return positionFor(attackCode(r, f), f.listSize);
    case FieldKind::Statistic: {
        const auto v = stored(r, f);
        const bool hasMinEntry = f.withMinEntry;
        if (hasMinEntry && v == -2)
            return f.listSize - 1;
        // Only "None" and the statistics themselves; a value that would land on
        // "Min value of stat 2" is shown unselected so that it is kept, not turned into -2.
        const int statEntries = hasMinEntry ? f.listSize - 1 : f.listSize;
        return v >= -1 ? positionFor(v + 1, statEntries) : -1;
    }
    case FieldKind::Addiction:
        return addictionPosition(static_cast<std::int32_t>(stored(r, f)));
    default:
        return -1;
    }
}

std::string displayedText(const ItemRecord& r, const Field& f) {
    if (f.kind == FieldKind::ProjectileId)
        return std::to_string(readField(r, f.section, f.offset + 1, 3));
    return std::to_string(stored(r, f));
}

void recordDisplay(ItemRecord& record, RecordForm& form) {
    auto show = [&](const Field& f) {
        if (f.kind == FieldKind::Addiction) {
            record.addictionCode = static_cast<std::int32_t>(stored(record, f));
            form.setPosition(f.control, 0);
            form.setPosition(f.control, addictionPosition(record.addictionCode));
        } else if (isListField(f)) {
            form.setPosition(f.control, displayedPosition(record, f));
        } else {
            form.setText(f.control, displayedText(record, f));
        }
        if (f.after != Refresh::None)
            form.refresh(f.after);
    };
    for (const auto& f : commonFields())
        show(f);
    for (const auto& f : sectionFields(record.section()))
        show(f);
    form.refresh(Refresh::Enabling);
}

void recordUpdate(ItemRecord& record, const RecordForm& form, AttackModeRule rule) {
    for (const auto& f : commonFields())
        updateField(record, form, f, rule);
    for (const auto& f : sectionFields(record.section()))
        updateField(record, form, f, rule);
}

} // namespace zantor
