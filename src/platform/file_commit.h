// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The steps of commitFiles that each system takes its own way; their order is kept in
// one place, src/common/files.cpp.

#include "common/files.h"

#include <filesystem>
#include <memory>

namespace zantor::platform {

// One file of a commit: its target checked, then its content written to a temporary file
// beside the target, then moved over it. The temporary is removed again unless it was
// moved into place.
class PendingWrite {
public:
    /// Resolves the target (a link's regular file) and refuses it before anything is
    /// written: see commitFiles. Throws Error.
    explicit PendingWrite(const FileWrite& write);
    PendingWrite(PendingWrite&&) noexcept;
    PendingWrite& operator=(PendingWrite&&) noexcept;
    ~PendingWrite();

    /// The regular file that is replaced.
    const std::filesystem::path& target() const;
    /// Writes the temporary file with its final owner and attributes, flushed to disk.
    void writeTemporary();
    /// Renames the temporary file over the target.
    void moveIntoPlace();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

/// Removes the temporaries that killed writers left in `folder`, never a live writer's.
void removeStaleTemporaries(const std::filesystem::path& folder);

/// Flushes the folder's entries (the renames) to disk where the system needs it asked.
void syncFolder(const std::filesystem::path& folder);

} // namespace zantor::platform
