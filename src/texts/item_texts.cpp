// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/item_texts.h"

#include "common/numbers.h"
#include "texts/encoding.h"
#include "texts/line_split.h"
#include "texts/message_lookup.h"

#include <vector>

namespace zantor {

namespace {

constexpr std::size_t kCaptionPathLength = 12;
constexpr int kTextIdStep = 100;

std::string descriptionId(std::string_view textId) {
    return std::to_string(addChecked(toInt(textId), 1, textId));
}

std::string entryLine(std::string_view id, std::string_view text) {
    std::string line;
    line.reserve(id.size() + text.size() + 6);
    line.append("{").append(id).append("}{}{").append(text).append("}");
    return line;
}

// The lines of one entry whose text may hold line breaks: the entry is kept whole,
// its lines joined by the buffer's CR LF, so the lookup reads the text back.
std::vector<std::string> entryLines(std::string_view id, std::string_view text) {
    std::vector<std::string> lines;
    forEachLine(entryLine(id, text),
                [&](std::string_view line, std::string_view) { lines.emplace_back(line); });
    return lines;
}

// How many lines, from `first`, the entry that begins there takes: up to the line
// where its third brace group closes. 1 when that is not clear (the entry does not
// close, or a later line begins with "{" before it closes), so that nothing but the
// first line is taken from a malformed file.
std::size_t entryLineCount(const LineBuffer& lines, std::size_t first) {
    int closed = 0;
    bool inGroup = false;
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::string& line = lines.line(i);
        if (i > first && !line.empty() && line[0] == '{')
            return 1;
        for (const char c : line) {
            if (!inGroup && c == '{') {
                inGroup = true;
            } else if (inGroup && c == '}') {
                inGroup = false;
                if (++closed == 3)
                    return i - first + 1;
            }
        }
    }
    return 1;
}

// Byte offset where the last `count` UTF-8 characters of `text` begin.
std::size_t lastCharactersStart(std::string_view text, std::size_t count) {
    std::size_t start = text.size();
    while (start > 0 && count > 0) {
        --start;
        if ((static_cast<unsigned char>(text[start]) & 0xC0) != 0x80)
            --count;
    }
    return start;
}

} // namespace

std::string lookupName(const std::string& proItemMsg, std::string_view textId) {
    return lookupMessage(proItemMsg, textId);
}

std::string lookupDescription(const std::string& proItemMsg, std::string_view textId) {
    return lookupMessage(proItemMsg, descriptionId(textId));
}

void writeNameAndDescription(LineBuffer& lines, const std::string& proItemMsg,
                             std::string_view textId, std::string_view name,
                             std::string_view description, std::string_view rememberedName) {
    lines.load(proItemMsg);
    placeNameAndDescription(lines, textId, name, description, rememberedName);
    lines.save(proItemMsg);
}

void placeNameAndDescription(LineBuffer& lines, std::string_view textId, std::string_view name,
                             std::string_view description, std::string_view rememberedName) {
    const std::string descId = descriptionId(textId);
    const int oldName = lines.find(entryLine(textId, rememberedName));
    const std::string nameLine = entryLine(textId, name);
    if (oldName < 0) {
        lines.append(nameLine);
    } else {
        lines.insert(oldName, nameLine);
        lines.remove(oldName + 1);
    }
    // The first line equal to the new name line: the one just written, unless an
    // equal line stands before it.
    const auto at = static_cast<std::size_t>(lines.find(nameLine));

    const std::vector<std::string> descLines = entryLines(descId, description);
    for (std::size_t i = 0; i < descLines.size(); ++i)
        lines.insert(static_cast<int>(at + 1 + i), descLines[i]);

    // The line that followed the name line goes only when it is the item's old
    // description entry; anything else there is another entry or a comment.
    const std::size_t next = at + 1 + descLines.size();
    const std::string descStart = "{" + descId + "}";
    if (next < lines.size() && lines.line(next).starts_with(descStart)) {
        for (std::size_t n = entryLineCount(lines, next); n > 0; --n)
            lines.remove(static_cast<int>(next));
    }
}

std::string windowCaption(std::string_view openPath, std::string_view name) {
    return "Zantor | " +
           std::string(openPath.substr(lastCharactersStart(openPath, kCaptionPathLength))) + " - " +
           decodeWindows1252(name);
}

std::string stepTextId(std::string_view text, bool up) {
    if (!up && text == "0")
        return std::string(text);
    return std::to_string(addChecked(toInt(text), up ? kTextIdStep : -kTextIdStep, text));
}

} // namespace zantor
