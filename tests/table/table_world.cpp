// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_world.h"

#include "support/item_bytes.h"

#include <filesystem>

namespace zantor::test {

TableWorld::TableWorld() {
    std::filesystem::create_directories(items());
    std::filesystem::create_directories(files());
    Bytes weapon = makeItem(3, 122, 1);
    put32(weapon, 4, 100);
    put32(weapon, 8, 1);  // ground picture: second entry
    put32(weapon, 36, 2); // material
    put32(weapon, 48, 1100);
    put24(weapon, 53, 0);
    weapon[27] = 0x76; // Single low, Burst high
    weapon[60] = 7;    // Rifle
    weapon[72] = 3;    // damage type
    weapon[81] = 1;
    put24(weapon, 82, 12); // projectile
    put32(weapon, 109, 5); // calibre
    put32(weapon, 113, 4); // default ammunition
    Bytes drug = makeItem(2, 125, 2);
    put32(drug, 4, 200);
    put32(drug, 8, 0);
    put24(drug, 53, 1);
    put32(drug, 57, -2);
    put32(drug, 61, 3);
    put32(drug, 65, -1);
    put32(drug, 117, 60);
    Bytes armor = makeItem(0, 129, 3);
    put32(armor, 4, 300);
    put32(armor, 8, 0);
    put24(armor, 53, 0);
    put24(armor, 122, 1);
    put24(armor, 126, 9); // no such critter line
    Bytes key = makeItem(6, 61, 4);
    put32(key, 4, 400);
    put32(key, 8, 0);
    put24(key, 53, 0);
    dir.write("items/weapon.pro", weapon);
    dir.write("items/drug.pro", drug);
    dir.write("items/armor.pro", armor);
    dir.write("items/key.pro", key);
    dir.write("files/pro_item.msg", "{100}{}{Rifle}\r\n{101}{}{A long gun.}\r\n"
                                    "{200}{}{Tonic}\r\n{201}{}{Bitter.}\r\n"
                                    "{300}{}{Jerkin}\r\n{301}{}{Quilted.}\r\n"
                                    "{400}{}{Key}\r\n{401}{}{Opens a door.}\r\n"
                                    "{500}{}{Other}\r\n{400}{}{Shadowed}\r\n");
    dir.write("files/proto.msg", "{102}{}{Iron}\r\n{253}{}{Fire}\r\n{305}{}{Slug}\r\n"
                                 "{300}{}{None}\r\n{301}{}{Arrow}\r\n");
    dir.write("files/stat.msg", "{100}{}{Strength}\r\n{102}{}{Luck}\r\n{103}{}{Luck}\r\n");
    dir.write("files/pro_Crit.msg", "{1200}{}{Bolt}\r\n");
    dir.write("files/pro_Misc.msg", "");
    dir.write("files/items.lst", "knife.frm\r\nrifle.frm\r\n");
    dir.write("files/inven.lst", "iknife.frm\r\nidrug.frm\r\n");
    dir.write("files/critters.lst", "hmjmps\r\nhfjmps\r\n");
}

DerivedPaths TableWorld::paths() const {
    DerivedPaths p;
    p.setMsgFolder(files());
    p.setItemsLstFolder(files());
    p.setInvenLstFolder(files());
    p.setCrittersLstFolder(files());
    return p;
}

std::string TableWorld::snapshot() const {
    std::string all;
    for (const std::string& folder : {items(), files()})
        for (const auto& e : std::filesystem::directory_iterator(folder))
            if (e.is_regular_file())
                all += e.path().string() + "\n" + readText(e.path().string()) + "\n";
    return all;
}

} // namespace zantor::test
