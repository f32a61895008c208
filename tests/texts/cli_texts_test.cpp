// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.h"
#include "support/cli_runner.h"
#include "support/error_of.h"
#include "support/item_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace zantor;
using namespace zantor::test;

namespace {

bool has(const std::string& out, const std::string& text) {
    return out.find(text) != std::string::npos;
}

// A folder of message files and art lists with invented entries.
struct World {
    TempDir dir;
    std::string msg;
    World() {
        msg = dir.path().string();
        dir.write("pro_item.msg", "{100}{}{Knife}\r\n{101}{}{A small knife.\r\nSharp.}\r\n"
                                  "{200}{}{Caf\xE9 sword}\r\n{201}{}{Long.}\r\n"
                                  "{000}{}{No ammo}\r\n{3100}{}{Rounds}\r\n");
        dir.write("proto.msg", "{10}{}{Unknown}\r\n{100}{}{Glass}\r\n{253}{}{Fire}\r\n"
                               "{305}{}{5mm}\r\n");
        dir.write("PRO_CRIT.MSG", "{1200}{}{Spark}\r\n");
        dir.write("pro_Misc.msg", "{1200}{}{Smoke}\r\n");
        dir.write("items.lst", "rock.frm\r\nknife.frm\r\n");
        dir.write("inven.lst", "iknife.frm\r\n");
        dir.write("critters.lst", "hmjmps\r\nnfvault\r\n");
        dir.write("knife.bmp", "BM");
    }
};

Bytes weapon() {
    Bytes b = makeItem(3, 122);
    put32(b, 4, 100);        // text id
    put32(b, 8, 1);          // ground picture: knife.frm
    put32(b, 36, 0);         // material
    put24(b, 53, 5);         // inventory picture: no such entry
    b[72] = 3;               // damage type
    b[81] = 1;               // projectiles from pro_Crit.msg
    put24(b, 82, 12);        // projectile
    put32(b, 109, 5);        // ammo type
    put32(b, 113, 17821695); // no default ammunition
    return b;
}

} // namespace

TEST(CliLookup, printsTheTextBytesThenOneLineFeed) {
    World w;
    const std::string msg = w.dir.file("pro_item.msg");
    const std::vector<std::pair<std::string, std::string>> cases{
        {"100", "Knife\n"},
        {"101", "A small knife.\r\nSharp.\n"},
        {"200", "Caf\xE9 sword\n"},
        {"0100", "\n"},
    };
    for (const auto& [id, out] : cases) {
        const auto r = runCli({"lookup", msg, id});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, out) << id;
    }
}

TEST(CliLookup, errorsGoToStandardErrorWithStatusOne) {
    World w;
    auto r = runCli({"lookup", w.dir.file("missing.msg"), "100"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_TRUE(has(r.err, "File not found")) << r.err;
    r = runCli({"lookup", w.dir.file("pro_item.msg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
    r = runCli({"lookup", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(has(r.out, "Usage: zantor-cli lookup FILE.msg ID"));
}

TEST(CliShow, namesAWeaponShowsBesideItsFields) {
    World w;
    const std::string item = w.dir.write("items/w.pro", weapon());
    const auto r = runCli({"show", item, "--msg-dir", w.msg});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> expected{
        "\"nameField\": \"Knife\"",
        "\"descField\": \"A small knife.\\r\\nSharp.\"",
        "\"groundPic\": \"" + w.dir.file("knife.bmp") + "\"",
        "\"materialNameField\": \"Glass\"",
        "Files/noArt.bmp\"",
        "\"damageTypeNameField\": \"Fire\"",
        "\"fireArtNameField\": \"Spark\"",
        "\"ammoTypeNameFIeld\": \"5mm\"",
        "\"ammoIDfield\": \"0\"",
        "\"ammoNameField\": \"No ammo\"",
    };
    for (const auto& text : expected)
        EXPECT_TRUE(has(r.out, text)) << text << "\n" << r.out;
    EXPECT_FALSE(has(r.out, "LooksDesc"));
}

TEST(CliShow, namesAnArmorWithItsLooksAndDecodedTexts) {
    World w;
    Bytes armor = makeItem(0, 129);
    put32(armor, 4, 200);
    put24(armor, 122, 0);
    put24(armor, 126, 1);
    const std::string item = w.dir.write("a.pro", armor);
    TempDir art;
    art.write("items.lst", "x\r\n");
    art.write("inven.lst", "x\r\n");
    art.write("critters.lst", "maxxx\r\nrezzz\r\n");
    const auto r = runCli({"show", item, "--msg-dir", w.msg, "--art-dir", art.path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const std::string text :
         {"\"nameField\": \"Caf\u00E9 sword\"", "\"maleLooksDesc\": \"Monster any gender xxx\"",
          "\"femaleLooksDesc\": \"\""})
        EXPECT_TRUE(has(r.out, text)) << text << "\n" << r.out;
    EXPECT_FALSE(has(r.out, "damageTypeNameField"));
}

TEST(CliShow, namesOnlyWithAMessageFolderThatCanBeRead) {
    World w;
    const std::string item = w.dir.write("k.pro", makeItem(6, 61));
    auto r = runCli({"show", item});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(has(r.out, "\"names\""));
    r = runCli({"show", item, "--art-dir", w.msg});
    EXPECT_EQ(r.status, 1);
    r = runCli({"show", item, "--msg-dir", w.dir.file("nowhere")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, "Invalid filename")) << r.err;
}

TEST(CliSet, writesTheNameAndDescriptionFirstAsSaveDoes) {
    World w;
    const std::string msg = w.dir.file("pro_item.msg");
    const std::string before = readText(msg);
    const std::string item = w.dir.write("w.pro", weapon());
    const auto r = runCli({"set", item, "--msg-dir", w.msg, "nameField=Dagger",
                           "descField=Short.\nVery sharp.", "priceField=9"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readText(msg), "{100}{}{Dagger}\r\n{101}{}{Short.\r\nVery sharp.}\r\n" +
                                 before.substr(before.find("{200}")));
    const Bytes saved = readAll(item);
    EXPECT_EQ(get32(saved, 48), 9);
    EXPECT_EQ(get32(saved, 113), 0); // the sentinel is stored as the 0 it showed
    EXPECT_TRUE(isReadOnly(item));
}

TEST(CliSet, aNewTextIdWritesThatEntrysTextsUnderTheShownName) {
    World w;
    const std::string msg = w.dir.file("pro_item.msg");
    const std::string before = readText(msg);
    const std::string item = w.dir.write("w.pro", weapon());
    // A new name there would stay hidden behind the stored entry 200: refused.
    const auto hidden =
        runCli({"set", item, "--msg-dir", w.msg, "textIDfield=200", "nameField=Caf\u00E9 blade"});
    EXPECT_EQ(hidden.status, 1);
    EXPECT_TRUE(has(hidden.err, "line 4 hides it ({200}{}{Caf\u00E9 sword})")) << hidden.err;
    EXPECT_EQ(readText(msg), before);
    EXPECT_EQ(get32(readAll(item), 4), 100);

    const auto r = runCli({"set", item, "--msg-dir", w.msg, "textIDfield=200"});
    ASSERT_EQ(r.status, 0) << r.err;
    // "{200}{}{Knife}" is not there: the new name line is appended, and the
    // description goes after the first line equal to it, replacing entry 201.
    EXPECT_EQ(readText(msg), before + "{200}{}{Caf\xE9 sword}\r\n");
    EXPECT_EQ(get32(readAll(item), 4), 200);
}

TEST(CliSet, nothingIsWrittenWhenAnInputIsBad) {
    World w;
    const std::string msg = w.dir.file("pro_item.msg");
    const std::string before = readText(msg);
    const Bytes file = weapon();
    const std::string item = w.dir.write("w.pro", file);
    const std::vector<std::vector<std::string>> cases{
        {"set", item, "nameField=Dagger"}, // no message folder
        {"set", item, "--msg-dir", w.msg, "nameField=Two\nlines"},
        {"set", item, "--msg-dir", w.msg, "descField=\u4E00"}, // no byte in the code page
        {"set", item, "--msg-dir", w.msg, "nameField=Dagger", "priceField=cheap"},
        {"set", item, "--msg-dir", w.msg, "textIDfield=abc"},
        {"set", item, "--msg-dir"},
    };
    for (const auto& args : cases) {
        const auto r = runCli(args);
        EXPECT_EQ(r.status, 1) << args.back();
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(readText(msg), before) << args.back();
        EXPECT_EQ(readAll(item), file) << args.back();
    }
    setWritable(msg, false);
    const auto r = runCli({"set", item, "--msg-dir", w.msg, "nameField=Dagger"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, "Cannot create file " + msg)) << r.err;
    EXPECT_EQ(readAll(item), file);
}
