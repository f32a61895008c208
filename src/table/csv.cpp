// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/csv.h"

#include "common/error.h"

#include <cstddef>

namespace zantor {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

[[noreturn]] void badQuote(std::size_t record) {
    throw Error("CSV record " + std::to_string(record) +
                ": a quote is not closed, or stands inside a field that is not quoted");
}

} // namespace

// Read by hand rather than through a CSV library: Debian builds none for the Windows
// target, and one reader must serve every platform.
std::vector<CsvRecord> readCsv(std::string_view text, char delimiter) {
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    std::vector<CsvRecord> records;
    CsvRecord current;
    std::string field;
    bool inRecord = false; // a line with no characters at all is no record
    const char specialChars[] = {delimiter, '"', '\r', '\n'};
    const std::string_view specials(specialChars, sizeof specialChars);
    std::size_t i = 0;
    const auto endRecord = [&] {
        current.push_back(std::move(field));
        field.clear();
        records.push_back(std::move(current));
        current.clear();
        inRecord = false;
    };
    while (i < text.size()) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            i += ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
            if (inRecord)
                endRecord();
            continue;
        }
        inRecord = true;
        if (ch == delimiter) {
            current.push_back(std::move(field));
            field.clear();
            ++i;
        } else if (ch == '"' && field.empty()) {
            // A quoted field runs to the quote not doubled; it must end the field.
            for (++i;; ++i) {
                if (i == text.size())
                    badQuote(records.size() + 1);
                if (text[i] != '"') {
                    field += text[i];
                } else if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    break;
                }
            }
            ++i;
            if (i < text.size() && text[i] != delimiter && text[i] != '\r' && text[i] != '\n')
                badQuote(records.size() + 1);
        } else if (ch == '"') {
            badQuote(records.size() + 1);
        } else {
            const std::size_t end = text.find_first_of(specials, i);
            const std::size_t stop = end == std::string_view::npos ? text.size() : end;
            field.append(text.substr(i, stop - i));
            i = stop;
        }
    }
    if (inRecord)
        endRecord();
    return records;
}

std::string csvRecord(const CsvRecord& fields, char delimiter, std::string_view lineEnd) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& f = fields[i];
        if (i > 0)
            out += delimiter;
        const bool quote =
            f.find_first_of(std::string{delimiter, '"', '\r', '\n'}) != std::string::npos ||
            (!f.empty() && (f.front() == ' ' || f.back() == ' ')) ||
            // A lone empty field written bare would be a blank line, which reads as none.
            (fields.size() == 1 && f.empty());
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
