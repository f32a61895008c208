// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_store.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zantor {

// Where the program keeps its settings, as absolute key paths of the settings store.
inline constexpr std::string_view kSettingsKey = "\\Software\\Morvale\\Zantor";
// The key directly above the settings key; only the uninstall touches it.
inline constexpr std::string_view kMakerKey = "\\Software\\Morvale";

// The type filters of the item browser, in the order they are read.
enum class Filter { Weapon, Armor, Ammo, Drug, Container, Key, Misc, All };
inline constexpr std::size_t kFilterCount = 8;

// The four preferences, in the order they are read.
enum class Preference { ShowItemNames, QuickOpen, AskIfSaveOnQuit, AskIfSaveOnOpen };
inline constexpr std::size_t kPreferenceCount = 4;

// The folders of the message files and art lists, in the order they are read and written.
enum class Folder { Msg, ItemsLst, InvenLst, CrittersLst };
inline constexpr std::size_t kFolderCount = 4;

struct FilterValue {
    Filter filter;
    std::string_view name;
    bool initiallyTicked; // the box's state in a new window; a filter has no other default
};

struct PreferenceValue {
    Preference preference;
    std::string_view name;
    bool defaultValue;
};

struct FolderValue {
    Folder folder;
    std::string_view readName; // the spelling the reading asks for
    std::string_view name;     // the spelling Done writes; letter case makes them one value
};

// Indexed by the enums, so in reading order.
inline constexpr std::array<FilterValue, kFilterCount> kFilterValues{{
    {Filter::Weapon, "Filter - Weapon", true},
    {Filter::Armor, "Filter - Armor", true},
    {Filter::Ammo, "Filter - Ammo", true},
    {Filter::Drug, "Filter - Drug", true},
    {Filter::Container, "Filter - Container", true},
    {Filter::Key, "Filter - Key", true},
    {Filter::Misc, "Filter - Misc", true},
    {Filter::All, "Filter - All", false},
}};

inline constexpr std::array<PreferenceValue, kPreferenceCount> kPreferenceValues{{
    {Preference::ShowItemNames, "Show item names", true},
    {Preference::QuickOpen, "Quick open", false},
    {Preference::AskIfSaveOnQuit, "Ask if save on quit", true},
    {Preference::AskIfSaveOnOpen, "Opening another item w/o save", true},
}};

inline constexpr std::array<FolderValue, kFolderCount> kFolderValues{{
    {Folder::Msg, "*.msg directory", "*.msg Directory"},
    {Folder::ItemsLst, "items.lst Directory", "items.lst Directory"},
    {Folder::InvenLst, "inven.lst Directory", "inven.lst Directory"},
    {Folder::CrittersLst, "critters.lst Directory", "critters.lst Directory"},
}};

// The order in which the filters are written.
inline constexpr std::array<Filter, kFilterCount> kFilterWriteOrder{
    Filter::All,    Filter::Armor, Filter::Container, Filter::Misc,
    Filter::Weapon, Filter::Drug,  Filter::Key,       Filter::Ammo,
};

// The order in which Done writes the preferences.
inline constexpr std::array<Preference, kPreferenceCount> kPreferenceWriteOrder{
    Preference::AskIfSaveOnQuit,
    Preference::AskIfSaveOnOpen,
    Preference::ShowItemNames,
    Preference::QuickOpen,
};

// The item folder: the folder field writes the first spelling, a change to a type page the
// second; letter case makes them one value.
inline constexpr std::string_view kItemFolderValue = "Default open directory";
inline constexpr std::string_view kItemFolderPageValue = "Default Open Directory";

// The files whose paths are derived from the folders.
inline constexpr std::string_view kProItemMsgFile = "pro_item.msg";
inline constexpr std::string_view kProCritMsgFile = "pro_Crit.msg";
inline constexpr std::string_view kProMiscMsgFile = "pro_Misc.msg";
inline constexpr std::string_view kProtoMsgFile = "proto.msg";
inline constexpr std::string_view kStatMsgFile = "stat.msg";
inline constexpr std::string_view kItemsLstFile = "items.lst";
inline constexpr std::string_view kInvenLstFile = "inven.lst";
inline constexpr std::string_view kCrittersLstFile = "critters.lst";

constexpr const FilterValue& valueOf(Filter f) {
    return kFilterValues[static_cast<std::size_t>(f)];
}
constexpr const PreferenceValue& valueOf(Preference p) {
    return kPreferenceValues[static_cast<std::size_t>(p)];
}
constexpr const FolderValue& valueOf(Folder f) {
    return kFolderValues[static_cast<std::size_t>(f)];
}

// One tick state per filter or preference, indexed by the enum.
template <typename Enum, std::size_t Count> class Ticks {
public:
    bool& operator[](Enum e) { return m_ticked[static_cast<std::size_t>(e)]; }
    bool operator[](Enum e) const { return m_ticked[static_cast<std::size_t>(e)]; }
    bool operator==(const Ticks&) const = default;

private:
    std::array<bool, Count> m_ticked{};
};
using FilterStates = Ticks<Filter, kFilterCount>;
using PreferenceStates = Ticks<Preference, kPreferenceCount>;

/// The filter boxes of a new window: every type ticked, "All" not.
FilterStates initialFilterStates();

/// The preferences that apply when none is stored.
PreferenceStates defaultPreferences();

/// cwd + separator + "files": the default of every folder.
std::string defaultFolder(std::string_view cwd);

/// cwd + separator + "items": the default item folder.
std::string defaultItemFolder(std::string_view cwd);

// The paths of the message files and art lists, each formed exactly as folder + separator
// + file name: a folder that ends with a separator gives two in a row, an empty folder a
// path that begins with one. Rebuilt only when the settings are read and on Done.
struct DerivedPaths {
    std::string proItemMsg;
    std::string proCritMsg;
    std::string proMiscMsg;
    std::string protoMsg;
    std::string statMsg;
    std::string itemsLst;
    std::string itemsLstFolder;
    std::string invenLst;
    std::string invenLstFolder;
    std::string crittersLst;

    void setMsgFolder(std::string_view folder);
    void setItemsLstFolder(std::string_view folder);
    void setInvenLstFolder(std::string_view folder);
    void setCrittersLstFolder(std::string_view folder);
    /// The setter of that folder.
    void setFolder(Folder which, std::string_view folder);

    bool operator==(const DerivedPaths&) const = default;
};

// What the reading fills: the window's check boxes and fields.
class SettingsTarget {
public:
    virtual ~SettingsTarget() = default;
    virtual void setFilter(Filter filter, bool ticked) = 0;
    virtual void setPreference(Preference preference, bool ticked) = 0;
    virtual void setFolder(Folder folder, const std::string& text) = 0;
    /// The folder field of the main window; its change handler writes the value back.
    virtual void setItemFolder(const std::string& text) = 0;
};

/// Reads every setting into `target` and rebuilds `paths`: opens the settings key without
/// creating it (a missing key means every value is absent); the filters that are stored;
/// the preferences, stored or default; each folder, stored or `defaultFolder(cwd)`, with
/// its derived paths; the item folder, stored or `defaultItemFolder(cwd)`, last, because
/// setting it may write to the store; then closes the key. Throws the store's Error for a
/// value of the wrong type ("Invalid data type for '%s'", "Failed to get data for '%s'")
/// and stops there: what was read before it stays applied, the key stays current.
void readAllSettings(SettingsStore& store, SettingsTarget& target, DerivedPaths& paths,
                     std::string_view cwd);

/// Stores the eight filters ("Filter - All" first) under the settings key, creating it,
/// then closes the key. Throws Error "Failed to set data for '%s'" for the first write
/// the store refuses; the writes after it are skipped.
void writeFilters(SettingsStore& store, const FilterStates& filters);

/// Opens the settings key with create, for Done. Returns whether the store could open
/// it; when it could not, the first write fails with "Failed to set data for '%s'".
bool openForWriting(SettingsStore& store);

/// Done's preference writes into the current key, "Ask if save on quit" first. Throws
/// Error "Failed to set data for '%s'" for the first write the store refuses.
void writePreferences(SettingsStore& store, const PreferenceStates& preferences);

/// Done's write of one folder field into the current key, then the rebuilding of that
/// folder's derived paths from the same text. Throws Error "Failed to set data for '%s'"
/// when the store refuses; the paths are then left as they were.
void writeFolder(SettingsStore& store, Folder folder, std::string_view text, DerivedPaths& paths);

/// Stores the item folder under `valueName` (kItemFolderValue from the folder field,
/// kItemFolderPageValue on a change to a type page): opens the settings key with create,
/// writes, closes. Throws Error "Failed to set data for '%s'" when the store refuses.
void writeItemFolder(SettingsStore& store, std::string_view text, std::string_view valueName);

// The uninstall. The window asks kUninstallQuestion, then shows the message of each step
// before the next one runs.
extern const std::string_view kUninstallQuestion;

/// Deletes the settings key with its values and subkeys when it exists. Returns the
/// message to show: removed, or not found. Throws Error "Registry key "%s" could not be
/// removed." when the key exists and stays.
std::string uninstallSettingsKey(SettingsStore& store);

/// Deletes the maker key unless it has other subkeys. Returns the message to show, which
/// names the program's folder `cwd` for the user to delete. Throws Error "Registry key
/// "%s" could not be removed." when the key was to go but stays.
std::string uninstallMakerKey(SettingsStore& store, std::string_view cwd);

} // namespace zantor
