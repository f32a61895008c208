// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/fields.h"

#include <vector>

namespace zantor {

namespace {

using K = FieldKind;
using R = Refresh;

constexpr int kStatCount = kStatLastId - kStatFirstId + 1;
constexpr int kCalibreCount = kCalibreLastId - kCalibreFirstId + 1;
constexpr std::string_view kStepHint = "Use UP and DOWN keys to change values.";
constexpr std::string_view kEmpHint = "Electro-Magnetic Pulse.";

// Every table is in the order in which the record display fills the controls.
const Field kCommon[] = {
    {"none", 0, 4, K::Number, "itemIDfield", "ID:", 0, -1, R::None, 11},
    {"none", 4, 4, K::Number, "textIDfield", "Text ID:", 0, -1, R::NameAndDescription, 11,
     "Use UP and DOWN keys to change value."},
    {"none", 8, 4, K::ListWhole, "groundArtList", "Pic on ground:", 0, -1, R::GroundPreview},
    {"none", 36, 4, K::Number, "materialIDfield", "Material ID:", 0, -1, R::MaterialName, 11,
     "Use UP and DOWN keys to change value"},
    {"none", 44, 4, K::Number, "weightField", "Weight:", 0, -1, R::None, 11},
    {"none", 48, 4, K::Number, "priceField", "Price:", 0, -1, R::None, 11},
    {"none", 52, 4, K::ListCoded, "invenArtList", "Pic in inventory:", 0, 7, R::InventoryPreview},
    {"none", 35, 1, K::ItemType, "iTypeList", "Item type:", 7, -1, R::PageStep},
};

const Field kArmor[] = {
    {"armor", 57, 4, K::Number, "ACfield", "AC:", 0, -1, R::None, 3,
     "Armor Class. It IS possible to set this over 999, but that will only slow the game, "
     "because in combat, you can't have more than 999 AC."},
    {"armor", 61, 4, K::Number, "DRnormalField", "Normal:", 0, -1, R::None, 3},
    {"armor", 65, 4, K::Number, "DRlaserField", "Laser:", 0, -1, R::None, 3},
    {"armor", 69, 4, K::Number, "DRfireField", "Fire:", 0, -1, R::None, 3},
    {"armor", 73, 4, K::Number, "DRplasmaField", "Plasma:", 0, -1, R::None, 3},
    {"armor", 77, 4, K::Number, "DRelectricField", "Electric:", 0, -1, R::None, 3},
    {"armor", 81, 4, K::Number, "DRempField", "EMP:", 0, -1, R::None, 3, kEmpHint},
    {"armor", 85, 4, K::Number, "DRexpField", "Explosions:", 0, -1, R::None, 3},
    {"armor", 89, 4, K::Number, "DTnormalField", "Normal:", 0, -1, R::None, 3},
    {"armor", 93, 4, K::Number, "DTlaserField", "Laser:", 0, -1, R::None, 3},
    {"armor", 97, 4, K::Number, "DTfireField", "Fire:", 0, -1, R::None, 3},
    {"armor", 101, 4, K::Number, "DTplasmaField", "Plasma:", 0, -1, R::None, 3},
    {"armor", 105, 4, K::Number, "DTelectricField", "Electric:", 0, -1, R::None, 3},
    {"armor", 109, 4, K::Number, "DTempField", "EMP:", 0, -1, R::None, 3, kEmpHint},
    {"armor", 113, 4, K::Number, "DTexpField", "Explosions:", 0, -1, R::None, 3},
    {"armor", 121, 4, K::ListCoded, "maleLooksList", "Male looks:", 0, 1, R::MaleLooks},
    {"armor", 125, 4, K::ListCoded, "femaleLooksList", "Female looks:", 0, 1, R::FemaleLooks},
};

const Field kContainer[] = {
    {"container", 57, 4, K::Number, "containerCapacity", "Capacity (lbs):", 0, -1, R::None, 11},
};

const Field kDrug[] = {
    {"drug", 57, 4, K::Statistic, "statList1", "Stat 1:", kStatCount + 2, 1},
    {"drug", 61, 4, K::Statistic, "statList2", "Stat 2:", kStatCount + 1, 0},
    {"drug", 65, 4, K::Statistic, "statList3", "Stat 3:", kStatCount + 1, 0},
    {"drug", 69, 4, K::Number, "effectField11", "Immediately:", 0, -1, R::None, 11},
    {"drug", 73, 4, K::Number, "effectField12", "Immediately:", 0, -1, R::None, 11},
    {"drug", 77, 4, K::Number, "effectField13", "Immediately:", 0, -1, R::None, 11},
    {"drug", 81, 4, K::Number, "midTermField", "Mid-time:", 0, -1, R::None, 11,
     "After how many minutes will the Mid-term effect take place"},
    {"drug", 85, 4, K::Number, "effectField21", "Mid-term:", 0, -1, R::None, 11},
    {"drug", 89, 4, K::Number, "effectField22", "Mid-term:", 0, -1, R::None, 11},
    {"drug", 93, 4, K::Number, "effectField23", "Mid-term:", 0, -1, R::None, 11},
    {"drug", 97, 4, K::Number, "longTermField", "Long-time:", 0, -1, R::None, 11,
     "After how many minutes will the Long-term effect take place"},
    {"drug", 101, 4, K::Number, "effectField31", "Long-term:", 0, -1, R::None, 11},
    {"drug", 105, 4, K::Number, "effectField32", "Long-term:", 0, -1, R::None, 11},
    {"drug", 109, 4, K::Number, "effectField33", "Long-term:", 0, -1, R::None, 11},
    {"drug", 113, 4, K::Number, "addictionField", "Addiction chance (%):", 0, -1, R::None, 11},
    {"drug", 117, 4, K::Addiction, "addList", "Addiction type:", 7},
    {"drug", 121, 4, K::Number, "withdrawField", "Withdraw time:", 0, -1, R::None, 11},
};

const Field kWeapon[] = {
    {"none", 27, 1, K::AttackMode, "atkMode1List", "Attack mode 1:", 9, 0},
    {"none", 27, 1, K::AttackMode, "atkMode2List", "Attack mode 2:", 9, 4},
    {"weapon", 60, 1, K::ListByte, "looksList", "Looks:", 11},
    {"weapon", 61, 4, K::Number, "minDmgField", "Min. damage:", 0, -1, R::None, 11},
    {"weapon", 65, 4, K::Number, "maxDmgField", "Max. damage:", 0, -1, R::None, 11},
    {"weapon", 72, 1, K::Byte, "damageTypeIDfield", "Damage type ID:", 0, -1, R::DamageTypeName, 11,
     kStepHint},
    {"weapon", 73, 4, K::AttackRow, "range1Field", "Range:", 0, 1, R::None, 3},
    {"weapon", 77, 4, K::AttackRow, "range2Field", "Range:", 0, 2, R::None, 3},
    {"weapon", 81, 1, K::ProjectileFile, "fireFileList", "Projectile file:", kProjectileFileCount,
     -1, R::ProjectileName},
    {"weapon", 81, 4, K::ProjectileId, "fireArtIDField", "Projectile ID:", 0, -1, R::None, 11,
     kStepHint, "fireFileList"},
    {"weapon", 85, 4, K::Number, "minSTfield", "Min. ST:", 0, -1, R::None, 11},
    {"weapon", 89, 4, K::AttackRow, "ap1field", "AP:", 0, 1, R::None, 11},
    {"weapon", 93, 4, K::AttackRow, "ap2field", "AP:", 0, 2, R::None, 11},
    {"weapon", 97, 4, K::Number, "reloadAP", "Reload AP:", 0, -1, R::None, 11},
    {"weapon", 105, 4, K::Number, "burstAmmoField", "Burst amount:", 0, -1, R::None, 11},
    {"weapon", 109, 4, K::Number, "ammoTypeIDfield", "Ammo type ID:", 0, -1, R::AmmoTypeName, 11,
     kStepHint},
    {"weapon", 113, 4, K::Number, "ammoIDfield", "Default ammo ID:", 0, -1, R::DefaultAmmoName, 11,
     kStepHint},
    {"weapon", 117, 4, K::Number, "capacityField", "Capacity:", 0, -1, R::None, 11},
    {"weapon", 121, 1, K::Byte, "fireSoundIDfield", "Fire sound ID:", 0, -1, R::None, 3},
};

const Field kAmmo[] = {
    {"ammo", 57, 4, K::ListWhole, "ammoTypeList", "Ammo type:", kCalibreCount},
    {"ammo", 61, 4, K::Number, "ammo_capacity", "Ammo per magazine:", 0, -1, R::None, 11},
    {"ammo", 65, 4, K::Number, "ACmodField", "AC modifier:", 0, -1, R::None, 11},
    {"ammo", 69, 4, K::Number, "DRmodField", "DR modifier:", 0, -1, R::None, 11},
    {"ammo", 73, 4, K::Number, "ACdmgMod", "AC damage modifier:", 0, -1, R::None, 11},
    {"ammo", 77, 4, K::Number, "DRdmgMod", "DR damage modifier:", 0, -1, R::None, 11},
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

std::span<const Field> sectionFields(std::string_view typeName) {
    if (typeName == "armor")
        return kArmor;
    if (typeName == "container")
        return kContainer;
    if (typeName == "drug")
        return kDrug;
    if (typeName == "weapon")
        return kWeapon;
    if (typeName == "ammo")
        return kAmmo;
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
