// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/files.h"
#include "record/item_record.h"

#include <filesystem>
#include <span>

namespace zantor {

/// Item files larger than this are refused: no item comes near it.
inline constexpr std::size_t kLargestItemFile = std::size_t{16} << 20;

/// Reads an item file into `record`: the common header, the section of its type
/// and the item type name. All or nothing: on failure `record` is unchanged and
/// Error carries the run-time I/O message ("File not found", "Read beyond end of
/// file" for a file of 60 bytes or fewer or one that ends inside its section, "File
/// too large for an item file" over kLargestItemFile, "<path> is not a regular file"
/// for a FIFO or a device, ...).
void readItem(const FilePath& path, ItemRecord& record);

/// readItem from the bytes of an item file already read (at least kLargestItemFile + 1
/// of them when there are more). Throws Error "Read beyond end of file" or "File too
/// large for an item file" as readItem does; `record` is then unchanged.
void readItemBytes(std::span<const unsigned char> data, ItemRecord& record);

/// The bytes an item file is written with: the common header, then the section of
/// the item's type (the misc remainder whole; for an unknown type, the bytes that
/// followed the header).
Bytes itemFileBytes(const ItemRecord& record);

enum class ItemSave {
    InPlace, // Save: the file is left read-only
    As,      // Save As: permissions untouched, a read-only target refused
};

/// The write of an item file's bytes for commitFiles, as Save or Save As makes it.
/// `bytes` must outlive the write.
FileWrite itemFileWrite(const FilePath& path, const Bytes& bytes, ItemSave how);

/// Save: replaces the file atomically and leaves it read-only (its other mode bits,
/// owner and group kept); a read-only file of the user's own is replaced, one the
/// user could not make writable is refused with "File access denied". A failed
/// write leaves the old file whole. Throws Error as commitFiles.
void saveItem(const FilePath& path, const ItemRecord& record);

/// Save As: replaces or creates the file atomically without touching permissions;
/// a read-only target fails with "File access denied". Throws Error as commitFiles.
void saveItemAs(const FilePath& path, const ItemRecord& record);

} // namespace zantor
