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

std::string currentDirectory() {
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    if (ec)
        return {};
    // The core's texts are UTF-8 on every system.
    const std::u8string text = cwd.u8string();
    return std::string(text.begin(), text.end());
}

void commitFiles(std::initializer_list<FileWrite> files) {
    commitFiles(std::vector<FileWrite>(files));
}

void writeFileAtomic(const fs::path& target, const void* data, std::size_t size) {
    commitFiles({FileWrite{target,
                           std::string_view(static_cast<const char*>(data), size),
                           FileWrite::Mode::Keep,
                           false,
                           {}}});
}

} // namespace zantor
