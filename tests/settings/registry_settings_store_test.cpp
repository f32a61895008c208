// SPDX-License-Identifier: GPL-3.0-or-later
// The registry store against the system's registry. Every test works under a fresh key of
// its own below HKEY_CURRENT_USER\Software\ZantorTests, which stands in for the user's
// root and is deleted afterwards, so no real setting is touched.
#include "platform/windows/registry_settings_store.h"
#include "platform/windows/wide_text.h"
#include "settings/settings.h"
#include "support/error_of.h"

#include <gtest/gtest.h>
#include <random>
#include <windows.h>

using namespace zantor;
using zantor::test::errorOf;

namespace {

constexpr std::string_view kKey = "\\Software\\Morvale\\Zantor";

// A scratch user root in the registry and a store on it.
struct RegistryRoot {
    std::string base = "Software\\ZantorTests\\" + std::to_string(std::random_device()());
    RegistrySettingsStore store{base};

    ~RegistryRoot() { ::RegDeleteTreeW(HKEY_CURRENT_USER, wideFromUtf8(base).c_str()); }

    // The registry path of a key path of the store, such as "\Software\Morvale".
    std::wstring keyPath(std::string_view path) const {
        return wideFromUtf8(base + std::string(path));
    }

    // Stores a value as another program would, of any type and data.
    void putRaw(std::string_view path, const std::wstring& name, DWORD type, const void* data,
                std::size_t size) const {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(path).c_str(), 0, nullptr, 0,
                                    KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data),
                                   static_cast<DWORD>(size)),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    void putText(const std::wstring& name, DWORD type, const std::wstring& text,
                 std::size_t size) const {
        putRaw(kKey, name, type, text.c_str(), size);
    }
    void putText(const std::wstring& name, const std::wstring& text) const {
        putText(name, REG_SZ, text, (text.size() + 1) * sizeof(wchar_t));
    }

    // The values of a key as the registry lists them: name, type and data.
    struct RawValue {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::vector<RawValue> rawValues(std::string_view path) const {
        std::vector<RawValue> out;
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(path).c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return out;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLength = 256;
            BYTE data[1024];
            DWORD size = sizeof data;
            DWORD type = 0;
            if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) !=
                ERROR_SUCCESS)
                break;
            out.push_back({std::wstring(name, nameLength), type, {data, data + size}});
        }
        ::RegCloseKey(key);
        return out;
    }
};

// The value of that name, spelt as the registry keeps it; the registry lists values in an
// order of its own.
RegistryRoot::RawValue valueNamed(const std::vector<RegistryRoot::RawValue>& values,
                                  const std::wstring& name) {
    for (const auto& v : values)
        if (::lstrcmpiW(v.name.c_str(), name.c_str()) == 0)
            return v;
    return {L"(none)", REG_NONE, {}};
}

std::vector<BYTE> bytesOf(const std::wstring& text) {
    const auto* p = reinterpret_cast<const BYTE*>(text.c_str());
    return {p, p + (text.size() + 1) * sizeof(wchar_t)};
}

} // namespace

TEST(RegistryStore, openKeyCreatesTheKeyAndItsParentsOnlyWhenAsked) {
    RegistryRoot r;
    EXPECT_FALSE(r.store.OpenKey(kKey, false));
    EXPECT_FALSE(r.store.KeyExists(kKey));
    EXPECT_FALSE(r.store.KeyExists("\\Software")) << "a failed open must create nothing";

    ASSERT_TRUE(r.store.OpenKey(kKey, true));
    for (const char* key : {"\\Software", "\\Software\\Morvale", "\\software\\MORVALE\\zantor",
                            "\\Software\\\\Morvale\\Zantor\\"})
        EXPECT_TRUE(r.store.KeyExists(key)) << key;
    EXPECT_TRUE(r.rawValues(kKey).empty());
    EXPECT_EQ(r.store.describeCurrentKey(), "HKEY_CURRENT_USER\\" + r.base + std::string(kKey));
}

TEST(RegistryStore, aFailedOpenKeepsTheKeyThatWasCurrent) {
    RegistryRoot r;
    ASSERT_TRUE(r.store.OpenKey(kKey, true));
    r.store.WriteBool("Quick open", true);
    for (const char* path : {"\\Software\\Other", "Software\\Morvale\\Zantor", ""})
        EXPECT_FALSE(r.store.OpenKey(path, false)) << path;
    EXPECT_TRUE(r.store.ValueExists("Quick open")) << "the settings key must still be current";

    ASSERT_TRUE(r.store.OpenKey("\\Software", false));
    EXPECT_FALSE(r.store.ValueExists("Quick open"));
}

TEST(RegistryStore, valuesReadBackExactlyThroughANewStore) {
    const std::string texts[] = {
        "",
        "C:\\Games\\Files\\",
        " blank at both ends ",
        "two\nlines\r\nand\ta tab",
        "\x01\x1f\x7f control bytes",
        "Gr\xc3\xbc\xc3\x9f UTF-8",
    };
    RegistryRoot r;
    ASSERT_TRUE(r.store.OpenKey(kKey, true));
    for (std::size_t i = 0; i < std::size(texts); ++i)
        r.store.WriteString("text " + std::to_string(i), texts[i]);
    r.store.WriteString(" odd = name\n", "named");
    r.store.WriteString("cut", std::string("before\0after", 12));
    r.store.WriteBool("on", true);
    r.store.WriteBool("off", false);

    RegistrySettingsStore again(r.base);
    ASSERT_TRUE(again.OpenKey(kKey, false));
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(again.ReadString("text " + std::to_string(i)), texts[i]) << i;
    EXPECT_EQ(again.ReadString(" odd = name\n"), "named");
    EXPECT_EQ(again.ReadString("cut"), "before");
    EXPECT_TRUE(again.ReadBool("on"));
    EXPECT_FALSE(again.ReadBool("off"));
}

TEST(RegistryStore, valuesAreThirtyTwoBitNumbersAndStringsOfTheRegistry) {
    RegistryRoot r;
    ASSERT_TRUE(r.store.OpenKey(kKey, true));
    r.store.WriteBool("on", true);
    r.store.WriteBool("off", false);
    r.store.WriteString("folder", "C:\\Gr\xc3\xbc\xc3\x9f");
    const auto values = r.rawValues(kKey);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(valueNamed(values, L"on").type, DWORD(REG_DWORD));
    EXPECT_EQ(valueNamed(values, L"on").data, (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(valueNamed(values, L"off").data, (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_EQ(valueNamed(values, L"folder").type, DWORD(REG_SZ));
    EXPECT_EQ(valueNamed(values, L"folder").data, bytesOf(L"C:\\Gr\u00fc\u00df"));
}

TEST(RegistryStore, valuesOtherProgramsWroteAreRead) {
    RegistryRoot r;
    const DWORD seven = 7;
    r.putRaw(kKey, L"number", REG_DWORD, &seven, sizeof seven);
    r.putText(L"expandable", REG_EXPAND_SZ, L"%TEMP%\\files", 26);
    r.putText(L"unterminated", REG_SZ, L"abc", 6);
    r.putText(L"empty", REG_SZ, L"", 0);
    r.putText(L"inner zero", REG_SZ, std::wstring(L"ab\0cd", 5), 12);
    ASSERT_TRUE(r.store.OpenKey(kKey, false));
    EXPECT_TRUE(r.store.ReadBool("NUMBER"));
    EXPECT_EQ(r.store.ReadString("expandable"), "%TEMP%\\files") << "read as it stands";
    EXPECT_EQ(r.store.ReadString("unterminated"), "abc");
    EXPECT_EQ(r.store.ReadString("empty"), "");
    EXPECT_EQ(r.store.ReadString("inner zero"), "ab");
}

TEST(RegistryStore, letterCaseNeverDoublesAValue) {
    RegistryRoot r;
    r.putText(L"*.MSG DIRECTORY", L"C:\\old");
    ASSERT_TRUE(r.store.OpenKey(kKey, false));
    EXPECT_TRUE(r.store.ValueExists("*.msg directory"));
    EXPECT_EQ(r.store.ReadString("*.msg directory"), "C:\\old");

    r.store.WriteString("*.msg Directory", "C:\\new");
    r.store.WriteBool("x", true);
    r.store.WriteString("X", "text");
    const auto values = r.rawValues(kKey);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(valueNamed(values, L"*.msg directory").name, L"*.MSG DIRECTORY")
        << "the first spelling stays";
    EXPECT_EQ(valueNamed(values, L"*.msg directory").data, bytesOf(L"C:\\new"));
    EXPECT_EQ(valueNamed(values, L"x").type, DWORD(REG_SZ));
    EXPECT_EQ(r.store.ReadString("x"), "text");
}

TEST(RegistryStore, readingTheWrongTypeFailsWithTheStoresMessages) {
    RegistryRoot r;
    ASSERT_TRUE(r.store.OpenKey(kKey, true));
    // A text with its terminating zero that does not fit a boolean's four bytes fails
    // before its type is looked at.
    const struct {
        std::string stored;
        std::string message;
    } texts[] = {
        {"", "Invalid data type for 'v'"},
        {"yes", "Invalid data type for 'v'"},
        {"true", "Failed to get data for 'v'"},
        {"C:\\Games\\Files", "Failed to get data for 'v'"},
        {"\xc3\xbc\xc3\xbc", "Failed to get data for 'v'"}, // two letters, four bytes
    };
    for (const auto& c : texts) {
        r.store.WriteString("v", c.stored);
        EXPECT_EQ(errorOf([&] { r.store.ReadBool("v"); }), c.message) << c.stored;
    }
    const unsigned char eight[8] = {1};
    const struct {
        DWORD type;
        std::size_t size;
        std::string message;
    } others[] = {
        {REG_BINARY, 4, "Invalid data type for 'w'"},
        {REG_BINARY, 8, "Failed to get data for 'w'"},
        {REG_QWORD, 8, "Failed to get data for 'w'"},
    };
    for (const auto& c : others) {
        r.putRaw(kKey, L"w", c.type, eight, c.size);
        EXPECT_EQ(errorOf([&] { r.store.ReadBool("w"); }), c.message) << c.type;
        EXPECT_EQ(errorOf([&] { r.store.ReadString("w"); }), "Invalid data type for 'w'");
    }
    r.putText(L"list", REG_MULTI_SZ, std::wstring(L"a\0b\0", 4), 10);
    EXPECT_EQ(errorOf([&] { r.store.ReadString("list"); }), "Invalid data type for 'list'");
    r.store.WriteBool("b", true);
    EXPECT_EQ(errorOf([&] { r.store.ReadString("b"); }), "Invalid data type for 'b'");
    EXPECT_EQ(errorOf([&] { r.store.ReadString("none"); }), "Failed to get data for 'none'");
    EXPECT_EQ(errorOf([&] { r.store.ReadBool("none"); }), "Failed to get data for 'none'");
}

TEST(RegistryStore, withoutACurrentKeyReadsAndWritesFail) {
    RegistryRoot r;
    r.store.CloseKey();
    r.store.CloseKey();
    EXPECT_FALSE(r.store.ValueExists("Quick open"));
    EXPECT_FALSE(r.store.HasSubKeys());
    EXPECT_EQ(r.store.describeCurrentKey(), "");
    EXPECT_EQ(errorOf([&] { r.store.ReadBool("Quick open"); }),
              "Failed to get data for 'Quick open'");
    EXPECT_EQ(errorOf([&] { r.store.ReadString("Quick open"); }),
              "Failed to get data for 'Quick open'");
    EXPECT_EQ(errorOf([&] { r.store.WriteBool("Quick open", true); }),
              "Failed to set data for 'Quick open'");
    EXPECT_EQ(errorOf([&] { r.store.WriteString("Quick open", "x"); }),
              "Failed to set data for 'Quick open'");
    EXPECT_FALSE(r.store.KeyExists("\\Software"));
}

TEST(RegistryStore, deleteKeyRemovesSubkeysAndLeavesTheCurrentKey) {
    RegistryRoot r;
    ASSERT_TRUE(r.store.OpenKey("\\Software\\Morvale\\Zantor\\Deep\\Deeper", true));
    r.store.WriteBool("deep", true);
    ASSERT_TRUE(r.store.OpenKey(kKey, true));
    r.store.WriteBool("mine", true);
    ASSERT_TRUE(r.store.OpenKey("\\Software\\Morvale\\Zantor\\Sibling", true));
    ASSERT_TRUE(r.store.OpenKey("\\Software\\Elsewhere", true));
    r.store.WriteString("kept", "yes");

    EXPECT_TRUE(r.store.DeleteKey("\\software\\morvale"));
    EXPECT_FALSE(r.store.KeyExists("\\Software\\Morvale"));
    EXPECT_EQ(r.store.ReadString("kept"), "yes") << "the current key must stay current";

    EXPECT_FALSE(r.store.DeleteKey("\\Software\\Morvale"));
    EXPECT_FALSE(r.store.DeleteKey("\\")) << "the user's root is never deleted";
    EXPECT_FALSE(r.store.DeleteKey("Software"));
    EXPECT_TRUE(r.store.KeyExists("\\Software\\Elsewhere"));
}

TEST(RegistryStore, hasSubKeysCountsKeysNotValues) {
    RegistryRoot r;
    ASSERT_TRUE(r.store.OpenKey(kKey, true));
    r.store.WriteBool("Quick open", true);
    EXPECT_FALSE(r.store.HasSubKeys()) << "values are not subkeys";

    ASSERT_TRUE(r.store.OpenKey("\\Software\\Morvale", false));
    EXPECT_TRUE(r.store.HasSubKeys());
    ASSERT_TRUE(r.store.DeleteKey(kKey));
    EXPECT_FALSE(r.store.HasSubKeys());
}

// The editor's use of the store, against the registry.

namespace {

// The window's side of the reading, as far as the store sees it: the item folder's
// change handler writes the new text back.
class Target final : public SettingsTarget {
public:
    explicit Target(SettingsStore& store) : m_store(store) {}
    std::string msgFolder;

    void setFilter(Filter, bool) override {}
    void setPreference(Preference, bool) override {}
    void setFolder(Folder f, const std::string& text) override {
        if (f == Folder::Msg)
            msgFolder = text;
    }
    void setItemFolder(const std::string& text) override {
        writeItemFolder(m_store, text, kItemFolderValue);
    }

private:
    SettingsStore& m_store;
};

} // namespace

TEST(RegistryStore, firstStartStoresOnlyTheItemFolderAndDoneReplacesValuesInCapitals) {
    RegistryRoot r;
    Target t(r.store);
    DerivedPaths paths;
    readAllSettings(r.store, t, paths, "C:\\game");
    auto values = r.rawValues(kKey);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, L"Default open directory");
    EXPECT_EQ(values[0].data, bytesOf(L"C:\\game\\items"));
    EXPECT_EQ(paths.proItemMsg, "C:\\game\\files\\pro_item.msg");

    r.putText(L"*.MSG DIRECTORY", L"D:\\texts");
    readAllSettings(r.store, t, paths, "C:\\game");
    EXPECT_EQ(t.msgFolder, "D:\\texts");
    ASSERT_TRUE(openForWriting(r.store));
    writeFolder(r.store, Folder::Msg, "E:\\new", paths);
    r.store.CloseKey();
    values = r.rawValues(kKey);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(valueNamed(values, L"*.msg directory").name, L"*.MSG DIRECTORY");
    EXPECT_EQ(valueNamed(values, L"*.msg directory").data, bytesOf(L"E:\\new"));
    EXPECT_EQ(paths.statMsg, "E:\\new\\stat.msg");
}

TEST(RegistryStore, uninstallRemovesTheSettingsKeyAndTheMakerKeyUnlessItHoldsOthers) {
    for (const bool sibling : {false, true}) {
        RegistryRoot r;
        ASSERT_TRUE(r.store.OpenKey("\\Software\\Kept", true));
        writeFilters(r.store, initialFilterStates());
        if (sibling) {
            ASSERT_TRUE(r.store.OpenKey("\\Software\\Morvale\\Other", true));
            r.store.CloseKey();
        }
        EXPECT_EQ(uninstallSettingsKey(r.store),
                  "Registry key \"\\Software\\Morvale\\Zantor\" removed. Proceeding to remove "
                  "\"\\Software\\Morvale\".");
        EXPECT_EQ(uninstallMakerKey(r.store, "C:\\Zantor"),
                  sibling ? "Registry key \"\\Software\\Morvale\" has subkeys other that "
                            "\"Zantor\" - not removed.  Delete folder \"C:\\Zantor\" from "
                            "your computer to complete uninstall."
                          : "Registry key \"\\Software\\Morvale\" removed. Delete folder "
                            "\"C:\\Zantor\" from your computer to complete uninstall.");
        EXPECT_FALSE(r.store.KeyExists(kSettingsKey));
        EXPECT_EQ(r.store.KeyExists(kMakerKey), sibling);
        EXPECT_TRUE(r.store.KeyExists("\\Software\\Kept"));
        EXPECT_FALSE(r.store.HasSubKeys()) << "no key may stay current";
    }
}
