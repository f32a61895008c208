// SPDX-License-Identifier: GPL-3.0-or-later
// The name and description write-back on any pro_item.msg: it either refuses, or
// the new file reads both texts back and every other entry as before.
#include "common/error.h"
#include "fuzz_check.h"
#include "texts/encoding.h"
#include "texts/item_texts.h"
#include "texts/line_buffer.h"
#include "texts/message_lookup.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

using namespace zantor;
using zantor::fuzz::check;

namespace {

// The ids of the whole entries of `file`: those that the lookup finds at the start of a
// line and whose text closes on that line. (An entry without a text of its own takes
// the next group of the file as its text, wherever it is, so anything written after
// it changes it.)
std::vector<std::string> entryIds(std::string_view file) {
    std::vector<std::string> ids;
    for (std::size_t start = 0; start < file.size();) {
        if (file[start] == '{') {
            const std::size_t close = file.find('}', start + 1);
            if (close == std::string_view::npos)
                break;
            const std::string id(file.substr(start + 1, close - start - 1));
            const std::size_t end = messageEntryEnd(file, start);
            const std::size_t lineEnd = file.find_first_of("\r\n", start);
            if (findMessageGroup(file, id) == start && end != std::string_view::npos &&
                end <= lineEnd)
                ids.push_back(id);
        }
        const std::size_t end = file.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return ids;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string textId = in.ConsumeRandomLengthString(12);
    const std::string name = in.ConsumeRandomLengthString(32);
    const std::string description = in.ConsumeRandomLengthString(64);
    const std::string remembered = in.ConsumeRandomLengthString(32);
    const std::string file = in.ConsumeRemainingBytesAsString();

    LineBuffer lines;
    lines.assign(file);
    std::string out;
    try {
        out = rewriteItemTexts(lines, "pro_item.msg", textId, name, description, remembered);
    } catch (const Error&) {
        return 0; // refused: nothing would be written
    }
    check(lookupMessageIn(out, textId) == name);
    const std::string descId = descriptionId(textId);
    for (const std::string& id : entryIds(file)) {
        // The name line is found without regard to letter case, so an id that equals
        // the text id or the description id that way may be the one rewritten.
        if (equalIgnoringCase(id, textId) || equalIgnoringCase(id, descId))
            continue;
        check(lookupMessageIn(out, id) == lookupMessageIn(file, id));
    }
    return 0;
}
