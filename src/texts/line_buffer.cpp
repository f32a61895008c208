// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/line_buffer.h"

#include "common/error.h"
#include "common/files.h"
#include "texts/encoding.h"
#include "texts/line_split.h"

#include <algorithm>
#include <stdexcept>

namespace zantor {

namespace {

constexpr std::string_view kCrLf = "\r\n";

} // namespace

void LineBuffer::load(const std::string& path) {
    Bytes data;
    try {
        data = readFile(path);
    } catch (const Error&) {
        throw Error("Cannot open file " + path);
    }
    assign(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

void LineBuffer::assign(std::string_view fileBytes) {
    std::vector<char> source(fileBytes.begin(), fileBytes.end());
    const std::string_view text(source.data(), source.size());
    std::vector<Line> lines;
    forEachLine(text, [&](std::string_view line, std::string_view lineBreak) {
        lines.push_back({line, lineBreak});
    });
    if (!lines.empty())
        lines.back().wasLast = true;
    m_endsWithBreak = lines.empty() || !lines.back().lineBreak.empty();
    m_source = std::move(source);
    m_added.clear();
    m_lines = std::move(lines);
}

int LineBuffer::find(std::string_view text) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        // One byte is one character, so lines of another length never match.
        if (m_lines[i].text.size() == text.size() && equalIgnoringCase(m_lines[i].text, text))
            return static_cast<int>(i);
    }
    return -1;
}

LineBuffer::Line LineBuffer::added(std::string_view text) {
    m_added.emplace_back(text);
    return Line{m_added.back(), {}};
}

void LineBuffer::insert(int index, std::string_view text) {
    if (index < 0 || static_cast<std::size_t>(index) > m_lines.size())
        throw std::out_of_range("line index " + std::to_string(index) + " out of range");
    m_lines.insert(m_lines.begin() + index, added(text));
}

void LineBuffer::append(std::string_view text) {
    m_lines.push_back(added(text));
}

void LineBuffer::remove(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_lines.size())
        return;
    replace(static_cast<std::size_t>(index), 1, {});
}

void LineBuffer::replace(std::size_t first, std::size_t count,
                         const std::vector<std::string>& texts) {
    if (first > m_lines.size() || count > m_lines.size() - first)
        throw std::out_of_range("line range out of range");
    const auto from = m_lines.begin() + static_cast<std::ptrdiff_t>(first);
    const auto to = from + static_cast<std::ptrdiff_t>(count);
    for (auto it = from; it != to; ++it)
        if (it->wasLast)
            m_endsWithBreak = true;
    std::vector<Line> fresh;
    fresh.reserve(texts.size());
    for (const std::string& text : texts)
        fresh.push_back(added(text));
    // Overwrite what fits, then erase or insert the difference: one move of the tail.
    const std::size_t common = std::min(count, fresh.size());
    std::copy_n(fresh.begin(), common, from);
    if (count > common)
        m_lines.erase(from + static_cast<std::ptrdiff_t>(common), to);
    else
        m_lines.insert(to, fresh.begin() + static_cast<std::ptrdiff_t>(common), fresh.end());
}

std::string_view LineBuffer::breakAfter(std::size_t index) const {
    if (index + 1 == m_lines.size() && !m_endsWithBreak)
        return {};
    const std::string_view lineBreak = m_lines[index].lineBreak;
    return lineBreak.empty() ? kCrLf : lineBreak;
}

std::string LineBuffer::bytes() const {
    std::string out;
    out.reserve(m_source.size() + 64);
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        out.append(m_lines[i].text).append(breakAfter(i));
    return out;
}

std::size_t LineBuffer::byteOffset(std::size_t index) const {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < index && i < m_lines.size(); ++i)
        offset += m_lines[i].text.size() + breakAfter(i).size();
    return offset;
}

void LineBuffer::save(const std::string& path) const {
    const std::string data = bytes();
    commitFiles({FileWrite{path, data, FileWrite::Mode::Keep, true, "Cannot create file " + path}});
}

std::vector<std::string> LineBuffer::lines() const {
    std::vector<std::string> out;
    out.reserve(m_lines.size());
    for (const Line& line : m_lines)
        out.emplace_back(line.text);
    return out;
}

} // namespace zantor
