// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/files.h"
#include "record/item_record.h"

#include <filesystem>
#include <span>

namespace zantor {

/// Reads an item file into `record`: the common header, the section of its type
/// and the item type name. All or nothing: on failure `record` is unchanged and
/// Error carries the run-time I/O message ("File not found", "Read beyond end of
/// file" for a file of 60 bytes or fewer or one that ends inside its section, ...).
void readItem(const std::filesystem::path& path, ItemRecord& record);

/// readItem on the bytes of an item file already read.
void readItemBytes(std::span<const unsigned char> data, ItemRecord& record);

/// The bytes an item file is written with: the common header, then the section of
/// the item's type (the misc remainder whole; for an unknown type, the bytes that
/// followed the header).
Bytes itemFileBytes(const ItemRecord& record);

/// Save: makes the file writable, replaces it atomically, then leaves it read-only.
/// A failed write leaves the old file whole (and writable). Throws Error.
void saveItem(const std::filesystem::path& path, const ItemRecord& record);

/// Save As: replaces or creates the file atomically without touching permissions;
/// a read-only target fails with "File access denied". Throws Error.
void saveItemAs(const std::filesystem::path& path, const ItemRecord& record);

} // namespace zantor
