// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zantor {

// The scan reads this much of each item file: enough for the type byte and text id.
inline constexpr std::size_t kScanHeaderSize = 56;

// What a folder scan lists.
struct ScanRequest {
    std::string folder;          // the folder field's text
    std::array<bool, 7> types{}; // ticked type filters, by type byte 0..6
    bool all = false;            // "All": every type 0..6
    bool withNames = false;      // "Show item names"
    std::string proItemMsg;      // where the names are looked up
};

// One entry of the item list.
struct ListEntry {
    std::string text;     // as listed: name + " - " + file name, or the file name alone (UTF-8)
    std::string fileName; // the file the entry opens, without the folder
};

struct ScanResult {
    std::vector<ListEntry> entries; // in the list's order
    std::string error;              // the error that stopped the scan, or empty
};

/// True for the names the scan takes as item files: *.pro in any letter case.
bool isItemFileName(std::string_view name);

/// The names of a folder's item files (*.pro, any letter case, folders passed
/// over) in the order the system lists them; none for a missing folder. Throws
/// Error when the system refuses the folder.
std::vector<std::string> itemFileNames(const std::string& folder);

/// The type filters of a comma-separated list of item type names ("weapon,ammo").
/// Throws Error naming an unknown type.
std::array<bool, 7> typesFromList(std::string_view list);

/// True when a type byte is listed under the request's filters.
bool admits(const ScanRequest& request, int typeByte);

/// Orders entries as the item list keeps them: by text as a reader expects (see
/// readerSortKey), then by the text's bytes.
void sortEntries(std::vector<ListEntry>& entries);

/// Lists the item files (*.pro, any letter case) of a folder. A missing folder lists
/// nothing; a folder path the system refuses (too long, no access) is an error.
/// Folders named *.pro, anything that is not a regular file (a FIFO, a device, a link
/// to one) and files shorter than the scan header are passed over, without blocking;
/// any other file that cannot be read stops the scan with its error, and the
/// entries listed before it are kept. Names come from the message file as
/// currentMessages gives it when the first name is needed, read as far as the names
/// need (a file that changes meanwhile is read again whole). `progress` is told the
/// number of files found, then called once per file read.
ScanResult
scanFolder(const ScanRequest& request,
           const std::function<void(std::size_t done, std::size_t total)>& progress = {});

} // namespace zantor
