// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_version.h"

#include "common/error.h"
#include "common/files.h"
#include "common/sha256.h"

namespace zantor {

FileVersion currentVersion(const FilePath& path, std::size_t maxBytes) {
    const std::filesystem::path resolved = resolvePath(path);
    FileVersion version;
    version.maxBytes = maxBytes;
    version.identity = platform::fileIdentity(resolved);
    const Bytes bytes =
        maxBytes == SIZE_MAX ? readFile(resolved) : readFileStart(resolved, maxBytes, nullptr);
    version.sha256 = sha256Hex(bytes.data(), bytes.size());
    if (!version.identity)
        throw Error("File not found");
    return version;
}

DiskChange changeSince(FileVersion& version, const FilePath& path) {
    if (!version.known())
        return DiskChange::Same;
    const std::filesystem::path resolved = resolvePath(path);
    const std::optional<platform::FileIdentity> now = platform::fileIdentity(resolved);
    if (!now)
        return DiskChange::Deleted;
    if (*now == *version.identity)
        return DiskChange::Same;
    try {
        FileVersion current = currentVersion(resolved, version.maxBytes);
        if (current.sha256 != version.sha256)
            return DiskChange::Changed;
        version = std::move(current);
        return DiskChange::Same;
    } catch (const Error&) {
        return DiskChange::Changed;
    }
}

} // namespace zantor
