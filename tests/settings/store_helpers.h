// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/file_settings_store.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zantor::test {

// A settings store rooted in a fresh temporary folder.
struct StoreDir {
    TempDir dir;
    std::filesystem::path root = dir.path() / "store";
    FileSettingsStore store{root};

    /// The values file of a key such as "Software/Morvale/Zantor".
    std::filesystem::path valuesFile(const std::string& keyFolder) const {
        return (root / keyFolder).make_preferred() / FileSettingsStore::kValuesFileName;
    }
    std::filesystem::path settingsFile() const { return valuesFile("Software/Morvale/Zantor"); }
    /// Writes a values file by hand, as a person editing it would.
    void writeSettingsFile(const std::string& text) const;
};

/// The lines of a file that hold values: every line but blank ones and comments.
std::vector<std::string> valueLines(const std::filesystem::path& file);

/// The whole file as text, empty when it does not exist.
std::string fileText(const std::filesystem::path& file);

} // namespace zantor::test
