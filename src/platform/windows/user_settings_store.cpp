// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/registry_settings_store.h"

namespace zantor {

std::unique_ptr<SettingsStore> openUserSettingsStore() {
    return std::make_unique<RegistrySettingsStore>();
}

} // namespace zantor
