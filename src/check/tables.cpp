// SPDX-License-Identifier: GPL-3.0-or-later
// The check of one message table: braces as the lookup reads them, ids as the table's
// writer meant them (one entry a line), and the lines Save rewrites in pro_item.msg.
#include "check/check.h"
#include "common/numbers.h"
#include "texts/encoding.h"
#include "texts/line_split.h"
#include "texts/message_lookup.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace zantor {

namespace {

constexpr char kEndOfFile = 0x1A; // the lookup reads no further
constexpr std::string_view kCrLf = "\r\n";

struct Line {
    std::size_t start;
    std::string_view text;
    std::string_view lineBreak;
};

class TableCheck {
public:
    TableCheck(std::string_view name, std::string_view bytes, std::vector<Finding>& out)
        : m_name(name), m_bytes(bytes), m_text(bytes.substr(0, bytes.find(kEndOfFile))),
          m_out(out) {
        forEachLine(m_text, [&](std::string_view line, std::string_view lineBreak) {
            m_lines.push_back(
                {static_cast<std::size_t>(line.data() - m_text.data()), line, lineBreak});
        });
    }

    void run(std::span<const TextIdUse> itemTexts, const MessageSnapshot* table) {
        groups();
        closingBraces();
        duplicateIds();
        if (!itemTexts.empty()) {
            std::optional<MessageSnapshot> own;
            if (!table)
                table = &own.emplace(MessageSnapshot::fromBytes(m_bytes));
            writeBack(itemTexts, *table);
        }
        lineBreaks();
    }

private:
    void add(std::string_view rule, std::size_t lineIndex, const std::string& message) {
        m_out.push_back({std::string(m_name),
                         {},
                         &checkRule(rule),
                         {},
                         "line " + std::to_string(lineIndex + 1) + ": " + message,
                         false,
                         lineIndex + 1});
    }

    std::size_t lineAt(std::size_t pos) const {
        const auto it = std::upper_bound(m_lines.begin(), m_lines.end(), pos,
                                         [](std::size_t p, const Line& l) { return p < l.start; });
        return it == m_lines.begin() ? 0 : static_cast<std::size_t>(it - m_lines.begin() - 1);
    }

    // The id of an entry line: what stands between its first "{" and the next "}" (or
    // `end`), or nothing for a line that does not begin with "{".
    static std::optional<std::string_view> leadingId(std::string_view line,
                                                     std::size_t end = std::string_view::npos) {
        if (line.empty() || line[0] != '{')
            return std::nullopt;
        const std::size_t close = std::min(line.find('}'), end);
        return line.substr(1, close == std::string_view::npos ? close : close - 1);
    }

    static std::string idList(const std::vector<std::string>& ids) {
        if (ids.empty())
            return "no entry";
        std::string s = ids.size() == 1 ? "the entry " : "the entries ";
        for (std::size_t i = 0; i < ids.size(); ++i)
            s += (i ? ", " : "") + decodeWindows1252(ids[i]);
        return s;
    }

    std::string entryOf(std::size_t lineIndex) const {
        const auto id = leadingId(m_lines[lineIndex].text);
        return id ? " of entry " + decodeWindows1252(*id) : std::string();
    }

    // The brace groups in the order the lookup meets them: a group that swallows the
    // start of a later entry line, or is never closed, hides entries.
    void groups() {
        for (std::size_t pos = 0;;) {
            const std::size_t open = m_text.find('{', pos);
            if (open == std::string_view::npos)
                return;
            const std::size_t close = m_text.find('}', open + 1);
            const std::size_t end = close == std::string_view::npos ? m_text.size() : close;
            std::vector<std::string> hidden;
            std::size_t lastLine = lineAt(open);
            for (std::size_t i = lineAt(open) + 1; i < m_lines.size() && m_lines[i].start < end;
                 ++i) {
                lastLine = i;
                const std::size_t rest = end - m_lines[i].start;
                if (const auto id = leadingId(m_lines[i].text, rest))
                    hidden.emplace_back(*id);
            }
            const std::size_t line = lineAt(open);
            const std::string_view content = m_text.substr(open + 1, end - open - 1);
            if (close == std::string_view::npos) {
                add("unclosed-brace", line, "\"{\" is never closed: it hides " + idList(hidden));
                return;
            }
            if (!hidden.empty())
                add("unclosed-brace", line,
                    "\"{\" is not closed on its line: it runs on to line " +
                        std::to_string(lastLine + 1) + " and hides " + idList(hidden));
            else if (content.find('{') != std::string_view::npos &&
                     m_braceLines.insert(line).second)
                add("brace-in-text", line, "\"{\" inside the text" + entryOf(line));
            pos = close + 1;
        }
    }

    // A "}" after an entry's third group on its line: the writer's text went on, the
    // lookup's text ended at the first "}".
    void closingBraces() {
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            const std::string_view line = m_lines[i].text;
            if (!leadingId(line))
                continue;
            std::size_t p = 0;
            int closed = 0;
            std::string_view text;
            for (; closed < 3; ++closed) {
                const std::size_t open = line.find('{', p);
                const std::size_t close =
                    open == std::string_view::npos ? open : line.find('}', open + 1);
                if (close == std::string_view::npos)
                    break;
                text = line.substr(open + 1, close - open - 1);
                p = close + 1;
            }
            if (closed == 3 && line.find('}', p) != std::string_view::npos &&
                m_braceLines.insert(i).second)
                add("brace-in-text", i,
                    "\"}\" inside the text" + entryOf(i) + " ends it early: it reads \"" +
                        decodeWindows1252(text) + "\"");
        }
    }

    void duplicateIds() {
        m_firstLine.reserve(m_lines.size());
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            const std::string_view line = m_lines[i].text;
            const auto id = leadingId(line);
            if (!id || line.find('}') == std::string_view::npos)
                continue;
            const auto [it, isNew] = m_firstLine.try_emplace(*id, i);
            if (!isNew) {
                m_laterLines.emplace(*id, i);
                add("duplicate-message-id", i,
                    "id " + decodeWindows1252(*id) + " appears again; the entry on line " +
                        std::to_string(it->second + 1) + " wins");
            }
        }
    }

    // The lines that begin with an entry of this id, in file order.
    std::vector<std::size_t> entryLines(std::string_view id) const {
        std::vector<std::size_t> lines;
        if (const auto first = m_firstLine.find(id); first != m_firstLine.end()) {
            lines.push_back(first->second);
            const auto [from, to] = m_laterLines.equal_range(id);
            for (auto it = from; it != to; ++it)
                lines.push_back(it->second);
        }
        return lines;
    }

    // Save rewrites an item's name line, found ignoring letter case, and puts the
    // description entry right after it, every line ended by CR LF. Unchanged texts must
    // come back as they stand.
    void writeBack(std::span<const TextIdUse> uses, const MessageSnapshot& table) {
        std::unordered_set<std::string_view> done;
        for (const TextIdUse& use : uses) {
            if (!done.insert(use.textId).second)
                continue;
            const std::string name = table.lookup(use.textId);
            std::int32_t id = 0;
            try {
                id = toInt(use.textId);
            } catch (const std::exception&) {
                continue;
            }
            if (name.empty() || id == std::numeric_limits<std::int32_t>::max())
                continue;
            writeBackOf(use, name, std::to_string(id + 1), table);
        }
    }

    void writeBackOf(const TextIdUse& use, const std::string& name, const std::string& descId,
                     const MessageSnapshot& table) {
        const std::string nameLine = "{" + use.textId + "}{}{" + name + "}";
        const std::vector<std::size_t> candidates = entryLines(use.textId);
        const auto at = std::find_if(candidates.begin(), candidates.end(), [&](std::size_t i) {
            return m_lines[i].text == nameLine || equalIgnoringCase(m_lines[i].text, nameLine);
        });
        const auto save = [&] { return "Save of " + use.file; };
        if (at == candidates.end()) {
            add("write-back-differs", candidates.empty() ? 0 : candidates.front(),
                "the name of text id " + use.textId + " is not the one line " +
                    decodeWindows1252(nameLine) + ": " + save() + " would add it again");
            return;
        }
        const std::size_t i = *at;
        if (m_lines[i].text != nameLine || m_lines[i].lineBreak != kCrLf)
            add("write-back-differs", i,
                save() + " would write this name line as " + decodeWindows1252(nameLine) +
                    " ended by CR LF");
        const std::string description = table.lookup(descId);
        std::vector<std::string_view> expected;
        const std::string entry = "{" + descId + "}{}{" + description + "}";
        forEachLine(entry, [&](std::string_view l, std::string_view) { expected.push_back(l); });
        const bool follows =
            i + 1 < m_lines.size() && m_lines[i + 1].text.starts_with("{" + descId + "}");
        if (!follows) {
            if (!description.empty())
                add("write-back-differs", i,
                    "the description entry " + descId + " does not follow this name line: " +
                        save() + " would add another after it");
            return;
        }
        bool same = i + expected.size() < m_lines.size();
        for (std::size_t k = 0; same && k < expected.size(); ++k)
            same = m_lines[i + 1 + k].text == expected[k] && m_lines[i + 1 + k].lineBreak == kCrLf;
        if (!same)
            add("write-back-differs", i + 1,
                save() + " would write the description entry " + descId + " over these lines as " +
                    std::to_string(expected.size()) + " line(s) ended by CR LF");
    }

    // Over the whole file, Ctrl-Z or not: the write-back keeps every line.
    void lineBreaks() {
        std::size_t count = 0;
        std::size_t firstLine = 0;
        std::size_t i = 0;
        forEachLine(m_bytes, [&](std::string_view, std::string_view lineBreak) {
            if (lineBreak != kCrLf && count++ == 0)
                firstLine = i;
            ++i;
        });
        if (count == 1)
            add("not-crlf", firstLine, "not ended by CR LF");
        else if (count > 1)
            add("not-crlf", firstLine,
                "not ended by CR LF, nor are " + std::to_string(count - 1) + " more lines");
    }

    std::string_view m_name;
    std::string_view m_bytes;
    std::string_view m_text; // as far as the lookup reads
    std::vector<Finding>& m_out;
    std::vector<Line> m_lines;
    std::set<std::size_t> m_braceLines; // lines that already have a brace-in-text finding
    // The line of each entry id, and the lines of the ids that appear again (in order).
    std::unordered_map<std::string_view, std::size_t> m_firstLine;
    std::multimap<std::string_view, std::size_t> m_laterLines;
};

} // namespace

std::vector<Finding> checkMessageTable(std::string_view name, std::string_view bytes,
                                       std::span<const TextIdUse> itemTexts,
                                       const MessageSnapshot* table) {
    std::vector<Finding> out;
    TableCheck(name, bytes, out).run(itemTexts, table);
    std::stable_sort(out.begin(), out.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return out;
}

} // namespace zantor
