// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/files.h"
#include "settings/settings_store.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zantor {

// The settings store kept in plain files under a root folder, for systems without a
// platform store. Each key is a folder (so "\Software\Morvale\Zantor" is the folder
// Software/Morvale/Zantor under the root) and its values are one text file in it,
// kValuesFileName, one value a line:
//
//     bool Filter - All = false
//     string *.msg Directory = /home/ana/game/files
//
// In names and texts a backslash starts an escape: \\ \n \r \t and \xHH for any other
// byte below 0x20 and 0x7F; a blank at either end of a name or text is written \x20 and
// a "=" in a name \x3D, so every line splits at its first "=" and the blanks around it
// can be loose. Other bytes, such as UTF-8 text, are written as they are. Blank lines
// and lines starting with "#" are ignored; a "bool" line also accepts true and false in
// any letter case and a whole number (non-zero is true). A write rewrites the whole file
// atomically, in the order the values were first stored, under a short header; comments added by
// hand are not kept.
//
// Key names are matched without regard to letter case, as value names are. A key name
// that a file name cannot hold as it is ("/", "%", control bytes, a leading "." or "_")
// is written with %HH escapes, so every key stays inside the root and no key folder is
// ever named like the values file.
class FileSettingsStore final : public SettingsStore {
public:
    /// The name of the file that holds a key's values, inside the key's folder.
    static constexpr std::string_view kValuesFileName = "_values.conf";

    /// A store whose user root is the folder `root`; nothing is created until a key is
    /// opened with create.
    explicit FileSettingsStore(std::filesystem::path root);

    /// The user's root: the "zantor-store" folder in $XDG_CONFIG_HOME (when set to an
    /// absolute path), else in ~/.config. Throws Error when neither XDG_CONFIG_HOME nor
    /// a home folder can be found.
    static std::filesystem::path defaultRoot();

    const std::filesystem::path& root() const { return m_root; }

    /// The values file of the current key, or an empty path when no key is current.
    std::filesystem::path currentValuesFile() const;

    // Value operations throw Error naming the file when the values file cannot be read
    // ("Cannot read the settings file ...") or is not in the format above ("The settings
    // file ... is damaged at line N: ..."); a write then leaves the file as it is.
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
    std::string describeRoot() const override { return utf8Of(m_root); }
    std::string describeCurrentKey() const override { return utf8Of(currentValuesFile()); }

private:
    std::optional<std::filesystem::path> findKey(std::string_view path, bool create) const;
    void write(std::string_view name, bool isBool, bool boolean, std::string_view text);

    std::filesystem::path m_root;
    std::optional<std::filesystem::path> m_current;
};

} // namespace zantor
