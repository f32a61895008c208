// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/item_texts.h"

#include "common/error.h"
#include "common/numbers.h"
#include "texts/encoding.h"
#include "texts/line_split.h"
#include "texts/message_lookup.h"

#include <optional>
#include <vector>

namespace zantor {

namespace {

constexpr std::size_t kCaptionPathLength = 12;
constexpr int kTextIdStep = 100;

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

// The length of the line break at `at`: CR LF, a lone CR or LF, or none at the end.
std::size_t breakSize(std::string_view bytes, std::size_t at) {
    if (at >= bytes.size())
        return 0;
    if (bytes[at] == '\r')
        return at + 1 < bytes.size() && bytes[at + 1] == '\n' ? 2 : 1;
    return bytes[at] == '\n' ? 1 : 0;
}

// A description's text as the lookup reads it back: every line break a CR LF.
std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 16);
    forEachLine(text, [&](std::string_view line, std::string_view lineBreak) {
        out.append(line);
        if (!lineBreak.empty())
            out.append("\r\n");
    });
    return out;
}

// The 1-based number of the line that holds byte `pos`, with the line splitting of
// the line buffer, and that line's text.
std::pair<std::size_t, std::string_view> lineAt(std::string_view bytes, std::size_t pos) {
    std::size_t number = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < pos && i < bytes.size(); ++i) {
        const bool crLf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        if (bytes[i] == '\n' || (bytes[i] == '\r' && !crLf)) {
            ++number;
            start = i + 1;
        }
    }
    const std::size_t end = bytes.find_first_of("\r\n", start);
    return {number, bytes.substr(start, end == std::string_view::npos ? end : end - start)};
}

// The line that holds byte `pos`, as "line N<said> (text)" for messages.
std::string lineNamed(std::string_view bytes, std::size_t pos, std::string_view said = {}) {
    const auto [number, text] = lineAt(bytes, pos);
    constexpr std::size_t kShown = 40;
    return "line " + std::to_string(number) + std::string(said) + " (" +
           decodeWindows1252(text.substr(0, kShown)) + (text.size() > kShown ? "..." : "") + ")";
}

// Refuses a new file in which the lookup would not find `expected` under `id`, naming
// the line that hides the entry written at `ours`: an earlier group that matches the
// id, a Ctrl-Z that ends the file for the lookup, or a group left open before it.
void checkReadsBack(const MessageText& text, std::string_view id, std::string_view expected,
                    std::size_t ours, std::string_view what, const std::string& file) {
    if (lookupMessageIn(text, id) == expected)
        return;
    const std::string_view bytes = text.fileBytes();
    constexpr auto npos = std::string_view::npos;
    std::size_t hider = npos;
    const std::size_t match = findMessageGroup(text, id);
    const std::size_t ctrlZ = bytes.find('\x1a');
    const std::size_t oursEnd = bytes.find_first_of("\r\n", ours);
    if (match != npos && match < ours) {
        hider = match;
    } else if (ctrlZ != npos && ctrlZ < oursEnd) {
        hider = ctrlZ;
    } else if (ours > 0) {
        const std::size_t close = bytes.rfind('}', ours - 1);
        const std::size_t open = bytes.find('{', close == npos ? 0 : close + 1);
        if (open < ours)
            hider = open;
    }
    std::string message = "The " + std::string(what) + " would not read back from " + file;
    if (hider != npos)
        message += ": " + lineNamed(bytes, hider, " hides it");
    throw Error(message + ". Nothing was written.");
}

// Refuses a new file in which another entry would read differently: a group the old
// file left open across lines, say, may have hidden an entry that the rewrite uncovers.
// The entries of the item's own ids (found without regard to case, as the name line is)
// are the ones meant to change.
void checkOthersKept(const MessageText& beforeText, const MessageText& afterText, SharedEnds shared,
                     std::string_view textId, std::string_view descId, const std::string& file) {
    const auto changed = changedEntry(
        beforeText, afterText,
        [&](std::string_view id) {
            return equalIgnoringCase(id, textId) || equalIgnoringCase(id, descId);
        },
        shared);
    if (!changed)
        return;
    throw Error("The name and description would change another entry of " + file + ", " +
                lineNamed((changed->inOld ? beforeText : afterText).fileBytes(), changed->offset) +
                (changed->inOld ? "" : " as written") + ". Nothing was written.");
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

// The file before the rewrite: the loaded bytes themselves unless the lines were
// edited before, in which case `copy` holds them.
struct Before {
    Before(const LineBuffer& lines, std::string& copy)
        : loaded(lines.loadedBytes()), text(loaded ? *loaded : (copy = lines.bytes())) {}
    std::optional<std::string_view> loaded;
    MessageText text;
};

} // namespace

// What the check of the rewritten bytes needs, kept in one place that does not move:
// `before` may view `copied`.
struct ItemTextsRewrite::State {
    const LineBuffer* lines;
    std::string proItemMsg;
    std::string textId;
    std::string name;
    std::string descId;
    std::string description;
    std::string copied;
    std::optional<Before> before;
    std::string work; // storage for a copy of the rewritten bytes, reused by checkedBytes
    SharedEnds shared;
    std::size_t nameAt = 0; // where the name line begins in the rewritten bytes
    std::size_t descAt = 0; // and where the description begins
};

// Refuses a text whose "}" would end its entry early, letting the rest of it pass for
// further entries.
void checkStorable(std::string_view text, std::string_view what) {
    if (text.find('}') != std::string_view::npos)
        throw Error("The " + std::string(what) +
                    " holds '}', which the game's text tables cannot store.");
}

std::string descriptionId(std::string_view textId) {
    return std::to_string(addChecked(toInt(textId), 1, textId));
}

std::string lookupName(const std::string& proItemMsg, std::string_view textId) {
    return lookupMessage(proItemMsg, textId);
}

std::string lookupDescription(const std::string& proItemMsg, std::string_view textId) {
    return lookupMessage(proItemMsg, descriptionId(textId));
}

ItemTextsRewrite::ItemTextsRewrite(LineBuffer& lines, const std::string& proItemMsg,
                                   std::string_view textId, std::string_view name,
                                   std::string_view description, std::string_view rememberedName)
    : m_state(std::make_unique<State>()) {
    State& st = *m_state;
    st.descId = descriptionId(textId);
    checkStorable(name, "name");
    checkStorable(description, "description");
    st.lines = &lines;
    st.proItemMsg = proItemMsg;
    st.textId = textId;
    st.name = name;
    st.description = description;
    st.before.emplace(lines, st.copied);
    const Before& before = *st.before;
    const std::string& descId = st.descId;

    const int oldName = lines.find(entryLine(textId, rememberedName));
    const std::string nameLine = entryLine(textId, name);
    if (oldName < 0)
        lines.append(nameLine);
    else
        lines.replace(static_cast<std::size_t>(oldName), 1, {nameLine});
    // The first line equal to the new name line: the one just written, unless an
    // equal line stands before it.
    const auto at = static_cast<std::size_t>(lines.find(nameLine));
    const auto finish = [&] {
        // What the line edits left as loaded is not looked over again by the check.
        if (before.loaded)
            st.shared = SharedEnds{lines.unchangedStart(), lines.unchangedEnd()};
        st.nameAt = lines.byteOffset(at);
        st.descAt = lines.byteOffset(at + 1);
    };

    // The line that followed the name line goes only when it is the item's old
    // description entry; anything else there is another entry or a comment. The old
    // entry ends where the lookup ends it, at the "}" that closes its text, however
    // its lines look; what follows that "}" on its line is kept.
    std::vector<std::string> descLines = entryLines(descId, description);
    const std::size_t next = at + 1;
    std::size_t oldLines = 0;
    if (next < lines.size() && lines.line(next).starts_with("{" + descId + "}")) {
        // The file from the line after the name line on, as the lookup reads it: the
        // loaded bytes themselves when nothing before ends the file for it.
        const std::optional<std::string_view> loadedTail = lines.loadedFrom(next);
        const bool viewTail = loadedTail && !lines.holdsBefore(next, '\x1a');
        if (!viewTail)
            lines.bytesInto(st.work);
        const std::string_view between = viewTail ? *loadedTail : std::string_view(st.work);
        std::size_t offset = viewTail ? 0 : lines.byteOffset(next);
        // Cut where the file before is, when the tail is part of it.
        const MessageText betweenText =
            viewTail && before.loaded
                ? before.text.tail(static_cast<std::size_t>(between.data() - before.loaded->data()))
                : MessageText(between);
        const std::size_t end = messageEntryEnd(betweenText, offset);
        // A text that does not open on the entry's own line may be the id group of the
        // next entry (as in "{101}{x}" over "{200}{}{Box}"): the entry is that line.
        const std::size_t textStart = messageTextStart(betweenText, offset);
        if (textStart == std::string::npos || textStart >= offset + lines.line(next).size()) {
            lines.replace(next, 1, descLines);
            finish();
            return;
        }
        // Left open, the entry runs to the end of what the lookup reads: to the end of
        // the file or to the line of its Ctrl-Z, which stays.
        const std::size_t stop = end != std::string::npos ? end : between.find('\x1a');
        for (std::size_t i = next; i < lines.size(); ++i) {
            const std::size_t textEnd = offset + lines.line(i).size();
            if (stop != std::string::npos && textEnd >= stop) {
                if (end != std::string::npos) {
                    ++oldLines;
                    if (end < textEnd)
                        descLines.emplace_back(between.substr(end, textEnd - end));
                }
                break;
            }
            ++oldLines;
            offset = textEnd + breakSize(between, textEnd);
        }
    }
    lines.replace(next, oldLines, descLines);
    finish();
}

ItemTextsRewrite::ItemTextsRewrite(ItemTextsRewrite&&) noexcept = default;
ItemTextsRewrite& ItemTextsRewrite::operator=(ItemTextsRewrite&&) noexcept = default;
ItemTextsRewrite::~ItemTextsRewrite() = default;

void ItemTextsRewrite::check(const State& st, std::string_view newBytes) {
    const MessageText text(newBytes, st.before->text, st.shared);
    checkReadsBack(text, st.textId, st.name, st.nameAt, "name", st.proItemMsg);
    checkReadsBack(text, st.descId, withCrLf(st.description), st.descAt, "description",
                   st.proItemMsg);
    checkOthersKept(st.before->text, text, st.shared, st.textId, st.descId, st.proItemMsg);
}

std::string ItemTextsRewrite::checkedBytes() {
    // The storage the rewrite may have used already: a second block of the file's
    // size costs as much as the copying.
    std::string out = std::move(m_state->work);
    m_state->lines->bytesInto(out);
    check(*m_state, out);
    return out;
}

FileWrite ItemTextsRewrite::write() const {
    FileWrite w = proItemMsgWrite(m_state->proItemMsg, {});
    w.parts = m_state->lines->parts();
    w.check = [&st = *m_state](std::string_view written) { check(st, written); };
    return w;
}

std::string rewriteItemTexts(LineBuffer& lines, const std::string& proItemMsg,
                             std::string_view textId, std::string_view name,
                             std::string_view description, std::string_view rememberedName) {
    return ItemTextsRewrite(lines, proItemMsg, textId, name, description, rememberedName)
        .checkedBytes();
}

void writeNameAndDescription(LineBuffer& lines, const std::string& proItemMsg,
                             std::string_view textId, std::string_view name,
                             std::string_view description, std::string_view rememberedName) {
    lines.load(proItemMsg);
    const ItemTextsRewrite rewrite(lines, proItemMsg, textId, name, description, rememberedName);
    commitFiles({rewrite.write()});
}

FileWrite proItemMsgWrite(const std::string& proItemMsg, std::string_view bytes) {
    FileWrite w;
    w.path = proItemMsg;
    w.parts = {bytes};
    w.cannotCreate = "Cannot create file " + proItemMsg;
    return w;
}

std::string windowCaption(std::string_view openPath, std::string_view name) {
    return "Zantor | " +
           std::string(openPath.substr(lastCharactersStart(openPath, kCaptionPathLength))) + " - " +
           std::string(name);
}

std::string stepTextId(std::string_view text, bool up) {
    if (!up && text == "0")
        return std::string(text);
    return std::to_string(addChecked(toInt(text), up ? kTextIdStep : -kTextIdStep, text));
}

} // namespace zantor
