// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_store.h"

#include <string>
#include <string_view>

struct HKEY__; // windows.h stays out of the header: HKEY is HKEY__*.

namespace zantor {

// The settings store in the Windows registry, under HKEY_CURRENT_USER. Key paths such as
// "\Software\Morvale\Zantor" are taken from the user's root; booleans are 32-bit numbers
// (REG_DWORD), strings are REG_SZ values (plain or expandable strings are read). The core's
// UTF-8 texts are converted to and from the registry's wide characters, so values written
// by any program read back as the same text. The registry itself matches key and value
// names without regard to letter case and keeps the first spelling of a name.
class RegistrySettingsStore final : public SettingsStore {
public:
    /// The store of the current user. `base`, a key path below HKEY_CURRENT_USER such
    /// as "Software\Scratch", stands in for the user's root when given (tests use a
    /// fresh key so that they never touch real settings).
    explicit RegistrySettingsStore(std::string_view base = {});
    RegistrySettingsStore(const RegistrySettingsStore&) = delete;
    RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;
    ~RegistrySettingsStore() override;

    bool OpenKey(std::string_view path, bool canCreate) override;
    void CloseKey() override;
    bool ValueExists(std::string_view name) override;
    bool ReadBool(std::string_view name) override;
    std::string ReadString(std::string_view name) override;
    void WriteBool(std::string_view name, bool value) override;
    void WriteString(std::string_view name, std::string_view value) override;
    bool KeyExists(std::string_view path) override;
    bool DeleteKey(std::string_view path) override;
    bool HasSubKeys() override;
    std::string describeRoot() const override;
    std::string describeCurrentKey() const override;

private:
    std::string m_base;
    HKEY__* m_current = nullptr;
    std::string m_currentPath;
};

} // namespace zantor
