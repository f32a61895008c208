// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/message_lookup.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ZANTOR_LOOKUP_SSE2 1
#endif

namespace zantor {

namespace {

constexpr char kEndOfFile = 0x1A; // Ctrl-Z: the text reader stops there

// Ids longer than this are searched for in the bytes rather than indexed: callers
// build ids of at most a sign, ten digits and two appended ones.
constexpr std::size_t kMaxIndexedId = 32;

// How far into a file the snapshot's index reaches: its positions are 32-bit.
constexpr std::size_t kMaxIndexedBytes = 0xFFFFFFFF;

// Whether a group's content goes into the snapshot's index: numbers only, as the ids
// the callers build are, so that names and descriptions cost no entry. Other ids
// are searched for in the bytes.
bool indexedId(std::string_view content) {
    if (content.empty() || content.size() > kMaxIndexedId)
        return false;
    for (const char c : content)
        if ((c < '0' || c > '9') && c != '-' && c != '+')
            return false;
    return true;
}

// The first part of a settled message file that a snapshot reads: the ids that the
// items of a folder use are mostly near the start of their table.
constexpr std::size_t kFirstPart = std::size_t{1} << 20;

// How many message files keep a snapshot at once (the editor reads five).
constexpr std::size_t kKeptSnapshots = 8;

// A file written less than this before it was read may change again within the
// same tick of the file system's clock, leaving its stat unchanged: its snapshot is
// not kept. File times come from a clock that ticks every few milliseconds; times in
// whole seconds tell of a file system that keeps no finer ones (some keep two).
constexpr auto kSettled = std::chrono::milliseconds(100);
constexpr auto kSettledInWholeSeconds = std::chrono::seconds(2);

std::string_view untilEndOfFile(std::string_view bytes) {
    if (bytes.empty())
        return bytes; // memchr may not be given the null pointer of empty storage
    const void* end = std::memchr(bytes.data(), kEndOfFile, bytes.size());
    return end ? bytes.substr(
                     0, static_cast<std::size_t>(static_cast<const char*>(end) - bytes.data()))
               : bytes;
}

std::string_view asText(const Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Position of the first occurrence of `pattern` (at least two bytes) at or after
// `from`, or npos. Whole 16-byte blocks are filtered on three of the pattern's bytes
// at once; that keeps a search for a missing id close to the speed of one memchr.
std::size_t findPattern(std::string_view hay, std::string_view pattern, std::size_t from) {
    const std::size_t m = pattern.size();
#ifdef ZANTOR_LOOKUP_SSE2
    const char* s = hay.data();
    const std::size_t n = hay.size();
    const std::size_t mid = m - 2; // the id's last byte
    const __m128i first = _mm_set1_epi8(pattern[0]);
    const __m128i last = _mm_set1_epi8(pattern[m - 1]);
    const __m128i middle = _mm_set1_epi8(pattern[mid]);
    for (; n >= m + 15 && from <= n - m - 15; from += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + from));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + from + m - 1));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + from + mid));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last)),
                          _mm_cmpeq_epi8(c, middle))));
        while (mask != 0) {
            const std::size_t at = from + static_cast<std::size_t>(std::countr_zero(mask));
            if (std::memcmp(s + at, pattern.data(), m) == 0)
                return at;
            mask &= mask - 1;
        }
    }
#endif
    return hay.find(pattern, from);
}

// True when the "{" at `at` opens a brace group. A "}" always closes the group the
// scan is in (or is passed over outside one), and a "{" always leaves it inside a
// group, so the scan is outside at `at` exactly when the last brace before it is a
// "}" or there is none.
bool opensGroup(std::string_view bytes, std::size_t at) {
    for (std::size_t i = at; i-- > 0;) {
        if (bytes[i] == '}')
            return true;
        if (bytes[i] == '{')
            return false;
    }
    return true;
}

// Where the text group after a matching id group ending just before `pos` opens
// (two characters are passed over first), or npos.
std::size_t textOpen(std::string_view bytes, std::size_t pos) {
    pos = std::min(pos + 2, bytes.size());
    return bytes.find('{', pos);
}

// The text that follows a matching id group ending just before `pos`: two
// characters passed over, then the content of the next brace group, as far as it goes.
std::string textAfter(std::string_view bytes, std::size_t pos) {
    const std::size_t open = textOpen(bytes, pos);
    if (open == std::string_view::npos)
        return {};
    const std::size_t close = bytes.find('}', open + 1);
    return std::string(bytes.substr(
        open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
}

// The functions below whose names end in "In" take what the lookup reads of a file,
// cut at its Ctrl-Z already: finding that Ctrl-Z means a pass over the whole file.

// What a group that the lookup matches to `id` reads: "{" + id + "}". None for an id
// holding "}": a group's content never holds one, and a match on a group left open at
// the end yields the empty text, so only closed groups can give a text.
std::optional<std::string> groupPattern(std::string_view id) {
    if (id.find('}') != std::string_view::npos)
        return std::nullopt;
    std::string pattern;
    pattern.reserve(id.size() + 2);
    pattern.append("{").append(id).append("}");
    return pattern;
}

// The first brace group that reads `pattern` (see groupPattern) and starts in
// [from, to), or npos.
std::size_t firstGroupBetween(std::string_view bytes, std::string_view pattern, std::size_t from,
                              std::size_t to) {
    const std::string_view hay = bytes.substr(0, std::min(bytes.size(), to + pattern.size() - 1));
    for (std::size_t at = from;; ++at) {
        at = findPattern(hay, pattern, at);
        if (at == std::string_view::npos || at >= to)
            return std::string_view::npos;
        if (opensGroup(bytes, at))
            return at;
    }
}

} // namespace

namespace detail {

// firstGroupBetween for several patterns in one pass over the bytes: `at[i]` becomes
// the first group that reads patterns[i] and starts in [from, to), for each i where it
// is npos. The files compared after an edit share most of their bytes, in which the
// ids of the changed lines are searched for.
void firstGroupsBetween(std::string_view bytes, const std::vector<std::string>& patterns,
                        std::size_t from, std::size_t to, std::vector<std::size_t>& at) {
    constexpr auto npos = std::string_view::npos;
    std::size_t left = static_cast<std::size_t>(std::count(at.begin(), at.end(), npos));
    std::size_t pos = from;
#ifdef ZANTOR_LOOKUP_SSE2
    std::size_t longest = 0;
    for (const std::string& p : patterns)
        longest = std::max(longest, p.size());
    const char* s = bytes.data();
    const __m128i open = _mm_set1_epi8('{');
    const __m128i close = _mm_set1_epi8('}');
    for (; left > 0 && pos < to && pos + longest + 15 <= bytes.size(); pos += 16) {
        const auto opens = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + pos)), open)));
        if (opens == 0)
            continue;
        for (std::size_t i = 0; i < patterns.size(); ++i) {
            if (at[i] != npos)
                continue;
            const std::string& p = patterns[i];
            const std::size_t m = p.size();
            const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + pos + m - 1));
            const __m128i lasts =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + pos + m - 2));
            auto mask = opens & static_cast<unsigned>(_mm_movemask_epi8(
                                    _mm_and_si128(_mm_cmpeq_epi8(ends, close),
                                                  _mm_cmpeq_epi8(lasts, _mm_set1_epi8(p[m - 2])))));
            for (; mask != 0; mask &= mask - 1) {
                const std::size_t match = pos + static_cast<std::size_t>(std::countr_zero(mask));
                if (match >= to)
                    break;
                if (std::memcmp(s + match, p.data(), m) == 0 && opensGroup(bytes, match)) {
                    at[i] = match;
                    --left;
                    break;
                }
            }
        }
    }
#endif
    for (std::size_t i = 0; i < patterns.size() && left > 0; ++i)
        if (at[i] == npos && pos < to)
            at[i] = firstGroupBetween(bytes, patterns[i], pos, to);
}

} // namespace detail

namespace {

std::size_t findGroupIn(std::string_view bytes, std::string_view id) {
    const auto pattern = groupPattern(id);
    return pattern ? firstGroupBetween(bytes, *pattern, 0, bytes.size()) : std::string_view::npos;
}

std::string lookupIn(std::string_view bytes, std::string_view id) {
    const std::size_t at = findGroupIn(bytes, id);
    if (at == std::string_view::npos)
        return {};
    return textAfter(bytes, at + id.size() + 2);
}

std::size_t textStartIn(std::string_view bytes, std::size_t at) {
    const std::size_t idClose = bytes.find('}', at + 1);
    return idClose == std::string_view::npos ? idClose : textOpen(bytes, idClose + 1);
}

std::size_t entryEndIn(std::string_view bytes, std::size_t at) {
    const std::size_t open = textStartIn(bytes, at);
    if (open == std::string_view::npos)
        return std::string_view::npos;
    const std::size_t close = bytes.find('}', open + 1);
    return close == std::string_view::npos ? close : close + 1;
}

} // namespace

MessageText::MessageText(std::string_view fileBytes)
    : m_bytes(untilEndOfFile(fileBytes)), m_fileSize(fileBytes.size()) {}

MessageText::MessageText(std::string_view fileBytes, const MessageText& old, SharedEnds shared)
    : MessageText(fileBytes, fileBytes.size()) {
    const std::string_view oldFile = old.fileBytes();
    const std::size_t start = std::min({shared.start, oldFile.size(), fileBytes.size()});
    const std::size_t end =
        std::min(shared.end, std::min(oldFile.size(), fileBytes.size()) - start);
    const std::size_t oldMark = old.m_bytes.size(); // the old file's size when it has none
    if (oldMark < start) {
        m_bytes = fileBytes.substr(0, oldMark);
        return;
    }
    const std::size_t changed = fileBytes.size() - end;
    const std::size_t inChange = untilEndOfFile(fileBytes.substr(start, changed - start)).size();
    if (start + inChange < changed) {
        m_bytes = fileBytes.substr(0, start + inChange);
        return;
    }
    // Past the change the two files hold the same bytes.
    const std::size_t oldEnd = oldFile.size() - end;
    const std::size_t inEnd =
        oldMark >= oldEnd ? oldMark - oldEnd : untilEndOfFile(oldFile.substr(oldEnd)).size();
    m_bytes = fileBytes.substr(0, changed + inEnd);
}

MessageText MessageText::tail(std::size_t offset) const {
    const std::string_view file = fileBytes().substr(offset);
    return offset <= m_bytes.size() ? MessageText(file, m_bytes.size() - offset)
                                    : MessageText(file);
}

std::size_t findMessageGroup(const MessageText& text, std::string_view id) {
    return findGroupIn(text.bytes(), id);
}

std::size_t messageTextStart(const MessageText& text, std::size_t at) {
    return textStartIn(text.bytes(), at);
}

std::size_t messageEntryEnd(const MessageText& text, std::size_t at) {
    return entryEndIn(text.bytes(), at);
}

std::string lookupMessageIn(const MessageText& text, std::string_view id) {
    return lookupIn(text.bytes(), id);
}

namespace {

// The contents of the brace groups that open in bytes[from, to), as the lookup meets
// them, with the group `from` lies in (when it does) and the one open at `to`, each
// as far as it goes.
void groupsWithin(std::string_view bytes, std::size_t from, std::size_t to,
                  std::unordered_set<std::string_view>& out) {
    std::size_t i = from;
    if (!opensGroup(bytes, from)) {
        const std::size_t lastClose =
            from == 0 ? std::string_view::npos : bytes.rfind('}', from - 1);
        i = bytes.find('{', lastClose == std::string_view::npos ? 0 : lastClose + 1);
    }
    while (i < bytes.size()) {
        const std::size_t open = bytes.find('{', i);
        if (open == std::string_view::npos || open >= to)
            return;
        const std::size_t close = bytes.find('}', open + 1);
        out.insert(
            bytes.substr(open + 1, close == std::string_view::npos ? close : close - open - 1));
        if (close == std::string_view::npos)
            return;
        i = close + 1;
    }
}

std::size_t lineStart(std::string_view bytes, std::size_t at) {
    const std::size_t lastBreak =
        at == 0 ? std::string_view::npos : bytes.find_last_of("\r\n", at - 1);
    return lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
}

// Whether the id group the lookup finds first at `at` is an entry: it starts a line
// and its text closes on that line.
bool isEntry(std::string_view bytes, std::size_t at) {
    if (at == std::string_view::npos || lineStart(bytes, at) != at)
        return false;
    const std::size_t end = entryEndIn(bytes, at);
    return end != std::string_view::npos && end <= bytes.find_first_of("\r\n", at);
}

using FirstGroups = std::unordered_map<std::string_view, std::size_t>;

// Where the lookup finds each of `ids` first (npos for none), in one pass over the
// groups, so that the work stays linear however many ids there are.
FirstGroups firstGroups(std::string_view bytes, const std::unordered_set<std::string_view>& ids) {
    FirstGroups first;
    for (const std::string_view id : ids)
        first.emplace(id, std::string_view::npos);
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t open = bytes.find('{', i);
        const std::size_t close = open == std::string_view::npos ? open : bytes.find('}', open + 1);
        if (close == std::string_view::npos)
            break;
        const auto it = first.find(bytes.substr(open + 1, close - open - 1));
        if (it != first.end() && it->second == std::string_view::npos)
            it->second = open;
        i = close + 1;
    }
    return first;
}

// Where the lookup finds each of `ids` first in the file before a change and in the
// file after it, which share their bytes before `same` and from `beforeEnd` (before)
// and `afterEnd` (after) on, where both meet the bytes in the same state. A few ids
// are searched for once in what the two share and apart only where they differ.
std::pair<FirstGroups, FirstGroups>
firstGroupsOfBoth(std::string_view before, std::string_view after, std::size_t same,
                  std::size_t beforeEnd, std::size_t afterEnd,
                  const std::unordered_set<std::string_view>& ids) {
    constexpr std::size_t kSearchedIds = 16;
    if (ids.size() > kSearchedIds)
        return {firstGroups(before, ids), firstGroups(after, ids)};
    constexpr auto npos = std::string_view::npos;
    std::vector<std::string_view> searched;
    std::vector<std::string> patterns;
    FirstGroups old;
    FirstGroups now;
    for (const std::string_view id : ids) {
        if (auto pattern = groupPattern(id)) {
            searched.push_back(id);
            patterns.push_back(std::move(*pattern));
        } else {
            old.emplace(id, npos);
            now.emplace(id, npos);
        }
    }
    // A match that ends before `same` is the first one of both files.
    std::vector<std::size_t> inStart(patterns.size(), npos);
    detail::firstGroupsBetween(before, patterns, 0, same, inStart);
    std::vector<std::size_t> oldAt(patterns.size(), npos);
    std::vector<std::size_t> newAt(patterns.size(), npos);
    std::vector<std::size_t> inEnd(patterns.size(), 0); // npos: to be searched for
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const std::size_t m = patterns[i].size();
        const std::size_t shared = same >= m ? same - m + 1 : 0;
        if (inStart[i] < shared) {
            oldAt[i] = newAt[i] = inStart[i];
            continue;
        }
        oldAt[i] = firstGroupBetween(before, patterns[i], shared, beforeEnd);
        newAt[i] = firstGroupBetween(after, patterns[i], shared, afterEnd);
        if (oldAt[i] == npos || newAt[i] == npos)
            inEnd[i] = npos;
    }
    // Searched for only where needed: the others hold a position already.
    detail::firstGroupsBetween(before, patterns, beforeEnd, before.size(), inEnd);
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        if ((oldAt[i] == npos || newAt[i] == npos) && inEnd[i] != npos) {
            if (oldAt[i] == npos)
                oldAt[i] = inEnd[i];
            if (newAt[i] == npos)
                newAt[i] = inEnd[i] - beforeEnd + afterEnd;
        }
        old.emplace(searched[i], oldAt[i]);
        now.emplace(searched[i], newAt[i]);
    }
    return {std::move(old), std::move(now)};
}

// How many bytes the two share at their start, up to `limit`, when their first
// `known` bytes are equal: whole blocks with memcmp first, as a byte loop over a large
// file costs more than its reading.
std::size_t commonPrefix(std::string_view a, std::string_view b, std::size_t limit,
                         std::size_t known) {
    constexpr std::size_t kBlock = 4096;
    std::size_t i = std::min(known, limit);
    while (i + kBlock <= limit && std::memcmp(a.data() + i, b.data() + i, kBlock) == 0)
        i += kBlock;
    while (i < limit && a[i] == b[i])
        ++i;
    return i;
}

// How many bytes the two share at their end, up to `limit`, when their last `known`
// bytes are equal.
std::size_t commonSuffix(std::string_view a, std::string_view b, std::size_t limit,
                         std::size_t known) {
    constexpr std::size_t kBlock = 4096;
    std::size_t n = std::min(known, limit);
    while (n + kBlock <= limit && std::memcmp(a.data() + a.size() - n - kBlock,
                                              b.data() + b.size() - n - kBlock, kBlock) == 0)
        n += kBlock;
    while (n < limit && a[a.size() - 1 - n] == b[b.size() - 1 - n])
        ++n;
    return n;
}

std::string textOfGroup(std::string_view bytes, std::size_t at, std::string_view id) {
    return at == std::string_view::npos ? std::string() : textAfter(bytes, at + id.size() + 2);
}

} // namespace

std::optional<ChangedEntry> changedEntry(const MessageText& oldText, const MessageText& newText,
                                         const std::function<bool(std::string_view)>& ignored,
                                         SharedEnds shared) {
    const std::string_view before = oldText.bytes();
    const std::string_view after = newText.bytes();
    const std::size_t shorter = std::min(before.size(), after.size());
    const std::size_t same = commonPrefix(before, after, shorter, shared.start);
    if (same == before.size() && same == after.size())
        return std::nullopt;
    // The files' shared end is the texts' too when both end as far before it, at the
    // same Ctrl-Z or at the end of both files.
    const std::size_t oldCut = oldText.fileBytes().size() - before.size();
    const std::size_t newCut = newText.fileBytes().size() - after.size();
    const std::size_t knownEnd = oldCut == newCut && oldCut <= shared.end ? shared.end - oldCut : 0;
    const std::size_t tail = commonSuffix(before, after, shorter - same, knownEnd);
    const std::size_t from = lineStart(before, same); // the same in both
    const std::size_t beforeEnd = before.size() - tail;
    const std::size_t afterEnd = after.size() - tail;

    // Bytes after the change are met in the same way only when both files leave it in
    // the same state, inside or outside a group.
    if (opensGroup(before, beforeEnd) != opensGroup(after, afterEnd)) {
        if (const std::size_t brace = before.find_first_of("{}", beforeEnd);
            brace != std::string_view::npos)
            return ChangedEntry{brace, true};
    }

    // An id can read differently only where its first group or its text lies in the
    // change. Entries close their text on their own line, so besides the groups of the
    // change only the entry that starts its first line can be touched.
    std::unordered_set<std::string_view> ids;
    groupsWithin(before, same, beforeEnd, ids);
    groupsWithin(after, same, afterEnd, ids);
    if (from < same && before[from] == '{') {
        const std::size_t close = before.find('}', from + 1);
        if (close != std::string_view::npos)
            ids.insert(before.substr(from + 1, close - from - 1));
    }
    std::erase_if(ids, ignored);
    const auto [old, now] = firstGroupsOfBoth(before, after, same, beforeEnd, afterEnd, ids);
    for (const std::string_view id : ids) {
        const std::size_t oldAt = old.at(id);
        const std::size_t newAt = now.at(id);
        const bool oldEntry = isEntry(before, oldAt);
        if (!oldEntry && !isEntry(after, newAt))
            continue;
        if (textOfGroup(before, oldAt, id) != textOfGroup(after, newAt, id))
            return oldEntry ? ChangedEntry{oldAt, true} : ChangedEntry{newAt, false};
    }
    return std::nullopt;
}

std::string lookupMessage(const std::string& path, std::string_view id) {
    return currentMessages(path)->lookup(id);
}

// The ids of a snapshot's index, by where their text lies in the file: one block of
// slots probed in turn, since a large file holds hundreds of thousands of ids and an
// allocation for each costs more than reading them.
class MessageSnapshot::Index {
public:
    /// The position stored for `id`, whose text is to be compared in `text`.
    std::optional<std::size_t> find(std::string_view text, std::string_view id) const {
        if (m_slots.empty())
            return std::nullopt;
        const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(id));
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            const Slot& slot = m_slots[i];
            if (slot.keySize == 0)
                return std::nullopt;
            if (slot.hash == hash && text.substr(slot.keyStart, slot.keySize) == id)
                return slot.value;
        }
    }
    /// Stores `value` for the id text[keyStart, keyStart + keySize) unless it has one.
    void insert(std::string_view text, std::size_t keyStart, std::size_t keySize,
                std::size_t value) {
        if ((m_used + 1) * 2 > m_slots.size())
            grow();
        const std::string_view id = text.substr(keyStart, keySize);
        const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(id));
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            Slot& slot = m_slots[i];
            if (slot.keySize == 0) {
                slot = {static_cast<std::uint32_t>(keyStart), static_cast<std::uint32_t>(value),
                        hash, static_cast<std::uint32_t>(keySize)};
                ++m_used;
                return;
            }
            if (slot.hash == hash && text.substr(slot.keyStart, slot.keySize) == id)
                return;
        }
    }

private:
    // Positions in 32 bits keep a slot small (see kMaxIndexedBytes).
    struct Slot {
        std::uint32_t keyStart = 0;
        std::uint32_t value = 0;
        std::uint32_t hash = 0;
        std::uint32_t keySize = 0; // 0 for an empty slot: ids are never empty
    };
    std::size_t mask() const { return m_slots.size() - 1; }
    void grow() {
        const std::size_t size = m_slots.empty() ? 64 : m_slots.size() * 2;
        std::vector<Slot> old;
        platform::reserveInLargePages(old, size);
        old.resize(size);
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.keySize == 0)
                continue;
            std::size_t i = slot.hash & mask();
            while (m_slots[i].keySize != 0)
                i = (i + 1) & mask();
            m_slots[i] = slot;
        }
    }
    std::vector<Slot> m_slots; // a power of two of them, at most half used
    std::size_t m_used = 0;
};

MessageSnapshot::MessageSnapshot(MessageSnapshot&&) noexcept = default;
MessageSnapshot& MessageSnapshot::operator=(MessageSnapshot&&) noexcept = default;
MessageSnapshot::~MessageSnapshot() = default;

MessageSnapshot::MessageSnapshot(const std::string& path) : MessageSnapshot(readFile(path)) {}

MessageSnapshot::MessageSnapshot(const std::string& path, std::size_t firstPart)
    : m_part(std::max<std::size_t>(firstPart, 1)), m_firstGroupEnd(std::make_unique<Index>()) {
    // What the file is, from an opening of its own: each part read is checked against it.
    readFilePart(path, 0, nullptr, 0, m_identity);
    if (m_identity.size == 0)
        return;
    const auto size = static_cast<std::size_t>(m_identity.size);
    m_room = std::make_unique_for_overwrite<unsigned char[]>(size);
    platform::preferLargePages(m_room.get(), size);
    m_read = {reinterpret_cast<const char*>(m_room.get()), 0};
    m_path = path;
    readPart();
}

MessageSnapshot MessageSnapshot::fromBytes(std::string_view fileBytes) {
    return MessageSnapshot(Bytes(fileBytes.begin(), fileBytes.end()));
}

MessageSnapshot::MessageSnapshot(Bytes bytes)
    : m_whole(std::move(bytes)), m_read(asText(m_whole)),
      m_firstGroupEnd(std::make_unique<Index>()) {}

std::string_view MessageSnapshot::text() const {
    return m_read.substr(0, m_size);
}

std::string_view MessageSnapshot::fileBytes() const {
    while (!m_path.empty())
        readPart();
    return m_read;
}

std::size_t MessageSnapshot::fileSize() const {
    return m_path.empty() ? m_read.size() : static_cast<std::size_t>(m_identity.size);
}

MessageSnapshot::More MessageSnapshot::readMore() const {
    // Nothing beyond the Ctrl-Z is read by the lookup.
    return m_size == SIZE_MAX ? readPart() : More::None;
}

MessageSnapshot::More MessageSnapshot::readPart() const {
    if (m_path.empty())
        return More::None;
    const std::size_t have = m_read.size();
    const std::size_t part = std::min(fileSize() - have, std::max(have, m_part));
    platform::FileIdentity now;
    const std::size_t got = readFilePart(m_path, have, m_room.get() + have, part, now);
    if (now != m_identity || got != part) {
        // Changed since its first part was read: the parts would not make one file.
        m_whole = readFile(m_path);
        m_read = asText(m_whole);
        m_room.reset();
        m_path.clear();
        m_size = SIZE_MAX;
        m_checked = 0;
        m_indexed = 0;
        m_firstGroupEnd = std::make_unique<Index>();
        return More::Reread;
    }
    m_read = {m_read.data(), have + part};
    if (m_read.size() == fileSize())
        m_path.clear();
    return More::Read;
}

bool MessageSnapshot::endsBefore(std::size_t reach) const {
    if (m_checked >= reach)
        return false;
    const std::string_view rest = m_read.substr(m_checked, reach - m_checked);
    const void* end = std::memchr(rest.data(), kEndOfFile, rest.size());
    if (!end) {
        m_checked = reach;
        return false;
    }
    m_size = m_checked + static_cast<std::size_t>(static_cast<const char*>(end) - rest.data());
    m_checked = SIZE_MAX; // nothing further to look for
    return true;
}

// textAfter, once no Ctrl-Z ends the text before the text group closes and the group
// is read.
std::optional<std::string> MessageSnapshot::textAfterChecked(std::size_t pos) const {
    for (;;) {
        const std::string_view all = text();
        const std::size_t open = textOpen(all, pos);
        const std::size_t close = open == std::string_view::npos ? open : all.find('}', open + 1);
        if (close == std::string_view::npos) {
            const More more = readMore();
            if (more == More::Reread)
                return std::nullopt;
            if (more == More::Read)
                continue;
        }
        if (!endsBefore(close == std::string_view::npos ? all.size() : close + 1))
            return textAfter(all, pos);
    }
}

std::string MessageSnapshot::lookup(std::string_view id) const {
    for (;;)
        if (auto text = lookupOnce(id))
            return std::move(*text);
}

std::optional<std::string> MessageSnapshot::lookupOnce(std::string_view id) const {
    // Beyond what a slot's positions reach, the bytes are searched instead.
    if (!indexedId(id) || fileSize() > kMaxIndexedBytes) {
        while (readMore() != More::None) {
        }
        endsBefore(m_read.size());
        return lookupIn(text(), id);
    }
    if (const auto at = m_firstGroupEnd->find(text(), id))
        return textAfterChecked(*at);
    // Meet the brace groups in the order the lookup meets them, up to the first that
    // holds the id; a group left open at the end is left out, as a match on it yields
    // the empty text.
    for (;;) {
        const std::string_view all = text();
        const std::size_t open =
            m_indexed >= all.size() ? std::string_view::npos : all.find('{', m_indexed);
        const std::size_t close = open == std::string_view::npos ? open : all.find('}', open + 1);
        if (close == std::string_view::npos) {
            // The group, or the next one, may lie in what is not read yet.
            if (open == std::string_view::npos)
                m_indexed = std::max(m_indexed, all.size());
            const More more = readMore();
            if (more == More::Reread)
                return std::nullopt;
            if (more == More::Read)
                continue;
        }
        if (endsBefore(close == std::string_view::npos ? all.size() : close + 1))
            continue;
        if (close == std::string_view::npos) {
            m_indexed = all.size();
            return std::string();
        }
        m_indexed = close + 1;
        const std::string_view content = all.substr(open + 1, close - open - 1);
        if (!indexedId(content))
            continue;
        // An id met before keeps its first position; `id` itself was not met before.
        m_firstGroupEnd->insert(all, open + 1, content.size(), close + 1);
        if (content == id)
            return textAfterChecked(close + 1);
    }
}

MessageSnapshots::MessageSnapshots(std::chrono::nanoseconds settle) : m_settle(settle) {}

namespace {

// One query of the system when the path exists as written, the common case.
std::optional<platform::FileIdentity> identityOf(const std::string& path) {
    if (auto id = platform::fileIdentity(pathFromUtf8(path)))
        return id;
    return platform::fileIdentity(resolvePath(path));
}

// How many OneReadingPerOperation live.
std::atomic<int> g_operations{0};

} // namespace

OneReadingPerOperation::OneReadingPerOperation() {
    ++g_operations;
}

OneReadingPerOperation::~OneReadingPerOperation() {
    --g_operations;
}

std::shared_ptr<const MessageSnapshot> MessageSnapshots::current(const std::string& path) {
    const std::lock_guard lock(m_mutex);
    const auto it =
        std::find_if(m_kept.begin(), m_kept.end(), [&](const Kept& k) { return k.path == path; });
    const std::optional<platform::FileIdentity> identity = identityOf(path);
    if (it != m_kept.end()) {
        if (identity && *identity == it->identity && (it->settled || g_operations > 0)) {
            m_kept.splice(m_kept.begin(), m_kept, it);
            return it->snapshot;
        }
        m_kept.erase(it);
    }
    // The identity is taken before the bytes are read: a write during the reading
    // makes it differ at the next call.
    const std::int64_t readAt = platform::fileClockNowNs();
    bool settled = false;
    if (identity) {
        constexpr std::int64_t kSecond = 1'000'000'000;
        const bool wholeSeconds =
            identity->modifiedNs % kSecond == 0 && identity->changedNs % kSecond == 0;
        const std::int64_t settle =
            std::max<std::chrono::nanoseconds>(m_settle, wholeSeconds ? kSettledInWholeSeconds
                                                                      : std::chrono::nanoseconds(0))
                .count();
        settled = identity->modifiedNs < readAt - settle && identity->changedNs < readAt - settle;
    }
    // A settled file is read in parts as lookups need them, each part after a check that
    // the file is the same. One written just now may change again within a tick of its
    // clock, which that check would not see, so it is read whole at once.
    auto snapshot = settled ? std::make_shared<const MessageSnapshot>(path, kFirstPart)
                            : std::make_shared<const MessageSnapshot>(path);
    if (!identity)
        return snapshot;
    if (settled || g_operations > 0) {
        m_kept.push_front({path, *identity, snapshot, settled});
        if (m_kept.size() > kKeptSnapshots)
            m_kept.pop_back();
    }
    return snapshot;
}

std::shared_ptr<const MessageSnapshot> currentMessages(const std::string& path) {
    static MessageSnapshots shared(kSettled);
    return shared.current(path);
}

} // namespace zantor
