// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_version.h"
#include "common/sha256.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace zantor;
using zantor::test::TempDir;

TEST(Sha256, matchesTheStandardsTestVectors) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        // Lengths around the padding: one block, two blocks, a whole block.
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [message, digest] : cases)
        EXPECT_EQ(sha256Hex(message), digest) << message.size();
}

TEST(FileVersion, tellsWhatBecameOfTheFileSinceItWasRead) {
    const auto overwrite = [](const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    };
    const auto replace = [](const TempDir& dir, const std::string& path, const std::string& bytes) {
        const std::string temp = dir.write("new.tmp", bytes);
        std::filesystem::rename(temp, path);
    };
    struct Case {
        const char* what;
        std::function<void(const TempDir&, const std::string&)> change;
        DiskChange expected;
    };
    const Case cases[] = {
        {"untouched", [](const TempDir&, const std::string&) {}, DiskChange::Same},
        {"other bytes of the same size",
         [&](const TempDir&, const std::string& p) { overwrite(p, "other"); }, DiskChange::Changed},
        {"longer", [&](const TempDir&, const std::string& p) { overwrite(p, "first!"); },
         DiskChange::Changed},
        {"replaced by rename with the same bytes",
         [&](const TempDir& d, const std::string& p) { replace(d, p, "first"); }, DiskChange::Same},
        {"replaced by rename with other bytes",
         [&](const TempDir& d, const std::string& p) { replace(d, p, "secnd"); },
         DiskChange::Changed},
        {"deleted", [](const TempDir&, const std::string& p) { std::filesystem::remove(p); },
         DiskChange::Deleted},
        {"a folder now",
         [](const TempDir&, const std::string& p) {
             std::filesystem::remove(p);
             std::filesystem::create_directory(p);
         },
         DiskChange::Changed},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.write("item.pro", std::string("first"));
        FileVersion version = currentVersion(path);
        EXPECT_EQ(version.sha256, sha256Hex("first"));
        c.change(dir, path);
        EXPECT_EQ(changeSince(version, path), c.expected) << c.what;
        // A file of the same bytes is taken as the one read: asking again is quick.
        if (c.expected == DiskChange::Same) {
            EXPECT_EQ(version.identity, platform::fileIdentity(path)) << c.what;
        }
    }
}

TEST(FileVersion, anUnknownVersionIsNeverAChange) {
    FileVersion none;
    EXPECT_EQ(changeSince(none, "/no/such/file"), DiskChange::Same);
}
