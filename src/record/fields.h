// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/item_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace zantor {

// How a field is shown in its control and stored back.
enum class FieldKind {
    Number,         // 4-byte signed; edit with decimal text
    Byte,           // 1 byte; edit with decimal text 0-255, stores the low 8 bits
    ListWhole,      // list; position = the whole 4-byte number
    ListCoded,      // list; position = the 3-byte number under the `typeCode` byte
    ListByte,       // list; position = the byte
    ProjectileFile, // list; position = the projectile file byte, stored with the projectile
    ProjectileId,   // edit; the 3-byte number after the projectile file byte (`linked`)
    Statistic,      // list; the statistic rule (`withMinEntry`: "Min value of stat 2" ends it)
    Addiction,      // list through the addiction code
    ItemType,       // list; position = the type byte, never written
    AttackMode,     // list; the 4-bit code at `nibbleShift` of byte 27
    AttackRow,      // edit; a range or AP that the attack-mode rule may swap with its row twin
};

// What the editor refreshes right after a field was filled by the record display.
enum class Refresh {
    None,
    NameAndDescription,
    GroundPreview,
    MaterialName,
    InventoryPreview,
    PageStep,
    DamageTypeName,
    ProjectileName,
    AmmoTypeName,
    DefaultAmmoName,
    MaleLooks,
    FemaleLooks,
    Enabling,
};

// One field of an item file and the control that shows it. The tables name each
// member they set; the rest keep these defaults.
struct Field {
    Section section = Section::Header;
    std::size_t offset = 0; // file offset
    int width = 4;          // bytes the value takes in the file
    FieldKind kind = FieldKind::Number;
    std::string_view control;  // the control's name
    std::string_view label;    // its caption label
    int listSize = 0;          // entries of a list whose size is fixed; 0 for the art lists
    int typeCode = -1;         // ListCoded: the byte stored above the 3-byte number
    int nibbleShift = 0;       // AttackMode: 0 for the low 4 bits of byte 27, 4 for the high
    bool withMinEntry = false; // Statistic: the list ends in "Min value of stat 2"
    Refresh after = Refresh::None;
    int maxLength = 0; // characters that may be typed into an edit; 0 = any
    std::string_view hint = {};
    std::string_view linked = {}; // ProjectileId: the projectile file list
};

/// The fields of the common header, in the order the record display fills them.
std::span<const Field> commonFields();
/// The fields of a type section (armor, container, drug, weapon, ammo), in display
/// order; empty for misc, key and the header.
std::span<const Field> sectionFields(Section section);
/// Every field of every table, common header first.
std::span<const Field* const> allFields();
/// The field shown by a control, or nullptr.
const Field* fieldByControl(std::string_view control);

// Fixed lists of the editor.
inline constexpr std::array<std::string_view, 9> kAttackModeNames{
    "None", "Punch", "", "Swing", "Thrust", "Throw", "Single", "Burst", "Burst(Flame)"};
inline constexpr std::array<std::string_view, 11> kLooksNames{
    "None", "Knife", "Baton",         "Hammer",  "Spear",          "Pistol",
    "SMG",  "Rifle", "Energy Weapon", "Minigun", "Rocket Launcher"};
inline constexpr std::array<std::string_view, 7> kItemTypeNames{
    "Armor", "Container", "Drug", "Weapon", "Ammo", "Misc", "Key"};

struct Addiction {
    std::string_view name;
    std::int32_t code;
};
inline constexpr std::array<Addiction, 7> kAddictions{{
    {"None", 0},
    {"Nuka-Cola", 53},
    {"Buffout", 54},
    {"Mentats", 55},
    {"Psycho", 56},
    {"RadAway", 57},
    {"Jet", 70},
}};

/// The addiction code of an `addList` position (0 for "None" and for no entry).
std::int32_t addictionCodeAt(int position);
/// The `addList` position of an addiction code; 0 ("None") for codes not in the table.
int addictionPosition(std::int32_t code);

inline constexpr int kProjectileFileCount = 256;
/// The text of a `fireFileList` entry: "pro_crit.msg" at 1, "pro_misc.msg" at 5,
/// "None" at 255, empty elsewhere.
std::string_view projectileFileName(int position);

// Message ids behind the lists filled from message files.
inline constexpr int kCalibreFirstId = 300;
inline constexpr int kCalibreLastId = 318;
inline constexpr int kStatFirstId = 100;
inline constexpr int kStatLastId = 137;
inline constexpr std::string_view kStatNone = "None";
inline constexpr std::string_view kStatMinOfStat2 = "Min value of stat 2";

} // namespace zantor
