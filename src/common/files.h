// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zantor {

using Bytes = std::vector<unsigned char>;

/// The platform's path separator, which stands wherever a path is formed.
inline constexpr char kSeparator = std::filesystem::path::preferred_separator;

/// folder + separator + name, exactly: no separator is added or removed.
std::string joinPath(std::string_view folder, std::string_view name);

/// The process's current directory as text.
std::string currentDirectory();

/// The path as written when it exists; otherwise, on a case-sensitive file
/// system, the path found by matching each missing component without regard
/// to letter case; otherwise the path as written.
std::filesystem::path resolvePath(const std::filesystem::path& path);

/// True when a regular file (not a folder) exists at the resolved path.
bool fileExists(const std::filesystem::path& path);

/// The whole file. Throws Error with the run-time I/O message on failure.
Bytes readFile(const std::filesystem::path& path);

// A folder opened once, for reading many of its files by name without walking the
// folder's path again for each.
class OpenFolder {
public:
    /// Never throws: a folder that cannot be opened reads each file by its path.
    explicit OpenFolder(const std::filesystem::path& folder);
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    ~OpenFolder();
    /// readFile(folder + separator + name), with its errors.
    Bytes read(const std::string& name) const;

private:
    std::string m_folder;
    int m_fd;
};

/// At most `count` bytes from the start of the file, and its size.
/// Throws Error with the run-time I/O message on failure.
Bytes readFileStart(const std::filesystem::path& path, std::size_t count, std::uintmax_t* size);

/// True when the file exists and no one may write it (every write bit cleared).
bool isReadOnly(const std::filesystem::path& path);

/// Gives the owner write permission (`writable`) or clears every write bit,
/// keeping the other mode bits. Errors are ignored, as callers do not check them.
void setWritable(const std::filesystem::path& path, bool writable);

/// Writes `data` to a temporary file beside `path`, flushes it to disk and
/// renames it over `path`, keeping an existing file's permissions. A failed
/// write leaves `path` as it was. Throws Error with the run-time I/O message.
void writeFileAtomic(const std::filesystem::path& path, const void* data, std::size_t size);
inline void writeFileAtomic(const std::filesystem::path& path, const Bytes& data) {
    writeFileAtomic(path, data.data(), data.size());
}

} // namespace zantor
