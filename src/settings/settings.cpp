// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"

#include "common/error.h"
#include "common/files.h"

namespace zantor {

namespace {

constexpr std::string_view kFolderDefault = "files";
constexpr std::string_view kItemFolderDefault = "items";

// The last key name of the settings key: the subkey the uninstall expects under the maker.
constexpr std::string_view kSettingsKeyName = kSettingsKey.substr(kMakerKey.size() + 1);

std::string quoted(std::string_view text) {
    std::string out = "\"";
    out += text;
    out += '"';
    return out;
}

std::string deleteFolderRequest(std::string_view cwd) {
    return "Delete folder " + quoted(cwd) + " from your computer to complete uninstall.";
}

std::string keyNotRemovedMessage(std::string_view key) {
    return "Registry key " + quoted(key) + " could not be removed.";
}

// Deletes the key; a key that stays afterwards is an error, one already gone is not.
void deleteKey(SettingsStore& store, std::string_view key) {
    if (!store.DeleteKey(key) && store.KeyExists(key))
        throw Error(keyNotRemovedMessage(key));
}

std::string readFolder(SettingsStore& store, std::string_view name, std::string_view cwd,
                       std::string (*fallback)(std::string_view)) {
    return store.ValueExists(name) ? store.ReadString(name) : fallback(cwd);
}

} // namespace

FilterStates initialFilterStates() {
    FilterStates states;
    for (const auto& v : kFilterValues)
        states[v.filter] = v.initiallyTicked;
    return states;
}

PreferenceStates defaultPreferences() {
    PreferenceStates states;
    for (const auto& v : kPreferenceValues)
        states[v.preference] = v.defaultValue;
    return states;
}

std::string defaultFolder(std::string_view cwd) {
    return joinPath(cwd, kFolderDefault);
}

std::string defaultItemFolder(std::string_view cwd) {
    return joinPath(cwd, kItemFolderDefault);
}

void DerivedPaths::setMsgFolder(std::string_view folder) {
    proItemMsg = joinPath(folder, kProItemMsgFile);
    proCritMsg = joinPath(folder, kProCritMsgFile);
    proMiscMsg = joinPath(folder, kProMiscMsgFile);
    protoMsg = joinPath(folder, kProtoMsgFile);
    statMsg = joinPath(folder, kStatMsgFile);
}

void DerivedPaths::setItemsLstFolder(std::string_view folder) {
    itemsLst = joinPath(folder, kItemsLstFile);
    itemsLstFolder = folder;
}

void DerivedPaths::setInvenLstFolder(std::string_view folder) {
    invenLst = joinPath(folder, kInvenLstFile);
    invenLstFolder = folder;
}

void DerivedPaths::setCrittersLstFolder(std::string_view folder) {
    crittersLst = joinPath(folder, kCrittersLstFile);
}

void DerivedPaths::setFolder(Folder which, std::string_view folder) {
    switch (which) {
    case Folder::Msg:
        setMsgFolder(folder);
        break;
    case Folder::ItemsLst:
        setItemsLstFolder(folder);
        break;
    case Folder::InvenLst:
        setInvenLstFolder(folder);
        break;
    case Folder::CrittersLst:
        setCrittersLstFolder(folder);
        break;
    }
}

void readAllSettings(SettingsStore& store, SettingsTarget& target, DerivedPaths& paths,
                     std::string_view cwd) {
    // A missing key leaves none current, so every value below reads as absent.
    store.OpenKey(kSettingsKey, false);
    for (const auto& v : kFilterValues)
        if (store.ValueExists(v.name))
            target.setFilter(v.filter, store.ReadBool(v.name));
    for (const auto& v : kPreferenceValues)
        target.setPreference(v.preference,
                             store.ValueExists(v.name) ? store.ReadBool(v.name) : v.defaultValue);
    for (const auto& v : kFolderValues) {
        const std::string text = readFolder(store, v.readName, cwd, defaultFolder);
        target.setFolder(v.folder, text);
        paths.setFolder(v.folder, text);
    }
    // Last: the folder field's change handler opens and closes the key itself.
    target.setItemFolder(readFolder(store, kItemFolderValue, cwd, defaultItemFolder));
    store.CloseKey();
}

void writeFilters(SettingsStore& store, const FilterStates& filters) {
    store.OpenKey(kSettingsKey, true);
    for (const Filter f : kFilterWriteOrder)
        store.WriteBool(valueOf(f).name, filters[f]);
    store.CloseKey();
}

bool openForWriting(SettingsStore& store) {
    return store.OpenKey(kSettingsKey, true);
}

void writePreferences(SettingsStore& store, const PreferenceStates& preferences) {
    for (const Preference p : kPreferenceWriteOrder)
        store.WriteBool(valueOf(p).name, preferences[p]);
}

void writeFolder(SettingsStore& store, Folder folder, std::string_view text, DerivedPaths& paths) {
    store.WriteString(valueOf(folder).name, text);
    paths.setFolder(folder, text);
}

void writeItemFolder(SettingsStore& store, std::string_view text, std::string_view valueName) {
    store.OpenKey(kSettingsKey, true);
    store.WriteString(valueName, text);
    store.CloseKey();
}

const std::string_view kUninstallQuestion =
    "This will remove Registry entries used by Zantor. Those entries are Zantor's setting "
    "records, thus, by deleting these entries you lose Zantor's configuration information. "
    "Are you sure you wish to proceed?";

std::string uninstallSettingsKey(SettingsStore& store) {
    const bool found = store.KeyExists(kSettingsKey);
    if (found)
        deleteKey(store, kSettingsKey);
    return "Registry key " + quoted(kSettingsKey) + (found ? " removed." : " not found.") +
           " Proceeding to remove " + quoted(kMakerKey) + ".";
}

std::string uninstallMakerKey(SettingsStore& store, std::string_view cwd) {
    store.OpenKey(kMakerKey, false);
    const bool hasSubKeys = store.HasSubKeys();
    store.CloseKey();
    if (hasSubKeys)
        return "Registry key " + quoted(kMakerKey) + " has subkeys other that " +
               quoted(kSettingsKeyName) + " - not removed.  " + deleteFolderRequest(cwd);
    deleteKey(store, kMakerKey);
    return "Registry key " + quoted(kMakerKey) + " removed. " + deleteFolderRequest(cwd);
}

} // namespace zantor
