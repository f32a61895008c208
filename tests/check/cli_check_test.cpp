// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/check.h"
#include "check_world.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

namespace {

// The world with the named faults planted, written into `dir`; the arguments that check it.
std::vector<std::string> checkArgs(const TempDir& dir, const std::vector<std::string>& rules) {
    CheckWorld world;
    for (const auto& fault : plantedFaults())
        if (std::find(rules.begin(), rules.end(), fault.rule) != rules.end())
            fault.plant(world);
    const CheckRequest r = world.write(dir);
    return {"check", r.itemFolder, "--msg-dir", dir.file("files")};
}

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

} // namespace

TEST(CliCheck, reportsOneLinePerFindingAndTheCounts) {
    TempDir dir;
    const auto r = runCli(checkArgs(dir, {"duplicate-item-id", "skipped-file", "not-crlf"}));
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "pro_Misc.msg: note: line 2: not ended by CR LF [not-crlf]\n"
                     "tiny.pro: note: 10 bytes, shorter than an item's header: the list passes "
                     "it over [skipped-file]\n"
                     "zdup.pro: error: item ID 2 is also used by box.pro [duplicate-item-id]\n"
                     "1 error, 0 warnings, 2 notes\n");
}

TEST(CliCheck, failOnSetsTheSeverityThatFails) {
    TempDir clean;
    EXPECT_EQ(runCli(checkArgs(clean, {})).out, "0 errors, 0 warnings, 0 notes\n");
    struct Case {
        std::vector<std::string> rules;
        std::vector<std::string> options;
        int status;
    };
    const std::vector<Case> cases{
        {{}, {"--fail-on", "note"}, 0},
        {{"skipped-file"}, {}, 0},
        {{"skipped-file"}, {"--fail-on", "warning"}, 0},
        {{"skipped-file"}, {"--fail-on", "note"}, 1},
        {{"shared-text-id"}, {}, 0},
        {{"shared-text-id"}, {"--fail-on", "warning"}, 1},
        {{"unknown-looks"}, {"--fail-on", "error"}, 1},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const auto r = runCli(with(checkArgs(dir, c.rules), c.options));
        EXPECT_EQ(r.status, c.status) << (c.rules.empty() ? "clean" : c.rules[0]) << r.err;
    }
}

TEST(CliCheck, jsonPrintsAnArrayOfFindings) {
    TempDir dir;
    auto r = runCli(with(checkArgs(dir, {"unknown-looks"}), {"--json"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "[\n  {\"file\": \"weapon.pro\", \"severity\": \"error\", \"rule\": "
                     "\"unknown-looks\", \"control\": \"looksList\", \"message\": \"Looks 11 is "
                     "not in the list (0 to 10)\"}\n]\n");
    TempDir clean;
    r = runCli(with(checkArgs(clean, {}), {"--json"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "[]\n");
}

TEST(CliCheck, aCallNotUnderstoodExitsWithTwo) {
    TempDir dir;
    const auto args = checkArgs(dir, {});
    const std::vector<std::vector<std::string>> cases{
        {"check", args[1]},
        {"check", "--msg-dir", args[3]},
        {"check", dir.file("none"), "--msg-dir", args[3]},
        with(args, {"--fail-on", "fatal"}),
        with(args, {"--fail-on"}),
        with(args, {"extra"}),
    };
    for (const auto& c : cases) {
        const auto r = runCli(c);
        EXPECT_EQ(r.status, 2) << c.back();
        EXPECT_NE(r.err.find("zantor-cli check: "), std::string::npos) << c.back();
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(CliCheck, helpListsEveryRule) {
    const auto r = runCli({"check", "--help"});
    EXPECT_EQ(r.status, 0);
    for (const CheckRule& rule : checkRules())
        EXPECT_NE(r.out.find("  " + std::string(rule.name) + " "), std::string::npos) << rule.name;
    EXPECT_NE(runCli({"--help"}).out.find("check"), std::string::npos);
}
