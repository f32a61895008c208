// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zantor {

using CsvRecord = std::vector<std::string>;

/// The records of CSV text (RFC 4180): fields split at `delimiter`, quoted fields
/// may hold the delimiter, doubled quotes and line breaks; lines end in CR LF, LF or
/// CR; a UTF-8 byte-order mark at the start is passed over; blank lines are skipped.
/// Spaces around a field are part of it. Throws Error naming the record when a
/// quote is not closed or stands inside an unquoted field.
std::vector<CsvRecord> readCsv(std::string_view text, char delimiter = ',');

/// One record as CSV: a field is quoted when it holds the delimiter, a quote, a line
/// break or space at either end, or is the only field and empty, with its quotes
/// doubled; `lineEnd` follows it.
std::string csvRecord(const CsvRecord& fields, char delimiter = ',',
                      std::string_view lineEnd = "\r\n");

} // namespace zantor
