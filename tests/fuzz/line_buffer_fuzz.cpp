// SPDX-License-Identifier: GPL-3.0-or-later
// The line buffer gives back the bytes it loaded, and a splice changes only its range.
#include "fuzz_check.h"
#include "texts/line_buffer.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

using zantor::LineBuffer;
using zantor::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string file = in.ConsumeRandomLengthString(4096);
    LineBuffer lines;
    lines.assign(file);
    check(lines.bytes() == file);
    check(lines.byteOffset(lines.size()) == file.size());

    const std::vector<std::string> before = lines.lines();
    const std::size_t first = in.ConsumeIntegralInRange<std::size_t>(0, before.size());
    const std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, before.size() - first);
    std::vector<std::string> texts(in.ConsumeIntegralInRange<std::size_t>(0, 4));
    for (std::string& t : texts)
        t = in.ConsumeRandomLengthString(16);
    lines.replace(first, count, texts);

    const std::vector<std::string> after = lines.lines();
    check(after.size() == before.size() - count + texts.size());
    for (std::size_t i = 0; i < first; ++i)
        check(after[i] == before[i]);
    for (std::size_t i = 0; i < texts.size(); ++i)
        check(after[first + i] == texts[i]);
    for (std::size_t i = first + count; i < before.size(); ++i)
        check(after[i - count + texts.size()] == before[i]);
    // The bytes before the splice stay (the break of the line just before it may be
    // added, when that line was the last one and had none).
    LineBuffer original;
    original.assign(file);
    const std::size_t kept =
        first == 0 ? 0 : original.byteOffset(first - 1) + before[first - 1].size();
    check(lines.bytes().compare(0, kept, file, 0, kept) == 0);
    // What a save writes part by part is the same bytes.
    std::string joined;
    for (const std::string_view part : lines.parts())
        joined.append(part);
    check(joined == lines.bytes());
    return 0;
}
