// SPDX-License-Identifier: GPL-3.0-or-later
// zantor-cli against files that would trick or hang it: every refusal leaves every
// file as it was, and every failure exits with status 1.
#include "common/files.h"
#include "support/cli_runner.h"
#include "support/item_bytes.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zantor;
using namespace zantor::test;
namespace fs = std::filesystem;

namespace {

const std::string kTable = "{100}{}{Knife}\r\n{101}{}{A small knife.}\r\n"
                           "{200}{}{Box}\r\n{201}{}{A box.}\r\n"
                           "{300}{}{Rock}\r\n{301}{}{A rock.}\r\n";

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

Bytes itemWithTextId(int typeByte, std::size_t size, int textId) {
    Bytes b = makeItem(typeByte, size);
    put32(b, 4, textId);
    return b;
}

} // namespace

TEST(CliSafeSave, anOldDescriptionIsRemovedWholeAndNoOtherEntryChanges) {
    TempDir dir;
    const std::string msg = dir.write("pro_item.msg", kTable);
    const std::string item = dir.write("box.pro", itemWithTextId(1, 65, 200));
    const std::string folder = dir.path().string();
    auto r = runCli({"set", item, "--msg-dir", folder, "descField=Ammo:\n{300"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = runCli({"set", item, "--msg-dir", folder, "descField=Plain"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readText(msg), "{100}{}{Knife}\r\n{101}{}{A small knife.}\r\n"
                             "{200}{}{Box}\r\n{201}{}{Plain}\r\n"
                             "{300}{}{Rock}\r\n{301}{}{A rock.}\r\n");
    EXPECT_EQ(runCli({"lookup", msg, "300"}).out, "Rock\n");
}

TEST(CliSafeSave, refusalsWriteNothingAndSayWhy) {
    TempDir dir;
    const std::string folder = dir.path().string();
    const std::string msg = dir.write("pro_item.msg", kTable);
    const std::string box = dir.write("box.pro", itemWithTextId(1, 65, 200));
    const std::string armor = dir.write("armor.pro", itemWithTextId(0, 129, 100));
    const std::string twin = dir.write("KNIFE.PRO", itemWithTextId(3, 122, 100));
    const std::string same = dir.write("same.pro", itemWithTextId(3, 122, 100));
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"set", box, "--msg-dir", folder, "descField=Warm.}\n{200}{}{Hijacked"},
         "The description holds '}', which the game's text tables cannot store."},
        {{"set", box, "--msg-dir", folder, "nameField=Kni}fe"},
         "The name holds '}', which the game's text tables cannot store."},
        {{"set", box, "--save-as", dir.file("knife.pro")},
         "KNIFE.PRO is in the way of " + dir.file("knife.pro") +
             ": their names differ only in letter case; give --force to replace it"},
        {{"set", box, "--save-as", same}, same + " exists; give --force to replace it"},
        {{"set", armor, "maleLooksList=16777217"}, "'16777217' is not an entry of maleLooksList"},
        {{"set", armor, "femaleLooksList=99999999"},
         "'99999999' is not an entry of femaleLooksList"},
        {{"set", armor, "iTypeList=1"},
         "iTypeList cannot be set: Save never writes the item type (it chooses the page)"},
    };
    const std::vector<std::string> files{msg, box, armor, twin, same};
    std::vector<std::string> before;
    for (const auto& f : files)
        before.push_back(readText(f));
    for (const auto& c : cases) {
        const auto r = runCli(c.args);
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_TRUE(has(r.err, c.message)) << r.err;
        for (std::size_t i = 0; i < files.size(); ++i)
            EXPECT_EQ(readText(files[i]), before[i]) << c.message << ": " << files[i];
    }
    EXPECT_FALSE(fs::exists(dir.file("knife.pro")));

    // Told to, Save As replaces the case twin rather than writing beside it.
    const auto r = runCli({"set", box, "--save-as", dir.file("knife.pro"), "--force"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readAll(twin), readAll(box));
    EXPECT_FALSE(fs::exists(dir.file("knife.pro")));
}

TEST(CliSafeSave, specialFilesAreNeitherListedNorOpenedAndNothingHangs) {
    TempDir dir;
    fs::create_directory(dir.file("items"));
    const std::string items = dir.file("items");
    dir.write("items/REAL.pro", itemWithTextId(3, 122, 100));
    ::mkfifo(dir.file("items/TRAP.pro").c_str(), 0644);
    fs::create_symlink("/dev/zero", dir.file("items/ZERO.pro"));
    const auto list = runCli({"list", items});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "REAL.pro\n");
    for (const std::string name : {"TRAP.pro", "ZERO.pro"}) {
        const auto r = runCli({"show", dir.file("items/" + name)});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(has(r.err, dir.file("items/" + name) + " is not a regular file")) << r.err;
        EXPECT_EQ(r.out, "");
    }
    const std::string big = dir.file("BIG.pro");
    fs::resize_file(dir.write("BIG.pro", itemWithTextId(3, 122, 100)), (16u << 20) + 1);
    const auto r = runCli({"show", big});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, "File too large for an item file")) << r.err;
}

TEST(CliSafeSave, aFailureAfterTheFirstLinePrintsNothingAndEveryVerbRefusesAPathTooLong) {
    TempDir dir;
    const std::string item = dir.write("w.pro", itemWithTextId(3, 122, 100));
    fs::create_directory(dir.file("empty"));
    const auto shown = runCli({"show", item, "--msg-dir", dir.file("empty")});
    EXPECT_EQ(shown.status, 1);
    EXPECT_EQ(shown.out, "");
    EXPECT_TRUE(has(shown.err, "File not found")) << shown.err;

    const std::string tooLong = dir.path().string() + "/" + std::string(300, 'd');
    const std::vector<std::vector<std::string>> verbs{
        {"list", tooLong},
        {"show", tooLong + "/a.pro"},
        {"set", tooLong + "/a.pro", "priceField=1"},
        {"set", item, "--save-as", tooLong + "/a.pro"},
        {"lookup", tooLong + "/pro_item.msg", "100"},
        {"settings", "--store", tooLong},
    };
    for (const auto& args : verbs) {
        const auto r = runCli(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_TRUE(has(r.err, "Invalid filename")) << args[0] << ": " << r.err;
        EXPECT_EQ(r.out, "") << args[0];
    }
}
