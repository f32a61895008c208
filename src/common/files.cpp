// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of common/files.h that every system shares; the rest is in src/platform.
#include "common/files.h"

namespace fs = std::filesystem;

namespace zantor {

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string out;
    out.reserve(folder.size() + 1 + name.size());
    out.append(folder);
    out.push_back(kSeparator);
    out.append(name);
    return out;
}

// The standard library reads and writes UTF-8 paths as char8_t text: on POSIX the bytes
// unchanged, on Windows converted to and from the system's wide characters.
fs::path pathFromUtf8(std::string_view text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string currentDirectory() {
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    return ec ? std::string() : utf8Of(cwd);
}

void commitFiles(std::initializer_list<FileWrite> files) {
    commitFiles(std::vector<FileWrite>(files));
}

void writeFileAtomic(const FilePath& target, const void* data, std::size_t size) {
    commitFiles({FileWrite{target,
                           std::string_view(static_cast<const char*>(data), size),
                           FileWrite::Mode::Keep,
                           false,
                           {}}});
}

} // namespace zantor
