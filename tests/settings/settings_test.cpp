// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"
#include "store_helpers.h"

#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

namespace {

const std::string kCwd = "/work/game";
// The separator the program puts between a folder and a name, and the same as the
// values file writes it.
const std::string S(1, kSeparator);
const std::string E = kSeparator == '\\' ? "\\\\" : S;
const std::string kFiles = kCwd + S + "files";
const std::string kItems = kCwd + S + "items";

// The window's side of the reading: its boxes and fields, and the folder field's change
// handler, which writes a new text back to the store.
class Window final : public SettingsTarget {
public:
    explicit Window(SettingsStore& store) : m_store(store) {}

    FilterStates filters = initialFilterStates();
    PreferenceStates preferences;
    std::array<std::string, kFolderCount> folders;
    std::string itemFolder;
    std::vector<std::string> log;

    void setFilter(Filter f, bool ticked) override {
        filters[f] = ticked;
        note(valueOf(f).name, ticked ? "true" : "false");
    }
    void setPreference(Preference p, bool ticked) override {
        preferences[p] = ticked;
        note(valueOf(p).name, ticked ? "true" : "false");
    }
    void setFolder(Folder f, const std::string& text) override {
        folders[static_cast<std::size_t>(f)] = text;
        note(valueOf(f).name, text);
    }
    void setItemFolder(const std::string& text) override {
        note(kItemFolderValue, text);
        if (text == itemFolder)
            return;
        itemFolder = text;
        writeItemFolder(m_store, text, kItemFolderValue);
    }

private:
    void note(std::string_view name, std::string_view value) {
        log.push_back(std::string(name) + "=" + std::string(value));
    }
    SettingsStore& m_store;
};

// Done as the configuration window runs it, without the list loading in between.
void done(SettingsStore& store, const Window& w, DerivedPaths& paths) {
    openForWriting(store);
    writePreferences(store, w.preferences);
    for (const auto& v : kFolderValues)
        writeFolder(store, v.folder, w.folders[static_cast<std::size_t>(v.folder)], paths);
    store.CloseKey();
}

DerivedPaths pathsFrom(const std::string& msg, const std::string& lists) {
    DerivedPaths p;
    p.proItemMsg = msg + S + "pro_item.msg";
    p.proCritMsg = msg + S + "pro_Crit.msg";
    p.proMiscMsg = msg + S + "pro_Misc.msg";
    p.protoMsg = msg + S + "proto.msg";
    p.statMsg = msg + S + "stat.msg";
    p.itemsLst = lists + S + "items.lst";
    p.itemsLstFolder = lists;
    p.invenLst = lists + S + "inven.lst";
    p.invenLstFolder = lists;
    p.crittersLst = lists + S + "critters.lst";
    return p;
}

} // namespace

TEST(ReadSettings, firstStartUsesEveryDefaultAndStoresOnlyTheItemFolder) {
    StoreDir s;
    Window w(s.store);
    DerivedPaths paths;
    readAllSettings(s.store, w, paths, kCwd);

    EXPECT_EQ(w.filters, initialFilterStates());
    EXPECT_TRUE(w.filters[Filter::Misc]);
    EXPECT_FALSE(w.filters[Filter::All]);
    EXPECT_TRUE(w.preferences[Preference::ShowItemNames]);
    EXPECT_FALSE(w.preferences[Preference::QuickOpen]);
    EXPECT_TRUE(w.preferences[Preference::AskIfSaveOnQuit]);
    EXPECT_TRUE(w.preferences[Preference::AskIfSaveOnOpen]);
    for (const std::string& folder : w.folders)
        EXPECT_EQ(folder, kFiles);
    EXPECT_EQ(w.itemFolder, kItems);
    EXPECT_EQ(paths, pathsFrom(kFiles, kFiles));

    EXPECT_EQ(valueLines(s.settingsFile()),
              std::vector<std::string>{"string Default open directory = /work/game" + E + "items"});
    EXPECT_FALSE(s.store.ValueExists(kItemFolderValue)) << "the key must be closed";
}

TEST(ReadSettings, storedValuesAreAppliedInReadingOrder) {
    StoreDir s;
    s.writeSettingsFile("string Default open directory = /items\n"
                        "string critters.lst Directory = /crit\n"
                        "bool Filter - All = true\n"
                        "bool Filter - Weapon = false\n"
                        "bool Quick open = true\n"
                        "string *.msg Directory = /msg\n"
                        "bool Filter - Misc = false\n");
    Window w(s.store);
    DerivedPaths paths;
    readAllSettings(s.store, w, paths, kCwd);
    const std::vector<std::string> expected{
        "Filter - Weapon=false",
        "Filter - Misc=false",
        "Filter - All=true",
        "Show item names=true",
        "Quick open=true",
        "Ask if save on quit=true",
        "Opening another item w/o save=true",
        "*.msg Directory=/msg",
        "items.lst Directory=" + kFiles,
        "inven.lst Directory=" + kFiles,
        "critters.lst Directory=/crit",
        "Default open directory=/items",
    };
    EXPECT_EQ(w.log, expected);
    EXPECT_EQ(paths.proItemMsg, "/msg" + S + "pro_item.msg");
    EXPECT_EQ(paths.itemsLstFolder, kFiles);
    EXPECT_EQ(paths.crittersLst, "/crit" + S + "critters.lst");
}

TEST(ReadSettings, aBadValueStopsTheReadingWithEarlierValuesApplied) {
    const struct {
        std::string file;
        std::string name; // as the reading asks for it
        std::string message;
        std::size_t applied; // entries of the log before the bad value
    } cases[] = {
        {"bool Filter - Ammo = true\nstring Filter - Drug = no\n", "Filter - Drug",
         "Invalid data type for 'Filter - Drug'", 1},
        {"string Quick open = maybe\n", "Quick open", "Failed to get data for 'Quick open'", 1},
        {"bool *.msg Directory = true\n", "*.msg directory",
         "Invalid data type for '*.msg directory'", 4},
        {"string items.lst Directory = /a\nbool inven.lst Directory = false\n",
         "inven.lst Directory", "Invalid data type for 'inven.lst Directory'", 6},
        {"bool Default open directory = true\n", "Default open directory",
         "Invalid data type for 'Default open directory'", 8},
    };
    for (const auto& c : cases) {
        StoreDir s;
        s.writeSettingsFile(c.file);
        Window w(s.store);
        DerivedPaths paths;
        EXPECT_EQ(errorOf([&] { readAllSettings(s.store, w, paths, kCwd); }), c.message);
        EXPECT_EQ(w.log.size(), c.applied) << c.message;
        EXPECT_EQ(fileText(s.settingsFile()), c.file) << "nothing may be written";
        EXPECT_TRUE(s.store.ValueExists(c.name)) << "the key stays current until closed";
    }
    // Paths are rebuilt for the folders read before the bad one, not after it.
    StoreDir s;
    s.writeSettingsFile(cases[3].file);
    Window w(s.store);
    DerivedPaths paths;
    EXPECT_ANY_THROW(readAllSettings(s.store, w, paths, kCwd));
    EXPECT_EQ(paths.proItemMsg, kFiles + S + "pro_item.msg");
    EXPECT_EQ(paths.itemsLst, "/a" + S + "items.lst");
    EXPECT_EQ(paths.invenLst, "");
}

TEST(ReadSettings, aNameStoredInCapitalsIsFoundAndDoneReplacesIt) {
    StoreDir s;
    s.writeSettingsFile("string *.MSG DIRECTORY = /old/msg\n");
    Window w(s.store);
    DerivedPaths paths;
    readAllSettings(s.store, w, paths, kCwd);
    EXPECT_EQ(w.folders[0], "/old/msg");
    EXPECT_EQ(paths.statMsg, "/old/msg" + S + "stat.msg");

    w.folders[0] = "/new/msg";
    done(s.store, w, paths);
    const std::vector<std::string> expected{
        "string *.MSG DIRECTORY = /new/msg",
        "string Default open directory = /work/game" + E + "items",
        "bool Ask if save on quit = true",
        "bool Opening another item w/o save = true",
        "bool Show item names = true",
        "bool Quick open = false",
        "string items.lst Directory = /work/game" + E + "files",
        "string inven.lst Directory = /work/game" + E + "files",
        "string critters.lst Directory = /work/game" + E + "files",
    };
    EXPECT_EQ(valueLines(s.settingsFile()), expected);
    EXPECT_EQ(paths, pathsFrom("/new/msg", kFiles));
}

TEST(WriteSettings, writeFiltersStoresAllEightInItsOrderAndCloses) {
    StoreDir s;
    FilterStates filters;
    filters[Filter::Armor] = true;
    filters[Filter::Key] = true;
    writeFilters(s.store, filters);
    const std::vector<std::string> expected{
        "bool Filter - All = false",       "bool Filter - Armor = true",
        "bool Filter - Container = false", "bool Filter - Misc = false",
        "bool Filter - Weapon = false",    "bool Filter - Drug = false",
        "bool Filter - Key = true",        "bool Filter - Ammo = false",
    };
    EXPECT_EQ(valueLines(s.settingsFile()), expected);
    EXPECT_FALSE(s.store.ValueExists("Filter - All"));

    // Read back, they give the boxes their states.
    Window w(s.store);
    DerivedPaths paths;
    readAllSettings(s.store, w, paths, kCwd);
    EXPECT_EQ(w.filters, filters);
}

TEST(WriteSettings, bothSpellingsOfTheItemFolderAreOneValue) {
    const struct {
        std::string_view first, second, line;
    } cases[] = {
        {kItemFolderValue, kItemFolderPageValue, "string Default open directory = /second"},
        {kItemFolderPageValue, kItemFolderValue, "string Default Open Directory = /second"},
    };
    for (const auto& c : cases) {
        StoreDir s;
        writeItemFolder(s.store, "/first", c.first);
        writeItemFolder(s.store, "/second", c.second);
        EXPECT_EQ(valueLines(s.settingsFile()), std::vector<std::string>{std::string(c.line)});
    }
}

TEST(WriteSettings, refusedWritesFailWithTheValueNameAndChangeNoPaths) {
    StoreDir s;
    s.dir.write("store", std::string("a file where the root should be"));
    EXPECT_EQ(errorOf([&] { writeFilters(s.store, initialFilterStates()); }),
              "Failed to set data for 'Filter - All'");
    EXPECT_EQ(errorOf([&] { writeItemFolder(s.store, "/x", kItemFolderPageValue); }),
              "Failed to set data for 'Default Open Directory'");
    EXPECT_FALSE(openForWriting(s.store));
    EXPECT_EQ(errorOf([&] { writePreferences(s.store, defaultPreferences()); }),
              "Failed to set data for 'Ask if save on quit'");
    DerivedPaths paths = pathsFrom("/msg", "/lists");
    EXPECT_EQ(errorOf([&] { writeFolder(s.store, Folder::InvenLst, "/new", paths); }),
              "Failed to set data for 'inven.lst Directory'");
    EXPECT_EQ(paths, pathsFrom("/msg", "/lists"));
}

TEST(DerivedPaths, areFolderSeparatorAndFileNameExactly) {
    const struct {
        std::string folder, proItemMsg, crittersLst;
    } cases[] = {
        {"/g/files", "/g/files" + S + "pro_item.msg", "/g/files" + S + "critters.lst"},
        {"/g/files" + S, "/g/files" + S + S + "pro_item.msg", "/g/files" + S + S + "critters.lst"},
        {"", S + "pro_item.msg", S + "critters.lst"},
        {"relative", "relative" + S + "pro_item.msg", "relative" + S + "critters.lst"},
    };
    for (const auto& c : cases) {
        DerivedPaths p;
        for (const auto& v : kFolderValues)
            p.setFolder(v.folder, c.folder);
        EXPECT_EQ(p.proItemMsg, c.proItemMsg);
        EXPECT_EQ(p.crittersLst, c.crittersLst);
        EXPECT_EQ(p.itemsLstFolder, c.folder) << "folders are kept as written";
        EXPECT_EQ(p.invenLstFolder, c.folder);
    }
    // Each folder rebuilds its own paths only.
    DerivedPaths p = pathsFrom("/msg", "/lists");
    p.setItemsLstFolder("/ground");
    DerivedPaths expected = pathsFrom("/msg", "/lists");
    expected.itemsLst = "/ground" + S + "items.lst";
    expected.itemsLstFolder = "/ground";
    EXPECT_EQ(p, expected);
}

TEST(Uninstall, removesTheSettingsKeyAndTheMakerKeyUnlessItHoldsOthers) {
    const std::string removed = "Registry key \"\\Software\\Morvale\\Zantor\" removed. "
                                "Proceeding to remove \"\\Software\\Morvale\".";
    const std::string notFound = "Registry key \"\\Software\\Morvale\\Zantor\" not found. "
                                 "Proceeding to remove \"\\Software\\Morvale\".";
    const std::string makerRemoved = "Registry key \"\\Software\\Morvale\" removed. Delete "
                                     "folder \"/opt/zantor\" from your computer to complete "
                                     "uninstall.";
    const std::string makerKept = "Registry key \"\\Software\\Morvale\" has subkeys other that "
                                  "\"Zantor\" - not removed.  Delete folder \"/opt/zantor\" "
                                  "from your computer to complete uninstall.";
    const struct {
        bool settings, sibling;
        std::string first, second;
    } cases[] = {
        {true, false, removed, makerRemoved},
        {true, true, removed, makerKept},
        {false, false, notFound, makerRemoved},
        {false, true, notFound, makerKept},
    };
    for (const auto& c : cases) {
        StoreDir s;
        ASSERT_TRUE(s.store.OpenKey("\\Software\\Kept", true));
        if (c.settings)
            writeFilters(s.store, initialFilterStates());
        if (c.sibling) {
            ASSERT_TRUE(s.store.OpenKey("\\Software\\Morvale\\Other", true));
        }
        s.store.CloseKey();

        EXPECT_EQ(uninstallSettingsKey(s.store), c.first);
        EXPECT_EQ(uninstallMakerKey(s.store, "/opt/zantor"), c.second);
        EXPECT_FALSE(s.store.KeyExists(kSettingsKey));
        EXPECT_EQ(s.store.KeyExists(kMakerKey), c.sibling);
        EXPECT_EQ(s.store.KeyExists("\\Software\\Morvale\\Other"), c.sibling);
        EXPECT_TRUE(s.store.KeyExists("\\Software\\Kept"));
        EXPECT_FALSE(s.store.HasSubKeys()) << "no key may stay current";
    }
}

namespace {

// A store in which every key exists and none can be deleted.
class StubbornStore final : public SettingsStore {
public:
    bool OpenKey(std::string_view, bool) override { return true; }
    void CloseKey() override {}
    bool ValueExists(std::string_view) override { return false; }
    bool ReadBool(std::string_view) override { return false; }
    std::string ReadString(std::string_view) override { return {}; }
    void WriteBool(std::string_view, bool) override {}
    void WriteString(std::string_view, std::string_view) override {}
    bool KeyExists(std::string_view) override { return true; }
    bool DeleteKey(std::string_view) override { return false; }
    bool HasSubKeys() override { return false; }
};

} // namespace

TEST(Uninstall, aKeyThatStaysIsReportedNotCalledRemoved) {
    StubbornStore store;
    EXPECT_EQ(errorOf([&] { uninstallSettingsKey(store); }),
              "Registry key \"\\Software\\Morvale\\Zantor\" could not be removed.");
    EXPECT_EQ(errorOf([&] { uninstallMakerKey(store, "/opt/zantor"); }),
              "Registry key \"\\Software\\Morvale\" could not be removed.");
}
