// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/scan.h"

#include "common/ascii.h"
#include "common/error.h"
#include "common/files.h"
#include "record/item_record.h"
#include "texts/encoding.h"
#include "texts/message_lookup.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace zantor {

namespace {

// Reads the scan header of file `index`; false for files that are passed over
// (folders, anything that is not a regular file, files shorter than the header).
bool readScanHeader(const FolderFiles& files, std::size_t index,
                    unsigned char (&header)[kScanHeaderSize]) {
    const auto size = files.readStart(index, header, kScanHeaderSize);
    return size && *size == kScanHeaderSize;
}

FolderFiles itemFiles(const std::string& folder) {
    FolderFiles files(resolvePath(folder.empty() ? std::string(1, kSeparator) : folder));
    files.keepIf([](const std::string& name) { return isItemFileName(name); });
    return files;
}

} // namespace

bool isItemFileName(std::string_view name) {
    if (name.size() < 4)
        return false;
    const auto ext = name.substr(name.size() - 4);
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return ext[0] == '.' && lower(ext[1]) == 'p' && lower(ext[2]) == 'r' && lower(ext[3]) == 'o';
}

std::vector<std::string> itemFileNames(const std::string& folder) {
    return itemFiles(folder).names();
}

std::array<bool, 7> typesFromList(std::string_view list) {
    std::array<bool, 7> types{};
    while (!list.empty()) {
        const auto comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        const ItemType* type = itemTypeByName(name);
        if (!type)
            throw Error("unknown item type '" + std::string(name) +
                        "' (weapon, armor, ammo, drug, container, key, misc)");
        types[type->code] = true;
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return types;
}

bool admits(const ScanRequest& request, int typeByte) {
    if (typeByte < 0 || typeByte > 6)
        return false;
    return request.all || request.types[static_cast<std::size_t>(typeByte)];
}

void sortEntries(std::vector<ListEntry>& entries) {
    struct Key {
        std::uint64_t head; // the key's 8 bytes after the prefix all keys share
        std::string key;
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        keys.push_back({0, readerSortKey(entries[i].text), i});
    std::size_t shared = keys.empty() ? 0 : keys.front().key.size();
    for (const Key& k : keys) {
        const std::string_view key = std::string_view(k.key).substr(0, shared);
        shared = static_cast<std::size_t>(
            std::mismatch(key.begin(), key.end(), keys.front().key.begin()).first - key.begin());
    }
    // Most comparisons end on the heads, in the array itself, where keys share a long
    // start ("Item number ..."). A key that ends within its head reads as zeros there,
    // which orders it before any longer key it begins, as comparing the keys does.
    for (Key& k : keys)
        for (std::size_t b = 0; b < 8; ++b)
            k.head =
                (k.head << 8) |
                (shared + b < k.key.size() ? static_cast<unsigned char>(k.key[shared + b]) : 0);
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (a.head != b.head)
            return a.head < b.head;
        if (const int order = a.key.compare(b.key))
            return order < 0;
        return entries[a.index].text < entries[b.index].text;
    });
    std::vector<ListEntry> sorted;
    sorted.reserve(entries.size());
    for (const Key& k : keys)
        sorted.push_back(std::move(entries[k.index]));
    entries = std::move(sorted);
}

ScanResult scanFolder(const ScanRequest& request,
                      const std::function<void(std::size_t, std::size_t)>& progress) {
    ScanResult result;
    std::optional<FolderFiles> files;
    try {
        files.emplace(itemFiles(request.folder));
    } catch (const std::exception& e) {
        result.error = e.what();
        return result;
    }
    const std::vector<std::string>& names = files->names();
    if (progress)
        progress(0, names.size());
    result.entries.reserve(names.size());
    std::shared_ptr<const MessageSnapshot> messages; // one snapshot for the whole scan
    unsigned char header[kScanHeaderSize];
    try {
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string& name = names[i];
            if (readScanHeader(*files, i, header) && admits(request, header[kTypeByteOffset])) {
                if (request.withNames) {
                    if (!messages)
                        messages = currentMessages(request.proItemMsg);
                    const std::string id = std::to_string(readInt32(header, 4));
                    std::string text = decodeWindows1252(messages->lookup(id));
                    text.append(" - ").append(name);
                    result.entries.push_back({std::move(text), name});
                } else {
                    result.entries.push_back({name, name});
                }
            }
            if (progress)
                progress(i + 1, names.size());
        }
    } catch (const std::exception& e) {
        result.error = e.what();
    }
    sortEntries(result.entries);
    return result;
}

} // namespace zantor
