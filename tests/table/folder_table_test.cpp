// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.h"
#include "support/error_of.h"
#include "support/item_bytes.h"
#include "table/folder_table.h"
#include "table_world.h"

#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

namespace {

FolderTable load(const TableWorld& w) {
    TableSource s;
    s.folder = w.items();
    s.paths = w.paths();
    return FolderTable(s);
}

int col(std::string_view key) {
    return columnIndex(key);
}

std::size_t rowOf(const FolderTable& t, const char* file) {
    return *t.rowOfFile(file);
}

} // namespace

TEST(FolderTable, columnsFollowTheFieldTablesWithNamesBesideTheirNumbers) {
    EXPECT_EQ(tableColumns()[0].key, "file");
    EXPECT_EQ(tableColumns()[3].key, "descField");
    for (const Field* f : allFields())
        EXPECT_GE(col(f->control), 0) << f->control;
    EXPECT_EQ(col("materialNameField"), col("materialIDfield") + 1);
    EXPECT_EQ(col("fireArtNameField"), col("fireArtIDField") + 1);
    EXPECT_EQ(col("ammoNameField"), col("ammoIDfield") + 1);
}

TEST(FolderTable, cellsShowWhatTheFormShows) {
    TableWorld w;
    const FolderTable t = load(w);
    ASSERT_EQ(t.rowCount(), 4u);
    EXPECT_EQ(t.row(0).fileName, "armor.pro"); // the browser's order of file names
    const struct {
        const char* file;
        const char* column;
        const char* text;
    } cases[] = {
        {"weapon.pro", "type", "weapon"},
        {"weapon.pro", "nameField", "Rifle"},
        {"weapon.pro", "descField", "A long gun."},
        {"weapon.pro", "priceField", "1100"},
        {"weapon.pro", "groundArtList", "rifle.frm"},
        {"weapon.pro", "materialNameField", "Iron"},
        {"weapon.pro", "atkMode1List", "Single"},
        {"weapon.pro", "atkMode2List", "Burst"},
        {"weapon.pro", "looksList", "Rifle"},
        {"weapon.pro", "damageTypeNameField", "Fire"},
        {"weapon.pro", "fireFileList", "pro_crit.msg"},
        {"weapon.pro", "fireArtNameField", "Bolt"},
        {"weapon.pro", "ammoTypeNameFIeld", "Slug"},
        {"weapon.pro", "ACfield", ""}, // another type's field
        {"drug.pro", "statList1", "Min value of stat 2"},
        {"drug.pro", "statList2", "Luck"},
        {"drug.pro", "statList3", "None"},
        {"drug.pro", "addList", "60"}, // a code with no entry shows as its number
        {"drug.pro", "invenArtList", "idrug.frm"},
        {"armor.pro", "maleLooksList", "hfjmps"},
        {"armor.pro", "femaleLooksList", "9"},
        {"key.pro", "nameField", "Key"},
        {"key.pro", "minDmgField", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(t.cell(rowOf(t, c.file), col(c.column)), c.text) << c.file << " " << c.column;
    EXPECT_FALSE(t.editable(rowOf(t, "key.pro"), col("minDmgField")));
    EXPECT_FALSE(t.editable(rowOf(t, "weapon.pro"), col("materialNameField")));
}

TEST(FolderTable, cellsTakeWhatTheFormTakes) {
    TableWorld w;
    FolderTable t = load(w);
    const struct {
        const char* file;
        const char* column;
        const char* text;
        const char* shown; // the cell afterwards, or the error
    } cases[] = {
        {"weapon.pro", "priceField", "1250", "1250"},
        {"weapon.pro", "priceField", "12x0", "'12x0' is not a valid integer value"},
        {"weapon.pro", "priceField", "99999999999", "'99999999999' is not a valid integer value"},
        {"weapon.pro", "range1Field", "1000",
         "'1000' is longer than the 3 characters that range1Field takes"},
        {"weapon.pro", "ammoIDfield", "17821695", "0"},
        {"weapon.pro", "atkMode1List", "burst(FLAME)", "Burst(Flame)"},
        {"weapon.pro", "atkMode1List", "5", "Throw"},
        {"weapon.pro", "atkMode1List", "Swung", "'Swung' is not an entry of atkMode1List"},
        {"weapon.pro", "atkMode1List", "9", "'9' is not an entry of atkMode1List"},
        {"weapon.pro", "ACfield", "3", "weapon items have no ACfield: the cell must be empty"},
        {"weapon.pro", "type", "armor", "type cannot be changed here"},
        {"weapon.pro", "nameField", "Long}Gun",
         "The name holds '}', which the game's text tables cannot store."},
        {"weapon.pro", "nameField", "Long\nGun",
         "The name is one line: it cannot hold a line break"},
        {"weapon.pro", "nameField", "\xCE\xA9",
         "The name holds characters that the game's text tables cannot store: \xCE\xA9"},
        {"weapon.pro", "descField", "Two\r\nlines", "Two\r\nlines"},
        {"drug.pro", "statList2", "Luck", "Luck"}, // unchanged: no question of ambiguity
        {"drug.pro", "statList3", "luck", "'luck' is ambiguous: 2 entries of statList3 read so"},
        {"drug.pro", "statList3", "2", "Luck"}, // a number is the stored value
        {"drug.pro", "statList1", "-2", "Min value of stat 2"},
        {"drug.pro", "addList", "jet", "Jet"},
        {"drug.pro", "addList", "55", "Mentats"},
        {"drug.pro", "addList", "61", "'61' is not an entry of addList"},
    };
    for (const auto& c : cases) {
        const std::size_t r = rowOf(t, c.file);
        const std::string error = errorOf([&] { t.setCell(r, col(c.column), c.text); });
        EXPECT_EQ(error == "no error" ? t.cell(r, col(c.column)) : error, c.shown)
            << c.file << " " << c.column << " " << c.text;
    }
}

TEST(FolderTable, anotherTextIdShowsThatEntrysNameAsTheFormDoes) {
    TableWorld w;
    FolderTable t = load(w);
    const std::size_t r = rowOf(t, "key.pro");
    t.setCell(r, col("textIDfield"), "500");
    EXPECT_EQ(t.cell(r, col("nameField")), "Other");
    EXPECT_EQ(t.cell(r, col("descField")), "");
    EXPECT_TRUE(t.isChanged(r, col("nameField")));
}

TEST(FolderTable, saveAllWritesOnlyChangedItemsAndTheTextsOnce) {
    TableWorld w;
    FolderTable t = load(w);
    const Bytes armor = readAll(w.item("armor.pro"));
    const Bytes key = readAll(w.item("key.pro"));
    const std::size_t weapon = rowOf(t, "weapon.pro");
    const std::size_t drug = rowOf(t, "drug.pro");
    t.setCell(weapon, col("priceField"), "1250");
    t.setCell(weapon, col("nameField"), "Long Rifle");
    t.setCell(drug, col("descField"), "Very bitter.");
    t.setCell(rowOf(t, "key.pro"), col("weightField"), "7");
    t.setCell(rowOf(t, "key.pro"), col("weightField"),
              t.shownCell(rowOf(t, "key.pro"), col("weightField")));
    EXPECT_EQ(t.changedRowCount(), 2u);

    const auto report = t.saveAll();
    EXPECT_TRUE(report.failed.empty());
    EXPECT_EQ(report.saved, (std::vector<std::string>{"drug.pro", "weapon.pro"}));
    EXPECT_EQ(readAll(w.item("armor.pro")), armor);
    EXPECT_EQ(readAll(w.item("key.pro")), key);
    const Bytes saved = readAll(w.item("weapon.pro"));
    EXPECT_EQ(get32(saved, 48), 1250);
    EXPECT_EQ(saved[27], 0x67); // as the form's Save: the higher code low
    EXPECT_TRUE(isReadOnly(w.item("weapon.pro")));
    EXPECT_EQ(readText(w.proItemMsg()), "{100}{}{Long Rifle}\r\n{101}{}{A long gun.}\r\n"
                                        "{200}{}{Tonic}\r\n{201}{}{Very bitter.}\r\n"
                                        "{300}{}{Jerkin}\r\n{301}{}{Quilted.}\r\n"
                                        "{400}{}{Key}\r\n{401}{}{Opens a door.}\r\n"
                                        "{500}{}{Other}\r\n{400}{}{Shadowed}\r\n");
    EXPECT_EQ(t.changedRowCount(), 0u);
    EXPECT_EQ(t.cell(weapon, col("nameField")), "Long Rifle");
    EXPECT_EQ(t.cell(drug, col("addList")), "60"); // kept: the list was not touched
    EXPECT_EQ(get32(readAll(w.item("drug.pro")), 117), 60);
}

TEST(FolderTable, aFailedItemFileIsReportedAndTheOthersAreSaved) {
    TableWorld w;
    FolderTable t = load(w);
    t.setCell(rowOf(t, "weapon.pro"), col("priceField"), "1");
    t.setCell(rowOf(t, "armor.pro"), col("priceField"), "2");
    t.setCell(rowOf(t, "key.pro"), col("priceField"), "3");
    std::filesystem::remove(w.item("armor.pro"));
    std::filesystem::create_directory(w.item("armor.pro")); // cannot be replaced by a file
    // Another program's change since the table read the key is not written over.
    Bytes key = readAll(w.item("key.pro"));
    put32(key, 48, 77);
    writeFileAtomic(w.item("key.pro"), key);
    // An import writes all or nothing.
    const Bytes weapon = readAll(w.item("weapon.pro"));
    EXPECT_EQ(t.saveAll(BatchWrite::AllOrNothing).failed.size(), 2u);
    EXPECT_EQ(readAll(w.item("weapon.pro")), weapon);
    EXPECT_TRUE(t.rowChanged(rowOf(t, "weapon.pro")));

    const auto report = t.saveAll();
    ASSERT_EQ(report.failed.size(), 2u);
    EXPECT_EQ(report.failed[0].first, "armor.pro");
    EXPECT_EQ(report.failed[1].first, "key.pro");
    EXPECT_EQ(report.failed[1].second,
              joinPath(w.items(), "key.pro") +
                  " was changed on disk since it was read; nothing was written");
    EXPECT_EQ(readAll(w.item("key.pro")), key);
    EXPECT_EQ(report.saved, std::vector<std::string>{"weapon.pro"});
    EXPECT_TRUE(t.rowChanged(rowOf(t, "armor.pro")));
    EXPECT_TRUE(t.rowChanged(rowOf(t, "key.pro")));
}

TEST(FolderTable, unreadableItemsAreNamedAndLeftOut) {
    TableWorld w;
    w.dir.write("items/short.pro", Bytes(58, 0)); // longer than the scan header, no section
    const FolderTable t = load(w);
    EXPECT_EQ(t.rowCount(), 4u);
    ASSERT_EQ(t.readProblems().size(), 1u);
    EXPECT_EQ(t.readProblems()[0], "short.pro: Read beyond end of file");

    // A folder that is not there, or is a file, is an error rather than an empty table.
    for (const std::string& folder : {w.dir.file("nowhere"), w.item("key.pro")}) {
        TableSource s;
        s.folder = folder;
        s.paths = w.paths();
        EXPECT_EQ(errorOf([&] { FolderTable{s}; }), "'" + folder + "' is not a folder");
    }
}

TEST(FolderTable, numbersAddAndMultiplyWithinTheFormsRange) {
    EXPECT_EQ(addToNumber("1100", 150), "1250");
    EXPECT_EQ(multiplyNumber("1100", 1.1), "1210");
    EXPECT_EQ(multiplyNumber("-5", 0.5), "-3");
    EXPECT_EQ(errorOf([] { addToNumber("2147483647", 1); }),
              "'2147483648' is not a valid integer value");
    EXPECT_EQ(errorOf([] { addToNumber("x", 1); }), "'x' is not a valid integer value");
}
