// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the core asks of the operating system beyond the standard library. Each system
// has its own implementation in a folder of its own beside this header.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zantor::platform {

// What tells one version of a file from another without reading it: the file itself
// (device and file number), its size, and its last modification and change times (a
// change time moves with every write and cannot be set back).
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0; // nanoseconds since 1970-01-01 UTC
    std::int64_t changedNs = 0;  // the same
    bool operator==(const FileIdentity&) const = default;
};

/// The identity of the file at `path`, links followed, from one query of the system;
/// nothing when no file is there or it cannot be asked.
std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path);

/// The identity of an open file: a file descriptor on POSIX, a HANDLE on Windows;
/// nothing when it cannot be asked.
std::optional<FileIdentity> openFileIdentity(std::intptr_t file);

/// The time now, in nanoseconds since the epoch of FileIdentity's times.
std::int64_t fileClockNowNs();

/// Asks the system to back a large buffer that is about to be filled with large pages:
/// filling tens of megabytes page by page otherwise costs a fault per small page and
/// many address-translation misses, which in a virtual machine take longer than the
/// copying itself. A hint only; nothing changes where the system has no such pages.
void preferLargePages(void* data, std::size_t size);

/// Reserves room for `count` elements in an empty `container` (a vector or string) and
/// asks for large pages for all of it, before anything is written there.
template <class Container> void reserveInLargePages(Container& container, std::size_t count) {
    container.reserve(count);
    preferLargePages(container.data(), container.capacity() * sizeof(*container.data()));
}

/// The user's home folder. Throws Error when the system names none.
std::filesystem::path homeFolder();

/// True when the folder can be entered and listed.
bool canEnterFolder(const std::filesystem::path& folder);

/// The program's arguments, without its own name, as UTF-8 text.
std::vector<std::string> commandLineArguments(int argc, char** argv);

/// Lets the standard output and error streams carry the program's bytes unchanged (no
/// line-end translation) and a console show them as UTF-8.
void useBinaryStandardStreams();

} // namespace zantor::platform
