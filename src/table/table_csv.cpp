// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/table_csv.h"

#include "common/error.h"
#include "table/csv.h"

#include <algorithm>
#include <map>

namespace zantor {

namespace {

bool allEmpty(const std::vector<CsvRecord>& records, std::size_t column) {
    return std::all_of(records.begin(), records.end(),
                       [&](const CsvRecord& r) { return column >= r.size() || r[column].empty(); });
}

bool blank(const CsvRecord& r) {
    return std::all_of(r.begin(), r.end(), [](const std::string& f) { return f.empty(); });
}

} // namespace

std::string exportCsv(const FolderTable& table, const std::vector<int>& columns,
                      const std::vector<std::size_t>& rows) {
    const int file = columnIndex("file");
    std::vector<int> order{file};
    for (const int c : columns)
        if (c != file)
            order.push_back(c);
    std::string out;
    CsvRecord record;
    for (const int c : order)
        record.emplace_back(tableColumns()[static_cast<std::size_t>(c)].key);
    out += csvRecord(record);
    for (const std::size_t r : rows) {
        record.clear();
        for (const int c : order)
            record.push_back(table.cell(r, c));
        out += csvRecord(record);
    }
    return out;
}

std::string exportCsv(const FolderTable& table) {
    std::vector<int> columns(tableColumns().size());
    for (std::size_t c = 0; c < columns.size(); ++c)
        columns[c] = static_cast<int>(c);
    std::vector<std::size_t> rows(table.rowCount());
    for (std::size_t r = 0; r < rows.size(); ++r)
        rows[r] = r;
    return exportCsv(table, columns, rows);
}

std::vector<int> columnsFromList(std::string_view list) {
    std::vector<int> columns;
    while (!list.empty()) {
        const auto comma = list.find(',');
        const std::string_view key = list.substr(0, comma);
        const int c = columnIndex(key);
        if (c < 0)
            throw Error("unknown column '" + std::string(key) + "'");
        columns.push_back(c);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return columns;
}

std::string ImportProblem::text() const {
    std::string s = "record " + std::to_string(record);
    if (!column.empty())
        s += ", " + column;
    return s + ": " + message;
}

std::string ImportChange::text() const {
    return file + ": " + column + " " + from + " -> " + to;
}

ImportPlan planImport(const FolderTable& table, std::string_view csvText) {
    ImportPlan plan;
    std::vector<CsvRecord> records;
    try {
        records = readCsv(csvText);
    } catch (const std::exception& e) {
        plan.problems.push_back({0, "", e.what()});
        return plan;
    }
    if (records.empty()) {
        plan.problems.push_back({1, "", "the text has no header row"});
        return plan;
    }
    const CsvRecord& header = records.front();
    const std::vector<CsvRecord> body(records.begin() + 1, records.end());
    // The table column of each CSV column; -1 for columns that are passed over.
    std::vector<int> target(header.size(), -1);
    std::map<std::string, std::size_t> seen;
    int fileColumn = -1;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string& key = header[i];
        if (key.empty() && allEmpty(body, i))
            continue; // the trailing empty columns some spreadsheets write
        const int c = columnIndex(key);
        if (c < 0) {
            plan.problems.push_back({1, key, "unknown column"});
            continue;
        }
        if (!seen.emplace(key, i).second) {
            plan.problems.push_back({1, key, "the column appears twice"});
            continue;
        }
        const Column& col = tableColumns()[static_cast<std::size_t>(c)];
        if (col.kind == ColumnKind::File)
            fileColumn = static_cast<int>(i);
        else if (col.kind != ColumnKind::Reference)
            target[i] = c;
    }
    if (fileColumn < 0)
        plan.problems.push_back({1, "file", "there is no file column to match rows to items"});
    if (!plan.ok())
        return plan;

    std::map<std::size_t, std::size_t> rowRecord; // table row -> record that names it
    for (std::size_t b = 0; b < body.size(); ++b) {
        const CsvRecord& rec = body[b];
        const std::size_t number = b + 2;
        if (blank(rec))
            continue;
        if (rec.size() != header.size()) {
            plan.problems.push_back({number, "",
                                     "the record has " + std::to_string(rec.size()) +
                                         " cells, the header " + std::to_string(header.size())});
            continue;
        }
        const std::string& file = rec[static_cast<std::size_t>(fileColumn)];
        const auto r = table.rowOfFile(file);
        if (!r) {
            plan.problems.push_back({number, "file", "unknown item file '" + file + "'"});
            continue;
        }
        if (const auto [it, fresh] = rowRecord.emplace(*r, number); !fresh) {
            plan.problems.push_back(
                {number, "file",
                 "'" + file + "' is already given in record " + std::to_string(it->second)});
            continue;
        }
        // A cell equal to the item's value changes nothing; the text id goes before
        // the name and description, which it looks up anew as in the form.
        RowState state = table.row(*r).edited();
        std::vector<std::size_t> order(header.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_partition(order.begin(), order.end(), [&](std::size_t i) {
            const int c = target[i];
            return c < 0 || tableColumns()[static_cast<std::size_t>(c)].kind == ColumnKind::Field;
        });
        for (const std::size_t i : order) {
            const int c = target[i];
            if (c < 0 || rec[i] == table.cell(*r, c))
                continue;
            try {
                state = table.withCell(*r, state, c, rec[i]);
            } catch (const std::exception& e) {
                plan.problems.push_back({number, header[i], e.what()});
            }
        }
        plan.states.emplace_back(*r, std::move(state));
    }
    if (!plan.ok()) {
        plan.states.clear();
        return plan;
    }
    // The summary: every cell the import changes, in table order.
    std::sort(plan.states.begin(), plan.states.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::pair<std::size_t, RowState>> changed;
    for (auto& [r, state] : plan.states) {
        bool any = false;
        for (std::size_t c = 0; c < tableColumns().size(); ++c) {
            const Column& col = tableColumns()[c];
            if (col.kind == ColumnKind::Reference)
                continue;
            const std::string from = table.cell(r, static_cast<int>(c));
            const std::string to = table.cellOf(r, state, static_cast<int>(c));
            if (from != to) {
                plan.changes.push_back({table.row(r).fileName, std::string(col.key), from, to});
                any = true;
            }
        }
        if (any)
            changed.emplace_back(r, std::move(state));
    }
    plan.states = std::move(changed);
    return plan;
}

void applyImport(FolderTable& table, const ImportPlan& plan) {
    if (!plan.ok())
        throw Error("the import has problems; nothing was applied");
    for (const auto& [r, state] : plan.states)
        table.setState(r, state);
}

} // namespace zantor
