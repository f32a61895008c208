// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV reader on any text: it either refuses with an error, or what it read
// written back as CSV reads back the same, whatever the delimiter. (The written text
// starts with a byte-order mark, as a file would, so that a first field beginning
// with one keeps it.)
#include "common/error.h"
#include "fuzz_check.h"
#include "table/csv.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

using namespace zantor;
using zantor::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const char delimiter = in.ConsumeBool() ? ',' : in.ConsumeIntegral<char>();
    if (delimiter == '"' || delimiter == '\r' || delimiter == '\n')
        return 0;
    const std::string text = in.ConsumeRemainingBytesAsString();
    std::vector<CsvRecord> records;
    try {
        records = readCsv(text, delimiter);
    } catch (const Error&) {
        return 0;
    }
    std::string written = "\xEF\xBB\xBF";
    for (const CsvRecord& r : records) {
        check(!r.empty());
        written += csvRecord(r, delimiter, in.ConsumeBool() ? "\r\n" : "\n");
    }
    check(readCsv(written, delimiter) == records);
    return 0;
}
