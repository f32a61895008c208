// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of common/files.h that every system shares; the rest is in src/platform.
#include "common/files.h"

#include "common/error.h"
#include "platform/file_commit.h"

#include <set>

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

void requireFolder(const std::string& folder) {
    std::error_code ec;
    if (!fs::is_directory(resolvePath(folder), ec))
        throw Error("'" + folder + "' is not a folder");
}

std::string currentDirectory() {
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    return ec ? std::string() : utf8Of(cwd);
}

// The order that makes a commit all or nothing as far as the system allows: every target
// checked before anything is written, every temporary complete on disk before the first
// rename, the folders flushed after the last.
void commitFiles(const std::vector<FileWrite>& files) {
    std::vector<platform::PendingWrite> writes;
    writes.reserve(files.size());
    for (const FileWrite& w : files)
        writes.emplace_back(w);
    std::set<fs::path> folders;
    for (const platform::PendingWrite& w : writes)
        folders.insert(w.target().has_parent_path() ? w.target().parent_path() : fs::path("."));
    for (const fs::path& folder : folders)
        platform::removeStaleTemporaries(folder);
    for (platform::PendingWrite& w : writes)
        w.writeTemporary();
    for (platform::PendingWrite& w : writes)
        w.moveIntoPlace();
    for (const fs::path& folder : folders)
        platform::syncFolder(folder);
}

std::string FileWrite::joinedParts() const {
    std::size_t size = 0;
    for (const std::string_view part : parts)
        size += part.size();
    std::string joined;
    joined.reserve(size);
    for (const std::string_view part : parts)
        joined.append(part);
    return joined;
}

void commitFiles(std::initializer_list<FileWrite> files) {
    commitFiles(std::vector<FileWrite>(files));
}

void writeFileAtomic(const FilePath& target, const void* data, std::size_t size) {
    FileWrite w;
    w.path = target;
    w.parts = {std::string_view(static_cast<const char*>(data), size)};
    w.needsWritePermission = false;
    commitFiles({std::move(w)});
}

} // namespace zantor
