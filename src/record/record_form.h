// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/fields.h"
#include "record/item_record.h"

#include <string>
#include <string_view>

namespace zantor {

// The editor as the record display and update see it: the text of each edit and
// the position of each list (-1 for no selection), keyed by control name.
class RecordForm {
public:
    virtual ~RecordForm() = default;
    virtual std::string text(std::string_view control) const = 0;
    virtual void setText(std::string_view control, const std::string& text) = 0;
    virtual int position(std::string_view control) const = 0;
    /// A position that the list does not have leaves it without a selection.
    virtual void setPosition(std::string_view control, int position) = 0;
    /// The selected entry of a list filled from a list file, as the file holds it
    /// (bytes); "" without a selection or for other lists.
    virtual std::string listEntry(std::string_view control) const {
        (void)control;
        return {};
    }
    /// Runs the lookup, preview or page step that follows a field.
    virtual void refresh(Refresh what) { (void)what; }
};

// Which way Save and Save As order the two attack-mode rows.
enum class AttackModeRule {
    Save,   // swap when m1 < m2 and m1 != 0
    SaveAs, // swap when m1 > m2
};

/// Fills the form from the record, field by field in display order, running each
/// field's refresh right after it. Loads the addiction code of a drug item.
/// Throws only what the form's refreshes throw.
void recordDisplay(ItemRecord& record, RecordForm& form);

/// Copies the form into the record with the given attack-mode rule. Throws Error
/// "'%s' is not a valid integer value" at the first edit that is not a whole
/// number; the fields before it are already stored.
void recordUpdate(ItemRecord& record, const RecordForm& form, AttackModeRule rule);

/// The position the record display selects for a field (-1: no entry).
int displayedPosition(const ItemRecord& record, const Field& field);

/// The text the record display puts into an edit field.
std::string displayedText(const ItemRecord& record, const Field& field);

/// The largest list position the record update stores for a list field without
/// losing bits: a fixed list's last entry, else what the field's width holds (3 bytes
/// under a type code, one byte, or the whole number).
int largestStoredPosition(const Field& f);

/// True when the field is shown in a list rather than an edit.
bool isListField(const Field& field);

} // namespace zantor
