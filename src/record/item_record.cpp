// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/item_record.h"

namespace zantor {

const ItemType* itemTypeByCode(int code) {
    for (const auto& t : kItemTypes)
        if (t.code == code)
            return &t;
    return nullptr;
}

const ItemType* itemTypeByName(std::string_view name) {
    for (const auto& t : kItemTypes)
        if (t.name == name)
            return &t;
    return nullptr;
}

std::span<std::uint8_t> ItemRecord::area(Section section) {
    const auto& self = *this;
    const auto a = self.area(section);
    return {const_cast<std::uint8_t*>(a.data()), a.size()};
}

std::span<const std::uint8_t> ItemRecord::area(Section section) const {
    switch (section) {
    case Section::Header:
        return header;
    case Section::Armor:
        return armor;
    case Section::Container:
        return container;
    case Section::Drug:
        return drug;
    case Section::Weapon:
        return weapon;
    case Section::Ammo:
        return ammo;
    case Section::Key:
        return key;
    case Section::Misc:
        return misc;
    }
    return {};
}

std::int32_t readInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint32_t u = (std::uint32_t{bytes[offset]} << 24) |
                            (std::uint32_t{bytes[offset + 1]} << 16) |
                            (std::uint32_t{bytes[offset + 2]} << 8) | bytes[offset + 3];
    return static_cast<std::int32_t>(u);
}

std::uint32_t readUInt24(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return (std::uint32_t{bytes[offset]} << 16) | (std::uint32_t{bytes[offset + 1]} << 8) |
           bytes[offset + 2];
}

namespace {

// Section-relative offset of a file offset, or nothing when the field does not fit.
bool localOffset(std::span<const std::uint8_t> area, Section section, std::size_t fileOffset,
                 std::size_t width, std::size_t& local) {
    const bool isHeader = section == Section::Header;
    if (!isHeader && fileOffset < kHeaderSize)
        return false;
    local = isHeader ? fileOffset : fileOffset - kHeaderSize;
    return local + width <= area.size();
}

} // namespace

std::int64_t readField(const ItemRecord& record, Section section, std::size_t fileOffset,
                       int width) {
    const auto a = record.area(section);
    std::size_t at = 0;
    if (!localOffset(a, section, fileOffset, static_cast<std::size_t>(width), at))
        return 0;
    switch (width) {
    case 4:
        return readInt32(a, at);
    case 3:
        return readUInt24(a, at);
    default:
        return a[at];
    }
}

void storeValue(ItemRecord& record, Section section, std::int32_t value, std::size_t fileOffset,
                int override) {
    if (section == Section::Misc || section == Section::Key)
        return;
    const auto a = record.area(section);
    std::size_t at = 0;
    if (!localOffset(a, section, fileOffset, 4, at))
        return;
    const auto u = static_cast<std::uint32_t>(value);
    a[at] = override >= 0 ? static_cast<std::uint8_t>(override & 0xFF)
                          : static_cast<std::uint8_t>(u >> 24);
    a[at + 1] = static_cast<std::uint8_t>(u >> 16);
    a[at + 2] = static_cast<std::uint8_t>(u >> 8);
    a[at + 3] = static_cast<std::uint8_t>(u);
}

void storeByte(ItemRecord& record, Section section, std::int32_t value, std::size_t fileOffset) {
    const auto a = record.area(section);
    std::size_t at = 0;
    if (localOffset(a, section, fileOffset, 1, at))
        a[at] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFF);
}

} // namespace zantor
