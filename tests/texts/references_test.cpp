// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"
#include "record/fields.h"
#include "support/error_of.h"
#include "support/temp_dir.h"
#include "texts/message_lookup.h"
#include "texts/references.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace zantor;
using namespace zantor::test;

namespace {

const std::string kProto = "{10}{}{Unknown material}\r\n"
                           "{100}{}{Glass}\r\n"
                           "{1012}{}{Cloth}\r\n"
                           "{253}{}{Fire}\r\n"
                           "{3}{}{Three}\r\n"
                           "{300}{}{None}\r\n"
                           "{305}{}{5mm}\r\n"
                           "{312}{}{12 gauge}\r\n"
                           "{318}{}{Last calibre}\r\n";

} // namespace

TEST(References, buildEachIdFromTheFieldTextAsWritten) {
    TempDir dir;
    const std::string proto = dir.write("proto.msg", kProto);
    const std::string items =
        dir.write("pro_item.msg", "{3100}{}{Rounds}\r\n{000}{}{No ammo}\r\n{-100}{}{Minus}\r\n");
    struct Case {
        std::string (*name)(const std::string&, std::string_view);
        const std::string& file;
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases{
        {materialName, proto, "0", "Glass"},
        {materialName, proto, "12", "Cloth"},
        {materialName, proto, "-1", "Unknown material"}, // 10-1 has no entry
        {materialName, proto, "", "Unknown material"},   // id 10 itself
        {materialName, proto, "7", ""},                  // no fallback without a sign
        {damageTypeName, proto, "3", "Fire"},
        {damageTypeName, proto, "03", ""},
        {ammoTypeName, proto, "5", "5mm"},
        {ammoTypeName, proto, "12", "12 gauge"},
        {ammoTypeName, proto, "", "Three"},
        {ammoTypeName, proto, "-1", ""},
        {defaultAmmoName, items, "31", "Rounds"},
        {defaultAmmoName, items, "0", "No ammo"},
        {defaultAmmoName, items, "-1", "Minus"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.name(c.file, c.text), c.expected) << c.text;
}

TEST(References, onlyTheExactSentinelTextStandsForNoDefaultAmmunition) {
    EXPECT_TRUE(isDefaultAmmoSentinel("17821695"));
    for (const std::string text : {"017821695", "17821695 ", "17821694", ""})
        EXPECT_FALSE(isDefaultAmmoSentinel(text)) << text;
}

TEST(References, projectileNameComesFromTheFileOfTheListPosition) {
    TempDir dir;
    const std::string crit = dir.write("PRO_CRIT.MSG", "{1200}{}{Spark}\r\n");
    const std::string misc = dir.write("pro_misc.msg", "{1200}{}{Smoke}\r\n");
    EXPECT_EQ(projectileName(dir.file("pro_Crit.msg"), misc, 1, "12"), "Spark");
    EXPECT_EQ(projectileName(crit, dir.file("pro_Misc.msg"), 5, "12"), "Smoke");
    const std::string none = dir.file("none.msg");
    for (const int position : {255, 0, 2, -1})
        EXPECT_EQ(projectileName(none, none, position, "12"), "") << position;
    EXPECT_EQ(errorOf([&] { projectileName(none, misc, 1, "12"); }), "File not found");
}

TEST(References, listFillsKeepOnePositionPerId) {
    TempDir dir;
    const std::string proto = dir.write("proto.msg", kProto);
    const std::vector<std::string> calibres = calibreEntries(proto);
    ASSERT_EQ(calibres.size(), 19u);
    EXPECT_EQ(calibres[0], "None");
    EXPECT_EQ(calibres[5], "5mm");
    EXPECT_EQ(calibres[6], "");
    EXPECT_EQ(calibres[18], "Last calibre");

    std::string stat;
    for (int id = kStatFirstId; id <= kStatLastId; id += 2)
        stat += "{" + std::to_string(id) + "}{}{Stat " + std::to_string(id) + "}\r\n";
    const std::string statPath = dir.write("stat.msg", stat);
    const std::vector<std::string> first = statEntries(statPath, true);
    const std::vector<std::string> other = statEntries(statPath, false);
    ASSERT_EQ(first.size(), 40u);
    ASSERT_EQ(other.size(), 39u);
    EXPECT_EQ(first.front(), "None");
    EXPECT_EQ(first[1], "Stat 100");
    EXPECT_EQ(first[2], "");
    EXPECT_EQ(first[37], "Stat 136");
    EXPECT_EQ(first.back(), "Min value of stat 2");
    EXPECT_EQ(std::vector<std::string>(first.begin(), first.end() - 1), other);

    for (int id = kStatFirstId; id <= kStatLastId; ++id)
        EXPECT_EQ(other[static_cast<std::size_t>(id - kStatFirstId + 1)],
                  lookupMessage(statPath, std::to_string(id)));
}

TEST(References, messageEntriesHandleTheEndsOfTheNumberRange) {
    TempDir dir;
    const std::string path = dir.write("x.msg", "{2147483647}{}{Top}\r\n{-2147483648}{}{Bottom}");
    EXPECT_EQ(messageEntries(path, INT_MAX - 1, INT_MAX), (std::vector<std::string>{"", "Top"}));
    EXPECT_EQ(messageEntries(path, INT_MIN, INT_MIN + 1), (std::vector<std::string>{"Bottom", ""}));
    EXPECT_TRUE(messageEntries(path, 5, 4).empty());
    EXPECT_EQ(errorOf([&] { statEntries(dir.file("stat.msg"), true); }), "File not found");
}

TEST(References, numberSteppersGoOnWithoutStopsAndNeverOverflow) {
    const std::vector<std::vector<std::string>> steps{
        // text, up, down
        {"0", "1", "-1"},
        {"-1", "0", "-2"},
        {"+5", "6", "4"},
        {"2147483646", "2147483647", "2147483645"},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(stepNumber(s[0], true), s[1]) << s[0];
        EXPECT_EQ(stepNumber(s[0], false), s[2]) << s[0];
    }
    const std::vector<std::pair<std::string, bool>> bad{
        {"", true}, {"abc", false}, {"2147483647", true}, {"-2147483648", false}, {"1e3", true}};
    for (const auto& [text, up] : bad)
        EXPECT_EQ(errorOf([&] { stepNumber(text, up); }),
                  "'" + text + "' is not a valid integer value");
}

TEST(References, materialStepperPutsTheEmptyTextBetweenMinusOneAndOne) {
    std::string text = "2";
    std::vector<std::string> down{text};
    for (int i = 0; i < 5; ++i)
        down.push_back(text = stepMaterial(text, false));
    EXPECT_EQ(down, (std::vector<std::string>{"2", "1", "0", "", "-1", "-2"}));
    std::vector<std::string> up{text};
    for (int i = 0; i < 4; ++i)
        up.push_back(text = stepMaterial(text, true));
    EXPECT_EQ(up, (std::vector<std::string>{"-2", "-1", "", "1", "2"}));
    EXPECT_EQ(errorOf([&] { stepMaterial("x", true); }), "'x' is not a valid integer value");
    EXPECT_EQ(errorOf([&] { stepMaterial("2147483647", true); }),
              "'2147483647' is not a valid integer value");
}
