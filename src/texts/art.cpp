// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/art.h"

#include "common/error.h"
#include "common/files.h"
#include "texts/encoding.h"
#include "texts/line_split.h"

#include <algorithm>
#include <filesystem>

namespace zantor {

namespace {

constexpr std::string_view kFallbackFolder = "Files";
constexpr std::string_view kFallbackPicture = "noArt.bmp";

std::string fallbackPicture() {
    const std::string cwd = currentDirectory();
    const std::string path =
        joinPath(joinPath(cwd.empty() ? "." : cwd, kFallbackFolder), kFallbackPicture);
    return utf8Of(resolvePath(path));
}

std::string_view characterAt(std::string_view s, std::size_t index) {
    return index < s.size() ? s.substr(index, 1) : std::string_view();
}

} // namespace

std::vector<std::string> readListFile(const std::string& path) {
    Bytes data;
    try {
        data = readFile(path);
    } catch (const Error&) {
        throw Error("Cannot open file " + path);
    }
    std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> entries;
    forEachLine(text, [&](std::string_view line, std::string_view) { entries.emplace_back(line); });
    return entries;
}

std::string previewPath(std::string_view folder, std::string_view entry) {
    std::string s(entry);
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    if (s.size() >= 3)
        s.resize(s.size() - 3);
    return joinPath(folder, decodeWindows1252(s) + "bmp");
}

std::string previewFile(std::string_view folder, std::string_view entry) {
    const std::filesystem::path preview = resolvePath(previewPath(folder, entry));
    std::error_code ec;
    if (std::filesystem::is_regular_file(preview, ec))
        return utf8Of(preview);
    return fallbackPicture();
}

std::string looksDescription(std::string_view entry) {
    const std::string_view first = characterAt(entry, 0);
    if (first == "r")
        return {};
    std::string description;
    if (first == "h")
        description = "Human ";
    else if (first == "n")
        description = "NPC ";
    else if (first == "m")
        description = "Monster ";
    const std::string_view second = characterAt(entry, 1);
    if (second == "m")
        description += "male ";
    else if (second == "f")
        description += "female ";
    else if (second == "a")
        description += "any gender ";
    if (entry.size() > 2)
        description += entry.substr(2);
    return description;
}

} // namespace zantor
