// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace zantor {

// The lines of a text file as bytes, for rewriting a few of them. A line ends at
// CR LF, a lone CR or a lone LF. Each loaded line keeps the break it had, so a file
// that is saved unchanged comes back byte for byte; lines added later, and lines
// that had no break of their own, are joined with CR LF.
//
// The loaded file is kept as one block of bytes that the lines point into; only
// lines added later have storage of their own. Every edit costs at most one pass
// over the line list, so a rewrite is linear in the file's size.
class LineBuffer {
public:
    LineBuffer() = default;
    LineBuffer(LineBuffer&&) noexcept = default;
    LineBuffer& operator=(LineBuffer&&) noexcept = default;
    // The lines point into the buffer's own storage.
    LineBuffer(const LineBuffer&) = delete;
    LineBuffer& operator=(const LineBuffer&) = delete;

    /// Replaces the content with the lines of the file. Throws Error "Cannot open
    /// file %s" (with the path) when it cannot be read; the content is then unchanged.
    void load(const std::string& path);
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
    /// Where the line at `index` begins in bytes(); bytes().size() for the number
    /// of lines.
    std::size_t byteOffset(std::size_t index) const;

    std::size_t size() const { return m_lines.size(); }
    std::string_view line(std::size_t index) const { return m_lines.at(index).text; }
    std::vector<std::string> lines() const;
    /// True when a line break follows the last line in the saved file.
    bool endsWithBreak() const { return m_endsWithBreak; }

private:
    struct Line {
        std::string_view text;      // into m_source or m_added
        std::string_view lineBreak; // as loaded; empty for lines added and a last line without one
        bool wasLast = false;       // the loaded file's last line
    };
    Line added(std::string_view text);
    std::string_view breakAfter(std::size_t index) const;

    std::vector<char> m_source; // the loaded bytes; a vector keeps its storage when moved
    std::deque<std::string> m_added;
    std::vector<Line> m_lines;
    bool m_endsWithBreak = true;
};

} // namespace zantor
