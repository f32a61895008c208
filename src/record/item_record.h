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

// One row of the type table: type byte -> item type name and section length.
// The misc section has no fixed length (the rest of the file).
struct ItemType {
    std::uint8_t code;
    std::string_view name;
    std::size_t sectionSize;
};

inline constexpr std::array<ItemType, 7> kItemTypes{{
    {0, "armor", 72},
    {1, "container", 8},
    {2, "drug", 68},
    {3, "weapon", 65},
    {4, "ammo", 24},
    {5, "misc", 0},
    {6, "key", 4},
}};

/// The type table row for a type byte, or nothing above 6.
const ItemType* itemTypeByCode(int code);
/// The type table row for an item type name, or nothing for "" and unknown names.
const ItemType* itemTypeByName(std::string_view name);

/// The program's working copy of an item file: the common header, one separate
/// area per item type, the item type name and the addiction code.
struct ItemRecord {
    std::array<std::uint8_t, kHeaderSize> header{};
    std::array<std::uint8_t, 72> armor{};
    std::array<std::uint8_t, 8> container{};
    std::array<std::uint8_t, 68> drug{};
    std::array<std::uint8_t, 65> weapon{};
    std::array<std::uint8_t, 24> ammo{};
    std::array<std::uint8_t, 4> key{};
    // The misc remainder, kept whole however long it is.
    std::vector<std::uint8_t> misc;
    // Everything after the header of an item whose type byte is above 6, kept so
    // that saving such an item does not cut it down to its header.
    std::vector<std::uint8_t> unknownRest;
    // "armor" ... "key", or empty when no item or an unknown type is loaded.
    std::string typeName;
    // Stands in for the drug field at file offset 117 while the item is edited.
    std::int32_t addictionCode = 0;

    /// The area of a type section ("armor" ... "key", "misc"); "none" or "" is the
    /// common header. Empty for other names.
    std::span<std::uint8_t> area(std::string_view section);
    std::span<const std::uint8_t> area(std::string_view section) const;
};

/// Big-endian signed 32-bit number at `offset` of `bytes`.
std::int32_t readInt32(std::span<const std::uint8_t> bytes, std::size_t offset);
/// Big-endian unsigned 24-bit number at `offset` of `bytes`.
std::uint32_t readUInt24(std::span<const std::uint8_t> bytes, std::size_t offset);

/// The number at a file offset of the common header or of a type section
/// (`section` "none" for the header), of width 4 (signed), 3 (unsigned) or 1.
std::int64_t readField(const ItemRecord& record, std::string_view section, std::size_t fileOffset,
                       int width);

/// Writes `value` as four big-endian bytes at `fileOffset` of the common header
/// ("none") or of the named type section. An `override` of 0 or more replaces the
/// high-order byte with its low 8 bits; -1 keeps it. Sections without stores
/// (misc, key) and offsets outside the area are ignored.
void storeValue(ItemRecord& record, std::string_view section, std::int32_t value,
                std::size_t fileOffset, int override);

/// Writes the low 8 bits of `value` as one byte at `fileOffset`.
void storeByte(ItemRecord& record, std::string_view section, std::int32_t value,
               std::size_t fileOffset);

} // namespace zantor
