// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.h"
#include "store_helpers.h"
#include "support/cli_runner.h"

#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;
namespace fs = std::filesystem;

namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A value's row: its name padded to the type column, then type and value.
std::string row(const std::string& name, const std::string& rest) {
    return "  " + name + std::string(32 - name.size(), ' ') + rest + "\n";
}

// The text as a JSON string, as the command prints texts (Windows paths hold "\").
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

} // namespace

TEST(CliSettings, aStoreWithoutTheKeyShowsEveryDefaultAndCreatesNothing) {
    StoreDir s;
    const auto r = runCli({"settings", "--store", s.root.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string files = joinPath(currentDirectory(), "files");
    EXPECT_TRUE(has(r.out, "not found; every value shows its default")) << r.out;
    EXPECT_TRUE(has(r.out, row("Filter - Weapon", "bool   true  (default)"))) << r.out;
    EXPECT_TRUE(has(r.out, row("Filter - All", "bool   false  (default)")));
    EXPECT_TRUE(has(r.out, row("Quick open", "bool   false  (default)")));
    EXPECT_TRUE(has(r.out, row("*.msg directory", "string " + quoted(files) + "  (default)")));
    EXPECT_TRUE(
        has(r.out, row("Default open directory",
                       "string " + quoted(joinPath(currentDirectory(), "items")) + "  (default)")));
    EXPECT_TRUE(
        has(r.out, "  pro_Crit.msg      " + quoted(joinPath(files, "pro_Crit.msg")) + "\n"));
    EXPECT_FALSE(fs::exists(s.root)) << "the command must not write";
}

TEST(CliSettings, storedValuesAreShownWithTheirTypeAndBadOnesWithTheirError) {
    StoreDir s;
    const std::string good = "bool QUICK OPEN = true\nstring *.msg Directory = /game/text/\n";
    s.writeSettingsFile(good);
    auto r = runCli({"settings", "--store", s.root.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "Key \\Software\\Morvale\\Zantor: " + s.settingsFile().string()));
    EXPECT_TRUE(has(r.out, row("Quick open", "bool   true"))) << r.out;
    EXPECT_TRUE(has(r.out, row("*.msg directory", "string \"/game/text/\"")));
    EXPECT_TRUE(has(r.out, "  pro_item.msg      " +
                               quoted(joinPath("/game/text/", "pro_item.msg")) + "\n"));

    const std::string bad = good + "string Filter - Drug = no\n";
    s.writeSettingsFile(bad);
    r = runCli({"settings", "--store", s.root.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, row("Filter - Drug", "bool   error: Invalid data type for "
                                                "'Filter - Drug'")))
        << r.out;
    EXPECT_TRUE(has(r.out, row("Quick open", "bool   true"))) << "later values are shown";
    EXPECT_TRUE(has(r.out, "not formed: the editor's reading stops at: Invalid data type for "
                           "'Filter - Drug'"));
    EXPECT_EQ(fileText(s.settingsFile()), bad);
}

TEST(CliSettings, aDamagedStoreFileFailsWithItsMessage) {
    StoreDir s;
    s.writeSettingsFile("bool Quick open = perhaps\n");
    const auto r = runCli({"settings", "--store", s.root.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, "The settings file \"" + s.settingsFile().string() +
                               "\" is damaged at line 1: 'perhaps' is not true or false"))
        << r.err;
}

TEST(CliSettings, badArgumentsFailAndHelpDescribesTheVerb) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"settings", "--store"},
             {"settings", "extra"},
             {"settings", "--store", "a", "--store", "b"},
         }) {
        const auto r = runCli(args);
        EXPECT_EQ(r.status, 1) << args.back();
        EXPECT_TRUE(has(r.err, "zantor-cli settings: unexpected argument")) << r.err;
    }
    const auto r = runCli({"settings", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(has(r.out, "Usage: zantor-cli settings [--store DIR]"));
}
