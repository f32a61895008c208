// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/file_settings_store.h"

namespace zantor {

std::unique_ptr<SettingsStore> openUserSettingsStore() {
    return std::make_unique<FileSettingsStore>(FileSettingsStore::defaultRoot());
}

} // namespace zantor
