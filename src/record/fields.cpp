// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/fields.h"

#include <vector>

namespace zantor {

namespace {

using K = FieldKind;
using R = Refresh;
using S = Section;

constexpr int kStatCount = kStatLastId - kStatFirstId + 1;
constexpr int kCalibreCount = kCalibreLastId - kCalibreFirstId + 1;
constexpr std::string_view kStepHint = "Use UP and DOWN keys to change values.";
constexpr std::string_view kEmpHint = "Electro-Magnetic Pulse.";

// Every table is in the order in which the record display fills the controls.
const Field kCommon[] = {
    {.section = S::Header, .offset = 0, .control = "itemIDfield", .label = "ID:", .maxLength = 11},
    {.section = S::Header,
     .offset = 4,
     .control = "textIDfield",
     .label = "Text ID:",
     .after = R::NameAndDescription,
     .maxLength = 11,
     .hint = "Use UP and DOWN keys to change value."},
    {.section = S::Header,
     .offset = 8,
     .kind = K::ListWhole,
     .control = "groundArtList",
     .label = "Pic on ground:",
     .after = R::GroundPreview},
    {.section = S::Header,
     .offset = 36,
     .control = "materialIDfield",
     .label = "Material ID:",
     .after = R::MaterialName,
     .maxLength = 11,
     .hint = "Use UP and DOWN keys to change value"},
    {.section = S::Header,
     .offset = 44,
     .control = "weightField",
     .label = "Weight:",
     .maxLength = 11},
    {.section = S::Header,
     .offset = 48,
     .control = "priceField",
     .label = "Price:",
     .maxLength = 11},
    {.section = S::Header,
     .offset = 52,
     .kind = K::ListCoded,
     .control = "invenArtList",
     .label = "Pic in inventory:",
     .typeCode = 7,
     .after = R::InventoryPreview},
    {.section = S::Header,
     .offset = 35,
     .width = 1,
     .kind = K::ItemType,
     .control = "iTypeList",
     .label = "Item type:",
     .listSize = 7,
     .after = R::PageStep},
};

const Field kArmor[] = {
    {.section = S::Armor,
     .offset = 57,
     .control = "ACfield",
     .label = "AC:",
     .maxLength = 3,
     .hint = "Armor Class. It IS possible to set this over 999, but that will only slow the game, "
             "because in combat, you can't have more than 999 AC."},
    {.section = S::Armor,
     .offset = 61,
     .control = "DRnormalField",
     .label = "Normal:",
     .maxLength = 3},
    {.section = S::Armor,
     .offset = 65,
     .control = "DRlaserField",
     .label = "Laser:",
     .maxLength = 3},
    {.section = S::Armor, .offset = 69, .control = "DRfireField", .label = "Fire:", .maxLength = 3},
    {.section = S::Armor,
     .offset = 73,
     .control = "DRplasmaField",
     .label = "Plasma:",
     .maxLength = 3},
    {.section = S::Armor,
     .offset = 77,
     .control = "DRelectricField",
     .label = "Electric:",
     .maxLength = 3},
    {.section = S::Armor,
     .offset = 81,
     .control = "DRempField",
     .label = "EMP:",
     .maxLength = 3,
     .hint = kEmpHint},
    {.section = S::Armor,
     .offset = 85,
     .control = "DRexpField",
     .label = "Explosions:",
     .maxLength = 3},
    {.section = S::Armor,
     .offset = 89,
     .control = "DTnormalField",
     .label = "Normal:",
     .maxLength = 3},
    {.section = S::Armor,
     .offset = 93,
     .control = "DTlaserField",
     .label = "Laser:",
     .maxLength = 3},
    {.section = S::Armor, .offset = 97, .control = "DTfireField", .label = "Fire:", .maxLength = 3},
    {.section = S::Armor,
     .offset = 101,
     .control = "DTplasmaField",
     .label = "Plasma:",
     .maxLength = 3},
    {.section = S::Armor,
     .offset = 105,
     .control = "DTelectricField",
     .label = "Electric:",
     .maxLength = 3},
    {.section = S::Armor,
     .offset = 109,
     .control = "DTempField",
     .label = "EMP:",
     .maxLength = 3,
     .hint = kEmpHint},
    {.section = S::Armor,
     .offset = 113,
     .control = "DTexpField",
     .label = "Explosions:",
     .maxLength = 3},
    {.section = S::Armor,
     .offset = 121,
     .kind = K::ListCoded,
     .control = "maleLooksList",
     .label = "Male looks:",
     .typeCode = 1,
     .after = R::MaleLooks},
    {.section = S::Armor,
     .offset = 125,
     .kind = K::ListCoded,
     .control = "femaleLooksList",
     .label = "Female looks:",
     .typeCode = 1,
     .after = R::FemaleLooks},
};

const Field kContainer[] = {
    {.section = S::Container,
     .offset = 57,
     .control = "containerCapacity",
     .label = "Capacity (lbs):",
     .maxLength = 11},
};

const Field kDrug[] = {
    {.section = S::Drug,
     .offset = 57,
     .kind = K::Statistic,
     .control = "statList1",
     .label = "Stat 1:",
     .listSize = kStatCount + 2,
     .withMinEntry = true},
    {.section = S::Drug,
     .offset = 61,
     .kind = K::Statistic,
     .control = "statList2",
     .label = "Stat 2:",
     .listSize = kStatCount + 1},
    {.section = S::Drug,
     .offset = 65,
     .kind = K::Statistic,
     .control = "statList3",
     .label = "Stat 3:",
     .listSize = kStatCount + 1},
    {.section = S::Drug,
     .offset = 69,
     .control = "effectField11",
     .label = "Immediately:",
     .maxLength = 11},
    {.section = S::Drug,
     .offset = 73,
     .control = "effectField12",
     .label = "Immediately:",
     .maxLength = 11},
    {.section = S::Drug,
     .offset = 77,
     .control = "effectField13",
     .label = "Immediately:",
     .maxLength = 11},
    {.section = S::Drug,
     .offset = 81,
     .control = "midTermField",
     .label = "Mid-time:",
     .maxLength = 11,
     .hint = "After how many minutes will the Mid-term effect take place"},
    {.section = S::Drug,
     .offset = 85,
     .control = "effectField21",
     .label = "Mid-term:",
     .maxLength = 11},
    {.section = S::Drug,
     .offset = 89,
     .control = "effectField22",
     .label = "Mid-term:",
     .maxLength = 11},
    {.section = S::Drug,
     .offset = 93,
     .control = "effectField23",
     .label = "Mid-term:",
     .maxLength = 11},
    {.section = S::Drug,
     .offset = 97,
     .control = "longTermField",
     .label = "Long-time:",
     .maxLength = 11,
     .hint = "After how many minutes will the Long-term effect take place"},
    {.section = S::Drug,
     .offset = 101,
     .control = "effectField31",
     .label = "Long-term:",
     .maxLength = 11},
    {.section = S::Drug,
     .offset = 105,
     .control = "effectField32",
     .label = "Long-term:",
     .maxLength = 11},
    {.section = S::Drug,
     .offset = 109,
     .control = "effectField33",
     .label = "Long-term:",
     .maxLength = 11},
    {.section = S::Drug,
     .offset = 113,
     .control = "addictionField",
     .label = "Addiction chance (%):",
     .maxLength = 11},
    {.section = S::Drug,
     .offset = 117,
     .kind = K::Addiction,
     .control = "addList",
     .label = "Addiction type:",
     .listSize = 7},
    {.section = S::Drug,
     .offset = 121,
     .control = "withdrawField",
     .label = "Withdraw time:",
     .maxLength = 11},
};

const Field kWeapon[] = {
    {.section = S::Header,
     .offset = 27,
     .width = 1,
     .kind = K::AttackMode,
     .control = "atkMode1List",
     .label = "Attack mode 1:",
     .listSize = 9},
    {.section = S::Header,
     .offset = 27,
     .width = 1,
     .kind = K::AttackMode,
     .control = "atkMode2List",
     .label = "Attack mode 2:",
     .listSize = 9,
     .nibbleShift = 4},
    {.section = S::Weapon,
     .offset = 60,
     .width = 1,
     .kind = K::ListByte,
     .control = "looksList",
     .label = "Looks:",
     .listSize = 11},
    {.section = S::Weapon,
     .offset = 61,
     .control = "minDmgField",
     .label = "Min. damage:",
     .maxLength = 11},
    {.section = S::Weapon,
     .offset = 65,
     .control = "maxDmgField",
     .label = "Max. damage:",
     .maxLength = 11},
    {.section = S::Weapon,
     .offset = 72,
     .width = 1,
     .kind = K::Byte,
     .control = "damageTypeIDfield",
     .label = "Damage type ID:",
     .after = R::DamageTypeName,
     .maxLength = 11,
     .hint = kStepHint},
    {.section = S::Weapon,
     .offset = 73,
     .kind = K::AttackRow,
     .control = "range1Field",
     .label = "Range:",
     .maxLength = 3},
    {.section = S::Weapon,
     .offset = 77,
     .kind = K::AttackRow,
     .control = "range2Field",
     .label = "Range:",
     .maxLength = 3},
    {.section = S::Weapon,
     .offset = 81,
     .width = 1,
     .kind = K::ProjectileFile,
     .control = "fireFileList",
     .label = "Projectile file:",
     .listSize = kProjectileFileCount,
     .after = R::ProjectileName},
    {.section = S::Weapon,
     .offset = 81,
     .kind = K::ProjectileId,
     .control = "fireArtIDField",
     .label = "Projectile ID:",
     .maxLength = 11,
     .hint = kStepHint,
     .linked = "fireFileList"},
    {.section = S::Weapon,
     .offset = 85,
     .control = "minSTfield",
     .label = "Min. ST:",
     .maxLength = 11},
    {.section = S::Weapon,
     .offset = 89,
     .kind = K::AttackRow,
     .control = "ap1field",
     .label = "AP:",
     .maxLength = 11},
    {.section = S::Weapon,
     .offset = 93,
     .kind = K::AttackRow,
     .control = "ap2field",
     .label = "AP:",
     .maxLength = 11},
    {.section = S::Weapon,
     .offset = 97,
     .control = "reloadAP",
     .label = "Reload AP:",
     .maxLength = 11},
    {.section = S::Weapon,
     .offset = 105,
     .control = "burstAmmoField",
     .label = "Burst amount:",
     .maxLength = 11},
    {.section = S::Weapon,
     .offset = 109,
     .control = "ammoTypeIDfield",
     .label = "Ammo type ID:",
     .after = R::AmmoTypeName,
     .maxLength = 11,
     .hint = kStepHint},
    {.section = S::Weapon,
     .offset = 113,
     .control = "ammoIDfield",
     .label = "Default ammo ID:",
     .after = R::DefaultAmmoName,
     .maxLength = 11,
     .hint = kStepHint},
    {.section = S::Weapon,
     .offset = 117,
     .control = "capacityField",
     .label = "Capacity:",
     .maxLength = 11},
    {.section = S::Weapon,
     .offset = 121,
     .width = 1,
     .kind = K::Byte,
     .control = "fireSoundIDfield",
     .label = "Fire sound ID:",
     .maxLength = 3},
};

const Field kAmmo[] = {
    {.section = S::Ammo,
     .offset = 57,
     .kind = K::ListWhole,
     .control = "ammoTypeList",
     .label = "Ammo type:",
     .listSize = kCalibreCount},
    {.section = S::Ammo,
     .offset = 61,
     .control = "ammo_capacity",
     .label = "Ammo per magazine:",
     .maxLength = 11},
    {.section = S::Ammo,
     .offset = 65,
     .control = "ACmodField",
     .label = "AC modifier:",
     .maxLength = 11},
    {.section = S::Ammo,
     .offset = 69,
     .control = "DRmodField",
     .label = "DR modifier:",
     .maxLength = 11},
    {.section = S::Ammo,
     .offset = 73,
     .control = "ACdmgMod",
     .label = "AC damage modifier:",
     .maxLength = 11},
    {.section = S::Ammo,
     .offset = 77,
     .control = "DRdmgMod",
     .label = "DR damage modifier:",
     .maxLength = 11},
};

const std::vector<const Field*>& allFieldList() {
    static const std::vector<const Field*> all = [] {
        std::vector<const Field*> v;
        for (auto table : {std::span<const Field>(kCommon), std::span<const Field>(kWeapon),
                           std::span<const Field>(kArmor), std::span<const Field>(kContainer),
                           std::span<const Field>(kDrug), std::span<const Field>(kAmmo)})
            for (const auto& f : table)
                v.push_back(&f);
        return v;
    }();
    return all;
}

} // namespace

std::span<const Field> commonFields() {
    return kCommon;
}

std::span<const Field> sectionFields(Section section) {
    switch (section) {
    case Section::Armor:
        return kArmor;
    case Section::Container:
        return kContainer;
    case Section::Drug:
        return kDrug;
    case Section::Weapon:
        return kWeapon;
    case Section::Ammo:
        return kAmmo;
    case Section::Header:
    case Section::Misc:
    case Section::Key:
        break;
    }
    return {};
}

std::span<const Field* const> allFields() {
    return allFieldList();
}

const Field* fieldByControl(std::string_view control) {
    for (const Field* f : allFieldList())
        if (f->control == control)
            return f;
    return nullptr;
}

std::int32_t addictionCodeAt(int position) {
    if (position < 0 || position >= static_cast<int>(kAddictions.size()))
        return 0;
    return kAddictions[static_cast<std::size_t>(position)].code;
}

int addictionPosition(std::int32_t code) {
    for (std::size_t i = 0; i < kAddictions.size(); ++i)
        if (kAddictions[i].code == code)
            return static_cast<int>(i);
    return 0;
}

std::string_view projectileFileName(int position) {
    switch (position) {
    case 1:
        return "pro_crit.msg";
    case 5:
        return "pro_misc.msg";
    case 255:
        return "None";
    default:
        return "";
    }
}

} // namespace zantor
