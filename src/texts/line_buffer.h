// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zantor {

// The lines of a text file as bytes, for rewriting a few of them. A line ends at
// CR LF, a lone CR or a lone LF. Each loaded line keeps the break it had, so a file
// that is saved unchanged comes back byte for byte; lines added later, and lines
// that had no break of their own, are joined with CR LF.
//
// The loaded file stays one block of bytes with the offset of each line's start; the
// lines are a short list of pieces, each a run of loaded lines or of lines added
// later. An edit splits at most two pieces, so a rewrite costs one pass over the
// bytes and memory about the size of the file.
class LineBuffer {
public:
    LineBuffer() = default;
    LineBuffer(LineBuffer&&) noexcept = default;
    LineBuffer& operator=(LineBuffer&&) noexcept = default;
    // The lines point into the buffer's own storage.
    LineBuffer(const LineBuffer&) = delete;
    LineBuffer& operator=(const LineBuffer&) = delete;

    /// Replaces the content with the lines of the file, sharing the bytes of the
    /// message snapshot when the file is provably the one it holds. Throws Error
    /// "Cannot open file %s" (with the path) when it cannot be read; the content is
    /// then unchanged.
    void load(const std::string& path);
    /// Throws what load throws when the file could not be loaded now, without
    /// reading it: for telling early that a later load would fail.
    static void checkLoadable(const std::string& path);
    /// Replaces the content with the lines of bytes already read. Never throws
    /// (but for memory).
    void assign(std::string_view fileBytes);

    /// Index of the first line equal to `text` when letter case is ignored (see
    /// equalIgnoringCase), or -1.
    int find(std::string_view text) const;

    /// Puts `text` as a new line before the line at `index`; at the number of lines,
    /// after the last one. Throws std::out_of_range for any other index.
    void insert(int index, std::string_view text);
    /// Adds `text` as a new last line.
    void append(std::string_view text);
    /// Removes the line at `index` with its break; an index with no line changes
    /// nothing. When the removed line was the loaded file's last line, the saved file
    /// ends with a line break.
    void remove(int index);
    /// Replaces `count` lines from `first` by `texts` in one step, as removing them
    /// and inserting the texts would. Throws std::out_of_range when the range
    /// leaves the buffer.
    void replace(std::size_t first, std::size_t count, const std::vector<std::string>& texts);

    /// Writes the lines atomically (a temporary file renamed over `path`, keeping its
    /// permissions). The file ends with a line break when the loaded file ended with
    /// one or was empty, or when its last line was removed. Throws Error "Cannot
    /// create file %s" (with the path) when it cannot be written, a read-only file
    /// included, and the run-time message ("Disk full", ...) for other failures;
    /// the file then keeps its old content.
    void save(const std::string& path) const;

    /// The bytes that save writes.
    std::string bytes() const;
    /// The same bytes as a few views, of the loaded bytes and of the lines added,
    /// valid until the buffer changes: for writing them without joining them.
    std::vector<std::string_view> parts() const;
    /// Puts the bytes that save writes in `out` in place of what it held, reusing
    /// its storage.
    void bytesInto(std::string& out) const;
    /// The loaded bytes, while no line has been changed since (bytes() would give
    /// them); none after an edit.
    std::optional<std::string_view> loadedBytes() const;
    /// The bytes save writes from the line at `index` on, when every line from there
    /// is a loaded one kept as it was (a view of the loaded bytes); else none.
    std::optional<std::string_view> loadedFrom(std::size_t index) const;
    /// How many bytes at the start and at the end of what save writes are known,
    /// from the edits alone, to be the loaded bytes' own.
    std::size_t unchangedStart() const;
    std::size_t unchangedEnd() const;
    /// Whether byte `c` stands in what save writes before the line at `index`.
    bool holdsBefore(std::size_t index, char c) const;
    /// Where the line at `index` begins in bytes(); bytes().size() for the number
    /// of lines.
    std::size_t byteOffset(std::size_t index) const;

    std::size_t size() const { return m_size; }
    /// The line at `index`; throws std::out_of_range for an index with no line.
    std::string_view line(std::size_t index) const;
    std::vector<std::string> lines() const;
    /// True when a line break follows the last line in the saved file.
    bool endsWithBreak() const { return m_endsWithBreak; }

private:
    // A run of lines: loaded lines from `first`, or lines of m_added from `first`.
    struct Piece {
        std::size_t first;
        std::size_t count;
        bool added;
    };
    // Makes `bytes`, which `owner` keeps, the loaded file.
    void take(std::shared_ptr<const void> owner, std::string_view bytes);
    std::size_t sourceLines() const { return m_starts.empty() ? 0 : m_starts.size() - 1; }
    std::string_view sourceLine(std::size_t k) const;
    std::string_view sourceBreak(std::size_t k) const;
    std::string_view pieceLine(const Piece& piece, std::size_t offset) const;
    // The piece that holds line `index` and the line's place in it.
    std::pair<std::size_t, std::size_t> locate(std::size_t index) const;
    // Splits the pieces so that one begins at line `index`; returns its place (the
    // number of pieces for the end).
    std::size_t splitAt(std::size_t index);
    // Gives the bytes that save writes to `sink`, in order, in views.
    template <class Sink> void forEachPart(Sink&& sink) const;
    // The bytes of lines [from, from + count) of `piece`, which begins at line `at`.
    template <class Sink>
    void pieceBytes(const Piece& piece, std::size_t at, std::size_t count, Sink&& sink) const;

    std::shared_ptr<const void> m_owner; // keeps m_source's bytes
    std::string_view m_source;           // the loaded bytes
    std::vector<std::size_t> m_starts;   // each loaded line's start, then m_source.size()
    std::deque<std::string> m_added;
    std::vector<Piece> m_pieces;
    std::size_t m_size = 0;
    bool m_edited = false;
    bool m_endsWithBreak = true;
};

} // namespace zantor
