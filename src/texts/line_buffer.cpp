// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/line_buffer.h"

#include "common/error.h"
#include "common/files.h"
#include "texts/encoding.h"
#include "texts/line_split.h"

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
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    std::vector<Line> lines;
    forEachLine(text, [&](std::string_view line, std::string_view lineBreak) {
        lines.push_back({std::string(line), std::string(lineBreak)});
    });
    if (!lines.empty())
        lines.back().wasLast = true;
    m_endsWithBreak = lines.empty() || !lines.back().lineBreak.empty();
    m_lines = std::move(lines);
}

int LineBuffer::find(std::string_view text) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (equalIgnoringCase(m_lines[i].text, text))
            return static_cast<int>(i);
    return -1;
}

void LineBuffer::insert(int index, std::string_view text) {
    if (index < 0 || static_cast<std::size_t>(index) > m_lines.size())
        throw std::out_of_range("line index " + std::to_string(index) + " out of range");
    m_lines.insert(m_lines.begin() + index, Line{std::string(text), {}});
}

void LineBuffer::append(std::string_view text) {
    m_lines.push_back(Line{std::string(text), {}});
}

void LineBuffer::remove(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_lines.size())
        return;
    if (m_lines[static_cast<std::size_t>(index)].wasLast)
        m_endsWithBreak = true;
    m_lines.erase(m_lines.begin() + index);
}

std::string LineBuffer::bytes() const {
    std::string out;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        out += line.text;
        if (i + 1 < m_lines.size() || m_endsWithBreak)
            out += line.lineBreak.empty() ? kCrLf : std::string_view(line.lineBreak);
    }
    return out;
}

void LineBuffer::save(const std::string& path) const {
    const std::string data = bytes();
    // Checked here because permission bits do not stop a privileged process.
    if (isReadOnly(path))
        throw Error("Cannot create file " + path);
    try {
        writeFileAtomic(path, data.data(), data.size());
    } catch (const Error&) {
        throw Error("Cannot create file " + path);
    }
}

std::vector<std::string> LineBuffer::lines() const {
    std::vector<std::string> out;
    out.reserve(m_lines.size());
    for (const Line& line : m_lines)
        out.push_back(line.text);
    return out;
}

} // namespace zantor
