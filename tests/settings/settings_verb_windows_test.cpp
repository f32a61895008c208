// SPDX-License-Identifier: GPL-3.0-or-later
// zantor-cli settings reads the editor's store on Windows: the registry.
#include "platform/windows/registry_settings_store.h"
#include "settings/settings.h"
#include "support/cli_runner.h"

#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(CliSettings, theStoreIsTheUsersRegistry) {
    RegistrySettingsStore store;
    if (store.KeyExists(kSettingsKey))
        GTEST_SKIP() << "this user has settings of the editor; they are never touched";
    ASSERT_TRUE(store.OpenKey(kSettingsKey, true));
    store.WriteString("items.lst Directory", "C:\\art");
    store.WriteBool("QUICK OPEN", true);
    store.CloseKey();
    const auto r = runCli({"settings"});
    store.DeleteKey(kSettingsKey);

    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "Settings store: HKEY_CURRENT_USER\n")) << r.out;
    EXPECT_TRUE(has(r.out, "Key \\Software\\Morvale\\Zantor: "
                           "HKEY_CURRENT_USER\\Software\\Morvale\\Zantor\n"));
    EXPECT_TRUE(has(r.out, "  Quick open                      bool   true\n"));
    EXPECT_TRUE(has(r.out, "  items.lst folder  \"C:\\\\art\"\n")) << r.out;
}
