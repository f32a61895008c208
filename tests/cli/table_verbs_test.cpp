// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/cli_runner.h"
#include "support/item_bytes.h"
#include "support/temp_dir.h"
#include "table/csv.h"
#include "table_world.h"

#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

namespace {

CliResult exportTo(const TableWorld& w, const std::string& out,
                   std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"export", w.items(), "--msg-dir", w.files(), "-o", out};
    args.insert(args.end(), extra.begin(), extra.end());
    return runCli(args);
}

CliResult import(const TableWorld& w, const std::string& csv, bool dryRun = false) {
    std::vector<std::string> args{"import", csv, "--dir", w.items(), "--msg-dir", w.files()};
    if (dryRun)
        args.emplace_back("--dry-run");
    return runCli(args);
}

} // namespace

TEST(CliExport, writesAHeaderOfControlNamesAndOneRowPerItem) {
    TableWorld w;
    const std::string out = w.dir.file("out.csv");
    auto r =
        exportTo(w, out, {"--types", "weapon,drug", "--columns", "priceField,nameField,addList"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readText(out), "file,priceField,nameField,addList\r\n"
                             "drug.pro," +
                                 std::to_string(get32(readAll(w.item("drug.pro")), 48)) +
                                 ",Tonic,60\r\n"
                                 "weapon.pro,1100,Rifle,\r\n");
    r = runCli({"export", w.items(), "--msg-dir", w.files()});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto records = readCsv(r.out);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0][0], "file");
    EXPECT_EQ(records[0][2], "nameField");
}

TEST(CliExport, badArgumentsAndUnreadableItemsAreErrors) {
    TableWorld w;
    w.dir.write("items/short.pro", Bytes(58, 0));
    const std::vector<std::vector<std::string>> cases{
        {"export", w.items()},
        {"export", w.items(), "--msg-dir", w.files(), "--columns", "priceField,nope"},
        {"export", w.items(), "--msg-dir", w.files(), "--types", "gun"},
        {"export", w.items(), "--msg-dir", w.dir.file("nowhere")},
        {"export", w.items(), "--msg-dir", w.files()}, // short.pro cannot be read
        {"export", w.dir.file("nowhere"), "--msg-dir", w.files()},
    };
    for (const auto& args : cases) {
        const auto r = runCli(args);
        EXPECT_EQ(r.status, 1) << args.back();
        EXPECT_FALSE(r.err.empty()) << args.back();
    }
}

TEST(CliImport, anUnchangedExportWritesNothing) {
    TableWorld w;
    const std::string csv = w.dir.file("all.csv");
    ASSERT_EQ(exportTo(w, csv).status, 0);
    const std::string before = w.snapshot();
    const auto r = import(w, csv);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "No changes.\n");
    EXPECT_EQ(w.snapshot(), before);
}

TEST(CliImport, changesAreSummedUpCheckedAndWrittenOnce) {
    TableWorld w;
    const std::string keyPrice = std::to_string(get32(readAll(w.item("key.pro")), 48));
    const std::string csv =
        w.dir.write("in.csv", "\xEF\xBB\xBF"
                              "file,nameField,priceField,atkMode1List,descField\n"
                              "weapon.pro,\"Rifle, long\",1250,burst,A long gun.\n"
                              "key.pro,Key," +
                                  keyPrice + ",,\"Opens\nthe cellar.\"\n");
    std::string r0 = w.snapshot();
    auto r = import(w, csv, true);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string summary = "key.pro: descField Opens a door. -> Opens\r\nthe cellar.\n"
                                "weapon.pro: nameField Rifle -> Rifle, long\n"
                                "weapon.pro: priceField 1100 -> 1250\n"
                                "weapon.pro: atkMode1List Single -> Burst\n";
    EXPECT_EQ(r.out, summary);
    EXPECT_EQ(w.snapshot(), r0); // a dry run writes nothing

    r = import(w, csv);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, summary);
    EXPECT_EQ(get32(readAll(w.item("weapon.pro")), 48), 1250);
    const std::string msg = readText(w.proItemMsg());
    EXPECT_NE(msg.find("{100}{}{Rifle, long}\r\n{101}{}{A long gun.}\r\n"), std::string::npos);
    EXPECT_NE(msg.find("{401}{}{Opens\r\nthe cellar.}\r\n"), std::string::npos);
    EXPECT_EQ(import(w, csv).out, "No changes.\n");
}

TEST(CliImport, anyProblemWritesNothingAndListsEachWithRecordAndColumn) {
    TableWorld w;
    const std::string csv = w.dir.write("bad.csv", "file,priceField,ACfield,statList3,bogus\n"
                                                   "weapon.pro,12x0,,None,\n"
                                                   "drug.pro,1,,luck,\n"
                                                   "ghost.pro,1,,,\n"
                                                   "weapon.pro,1,,,\n"
                                                   "key.pro,5,3,,\n");
    const std::string before = w.snapshot();
    const auto r = import(w, csv);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "zantor-cli import: nothing was written; 1 problem:\n"
                     "  record 1, bogus: unknown column\n");
    const std::string csv2 = w.dir.write("bad2.csv", "file,priceField,ACfield,statList3\n"
                                                     "weapon.pro,12x0,,\n"
                                                     "drug.pro,1,,luck\n"
                                                     "ghost.pro,1,,\n"
                                                     "weapon.pro,1,,\n"
                                                     "key.pro,5,3,\n"
                                                     "key.pro\n");
    const auto r2 = import(w, csv2);
    EXPECT_EQ(r2.status, 1);
    EXPECT_EQ(r2.err, "zantor-cli import: nothing was written; 6 problems:\n"
                      "  record 2, priceField: '12x0' is not a valid integer value\n"
                      "  record 3, statList3: 'luck' is ambiguous: 2 entries of statList3 read so\n"
                      "  record 4, file: unknown item file 'ghost.pro'\n"
                      "  record 5, file: 'weapon.pro' is already given in record 2\n"
                      "  record 6, ACfield: key items have no ACfield: the cell must be empty\n"
                      "  record 7: the record has 1 cells, the header 4\n");
    EXPECT_EQ(w.snapshot(), before);
}
