// SPDX-License-Identifier: GPL-3.0-or-later
// zantor-cli settings finds the editor's file store where the editor does.
#include "support/cli_runner.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace zantor::test;

namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(CliSettings, theStoreIsFoundThroughXdgConfigHome) {
    TempDir config;
    config.write("zantor-store/Software/Morvale/Zantor/_values.conf",
                 std::string("string items.lst Directory = /art\n"));
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    const auto r = runCli({"settings"});
    old ? ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");

    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "Settings store: " + (config.path() / "zantor-store").string()));
    EXPECT_TRUE(has(r.out, "  items.lst folder  \"/art\"\n")) << r.out;
}
