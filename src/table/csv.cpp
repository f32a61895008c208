// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/csv.h"

#include "common/error.h"

#include <csv.h>
#include <memory>

namespace zantor {

namespace {

struct Collector {
    std::vector<CsvRecord> records;
    CsvRecord current;
};

void onField(void* data, std::size_t size, void* target) {
    auto* c = static_cast<Collector*>(target);
    c->current.emplace_back(data ? static_cast<const char*>(data) : "", data ? size : 0);
}

void onRecordEnd(int, void* target) {
    auto* c = static_cast<Collector*>(target);
    c->records.push_back(std::move(c->current));
    c->current.clear();
}

// Spaces are data: a spreadsheet's " 12" is not "12".
int noSpace(unsigned char) {
    return 0;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

std::vector<CsvRecord> readCsv(std::string_view text, char delimiter) {
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        throw Error("Out of memory");
    std::unique_ptr<csv_parser, void (*)(csv_parser*)> guard(&parser, csv_free);
    csv_set_delim(&parser, static_cast<unsigned char>(delimiter));
    csv_set_space_func(&parser, noSpace);
    Collector c;
    const std::size_t done = csv_parse(&parser, text.data(), text.size(), onField, onRecordEnd, &c);
    const bool ok = done == text.size() && csv_fini(&parser, onField, onRecordEnd, &c) == 0;
    if (!ok)
        throw Error("CSV record " + std::to_string(c.records.size() + 1) +
                    ": a quote is not closed, or stands inside a field that is not quoted");
    return std::move(c.records);
}

std::string csvRecord(const CsvRecord& fields, char delimiter, std::string_view lineEnd) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& f = fields[i];
        if (i > 0)
            out += delimiter;
        const bool quote =
            f.find_first_of(std::string{delimiter, '"', '\r', '\n'}) != std::string::npos ||
            (!f.empty() && (f.front() == ' ' || f.back() == ' '));
        if (!quote) {
            out += f;
            continue;
        }
        out += '"';
        for (const char ch : f) {
            if (ch == '"')
                out += '"';
            out += ch;
        }
        out += '"';
    }
    out += lineEnd;
    return out;
}

} // namespace zantor
