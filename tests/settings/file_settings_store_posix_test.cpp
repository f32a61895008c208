// SPDX-License-Identifier: GPL-3.0-or-later
// The file store where it is the editor's store: cut-off writes and the XDG folders.
#include "settings/file_settings_store.h"
#include "store_helpers.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace zantor;
using namespace zantor::test;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kKey = "\\Software\\Morvale\\Zantor";

// Runs `f` with an environment variable set (or unset, for nullptr), then puts it back.
void withEnv(const char* name, const char* value, const std::function<void()>& f) {
    const char* old = std::getenv(name);
    const std::string saved = old ? old : "";
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
    f();
    old ? ::setenv(name, saved.c_str(), 1) : ::unsetenv(name);
}

} // namespace

TEST(FileStore, aWriteCutOffMidwayLeavesTheOldFileWhole) {
    StoreDir s;
    ASSERT_TRUE(s.store.OpenKey(kKey, true));
    s.store.WriteString("*.msg Directory", "/old");
    const std::string before = fileText(s.settingsFile());

    // Let files grow only a little past the old one, so the new text is cut off midway,
    // as a crash or a full disk would cut it.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = before.size() + 16;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error =
        errorOf([&] { s.store.WriteString("*.msg Directory", std::string(8192, 'n')); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(error, "Failed to set data for '*.msg Directory'");
    EXPECT_EQ(fileText(s.settingsFile()), before);
    EXPECT_EQ(s.store.ReadString("*.msg Directory"), "/old");
    // Nothing half-written is left beside it either.
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(s.settingsFile().parent_path()))
        names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{std::string(FileSettingsStore::kValuesFileName)});
}

TEST(FileStore, defaultRootIsInTheUsersConfigFolder) {
    withEnv("HOME", "/home/ana", [] {
        withEnv("XDG_CONFIG_HOME", "/cfg",
                [] { EXPECT_EQ(FileSettingsStore::defaultRoot(), fs::path("/cfg/zantor-store")); });
        // Unset, empty or relative: the fallback of the XDG rules.
        for (const char* xdg : {static_cast<const char*>(nullptr), "", "relative/cfg"})
            withEnv("XDG_CONFIG_HOME", xdg, [] {
                EXPECT_EQ(FileSettingsStore::defaultRoot(),
                          fs::path("/home/ana/.config/zantor-store"));
            });
    });
}
