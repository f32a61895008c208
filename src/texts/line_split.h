// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace zantor {

/// Calls `onLine(line, lineBreak)` for each line of `text`, in order. A line ends at
/// CR LF, at a lone CR or at a lone LF; `lineBreak` is the break that ended it, empty
/// for a last line that has none. An empty line is a line; a break at the very end
/// starts no further line, so "" has no lines and "a\r\n" has one.
template <class OnLine> void forEachLine(std::string_view text, OnLine&& onLine) {
    std::size_t start = 0;
    while (start < text.size()) {
        // A plain loop: find_first_of looks each byte up in the set with a call of its own.
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        if (end == text.size()) {
            onLine(text.substr(start), std::string_view());
            return;
        }
        const std::size_t breakSize =
            text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
        onLine(text.substr(start, end - start), text.substr(end, breakSize));
        start = end + breakSize;
    }
}

} // namespace zantor
