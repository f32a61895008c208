// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"
#include "record/item_file.h"
#include "record/value_form.h"
#include "support/item_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

namespace {

// An item record read from the given bytes, and the form the record display filled.
struct Shown {
    ItemRecord record;
    ValueForm form;
};

Shown show(const Bytes& file) {
    TempDir dir;
    Shown s;
    readItem(dir.write("item.pro", file), s.record);
    recordDisplay(s.record, s.form);
    return s;
}

Bytes updated(Shown& s, AttackModeRule rule = AttackModeRule::Save) {
    recordUpdate(s.record, s.form, rule);
    return itemFileBytes(s.record);
}

// Records every call the record display makes, in order.
class RecordingForm : public ValueForm {
public:
    std::vector<std::string> calls;
    void setText(std::string_view c, const std::string& t) override {
        calls.emplace_back(c);
        ValueForm::setText(c, t);
    }
    void setPosition(std::string_view c, int p) override {
        calls.emplace_back(c);
        ValueForm::setPosition(c, p);
    }
    void refresh(Refresh what) override { calls.push_back("<" + std::to_string(int(what)) + ">"); }
};

std::string ref(Refresh r) {
    return "<" + std::to_string(int(r)) + ">";
}

} // namespace

TEST(RecordForm, weaponDisplayRunsEachRefreshRightAfterItsField) {
    Bytes file = makeItem(3, 122);
    TempDir dir;
    ItemRecord record;
    readItem(dir.write("w.pro", file), record);
    RecordingForm form;
    recordDisplay(record, form);
    using R = Refresh;
    const std::vector<std::string> expected{"itemIDfield",
                                            "textIDfield",
                                            ref(R::NameAndDescription),
                                            "groundArtList",
                                            ref(R::GroundPreview),
                                            "materialIDfield",
                                            ref(R::MaterialName),
                                            "weightField",
                                            "priceField",
                                            "invenArtList",
                                            ref(R::InventoryPreview),
                                            "iTypeList",
                                            ref(R::PageStep),
                                            "atkMode1List",
                                            "atkMode2List",
                                            "looksList",
                                            "minDmgField",
                                            "maxDmgField",
                                            "damageTypeIDfield",
                                            ref(R::DamageTypeName),
                                            "range1Field",
                                            "range2Field",
                                            "fireFileList",
                                            ref(R::ProjectileName),
                                            "fireArtIDField",
                                            "minSTfield",
                                            "ap1field",
                                            "ap2field",
                                            "reloadAP",
                                            "burstAmmoField",
                                            "ammoTypeIDfield",
                                            ref(R::AmmoTypeName),
                                            "ammoIDfield",
                                            ref(R::DefaultAmmoName),
                                            "capacityField",
                                            "fireSoundIDfield",
                                            ref(R::Enabling)};
    EXPECT_EQ(form.calls, expected);
}

TEST(RecordForm, armorDisplayDescribesEachLooksRightAfterItsList) {
    TempDir dir;
    ItemRecord record;
    readItem(dir.write("a.pro", makeItem(0, 129)), record);
    RecordingForm form;
    recordDisplay(record, form);
    const auto& c = form.calls;
    ASSERT_GE(c.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(c.end() - 5, c.end()),
              (std::vector<std::string>{"maleLooksList", ref(Refresh::MaleLooks), "femaleLooksList",
                                        ref(Refresh::FemaleLooks), ref(Refresh::Enabling)}));
}

TEST(RecordForm, attackModeRowsFollowTheRuleOfSaveAndOfSaveAs) {
    struct Case {
        int m1, m2;
        AttackModeRule rule;
        std::uint8_t byte27;
        bool swapped;
    };
    const Case cases[] = {
        {6, 7, AttackModeRule::Save, 0x67, true},  {6, 7, AttackModeRule::SaveAs, 0x76, false},
        {0, 5, AttackModeRule::Save, 0x50, false}, {0, 5, AttackModeRule::SaveAs, 0x50, false},
        {5, 0, AttackModeRule::Save, 0x05, false}, {5, 0, AttackModeRule::SaveAs, 0x50, true},
        {3, 3, AttackModeRule::Save, 0x33, false}, {8, 8, AttackModeRule::SaveAs, 0x88, false},
    };
    for (const auto& c : cases) {
        Bytes file = makeItem(3, 122);
        file[27] = static_cast<unsigned char>(c.m2 * 16 + c.m1);
        put32(file, 73, 11); // range 1
        put32(file, 77, 22); // range 2
        put32(file, 89, 3);  // AP 1
        put32(file, 93, 4);  // AP 2
        Shown s = show(file);
        EXPECT_EQ(s.form.position("atkMode1List"), c.m1);
        EXPECT_EQ(s.form.position("atkMode2List"), c.m2);
        const Bytes out = updated(s, c.rule);
        EXPECT_EQ(out[27], c.byte27) << c.m1 << "," << c.m2;
        EXPECT_EQ(get32(out, 73), c.swapped ? 22 : 11);
        EXPECT_EQ(get32(out, 77), c.swapped ? 11 : 22);
        EXPECT_EQ(get32(out, 89), c.swapped ? 4 : 3);
        EXPECT_EQ(get32(out, 93), c.swapped ? 3 : 4);
        // Reopening shows the swapped pair in the exchanged rows.
        Shown again = show(out);
        EXPECT_EQ(again.form.text("range1Field"), c.swapped ? "22" : "11");
    }
}

TEST(RecordForm, attackModeCodesWithoutAnEntryAreKept) {
    Bytes file = makeItem(3, 122);
    file[27] = 0x9C; // 12 and 9: no list entry for either
    Shown s = show(file);
    EXPECT_EQ(s.form.position("atkMode1List"), -1);
    EXPECT_EQ(updated(s, AttackModeRule::Save)[27], 0x9C);
}

TEST(RecordForm, statisticRule) {
    Bytes file = makeItem(2, 125);
    put32(file, 57, -2);
    put32(file, 61, -1);
    put32(file, 65, 37);
    Shown s = show(file);
    EXPECT_EQ(s.form.position("statList1"), 39); // "Min value of stat 2"
    EXPECT_EQ(s.form.position("statList2"), 0);  // "None"
    EXPECT_EQ(s.form.position("statList3"), 38); // message 137
    Bytes out = updated(s);
    EXPECT_EQ(get32(out, 57), -2);
    EXPECT_EQ(get32(out, 61), -1);
    EXPECT_EQ(get32(out, 65), 37);

    s.form.setPosition("statList1", 0);
    s.form.setPosition("statList3", 1);
    out = updated(s);
    EXPECT_EQ(get32(out, 57), -1);
    EXPECT_EQ(get32(out, 65), 0);
}

TEST(RecordForm, statisticsWithoutAnEntryAreKeptNotTurnedIntoMinValue) {
    Bytes file = makeItem(2, 125);
    put32(file, 57, 38); // one past the last statistic: would land on "Min value of stat 2"
    put32(file, 61, -2); // the second list has no such entry
    put32(file, 65, 1000);
    Shown s = show(file);
    EXPECT_EQ(s.form.position("statList1"), -1);
    EXPECT_EQ(s.form.position("statList2"), -1);
    EXPECT_EQ(s.form.position("statList3"), -1);
    const Bytes out = updated(s);
    EXPECT_EQ(get32(out, 57), 38);
    EXPECT_EQ(get32(out, 61), -2);
    EXPECT_EQ(get32(out, 65), 1000);
}

TEST(RecordForm, addictionCodeOutsideTheTableSurvivesUntilChosen) {
    Bytes file = makeItem(2, 125);
    put32(file, 117, 60);
    Shown s = show(file);
    EXPECT_EQ(s.form.position("addList"), 0);
    EXPECT_EQ(s.record.addictionCode, 60);
    EXPECT_EQ(get32(updated(s), 117), 60);
    s.record.addictionCode = addictionCodeAt(0); // the user chooses "None"
    EXPECT_EQ(get32(updated(s), 117), 0);

    put32(file, 117, 70);
    EXPECT_EQ(show(file).form.position("addList"), 6);
}

TEST(RecordForm, oneByteFieldsKeepTheirLowEightBits) {
    Shown s = show(makeItem(3, 122));
    s.form.setText("damageTypeIDfield", "300");
    s.form.setText("fireSoundIDfield", "-1");
    const Bytes out = updated(s);
    EXPECT_EQ(out[72], 44);
    EXPECT_EQ(out[121], 255);
}

TEST(RecordForm, negativeNumbersShowSignedAndWriteBackTheSameBytes) {
    Bytes file = makeItem(4, 81);
    put32(file, 77, -1);
    Shown s = show(file);
    EXPECT_EQ(s.form.text("DRdmgMod"), "-1");
    EXPECT_EQ(updated(s), file);
}

TEST(RecordForm, typeCodesAreRewrittenWhilePositionsStay) {
    Bytes file = makeItem(0, 129);
    file[52] = 0;
    file[121] = 9;
    file[125] = 0;
    put24(file, 53, 42);
    put24(file, 122, 5);
    Shown s = show(file);
    EXPECT_EQ(s.form.position("invenArtList"), 42);
    EXPECT_EQ(s.form.position("maleLooksList"), 5);
    const Bytes out = updated(s);
    EXPECT_EQ(out[52], 7);
    EXPECT_EQ(out[121], 1);
    EXPECT_EQ(out[125], 1);
}

TEST(RecordForm, projectileKeepsItsFileByteAsTheTopByte) {
    Bytes file = makeItem(3, 122);
    file[81] = 5;
    put24(file, 82, 12);
    Shown s = show(file);
    EXPECT_EQ(s.form.position("fireFileList"), 5);
    EXPECT_EQ(s.form.text("fireArtIDField"), "12");
    s.form.setPosition("fireFileList", 1);
    s.form.setText("fireArtIDField", "70000");
    const Bytes out = updated(s);
    EXPECT_EQ(out[81], 1);
    EXPECT_EQ(out[82], 0x01);
    EXPECT_EQ(out[83], 0x11);
    EXPECT_EQ(out[84], 0x70);
}

TEST(RecordForm, listsWithoutASelectionStoreBackTheValueRead) {
    Bytes file = makeItem(4, 81);
    put32(file, 8, 5);   // ground picture
    put32(file, 57, 19); // calibre: one past the list
    Shown s = show(file);
    EXPECT_EQ(s.form.position("ammoTypeList"), -1);
    s.form.setPosition("groundArtList", -1); // an art list shorter than the number
    const Bytes out = updated(s);
    EXPECT_EQ(get32(out, 8), 5);
    EXPECT_EQ(get32(out, 57), 19);
}

TEST(RecordForm, conversionStopsAtTheFirstBadFieldWithTheFieldsBeforeItStored) {
    Shown s = show(makeItem(1, 65));
    s.form.setText("itemIDfield", "77");
    s.form.setText("weightField", "12kg");
    s.form.setText("priceField", "99");
    s.form.setText("containerCapacity", "x");
    try {
        recordUpdate(s.record, s.form, AttackModeRule::Save);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'12kg' is not a valid integer value");
    }
    EXPECT_EQ(readInt32(s.record.header, 0), 77);
    EXPECT_NE(readInt32(s.record.header, 48), 99);
}

TEST(RecordForm, unknownTypesShowTheCommonFieldsOnly) {
    Shown s = show(makeItem(9, 80));
    EXPECT_EQ(s.record.typeName(), "");
    EXPECT_EQ(s.form.position("iTypeList"), -1);
    EXPECT_EQ(s.form.values().size(), commonFields().size());
}

TEST(RecordForm, storeValueOverridesTheHighByte) {
    ItemRecord r;
    storeValue(r, Section::Header, -2, 0, -1);
    storeValue(r, Section::Header, 0x00ABCDEF, 52, 7);
    storeValue(r, Section::Weapon, 0x7F000001, 81, 0x1FF);
    EXPECT_EQ(readInt32(r.header, 0), -2);
    EXPECT_EQ(r.header[52], 7);
    EXPECT_EQ(readUInt24(r.header, 53), 0xABCDEFu);
    EXPECT_EQ(r.weapon[81 - 57], 0xFF);
    storeValue(r, Section::Key, 5, 57, -1); // no store into the key section
    EXPECT_EQ(r.key[0], 0);
}
