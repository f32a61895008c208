// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zantor {

inline constexpr std::size_t kHeaderSize = 57;
inline constexpr std::size_t kTypeByteOffset = 35;
inline constexpr std::size_t kAttackModeOffset = 27;

// Where a field lives: the common header or the section of one item type.
enum class Section : std::uint8_t { Header, Armor, Container, Drug, Weapon, Ammo, Misc, Key };

// One row of the type table: type byte -> item type name, section and its length.
// The misc section has no fixed length (the rest of the file).
struct ItemType {
    std::uint8_t code;
    std::string_view name;
    Section section;
    std::size_t sectionSize;
};

inline constexpr std::array<ItemType, 7> kItemTypes{{
    {.code = 0, .name = "armor", .section = Section::Armor, .sectionSize = 72},
    {.code = 1, .name = "container", .section = Section::Container, .sectionSize = 8},
    {.code = 2, .name = "drug", .section = Section::Drug, .sectionSize = 68},
    {.code = 3, .name = "weapon", .section = Section::Weapon, .sectionSize = 65},
    {.code = 4, .name = "ammo", .section = Section::Ammo, .sectionSize = 24},
    {.code = 5, .name = "misc", .section = Section::Misc, .sectionSize = 0},
    {.code = 6, .name = "key", .section = Section::Key, .sectionSize = 4},
}};

/// The length of a type section with a fixed length, from the type table.
constexpr std::size_t sectionSize(Section section) {
    for (const auto& t : kItemTypes)
        if (t.section == section)
            return t.sectionSize;
    return 0;
}

/// The type table row for a type byte, or nothing above 6.
const ItemType* itemTypeByCode(int code);
/// The type table row for an item type name, or nothing for "" and unknown names.
const ItemType* itemTypeByName(std::string_view name);

/// The program's working copy of an item file: the common header, one separate
/// area per item type, the item type name and the addiction code.
struct ItemRecord {
    std::array<std::uint8_t, kHeaderSize> header{};
    std::array<std::uint8_t, sectionSize(Section::Armor)> armor{};
    std::array<std::uint8_t, sectionSize(Section::Container)> container{};
    std::array<std::uint8_t, sectionSize(Section::Drug)> drug{};
    std::array<std::uint8_t, sectionSize(Section::Weapon)> weapon{};
    std::array<std::uint8_t, sectionSize(Section::Ammo)> ammo{};
    std::array<std::uint8_t, sectionSize(Section::Key)> key{};
    // The misc remainder, kept whole however long it is.
    std::vector<std::uint8_t> misc;
    // Everything after the header of an item whose type byte is above 6, kept so
    // that saving such an item does not cut it down to its header.
    std::vector<std::uint8_t> unknownRest;
    // The type table row of the item, or nullptr when no item or an unknown type is loaded.
    const ItemType* type = nullptr;
    // Stands in for the drug field at file offset 117 while the item is edited.
    std::int32_t addictionCode = 0;

    /// The item type name: "armor" ... "key", or "" when no item or an unknown type is loaded.
    std::string_view typeName() const { return type ? type->name : std::string_view(); }
    /// The item's section; Section::Header when it has none (no item, unknown type).
    Section section() const { return type ? type->section : Section::Header; }

    /// The bytes of the common header or of a type section.
    std::span<std::uint8_t> area(Section section);
    std::span<const std::uint8_t> area(Section section) const;
};

/// Big-endian signed 32-bit number at `offset` of `bytes`.
std::int32_t readInt32(std::span<const std::uint8_t> bytes, std::size_t offset);
/// Big-endian unsigned 24-bit number at `offset` of `bytes`.
std::uint32_t readUInt24(std::span<const std::uint8_t> bytes, std::size_t offset);

/// The number at a file offset of the common header or of a type section, of width
/// 4 (signed), 3 (unsigned) or 1.
std::int64_t readField(const ItemRecord& record, Section section, std::size_t fileOffset,
                       int width);

/// Writes `value` as four big-endian bytes at `fileOffset` of the common header
/// or of a type section. An `override` of 0 or more replaces the
/// high-order byte with its low 8 bits; -1 keeps it. Sections without stores
/// (misc, key) and offsets outside the area are ignored.
void storeValue(ItemRecord& record, Section section, std::int32_t value, std::size_t fileOffset,
                int override);

/// Writes the low 8 bits of `value` as one byte at `fileOffset`.
void storeByte(ItemRecord& record, Section section, std::int32_t value, std::size_t fileOffset);

} // namespace zantor
