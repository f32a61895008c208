// SPDX-License-Identifier: GPL-3.0-or-later
#include "check_world.h"

#include "record/item_record.h"
#include "support/item_bytes.h"

#include <stdexcept>
#include <vector>

namespace zantor::test {

namespace {

const char* const kItemFiles[] = {"armor.pro", "box.pro",  "drug.pro", "weapon.pro",
                                  "ammo.pro",  "misc.pro", "key.pro"};
const char* const kItemNames[] = {"Armor", "Box", "Drug", "Weapon", "Ammo", "Misc", "Key"};
constexpr std::int32_t kAmmoId = 5; // the ammo item's ID: the weapon's default ammo

std::int32_t textIdOf(int typeByte) {
    return (typeByte + 1) * 100;
}

// An item at another ID and text id, named in pro_item.msg.
Bytes renumbered(CheckWorld& w, int typeByte, std::int32_t id, const std::string& name) {
    Bytes b = CheckWorld::cleanItem(typeByte);
    put32(b, 0, id);
    put32(b, 4, id * 100);
    w.name(id * 100, name);
    return b;
}

void replaceLine(CheckWorld& w, const std::string& file, const std::string& start,
                 const std::string& by) {
    w.files[file][w.line(file, start)] = by;
}

} // namespace

Bytes CheckWorld::cleanItem(int typeByte) {
    const std::size_t section = typeByte == 5 ? 13 : itemTypeByCode(typeByte)->sectionSize;
    Bytes b(kHeaderSize + section);
    put32(b, 0, typeByte + 1);
    put32(b, 4, textIdOf(typeByte));
    b[35] = static_cast<unsigned char>(typeByte);
    put32(b, 44, 1);
    put32(b, 48, 1);
    b[52] = 7;
    switch (typeByte) {
    case 0: // male and female looks: the two critters
        b[121] = 1;
        b[125] = 1;
        put24(b, 126, 1);
        break;
    case 2: // no statistics
        for (const std::size_t at : {57, 61, 65})
            put32(b, at, -1);
        break;
    case 3: // a projectile from pro_crit.msg, calibre 1, the ammo item as default
        b[81] = 1;
        put24(b, 82, 1);
        put32(b, 109, 1);
        put32(b, 113, kAmmoId);
        put32(b, 117, 5);
        break;
    case 4:
        put32(b, 57, 1);
        break;
    default:
        break;
    }
    return b;
}

CheckWorld::CheckWorld() {
    files[std::string(kProItemMsgFile)] = {"# items"};
    for (int t = 0; t < 7; ++t) {
        items[kItemFiles[t]] = cleanItem(t);
        name(textIdOf(t), kItemNames[t]);
    }
    files[std::string(kProtoMsgFile)] = {"{10}{}{No material}", "{100}{}{Iron}", "{250}{}{Blunt}",
                                         "{300}{}{None}",       "{301}{}{Slug}", "{302}{}{Shell}"};
    files[std::string(kStatMsgFile)] = {"{100}{}{Brawn}"};
    files[std::string(kProCritMsgFile)] = {"{100}{}{Spark}"};
    files[std::string(kProMiscMsgFile)] = {"{100}{}{Puff}"};
    files[std::string(kItemsLstFile)] = {"a.frm", "b.frm"};
    files[std::string(kInvenLstFile)] = {"ia.frm"};
    files[std::string(kCrittersLstFile)] = {"hmx", "hfx"};
    pictures = {"a.bmp", "b.bmp", "ia.bmp"};
}

void CheckWorld::name(std::int32_t textId, const std::string& itemName) {
    auto& lines = files[std::string(kProItemMsgFile)];
    lines.push_back("{" + std::to_string(textId) + "}{}{" + itemName + "}");
    lines.push_back("{" + std::to_string(textId + 1) + "}{}{About " + itemName + ".}");
}

std::size_t CheckWorld::line(const std::string& file, const std::string& start) const {
    const auto& lines = files.at(file);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].starts_with(start))
            return i;
    throw std::out_of_range(file + " has no line " + start);
}

CheckRequest CheckWorld::write(const TempDir& dir) const {
    for (const auto& [name, bytes] : items)
        dir.write("items/" + name, bytes);
    for (const auto& [name, lines] : files) {
        std::string text;
        for (const auto& l : lines)
            text += l + "\r\n";
        dir.write("files/" + name, text);
    }
    for (const auto& p : pictures)
        dir.write("files/" + p, std::string("BM"));
    CheckRequest r;
    r.itemFolder = dir.file("items");
    for (const Folder f : {Folder::Msg, Folder::ItemsLst, Folder::InvenLst, Folder::CrittersLst})
        r.paths.setFolder(f, dir.file("files"));
    return r;
}

bool plantableHere(std::string_view rule) {
#ifdef _WIN32
    return rule != "file-name-case";
#else
    (void)rule;
    return true;
#endif
}

const std::vector<PlantedFault>& plantedFaults() {
    const std::string proItem(kProItemMsgFile);
    const std::string proto(kProtoMsgFile);
    static const std::vector<PlantedFault> all{
        {"duplicate-item-id", "zdup.pro", "itemIDfield",
         [](CheckWorld& w) {
             Bytes b = renumbered(w, 1, 8, "Copy");
             put32(b, 0, 2); // the box's ID
             w.items["zdup.pro"] = b;
         }},
        {"file-name-case", "key.pro", "",
         [](CheckWorld& w) { w.items["KEY.pro"] = renumbered(w, 6, 20, "Other key"); }},
        {"unknown-item-type", "odd.pro", "iTypeList",
         [](CheckWorld& w) {
             Bytes b = renumbered(w, 6, 30, "Odd");
             b[35] = 9;
             w.items["odd.pro"] = b;
         }},
        {"file-too-short", "short.pro", "",
         [](CheckWorld& w) {
             Bytes b = renumbered(w, 3, 31, "Short");
             b.resize(100);
             w.items["short.pro"] = b;
         }},
        {"file-too-long", "box.pro", "",
         [](CheckWorld& w) { w.items["box.pro"].resize(kHeaderSize + 8 + 3); }},
        {"unknown-attack-mode", "weapon.pro", "atkMode2List",
         [](CheckWorld& w) { w.items["weapon.pro"][27] = 0x90; }},
        {"unknown-looks", "weapon.pro", "looksList",
         [](CheckWorld& w) { w.items["weapon.pro"][60] = 11; }},
        {"unknown-projectile-file", "weapon.pro", "fireFileList",
         [](CheckWorld& w) { w.items["weapon.pro"][81] = 2; }},
        {"beyond-art-list", "armor.pro", "maleLooksList",
         [](CheckWorld& w) { put24(w.items["armor.pro"], 122, 2); }},
        {"empty-name", "armor.pro", "textIDfield",
         [proItem](CheckWorld& w) { replaceLine(w, proItem, "{100}", "{100}{}{}"); }},
        {"shared-text-id", "misc.pro", "textIDfield",
         [](CheckWorld& w) { put32(w.items["key.pro"], 4, 600); }},
        {"unnamed-reference", "box.pro", "materialIDfield",
         [](CheckWorld& w) { put32(w.items["box.pro"], 36, 99); }},
        {"default-ammo-not-ammo", "weapon2.pro", "ammoIDfield",
         [](CheckWorld& w) {
             Bytes b = renumbered(w, 3, 40, "Second weapon");
             put32(b, 113, 2); // the box
             w.items["weapon2.pro"] = b;
         }},
        {"calibre-mismatch", "weapon.pro", "ammoTypeIDfield",
         [](CheckWorld& w) { put32(w.items["weapon.pro"], 109, 2); }},
        {"unknown-drug-code", "drug.pro", "statList1",
         [](CheckWorld& w) { put32(w.items["drug.pro"], 57, 50); }},
        {"negative-weight-or-price", "misc.pro", "priceField",
         [](CheckWorld& w) { put32(w.items["misc.pro"], 48, -5); }},
        {"no-description", "armor.pro", "descField",
         [proItem](CheckWorld& w) { replaceLine(w, proItem, "{101}", "{101}{}{}"); }},
        {"no-preview", "ammo.pro", "invenArtList",
         [](CheckWorld& w) {
             w.files[std::string(kInvenLstFile)].push_back("ib.frm");
             put24(w.items["ammo.pro"], 53, 1);
         }},
        {"skipped-file", "tiny.pro", "", [](CheckWorld& w) { w.items["tiny.pro"] = Bytes(10); }},
        {"unreadable-file", std::string(kStatMsgFile), "",
         [](CheckWorld& w) { w.files.erase(std::string(kStatMsgFile)); }},
        {"unclosed-brace", proto, "",
         [proto](CheckWorld& w) {
             w.files[proto].push_back("{900}{}{Open");
             w.files[proto].push_back("{901}{}{Hidden}");
         }},
        {"write-back-differs", proItem, "",
         [proItem](CheckWorld& w) {
             auto& lines = w.files[proItem];
             const std::size_t at = w.line(proItem, "{301}");
             const std::string description = lines[at];
             lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
             lines.push_back(description);
         }},
        {"duplicate-message-id", proto, "",
         [proto](CheckWorld& w) { w.files[proto].push_back("{100}{}{Steel}"); }},
        {"brace-in-text", proto, "",
         [proto](CheckWorld& w) { w.files[proto].push_back("{950}{}{Curly {x}}"); }},
        {"not-crlf", std::string(kProMiscMsgFile), "",
         [](CheckWorld& w) {
             w.files[std::string(kProMiscMsgFile)].push_back("{200}{}{Flare}\n{300}{}{Smoke}");
         }},
    };
    static const std::vector<PlantedFault> faults = [] {
        std::vector<PlantedFault> here = all;
        std::erase_if(here, [](const PlantedFault& f) { return !plantableHere(f.rule); });
        return here;
    }();
    return faults;
}

} // namespace zantor::test
