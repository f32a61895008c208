// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/item_file.h"

#include "common/error.h"

#include <algorithm>

namespace zantor {

namespace {

// Files of this size or less hold no header the type could be taken from.
constexpr std::size_t kSmallestReadable = 61;

} // namespace

void readItem(const FilePath& path, ItemRecord& record) {
    readItemBytes(readFileStart(path, kLargestItemFile + 1, nullptr), record);
}

void readItemBytes(std::span<const unsigned char> data, ItemRecord& record) {
    if (data.size() > kLargestItemFile)
        throw Error("File too large for an item file");
    if (data.size() < kSmallestReadable)
        throwIoCode(kReadBeyondEnd);

    ItemRecord next = record;
    std::copy_n(data.begin(), kHeaderSize, next.header.begin());
    next.type = nullptr;
    const auto rest = data.subspan(kHeaderSize);
    const ItemType* type = itemTypeByCode(next.header[kTypeByteOffset]);
    if (!type) {
        next.unknownRest.assign(rest.begin(), rest.end());
    } else if (type->section == Section::Misc) {
        next.misc.assign(rest.begin(), rest.end());
        next.type = type;
    } else {
        if (rest.size() < type->sectionSize)
            throwIoCode(kReadBeyondEnd);
        const auto area = next.area(type->section);
        std::copy_n(rest.begin(), type->sectionSize, area.begin());
        next.type = type;
    }
    record = std::move(next);
}

Bytes itemFileBytes(const ItemRecord& record) {
    Bytes out(record.header.begin(), record.header.end());
    if (!record.type) {
        out.insert(out.end(), record.unknownRest.begin(), record.unknownRest.end());
    } else {
        const auto area = record.area(record.section());
        out.insert(out.end(), area.begin(), area.end());
    }
    return out;
}

FileWrite itemFileWrite(const FilePath& path, const Bytes& bytes, ItemSave how) {
    FileWrite w;
    w.path = path;
    w.parts = {std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())};
    // Save clears the read-only attribute, writes and sets it again; Save As leaves
    // attributes alone, so a read-only target is refused.
    w.mode = how == ItemSave::InPlace ? FileWrite::Mode::ReadOnly : FileWrite::Mode::Keep;
    w.needsWritePermission = how == ItemSave::As;
    return w;
}

void saveItem(const FilePath& path, const ItemRecord& record) {
    const Bytes bytes = itemFileBytes(record);
    commitFiles({itemFileWrite(path, bytes, ItemSave::InPlace)});
}

void saveItemAs(const FilePath& path, const ItemRecord& record) {
    const Bytes bytes = itemFileBytes(record);
    commitFiles({itemFileWrite(path, bytes, ItemSave::As)});
}

} // namespace zantor
