// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/item_record.h"
#include "record/record_form.h"
#include "session/edit_session.h"
#include "settings/settings.h"
#include "table/columns.h"
#include "texts/message_lookup.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zantor {

// The values the form holds for one item, one slot per field of the field tables:
// the text of each edit and the position of each list (-1: no entry).
class RowForm final : public RecordForm {
public:
    RowForm();
    std::string text(std::string_view control) const override;
    void setText(std::string_view control, const std::string& text) override;
    int position(std::string_view control) const override;
    void setPosition(std::string_view control, int position) override;
    /// The one change the display makes to a value: the default ammunition
    /// sentinel shows as 0.
    void refresh(Refresh what) override;

    const std::string& textAt(int slot) const { return m_text[static_cast<std::size_t>(slot)]; }
    int positionAt(int slot) const { return m_position[static_cast<std::size_t>(slot)]; }
    void setTextAt(int slot, std::string text) { m_text[static_cast<std::size_t>(slot)] = text; }
    void setPositionAt(int slot, int p) { m_position[static_cast<std::size_t>(slot)] = p; }

private:
    std::vector<std::string> m_text;
    std::vector<int> m_position;
};

// What the form shows of one item: its fields, the addiction code that stands for
// the addiction list, and its name and description (Windows-1252, as in the file).
struct RowState {
    RowForm form;
    std::int32_t addictionCode = 0;
    std::string name;
    std::string description;
};

// One item file of the folder: as read, as shown, and as edited in the table.
struct TableRow {
    std::string fileName;
    ItemRecord record;
    RowState shown;
    std::optional<RowState> edits; // only once the row was edited

    const RowState& edited() const { return edits ? *edits : shown; }
};

// The entries of the lists and the message files behind the reference names, each
// read once. A list or message file that cannot be read gives empty texts, so its
// numbers are shown as numbers; only pro_item.msg is required.
class TableTexts {
public:
    /// Reads the files. Throws Error with the run-time I/O message when
    /// pro_item.msg cannot be read.
    explicit TableTexts(const DerivedPaths& paths);
    /// The entries of a list field, Windows-1252 as read; empty for edits.
    const std::vector<std::string>& entries(const Field& field) const;
    /// The same entries as UTF-8.
    const std::vector<std::string>& shownEntries(const Field& field) const;
    const MessageSnapshot& proItem() const { return m_proItem; }
    /// The name beside a number field (at `slot` of the field tables) in a row's values,
    /// looked up as the editor looks it up (Windows-1252).
    std::string referenceName(Refresh which, int slot, const RowForm& form) const;

private:
    MessageSnapshot m_proItem;
    MessageSnapshot m_proto;
    MessageSnapshot m_proCrit;
    MessageSnapshot m_proMisc;
    std::vector<std::vector<std::string>> m_entries;
    std::vector<std::vector<std::string>> m_shownEntries;
};

// Which item files a table shows.
struct TableSource {
    std::string folder;
    std::array<bool, 7> types{true, true, true, true, true, true, true};
    bool all = false;
    DerivedPaths paths;
};

// A whole folder of item files as one table of the form's values. Each cell reads,
// converts and checks its value by the form's rules; saving goes through the editing
// session's Save.
class FolderTable {
public:
    /// Lists the folder as the item browser does (by file name, under the type
    /// filters), reads every item and its name and description. Items that cannot
    /// be read are left out and named in readProblems(). Throws Error when the
    /// folder is not a folder or pro_item.msg cannot be read.
    explicit FolderTable(
        const TableSource& source,
        const std::function<void(std::size_t done, std::size_t total)>& progress = {});

    const TableSource& source() const { return m_source; }
    const TableTexts& texts() const { return m_texts; }
    std::size_t rowCount() const { return m_rows.size(); }
    const TableRow& row(std::size_t r) const { return m_rows[r]; }
    /// The row of a file name (exact, else ignoring letter case when that is unique).
    std::optional<std::size_t> rowOfFile(std::string_view fileName) const;
    const std::vector<std::string>& readProblems() const { return m_readProblems; }

    /// The text of a cell as the table shows it (UTF-8): an edit's text, a list's
    /// entry text (its stored number when the list has no entry for it), "" where
    /// the item's type has no such field.
    std::string cell(std::size_t r, int column) const;
    /// The cell as read from the files.
    std::string shownCell(std::size_t r, int column) const;
    bool isChanged(std::size_t r, int column) const {
        return m_rows[r].edits && cell(r, column) != shownCell(r, column);
    }
    bool rowChanged(std::size_t r) const;
    std::size_t changedRowCount() const;
    /// True when the user may edit the cell.
    bool editable(std::size_t r, int column) const;
    /// The value a number column sorts by; nothing for text and for empty cells.
    std::optional<std::int64_t> sortNumber(std::size_t r, int column) const;

    /// The state a row would have with the cell set to `text`, as the form takes a
    /// typed text or a chosen entry. Throws Error with the form's message when the
    /// form would refuse it. A text equal to the cell changes nothing.
    RowState withCell(std::size_t r, int column, std::string_view text) const;
    RowState withCell(std::size_t r, const RowState& state, int column,
                      std::string_view text) const;
    /// The cell of a row in a given state.
    std::string cellOf(std::size_t r, const RowState& state, int column) const;
    /// Sets a cell; throws as withCell and then changes nothing.
    void setCell(std::size_t r, int column, std::string_view text);
    void setState(std::size_t r, RowState state) { m_rows[r].edits = std::move(state); }
    /// Puts back a row's edits as they were (nothing: as read), for undo.
    void setEdits(std::size_t r, std::optional<RowState> edits) {
        m_rows[r].edits = std::move(edits);
    }

    // What Save all did: the files written and the files that failed with their error.
    struct SaveReport {
        std::vector<std::string> saved;
        std::vector<std::pair<std::string, std::string>> failed;
    };
    /// Writes every changed item through the editing session's Save (saveBatch), all
    /// name and description changes in one write of pro_item.msg first. A failed
    /// pro_item.msg stops everything (throws; nothing is written); an item that fails
    /// (a bad value, a file changed on disk since the table read it, a failed write)
    /// is reported and the others are still written (with AllOrNothing: nothing is
    /// written then). Written rows are shown anew from what was saved.
    SaveReport saveAll(BatchWrite whole = BatchWrite::EachItem);

private:
    std::string cellIn(const TableRow& row, const RowState& state, int column) const;

    TableSource m_source;
    TableTexts m_texts;
    std::vector<TableRow> m_rows;
    std::vector<std::string> m_readProblems;
};

/// A number cell plus `delta`, or Error "'%s' is not a valid integer value" when the
/// cell is no whole number or the sum leaves the 32-bit range.
std::string addToNumber(std::string_view text, std::int64_t delta);
/// A number cell times `factor`, rounded to the nearest whole number; errors as above.
std::string multiplyNumber(std::string_view text, double factor);

} // namespace zantor
