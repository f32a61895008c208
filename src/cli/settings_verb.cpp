// SPDX-License-Identifier: GPL-3.0-or-later
// settings: what the editor would read from the settings store, for support questions.
// Read-only: the settings key is never created and nothing is written.
#include "cli/cli.h"
#include "common/error.h"
#include "common/files.h"
#include "settings/file_settings_store.h"
#include "settings/settings.h"

#include <cerrno>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <type_traits>

namespace zantor::cli {

namespace {

// Takes the values the reading gives and lets the item folder pass without writing it back.
class Quiet final : public SettingsTarget {
public:
    void setFilter(Filter, bool) override {}
    void setPreference(Preference, bool) override {}
    void setFolder(Folder, const std::string&) override {}
    void setItemFolder(const std::string&) override {}
};

void printRow(std::ostream& out, std::string_view name, std::string_view kind,
              const std::string& shown, bool isDefault) {
    out << "  " << std::left << std::setw(32) << name << std::setw(7) << kind << shown
        << (isDefault ? "  (default)" : "") << "\n";
}

std::string shown(bool value) {
    return value ? "true" : "false";
}

std::string shown(const std::string& text) {
    return jsonString(text);
}

// One value: the stored one, or its default marked as such, or the error that stops the
// editor's reading there.
template <typename T>
void printValue(std::ostream& out, SettingsStore& store, std::string_view name, const T& fallback) {
    constexpr bool isBool = std::is_same_v<T, bool>;
    const std::string_view kind = isBool ? "bool" : "string";
    try {
        if (!store.ValueExists(name))
            printRow(out, name, kind, shown(fallback), true);
        else if constexpr (isBool)
            printRow(out, name, kind, shown(store.ReadBool(name)), false);
        else
            printRow(out, name, kind, shown(store.ReadString(name)), false);
    } catch (const Error& e) {
        printRow(out, name, kind, std::string("error: ") + e.what(), false);
    }
}

void printValues(std::ostream& out, SettingsStore& store, std::string_view cwd) {
    for (const auto& v : kFilterValues)
        printValue(out, store, v.name, v.initiallyTicked);
    for (const auto& v : kPreferenceValues)
        printValue(out, store, v.name, v.defaultValue);
    for (const auto& v : kFolderValues)
        printValue(out, store, v.readName, defaultFolder(cwd));
    printValue(out, store, kItemFolderValue, defaultItemFolder(cwd));
}

void printPaths(std::ostream& out, SettingsStore& store, std::string_view cwd) {
    DerivedPaths paths;
    Quiet quiet;
    try {
        readAllSettings(store, quiet, paths, cwd);
    } catch (const Error& e) {
        out << "  not formed: the editor's reading stops at: " << e.what() << "\n";
        return;
    }
    const std::pair<std::string_view, const std::string*> rows[] = {
        {kProItemMsgFile, &paths.proItemMsg},
        {kProCritMsgFile, &paths.proCritMsg},
        {kProMiscMsgFile, &paths.proMiscMsg},
        {kProtoMsgFile, &paths.protoMsg},
        {kStatMsgFile, &paths.statMsg},
        {kItemsLstFile, &paths.itemsLst},
        {"items.lst folder", &paths.itemsLstFolder},
        {kInvenLstFile, &paths.invenLst},
        {"inven.lst folder", &paths.invenLstFolder},
        {kCrittersLstFile, &paths.crittersLst},
    };
    for (const auto& [name, path] : rows)
        out << "  " << std::left << std::setw(18) << name << jsonString(*path) << "\n";
}

int runSettings(Args args, std::ostream& out, std::ostream& err) {
    std::optional<std::filesystem::path> root;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--store" && i + 1 < args.size() && !root) {
            root = pathFromUtf8(args[++i]);
            continue;
        }
        err << "zantor-cli settings: unexpected argument '" << args[i] << "' (see --help)\n";
        return 1;
    }
    if (root) {
        // A store the system cannot even look for is an error, not a store without values.
        std::error_code ec;
        if (std::filesystem::status(*root, ec).type() == std::filesystem::file_type::none &&
            ec == std::errc::filename_too_long)
            throwIoError(ENAMETOOLONG, *root);
    }
    const std::unique_ptr<SettingsStore> owned =
        root ? std::make_unique<FileSettingsStore>(*root) : openUserSettingsStore();
    SettingsStore& store = *owned;
    const std::string cwd = currentDirectory();

    out << "Settings store: " << store.describeRoot() << "\n";
    if (store.OpenKey(kSettingsKey, false)) {
        // A damaged or unreadable values file fails the command with its message once,
        // rather than once a value.
        store.ValueExists(kFilterValues.front().name);
        out << "Key " << kSettingsKey << ": " << store.describeCurrentKey() << "\n";
    } else {
        out << "Key " << kSettingsKey << ": not found; every value shows its default\n";
    }
    out << "Defaults are formed from the current directory " << jsonString(cwd) << "\n"
        << "\nValues, in the order the editor reads them (letter case of names does not "
           "count):\n";
    printValues(out, store, cwd);
    store.CloseKey();
    out << "\nDerived paths:\n";
    printPaths(out, store, cwd);
    return 0;
}

} // namespace

const Verb kSettingsVerb{
    "settings", "print the editor's settings and the file paths formed from them",
    "Usage: zantor-cli settings [--store DIR]\n"
    "\n"
    "Prints every value of the editor's settings key with its type, its default marked\n"
    "\"(default)\" when the value is not stored, and the paths of the message files and art\n"
    "lists formed from the folders. Defaults are formed from the current directory, as the\n"
    "editor does. Nothing is written.\n"
    "\n"
    "  --store DIR   read the file store with this root folder instead of the editor's\n"
    "                store (on Windows the registry, HKEY_CURRENT_USER; elsewhere\n"
    "                zantor-store in $XDG_CONFIG_HOME, else in ~/.config)\n",
    runSettings};

} // namespace zantor::cli
