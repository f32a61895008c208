// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/scan.h"
#include "support/cli_runner.h"
#include "support/item_bytes.h"
#include "support/temp_dir.h"
#include "texts/encoding.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace zantor;
using namespace zantor::test;

namespace {

Bytes item(int typeByte, std::int32_t textId) {
    Bytes b = makeItem(typeByte, 122, static_cast<std::uint32_t>(textId) + 3);
    put32(b, 4, textId);
    return b;
}

std::vector<std::string> texts(const ScanResult& r) {
    std::vector<std::string> out;
    for (const auto& e : r.entries)
        out.push_back(e.text);
    return out;
}

ScanRequest everything(const std::string& folder) {
    ScanRequest r;
    r.folder = folder;
    r.types.fill(true);
    return r;
}

// A folder of items of every type, one per type byte 0..7, with names for some.
struct World {
    TempDir dir;
    std::string items;
    std::string msg;
    World() {
        items = dir.file("items");
        dir.write("items/ARMOR001.pro", item(0, 100));
        dir.write("items/box.PRO", item(1, 200));
        dir.write("items/drug0001.pro", item(2, 300));
        dir.write("items/Stim Pack - axe.pro", item(3, 400)); // entry text ends like a name
        dir.write("items/ammo0001.pro", item(4, 500));
        dir.write("items/misc0001.pro", item(5, 600));
        dir.write("items/key00001.pro", item(6, 700));
        dir.write("items/strange1.pro", item(7, 800));
        dir.write("items/readme.txt", item(0, 100));
        msg = dir.write("files/pro_item.msg",
                        std::string("{100}{}{leather coat}\r\n{200}{}{Box}\r\n{300}{}{tonic}\r\n"
                                    "{400}{}{Axe}\r\n{500}{}{box}\r\n{600}{}{Cog}\r\n"));
    }
};

} // namespace

TEST(Scan, listsFileNamesOfTypesZeroToSixInCaseInsensitiveOrder) {
    World w;
    const auto r = scanFolder(everything(w.items));
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(texts(r),
              (std::vector<std::string>{"ammo0001.pro", "ARMOR001.pro", "box.PRO", "drug0001.pro",
                                        "key00001.pro", "misc0001.pro", "Stim Pack - axe.pro"}));
}

TEST(Scan, namesAreLookedUpAndSameNamesAreOrderedByFileName) {
    World w;
    ScanRequest req = everything(w.items);
    req.withNames = true;
    req.proItemMsg = w.msg;
    const auto r = scanFolder(req);
    EXPECT_EQ(texts(r),
              (std::vector<std::string>{" - key00001.pro", "Axe - Stim Pack - axe.pro",
                                        "box - ammo0001.pro", "Box - box.PRO", "Cog - misc0001.pro",
                                        "leather coat - ARMOR001.pro", "tonic - drug0001.pro"}));
    // Every entry knows its file, whatever its text ends with.
    for (const auto& e : r.entries)
        EXPECT_TRUE(e.text.ends_with(e.fileName)) << e.text;
    EXPECT_EQ(r.entries[1].fileName, "Stim Pack - axe.pro");
    EXPECT_EQ(r.entries[2].fileName, "ammo0001.pro");
}

TEST(Scan, filtersAndAll) {
    World w;
    ScanRequest req = everything(w.items);
    req.types.fill(false);
    req.types[3] = true; // weapons
    req.types[6] = true; // keys
    EXPECT_EQ(texts(scanFolder(req)),
              (std::vector<std::string>{"key00001.pro", "Stim Pack - axe.pro"}));
    req.types.fill(false);
    req.all = true;
    EXPECT_EQ(scanFolder(req).entries.size(), 7u);
    for (int type = 7; type < 256; type += 31)
        EXPECT_FALSE(admits(req, type));
}

TEST(Scan, onlyTheLastTypeByteCounts) {
    TempDir dir;
    Bytes b = item(3, 1);
    b[32] = 0;
    b[33] = 0;
    b[34] = 1;
    dir.write("x.pro", b);
    ScanRequest req = everything(dir.path().string());
    req.types.fill(false);
    req.types[3] = true;
    EXPECT_EQ(scanFolder(req).entries.size(), 1u);
}

TEST(Scan, foldersNamedProAndShortFilesArePassedOver) {
    TempDir dir;
    dir.write("a.pro", item(3, 1));
    std::filesystem::create_directory(dir.path() / "folder.pro");
    dir.write("short.pro", Bytes(55, 0));
    const auto r = scanFolder(everything(dir.path().string()));
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(texts(r), (std::vector<std::string>{"a.pro"}));
}

TEST(Scan, aMissingFolderListsNothing) {
    TempDir dir;
    const auto r = scanFolder(everything(dir.file("none")));
    EXPECT_TRUE(r.entries.empty());
    EXPECT_EQ(r.error, "");
}

TEST(Scan, aMissingMessageFileStopsTheScanWhenTheFirstNameIsNeeded) {
    World w;
    ScanRequest req = everything(w.items);
    req.withNames = true;
    req.proItemMsg = w.dir.file("files/none.msg");
    auto r = scanFolder(req);
    EXPECT_EQ(r.error, "File not found");
    EXPECT_TRUE(r.entries.empty());
    // No file passes the filters: no name is needed, so nothing fails.
    req.types.fill(false);
    r = scanFolder(req);
    EXPECT_EQ(r.error, "");
}

TEST(Scan, anUnreadableFileStopsTheScanAndKeepsWhatWasListed) {
    World w;
#ifdef _WIN32
    GTEST_SKIP() << "links need a privilege on Windows; a locked file stands in for them there";
#endif
    // A link to nothing cannot be opened, whoever runs the scan.
    std::filesystem::create_symlink(w.dir.file("nowhere"), w.dir.file("items/broken.pro"));
    const auto r = scanFolder(everything(w.items));
    EXPECT_EQ(r.error, "File not found");
    EXPECT_LT(r.entries.size(), 7u);
}

TEST(Scan, progressCountsEveryFileFound) {
    World w;
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    scanFolder(everything(w.items),
               [&](std::size_t done, std::size_t total) { calls.emplace_back(done, total); });
    ASSERT_EQ(calls.size(), 9u); // 8 *.pro files, plus the count
    EXPECT_EQ(calls.front(), (std::pair<std::size_t, std::size_t>{0, 8}));
    EXPECT_EQ(calls.back(), (std::pair<std::size_t, std::size_t>{8, 8}));
}

TEST(Scan, namesWithAccentsSortAsAReaderExpectsInTheListAndInTheCommandLine) {
    TempDir dir;
    const char* const names[] = {"Zebra",        "\xE9\x63lat", "Fang",
                                 "\xC9\x63lair", "Eagle",       "\xC9\x63lair"};
    std::string msg;
    for (int i = 0; i < 6; ++i) {
        dir.write("items/item000" + std::to_string(i) + ".pro", item(3, 100 * (i + 1)));
        msg += "{" + std::to_string(100 * (i + 1)) + "}{}{" + names[i] + "}\r\n";
    }
    const std::string msgPath = dir.write("files/pro_item.msg", msg);
    ScanRequest req = everything(dir.file("items"));
    req.withNames = true;
    req.proItemMsg = msgPath;
    const std::vector<std::string> expected{
        "Eagle - item0004.pro",      "\u00C9clair - item0003.pro", "\u00C9clair - item0005.pro",
        "\u00E9clat - item0001.pro", "Fang - item0002.pro",        "Zebra - item0000.pro"};
    EXPECT_EQ(texts(scanFolder(req)), expected);
    std::string printed;
    for (const auto& e : expected)
        printed += e + "\n";
    EXPECT_EQ(runCli({"list", dir.file("items"), "--msg", msgPath}).out, printed);
}

// The sort compares a few bytes after the start all keys share before whole keys; its
// order must be the keys' own, whatever the texts share and however short they are.
TEST(Scan, sortedEntriesFollowTheReadersKeysWhateverTheTextsShare) {
    std::mt19937 random(7);
    const std::vector<std::string> starts{"", "Item number ", "Item number 1", "\xC9"};
    const std::vector<std::string> letters{"a",    "A",    "b", "1", " ",
                                           "\xE9", "\xC9", "-", "z", "\x01"};
    for (int round = 0; round < 300; ++round) {
        const std::string& start = starts[random() % starts.size()];
        std::vector<ListEntry> entries;
        for (std::size_t n = random() % 40; n > 0; --n) {
            std::string text = start;
            for (std::size_t k = random() % 12; k > 0; --k)
                text += letters[random() % letters.size()];
            entries.push_back({text, text});
        }
        std::vector<ListEntry> expected = entries;
        std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
            const std::string ka = readerSortKey(a.text), kb = readerSortKey(b.text);
            return ka != kb ? ka < kb : a.text < b.text;
        });
        sortEntries(entries);
        std::vector<std::string> got, want;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            got.push_back(entries[i].text);
            want.push_back(expected[i].text);
        }
        ASSERT_EQ(got, want) << "round " << round;
    }
}

TEST(CliList, printsTheBrowsersEntries) {
    World w;
    auto r = runCli({"list", w.items, "--msg", w.msg, "--types", "weapon,armor"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Axe - Stim Pack - axe.pro\nleather coat - ARMOR001.pro\n");
    r = runCli({"list", w.items, "--types", "misc"});
    EXPECT_EQ(r.out, "misc0001.pro\n");
    r = runCli({"list", w.items, "--types", "shield"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("unknown item type 'shield'"), std::string::npos);
}
