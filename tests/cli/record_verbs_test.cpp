// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.h"
#include "support/cli_runner.h"
#include "support/item_bytes.h"
#include "support/temp_dir.h"

#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

TEST(CliShow, printsTypeFieldsAndSize) {
    TempDir dir;
    Bytes file = makeItem(3, 122);
    put32(file, 0, -7);
    file[27] = 0x76;
    file[60] = 42; // no such looks entry
    const auto r = runCli({"show", dir.write("w.pro", file)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"type\": \"weapon\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"itemIDfield\": \"-7\""), std::string::npos);
    EXPECT_NE(r.out.find("\"atkMode1List\": 6"), std::string::npos);
    EXPECT_NE(r.out.find("\"atkMode2List\": 7"), std::string::npos);
    EXPECT_NE(r.out.find("\"looksList\": -1"), std::string::npos);
    EXPECT_NE(r.out.find("\"size\": 122"), std::string::npos);
    EXPECT_EQ(r.out.find("ACfield"), std::string::npos);
}

TEST(CliSet, writesThroughSavesAndSaveAssRules) {
    TempDir dir;
    Bytes file = makeItem(3, 122);
    file[27] = 0x76;
    put32(file, 73, 1);
    put32(file, 77, 2);
    const std::string path = dir.write("w.pro", file);
    auto r = runCli({"set", path, "--save-as", dir.file("as.pro"), "priceField=250"});
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes as = readAll(dir.file("as.pro"));
    EXPECT_EQ(get32(as, 48), 250);
    EXPECT_EQ(as[27], 0x76); // Save As keeps 6 low, 7 high
    EXPECT_EQ(readAll(path), file);

    r = runCli({"set", path, "priceField=250"});
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes saved = readAll(path);
    EXPECT_EQ(saved[27], 0x67); // Save puts the higher code low
    EXPECT_EQ(get32(saved, 73), 2);
    EXPECT_TRUE(isReadOnly(path));
}

TEST(CliSet, badInputWritesNothingAndExitsWithOne) {
    TempDir dir;
    const Bytes file = makeItem(1, 65);
    const std::string path = dir.write("c.pro", file);
    const std::vector<std::vector<std::string>> cases{
        {"set", path, "ACfield=3"},         // not a control of a container
        {"set", path, "weightField=heavy"}, // not a number
        {"set", path, "iTypeList=9"},       // no such entry
        {"set", path, "nonsense"},          // not an assignment
        {"set", dir.file("none.pro"), "weightField=1"},
        {"show"},
        {"frobnicate"},
    };
    for (const auto& args : cases) {
        const auto r = runCli(args);
        EXPECT_EQ(r.status, 1) << args.back();
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(readAll(path), file);
    }
    EXPECT_NE(
        runCli({"set", path, "weightField=heavy"}).err.find("'heavy' is not a valid integer value"),
        std::string::npos);
}

TEST(CliHelp, everyVerbHasHelp) {
    for (const char* verb : {"show", "set"}) {
        const auto r = runCli({verb, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find("Usage: zantor-cli"), std::string::npos) << verb;
    }
}

TEST(CliSet, ifUnchangedWritesOnlyTheFileThatShowHashed) {
    const auto hashOf = [](const std::string& path) {
        const auto r = runCli({"show", path});
        const std::string key = "\"sha256\": \"";
        const auto at = r.out.find(key);
        return at == std::string::npos ? std::string() : r.out.substr(at + key.size(), 64);
    };
    TempDir dir;
    const Bytes file = makeItem(1, 65);
    Bytes other = file;
    other[60] = 9;
    const std::string path = dir.write("c.pro", file);
    const std::string hash = hashOf(path);
    ASSERT_EQ(hash.size(), 64u);

    // Changed by another program since it was read: refused, the change kept.
    dir.write("c.pro", other);
    auto r = runCli({"set", path, "--if-unchanged", hash, "weightField=5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no longer the file that was read"), std::string::npos) << r.err;
    EXPECT_EQ(readAll(path), other);

    // Removed since: refused as well.
    std::filesystem::remove(path);
    r = runCli({"set", path, "--if-unchanged", hash, "weightField=5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(path));

    // The file read, also written again with the same bytes: written, the hash in
    // either case.
    dir.write("c.pro", file);
    std::string upper = hash;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    r = runCli({"set", path, "--if-unchanged", upper, "weightField=5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(get32(readAll(path), 44), 5);
    EXPECT_NE(hashOf(path), hash);
}

// Paths are UTF-8 text on every system: on Windows they must reach the system as wide
// characters, not through the 8-bit code page.
TEST(CliPaths, foldersAndFilesNamedBeyondAsciiAreListedReadAndWritten) {
    TempDir dir;
    const std::string folder = dir.file("Wäffen Ω");
    const std::string path = dir.write("Wäffen Ω/épée€.pro", makeItem(3, 122));
    auto r = runCli({"list", folder});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "épée€.pro\n");
    r = runCli({"show", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"type\": \"weapon\""), std::string::npos) << r.out;
    const std::string copy = dir.file("Wäffen Ω/copie ß.pro");
    r = runCli({"set", path, "--save-as", copy, "priceField=250"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(get32(readAll(copy), 48), 250);
    // The folder as one table.
    dir.write("Wäffen Ω/Téxte/pro_item.msg", std::string("{100}{}{Blade}\n"));
    r = runCli(
        {"export", folder, "--msg-dir", dir.file("Wäffen Ω/Téxte"), "--columns", "priceField"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("file,priceField\r\ncopie ß.pro,250\r\népée€.pro,")) << r.out;
}
