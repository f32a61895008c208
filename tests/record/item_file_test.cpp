// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"
#include "record/item_file.h"
#include "record/value_form.h"
#include "support/error_of.h"
#include "support/item_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

namespace {

std::string readError(const std::string& path, ItemRecord& record) {
    return errorOf([&] { readItem(path, record); });
}

// Opens, shows, updates with the given rule and writes back, as the editor does
// for an item left unchanged.
Bytes saveUnchanged(const Bytes& file, AttackModeRule rule = AttackModeRule::Save) {
    TempDir dir;
    const std::string path = dir.write("item.pro", file);
    ItemRecord record;
    readItem(path, record);
    ValueForm form;
    recordDisplay(record, form);
    recordUpdate(record, form, rule);
    saveItem(path, record);
    return readAll(path);
}

struct TypeCase {
    int typeByte;
    std::size_t fileSize;
    const char* typeName;
};

} // namespace

TEST(ItemFile, everyTypeReadsAndWritesBackByteExact) {
    const TypeCase cases[] = {
        {0, 129, "armor"}, {1, 65, "container"}, {2, 125, "drug"}, {3, 122, "weapon"},
        {4, 81, "ammo"},   {5, 70, "misc"},      {5, 312, "misc"}, {6, 61, "key"},
        {9, 200, ""},      {200, 61, ""},
    };
    for (const auto& c : cases) {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            const Bytes file = makeItem(c.typeByte, c.fileSize, seed);
            TempDir dir;
            ItemRecord record;
            readItem(dir.write("a.pro", file), record);
            EXPECT_EQ(record.typeName(), c.typeName);
            EXPECT_EQ(saveUnchanged(file), file) << "type " << c.typeByte << " seed " << seed;
        }
    }
}

TEST(ItemFile, miscRemainderIsKeptWholeAtAnyLength) {
    for (std::size_t size : {61u, 70u, 312u, 313u, 5000u}) {
        const Bytes file = makeItem(5, size);
        TempDir dir;
        ItemRecord record;
        readItem(dir.write("a.pro", file), record);
        EXPECT_EQ(record.misc.size(), size - 57);
        EXPECT_EQ(saveUnchanged(file), file) << size;
    }
}

TEST(ItemFile, bytesBeyondTheSectionAreDroppedOnSave) {
    const Bytes file = makeItem(3, 130);
    const Bytes saved = saveUnchanged(file);
    EXPECT_EQ(saved, Bytes(file.begin(), file.begin() + 122));
}

TEST(ItemFile, shortFilesAreRefusedAndChangeNothing) {
    TempDir dir;
    ItemRecord record;
    readItem(dir.write("ok.pro", makeItem(4, 81, 7)), record);
    const ItemRecord before = record;
    const std::pair<Bytes, const char*> cases[] = {
        {makeItem(6, 60), "Read beyond end of file"},
        {Bytes(), "Read beyond end of file"},
        {makeItem(3, 100), "Read beyond end of file"},
        {makeItem(0, 128), "Read beyond end of file"},
        {makeItem(2, 124), "Read beyond end of file"},
    };
    for (const auto& [bytes, message] : cases) {
        EXPECT_EQ(readError(dir.write("bad.pro", bytes), record), message);
        EXPECT_EQ(record.header, before.header);
        EXPECT_EQ(record.typeName(), "ammo");
        EXPECT_EQ(record.ammo, before.ammo);
    }
    EXPECT_EQ(readError(dir.file("none.pro"), record), "File not found");
    EXPECT_EQ(readError(dir.file("nodir/none.pro"), record), "Invalid filename");
    EXPECT_EQ(record.header, before.header);
}

TEST(ItemFile, readingLeavesTheOtherTypesAreasAlone) {
    TempDir dir;
    ItemRecord record;
    readItem(dir.write("w.pro", makeItem(3, 122, 1)), record);
    const auto weapon = record.weapon;
    readItem(dir.write("a.pro", makeItem(0, 129, 2)), record);
    EXPECT_EQ(record.typeName(), "armor");
    EXPECT_EQ(record.weapon, weapon);
}

TEST(ItemFile, aReadOnlyFileOpensAndSaveLeavesItReadOnly) {
    TempDir dir;
    const std::string path = dir.write("a.pro", makeItem(6, 61));
    setWritable(path, false);
    ItemRecord record;
    readItem(path, record);
    EXPECT_EQ(record.typeName(), "key");
    saveItem(path, record);
    EXPECT_TRUE(isReadOnly(path));
    saveItem(path, record); // twice in a row
    EXPECT_TRUE(isReadOnly(path));
    EXPECT_EQ(readAll(path), makeItem(6, 61));
}

TEST(ItemFile, saveAsOntoAReadOnlyFileIsRefusedAndLeavesItWhole) {
    TempDir dir;
    ItemRecord record;
    readItem(dir.write("a.pro", makeItem(4, 81)), record);
    const std::string target = dir.write("b.pro", std::string("keep me"));
    setWritable(target, false);
    try {
        saveItemAs(target, record);
        ADD_FAILURE() << "wrote a read-only file";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_EQ(readAll(target), toBytes("keep me"));

    const std::string fresh = dir.file("c.pro");
    saveItemAs(fresh, record);
    EXPECT_EQ(readAll(fresh), makeItem(4, 81));
    EXPECT_FALSE(isReadOnly(fresh));
}

TEST(ItemFile, writingIntoAMissingFolderFailsWithInvalidFilename) {
    TempDir dir;
    ItemRecord record;
    readItem(dir.write("a.pro", makeItem(4, 81)), record);
    for (auto save : {&saveItem, &saveItemAs}) {
        try {
            save(dir.file("nodir/a.pro"), record);
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Invalid filename");
        }
    }
}
