// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/files.h"
#include "platform/system.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace zantor {

// What a reader remembers of a file it read, to tell later whether the file on disk
// is still the one it read.
struct FileVersion {
    std::optional<platform::FileIdentity> identity; // nothing when none was read
    std::string sha256;                             // of the bytes read, hexadecimal
    std::size_t maxBytes = SIZE_MAX;                // how far the bytes were read
    bool known() const { return identity.has_value(); }
};

enum class DiskChange {
    Same,    // the file read, or one with the same bytes
    Changed, // other bytes, or a file that cannot be read any more
    Deleted, // no file at the path
};

/// The version of the file at `path` as it is now: its identity, taken before its bytes
/// are read (so a write during the read makes it differ later), and the hash of its
/// first `maxBytes` bytes (a reader that refuses longer files need not read more).
/// Throws Error as readFileStart.
FileVersion currentVersion(const FilePath& path, std::size_t maxBytes = SIZE_MAX);

/// Whether the file at `path` is still `version`. The identity alone answers when it is
/// the same; otherwise the bytes are compared by hash, so a file written again with the
/// same bytes (a checkout, a save by another program that changed nothing) counts as
/// Same, and `version` takes the new identity. An unknown version is always Same.
/// Never throws.
DiskChange changeSince(FileVersion& version, const FilePath& path);

} // namespace zantor
