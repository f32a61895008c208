// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/line_buffer.h"

#include "common/error.h"
#include "common/files.h"
#include "platform/system.h"
#include "texts/encoding.h"
#include "texts/message_lookup.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ZANTOR_LINES_SSE2 1
#endif

namespace zantor {

namespace {

constexpr std::string_view kCrLf = "\r\n";

[[noreturn]] void throwCannotOpen(const std::string& path) {
    throw Error("Cannot open file " + path);
}

// Each line's start in `text` with the line splitting of forEachLine, then text.size().
// Whole 16-byte blocks are looked over for CR and LF at once where the processor can:
// a large file holds a line every few dozen bytes.
std::vector<std::size_t> lineStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    platform::reserveInLargePages(starts, text.size() / 32 + 2);
    const std::size_t n = text.size();
    if (n > 0)
        starts.push_back(0);
    // A break begins a line after it, unless it is the CR of a CR LF (whose LF does) or
    // ends the text.
    const auto breakAt = [&](std::size_t p) {
        if (p + 1 >= n || (text[p] == '\r' && text[p + 1] == '\n'))
            return;
        starts.push_back(p + 1);
    };
    std::size_t i = 0;
#ifdef ZANTOR_LINES_SSE2
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        for (; mask != 0; mask &= mask - 1)
            breakAt(i + static_cast<std::size_t>(std::countr_zero(mask)));
    }
#endif
    for (; i < n; ++i)
        if (text[i] == '\r' || text[i] == '\n')
            breakAt(i);
    starts.push_back(n);
    return starts;
}

} // namespace

void LineBuffer::checkLoadable(const std::string& path) {
    try {
        readFileStart(path, 0, nullptr);
    } catch (const Error&) {
        throwCannotOpen(path);
    }
}

void LineBuffer::load(const std::string& path) {
    std::shared_ptr<const MessageSnapshot> snapshot;
    std::string_view bytes;
    try {
        snapshot = currentMessages(path);
        bytes = snapshot->fileBytes(); // the rest of a file read in parts so far
    } catch (const Error&) {
        throwCannotOpen(path);
    }
    take(std::move(snapshot), bytes);
}

void LineBuffer::assign(std::string_view fileBytes) {
    auto copy = std::make_shared<const std::string>(fileBytes);
    const std::string_view bytes = *copy;
    take(std::move(copy), bytes);
}

void LineBuffer::take(std::shared_ptr<const void> owner, std::string_view bytes) {
    std::vector<std::size_t> starts = lineStarts(bytes); // may throw: nothing changed yet
    m_owner = std::move(owner);
    m_source = bytes;
    m_starts = std::move(starts);
    m_added.clear();
    m_size = sourceLines();
    m_pieces.clear();
    if (m_size > 0)
        m_pieces.push_back({0, m_size, false});
    m_edited = false;
    m_endsWithBreak = m_size == 0 || !sourceBreak(m_size - 1).empty();
}

std::string_view LineBuffer::sourceBreak(std::size_t k) const {
    const std::size_t start = m_starts[k];
    const std::size_t next = m_starts[k + 1];
    const char last = m_source[next - 1];
    if (last == '\n') {
        const std::size_t size = next - start >= 2 && m_source[next - 2] == '\r' ? 2 : 1;
        return m_source.substr(next - size, size);
    }
    return last == '\r' ? m_source.substr(next - 1, 1) : std::string_view();
}

std::string_view LineBuffer::sourceLine(std::size_t k) const {
    const std::size_t start = m_starts[k];
    return m_source.substr(start, m_starts[k + 1] - start - sourceBreak(k).size());
}

std::string_view LineBuffer::pieceLine(const Piece& piece, std::size_t offset) const {
    return piece.added ? std::string_view(m_added[piece.first + offset])
                       : sourceLine(piece.first + offset);
}

std::pair<std::size_t, std::size_t> LineBuffer::locate(std::size_t index) const {
    for (std::size_t p = 0; p < m_pieces.size(); ++p) {
        if (index < m_pieces[p].count)
            return {p, index};
        index -= m_pieces[p].count;
    }
    throw std::out_of_range("line index " + std::to_string(index) + " out of range");
}

std::string_view LineBuffer::line(std::size_t index) const {
    const auto [p, offset] = locate(index);
    return pieceLine(m_pieces[p], offset);
}

int LineBuffer::find(std::string_view text) const {
    std::size_t index = 0;
    for (const Piece& piece : m_pieces) {
        for (std::size_t i = 0; i < piece.count; ++i, ++index) {
            // One byte is one character, so lines of another length never match.
            const std::string_view line = pieceLine(piece, i);
            if (line.size() == text.size() && equalIgnoringCase(line, text))
                return static_cast<int>(index);
        }
    }
    return -1;
}

void LineBuffer::insert(int index, std::string_view text) {
    if (index < 0 || static_cast<std::size_t>(index) > m_size)
        throw std::out_of_range("line index " + std::to_string(index) + " out of range");
    replace(static_cast<std::size_t>(index), 0, {std::string(text)});
}

void LineBuffer::append(std::string_view text) {
    replace(m_size, 0, {std::string(text)});
}

void LineBuffer::remove(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_size)
        return;
    replace(static_cast<std::size_t>(index), 1, {});
}

std::size_t LineBuffer::splitAt(std::size_t index) {
    std::size_t at = 0;
    for (std::size_t p = 0; p < m_pieces.size(); ++p) {
        if (index == at)
            return p;
        const Piece piece = m_pieces[p];
        if (index < at + piece.count) {
            const std::size_t head = index - at;
            m_pieces[p].count = head;
            m_pieces.insert(m_pieces.begin() + static_cast<std::ptrdiff_t>(p) + 1,
                            Piece{piece.first + head, piece.count - head, piece.added});
            return p + 1;
        }
        at += piece.count;
    }
    return m_pieces.size();
}

void LineBuffer::replace(std::size_t first, std::size_t count,
                         const std::vector<std::string>& texts) {
    if (first > m_size || count > m_size - first)
        throw std::out_of_range("line range out of range");
    const std::size_t from = splitAt(first);
    const std::size_t to = splitAt(first + count);
    for (std::size_t p = from; p < to; ++p) {
        const Piece& piece = m_pieces[p];
        if (!piece.added && piece.first + piece.count == sourceLines())
            m_endsWithBreak = true; // the loaded file's last line goes
    }
    m_pieces.erase(m_pieces.begin() + static_cast<std::ptrdiff_t>(from),
                   m_pieces.begin() + static_cast<std::ptrdiff_t>(to));
    if (!texts.empty()) {
        m_pieces.insert(m_pieces.begin() + static_cast<std::ptrdiff_t>(from),
                        Piece{m_added.size(), texts.size(), true});
        m_added.insert(m_added.end(), texts.begin(), texts.end());
    }
    m_size = m_size - count + texts.size();
    m_edited = true;
}

template <class Sink>
void LineBuffer::pieceBytes(const Piece& piece, std::size_t at, std::size_t count,
                            Sink&& sink) const {
    if (count == 0)
        return;
    std::size_t i = 0;
    if (!piece.added) {
        // Loaded lines but the piece's last one keep their bytes as they were: one run.
        const std::size_t whole = std::min(count, piece.count - 1);
        sink(m_source.substr(m_starts[piece.first],
                             m_starts[piece.first + whole] - m_starts[piece.first]));
        i = whole;
    }
    for (; i < count; ++i) {
        sink(pieceLine(piece, i));
        const bool last = at + i + 1 == m_size;
        if (!(last && !m_endsWithBreak)) {
            const std::string_view own =
                piece.added ? std::string_view() : sourceBreak(piece.first + i);
            sink(own.empty() ? kCrLf : own);
        }
    }
}

template <class Sink> void LineBuffer::forEachPart(Sink&& sink) const {
    std::size_t at = 0;
    for (const Piece& piece : m_pieces) {
        pieceBytes(piece, at, piece.count, sink);
        at += piece.count;
    }
}

void LineBuffer::bytesInto(std::string& out) const {
    out.clear();
    platform::reserveInLargePages(out, m_source.size() + 64);
    forEachPart([&](std::string_view bytes) { out.append(bytes); });
}

std::vector<std::string_view> LineBuffer::parts() const {
    std::vector<std::string_view> out;
    forEachPart([&](std::string_view bytes) {
        // A line and its break, or runs of loaded lines, that follow each other in
        // the loaded bytes go out as one part.
        if (!out.empty() && out.back().data() + out.back().size() == bytes.data())
            out.back() = std::string_view(out.back().data(), out.back().size() + bytes.size());
        else if (!bytes.empty())
            out.push_back(bytes);
    });
    return out;
}

std::string LineBuffer::bytes() const {
    std::string out;
    bytesInto(out);
    return out;
}

std::optional<std::string_view> LineBuffer::loadedBytes() const {
    if (m_edited)
        return std::nullopt;
    return m_source;
}

std::optional<std::string_view> LineBuffer::loadedFrom(std::size_t index) const {
    if (index >= m_size)
        return std::nullopt;
    const auto [p, offset] = locate(index);
    const Piece& piece = m_pieces[p];
    // The loaded file's last line keeps its own break (or none) only when nothing
    // follows it; a run up to it is then the loaded bytes exactly.
    if (p + 1 != m_pieces.size() || piece.added || piece.first + piece.count != sourceLines())
        return std::nullopt;
    return m_source.substr(m_starts[piece.first + offset]);
}

std::size_t LineBuffer::unchangedStart() const {
    if (m_pieces.empty() || m_pieces.front().added || m_pieces.front().first != 0)
        return 0;
    // The piece's last line may be written with another break than its own.
    const std::size_t last = m_pieces.front().count - 1;
    return m_starts[last] + sourceLine(last).size();
}

std::size_t LineBuffer::unchangedEnd() const {
    // As in loadedFrom: a run up to the loaded file's last line is written as loaded.
    if (m_pieces.empty() || m_pieces.back().added ||
        m_pieces.back().first + m_pieces.back().count != sourceLines())
        return 0;
    return m_source.size() - m_starts[m_pieces.back().first];
}

bool LineBuffer::holdsBefore(std::size_t index, char c) const {
    bool holds = false;
    std::size_t at = 0;
    for (const Piece& piece : m_pieces) {
        if (at >= index || holds)
            break;
        const std::size_t count = std::min(piece.count, index - at);
        pieceBytes(piece, at, count, [&](std::string_view bytes) {
            holds = holds || bytes.find(c) != std::string_view::npos;
        });
        at += piece.count;
    }
    return holds;
}

std::size_t LineBuffer::byteOffset(std::size_t index) const {
    std::size_t offset = 0;
    std::size_t at = 0;
    for (const Piece& piece : m_pieces) {
        if (at >= index)
            break;
        const std::size_t count = std::min(piece.count, index - at);
        pieceBytes(piece, at, count, [&](std::string_view bytes) { offset += bytes.size(); });
        at += piece.count;
    }
    return offset;
}

void LineBuffer::save(const std::string& path) const {
    FileWrite w;
    w.path = path;
    w.parts = parts();
    w.cannotCreate = "Cannot create file " + path;
    commitFiles({std::move(w)});
}

std::vector<std::string> LineBuffer::lines() const {
    std::vector<std::string> out;
    out.reserve(m_size);
    for (const Piece& piece : m_pieces)
        for (std::size_t i = 0; i < piece.count; ++i)
            out.emplace_back(pieceLine(piece, i));
    return out;
}

} // namespace zantor
