// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/folder_table.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zantor {

/// The table as CSV in UTF-8: a header row of column keys, then one row per item in
/// the order given. The `file` column always comes first, so that the text can be
/// imported again. Lines end in CR LF.
std::string exportCsv(const FolderTable& table, const std::vector<int>& columns,
                      const std::vector<std::size_t>& rows);
/// Every column, every row in the table's order.
std::string exportCsv(const FolderTable& table);

/// The columns named by a comma-separated list of keys. Throws Error naming an
/// unknown key.
std::vector<int> columnsFromList(std::string_view list);

// A cell of an import that would not be taken, with its CSV record (the header is
// record 1) and column key ("" when the whole record is meant).
struct ImportProblem {
    std::size_t record = 0;
    std::string column;
    std::string message;
    /// "record 3, priceField: 'x' is not a valid integer value"
    std::string text() const;
};

// One value an import changes.
struct ImportChange {
    std::string file;
    std::string column;
    std::string from;
    std::string to;
    /// "rifle02.pro: priceField 1100 -> 1250"
    std::string text() const;
};

// What an import would do: nothing at all when there is any problem.
struct ImportPlan {
    std::vector<ImportProblem> problems;
    std::vector<ImportChange> changes;
    std::vector<std::pair<std::size_t, RowState>> states; // new state of each changed row

    bool ok() const { return problems.empty(); }
};

/// Checks every row and cell of CSV text against the table, as the form would take
/// each value: rows are matched to items by the `file` column, a cell equal to the
/// item's value changes nothing, the reference names (read-only, derived) are not
/// read. Changes nothing in the table.
ImportPlan planImport(const FolderTable& table, std::string_view csvText);
/// Puts a plan without problems into the table's edited values.
void applyImport(FolderTable& table, const ImportPlan& plan);

} // namespace zantor
