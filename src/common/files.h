// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zantor {

using Bytes = std::vector<unsigned char>;

/// The platform's path separator, which stands wherever a path is formed.
inline constexpr char kSeparator = std::filesystem::path::preferred_separator;

/// The path that UTF-8 text names. The core keeps paths as UTF-8 text; the standard
/// library would read narrow text in Windows' 8-bit code page and lose the rest.
std::filesystem::path pathFromUtf8(std::string_view text);

/// A path as UTF-8 text, for messages and for joining with names.
std::string utf8Of(const std::filesystem::path& path);

/// What the file operations take: a path object, or UTF-8 text read as such.
class FilePath {
public:
    FilePath() = default;
    FilePath(std::filesystem::path path) : m_path(std::move(path)) {}
    FilePath(std::string_view utf8) : m_path(pathFromUtf8(utf8)) {}
    FilePath(const std::string& utf8) : m_path(pathFromUtf8(utf8)) {}
    FilePath(const char* utf8) : m_path(pathFromUtf8(utf8)) {}
    operator const std::filesystem::path&() const { return m_path; }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

/// folder + separator + name, exactly: no separator is added or removed.
std::string joinPath(std::string_view folder, std::string_view name);

/// The process's current directory as text.
std::string currentDirectory();

/// The path as written when it exists; otherwise, on a case-sensitive file
/// system, the path found by matching each missing component without regard
/// to letter case; otherwise the path as written.
std::filesystem::path resolvePath(const FilePath& path);

/// True when a regular file (not a folder) exists at the resolved path.
bool fileExists(const FilePath& path);

/// Throws Error "'<folder>' is not a folder" unless a folder exists at the resolved
/// path: a mistyped folder is an error where a whole folder is asked for, not an
/// empty one.
void requireFolder(const std::string& folder);

/// The whole file, which must be a regular file: a folder fails with "File access
/// denied", a device, FIFO or socket with "<path> is not a regular file", without
/// blocking. Memory is bounded by the file's size. Throws Error with the run-time
/// I/O message on failure.
Bytes readFile(const FilePath& path);

/// At most `count` bytes from the start of the regular file, and its size.
/// Throws Error as readFile.
Bytes readFileStart(const FilePath& path, std::size_t count, std::uintmax_t* size);

/// Reads up to `count` bytes of the regular file from byte `offset` on into `out` and
/// returns how many (fewer only at its end), with the identity of the file they came
/// from, taken from the same opening. Throws Error as readFile.
std::size_t readFilePart(const FilePath& path, std::uint64_t offset, unsigned char* out,
                         std::size_t count, platform::FileIdentity& identity);

/// Reads at most `count` bytes from the start of the file into `out` and returns how
/// many; std::nullopt, without reading, when it is a folder or not a regular file.
/// Never blocks. Throws Error with the run-time I/O message for other failures.
std::optional<std::size_t> readRegularFileStart(const FilePath& path, unsigned char* out,
                                                std::size_t count);

/// The names in a folder, in the order the system lists them, leaving out the
/// entries it reports as folders or special files. A folder that does not exist
/// gives none; one the system refuses (a path too long, no access) throws Error.
std::vector<std::string> folderFileNames(const FilePath& folder);

/// A folder held open for reading the start of many of its files: each is opened by
/// its name within the folder, not by walking its whole path, and one that the listing
/// reports as a regular file is not asked about again before it is read.
class FolderFiles {
public:
    /// The names as folderFileNames lists them. Throws as folderFileNames.
    explicit FolderFiles(const FilePath& folder);
    FolderFiles(FolderFiles&&) noexcept;
    FolderFiles& operator=(FolderFiles&&) noexcept;
    ~FolderFiles();

    const std::vector<std::string>& names() const { return m_names; }
    /// Keeps the names for which `keep` is true, in their order.
    template <class Keep> void keepIf(Keep&& keep) {
        std::size_t to = 0;
        for (std::size_t i = 0; i < m_names.size(); ++i) {
            if (!keep(std::as_const(m_names[i])))
                continue;
            if (to != i) {
                m_names[to] = std::move(m_names[i]);
                m_listedRegular[to] = m_listedRegular[i];
            }
            ++to;
        }
        m_names.resize(to);
        m_listedRegular.resize(to);
    }
    /// readRegularFileStart of the file names()[index].
    std::optional<std::size_t> readStart(std::size_t index, unsigned char* out,
                                         std::size_t count) const;

private:
    std::filesystem::path m_folder;
    std::vector<std::string> m_names;
    std::vector<bool> m_listedRegular; // no link, no kind left unknown
    struct Handle;                     // the open folder, where the system has one
    std::unique_ptr<Handle> m_handle;
};

/// The name of the existing file that `path` would be written over although it is
/// spelt in another letter case ("KNIFE.PRO" for "knife.pro"), or "" when the path
/// exists as written or has no such twin.
std::string caseTwinOf(const FilePath& path);

/// True when the file exists and no one may write it: every write bit cleared on POSIX,
/// the read-only attribute set on Windows.
bool isReadOnly(const FilePath& path);

/// Gives the owner write permission (`writable`) or clears every write bit, keeping
/// the other mode bits; on Windows clears or sets the read-only attribute, with the
/// archive attribute, keeping the others. Errors are ignored, as callers do not check
/// them.
void setWritable(const FilePath& path, bool writable);

// One file of a commit (see commitFiles).
struct FileWrite {
    enum class Mode {
        Keep,     // an existing file's mode, or the default mode for a new file
        ReadOnly, // that mode with every write bit cleared
    };
    FilePath path; // as given; letter case and links are resolved
    /// The content, written one part after another: a large file edited in a few
    /// places is written from its old bytes and the new ones, never joined in memory.
    std::vector<std::string_view> parts;
    Mode mode = Mode::Keep;
    /// The file's own permissions must let the user write it. When false (Save in
    /// place, which clears the read-only attribute first), a read-only file of the
    /// user's own may be replaced, but still none that the user could not make writable.
    bool needsWritePermission = true;
    /// The message for a file or folder that may not be written or created; empty
    /// for the run-time message.
    std::string cannotCreate;
    /// When set, called with the content as the temporary file holds it, before that
    /// is flushed; what it throws abandons the commit. It reads the written file
    /// where the system can map it, so a check of the whole content needs no joined
    /// copy of it either.
    std::function<void(std::string_view written)> check;

    /// The parts as one string.
    std::string joinedParts() const;
};

/// Writes the files all or nothing, as far as the system allows: each goes to a
/// short-named temporary file in its target's folder (".zt-" and six characters,
/// which neither the folder scan nor the settings store reads), which is given its
/// final owner, group and mode and flushed to disk; only when every one is complete
/// are they renamed over their targets in the given order and the folders flushed.
/// A link is followed to the regular file it points to, which is replaced in its own
/// folder, the link staying a link. Refused before anything is written: a link to
/// anything but a regular file or to nothing, a target that is not a regular file,
/// a file with other hard links, a file the user may not write or whose owner and
/// group cannot be kept. Temporaries that a killed writer left in a folder are
/// removed by the next commit there. Throws Error with the run-time I/O message
/// ("Disk full", ...) or the refusal; on failure no target has been changed, unless a
/// rename failed after an earlier one had succeeded.
void commitFiles(std::initializer_list<FileWrite> files);
void commitFiles(const std::vector<FileWrite>& files);

/// commitFiles of one file, keeping its mode, without the write-permission check.
void writeFileAtomic(const FilePath& path, const void* data, std::size_t size);
inline void writeFileAtomic(const FilePath& path, const Bytes& data) {
    writeFileAtomic(path, data.data(), data.size());
}

} // namespace zantor
