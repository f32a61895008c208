// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/file_settings_store.h"
#include "store_helpers.h"

#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kKey = "\\Software\\Morvale\\Zantor";

} // namespace

TEST(FileStore, openKeyCreatesTheKeyAndItsParentsOnlyWhenAsked) {
    StoreDir s;
    EXPECT_FALSE(s.store.OpenKey(kKey, false));
    EXPECT_FALSE(s.store.KeyExists(kKey));
    EXPECT_FALSE(fs::exists(s.root)) << "a failed open must create nothing";

    ASSERT_TRUE(s.store.OpenKey(kKey, true));
    EXPECT_TRUE(fs::is_directory(s.root / "Software" / "Morvale" / "Zantor"));
    for (const char* key : {"\\Software", "\\Software\\Morvale", "\\software\\MORVALE\\zantor"})
        EXPECT_TRUE(s.store.KeyExists(key)) << key;
    // A new key holds no values, so it has no values file yet.
    EXPECT_FALSE(fs::exists(s.settingsFile()));
}

TEST(FileStore, aFailedOpenKeepsTheKeyThatWasCurrent) {
    StoreDir s;
    ASSERT_TRUE(s.store.OpenKey(kKey, true));
    s.store.WriteBool("Quick open", true);
    for (const char* path : {"\\Software\\Other", "Software\\Morvale\\Zantor", ""})
        EXPECT_FALSE(s.store.OpenKey(path, false)) << path;
    EXPECT_TRUE(s.store.KeyExists("\\Software"));
    EXPECT_TRUE(s.store.ValueExists("Quick open")) << "the settings key must still be current";

    ASSERT_TRUE(s.store.OpenKey("\\Software", false));
    EXPECT_FALSE(s.store.ValueExists("Quick open"));
}

TEST(FileStore, valuesReadBackExactlyThroughANewStore) {
    const std::string texts[] = {
        "",
        "/home/ana/game/files",
        "C:\\Games\\Files\\",
        " blank at both ends ",
        "two\nlines\r\nand\ta tab",
        "a = sign, # and \\x41 as text",
        "\x01\x1f\x7f control bytes",
        "Gr\xc3\xbc\xc3\x9f UTF-8",
    };
    StoreDir s;
    ASSERT_TRUE(s.store.OpenKey(kKey, true));
    for (std::size_t i = 0; i < std::size(texts); ++i)
        s.store.WriteString("text " + std::to_string(i), texts[i]);
    s.store.WriteString(" odd = name\n", "named");
    s.store.WriteBool("on", true);
    s.store.WriteBool("off", false);

    FileSettingsStore again(s.root);
    ASSERT_TRUE(again.OpenKey(kKey, false));
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(again.ReadString("text " + std::to_string(i)), texts[i]) << i;
    EXPECT_EQ(again.ReadString(" odd = name\n"), "named");
    EXPECT_TRUE(again.ReadBool("on"));
    EXPECT_FALSE(again.ReadBool("off"));
}

TEST(FileStore, theValuesFileIsPlainTextOneValueALine) {
    StoreDir s;
    ASSERT_TRUE(s.store.OpenKey(kKey, true));
    s.store.WriteBool("Filter - All", false);
    s.store.WriteString("*.msg Directory", "/home/ana/game/files");
    s.store.WriteString("Note", " two\nlines\\ ");
    s.store.WriteString("a=b", "");
    const std::vector<std::string> expected{
        "bool Filter - All = false",
        "string *.msg Directory = /home/ana/game/files",
        "string Note = \\x20two\\nlines\\\\\\x20",
        "string a\\x3Db =",
    };
    EXPECT_EQ(valueLines(s.settingsFile()), expected);
}

TEST(FileStore, writingAValueAsItStandsLeavesTheFileAlone) {
    StoreDir s;
    ASSERT_TRUE(s.store.OpenKey(kKey, true));
    s.store.WriteString("items.lst Directory", "/game/items");
    s.store.WriteBool("Quick open", true);
    // A note added by hand shows whether the store wrote the file again.
    const std::string edited = "# kept as written by hand\n" + readText(s.settingsFile().string());
    s.writeSettingsFile(edited);
    s.store.WriteString("items.lst Directory", "/game/items");
    s.store.WriteBool("Quick open", true);
    EXPECT_EQ(readText(s.settingsFile().string()), edited);
    s.store.WriteBool("Quick open", false);
    EXPECT_NE(readText(s.settingsFile().string()), edited);
    EXPECT_FALSE(s.store.ReadBool("Quick open"));
}

TEST(FileStore, aFileEditedByHandIsRead) {
    StoreDir s;
    s.writeSettingsFile("# my own notes\r\n"
                        "\n"
                        "   bool\tShow item names=0  \r\n"
                        "bool Quick open = TRUE\n"
                        "bool Filter - All = -1\n"
                        "string items.lst Directory =\n"
                        "string   inven.lst Directory   =   /x/y  \n"
                        "  # indented comment\n"
                        "string critters.lst Directory = a=b");
    ASSERT_TRUE(s.store.OpenKey(kKey, false));
    EXPECT_FALSE(s.store.ReadBool("Show item names"));
    EXPECT_TRUE(s.store.ReadBool("Quick open"));
    EXPECT_TRUE(s.store.ReadBool("Filter - All"));
    EXPECT_EQ(s.store.ReadString("items.lst Directory"), "");
    EXPECT_EQ(s.store.ReadString("inven.lst Directory"), "/x/y");
    EXPECT_EQ(s.store.ReadString("critters.lst Directory"), "a=b");
}

TEST(FileStore, letterCaseNeverDoublesAValue) {
    StoreDir s;
    s.writeSettingsFile("string *.MSG DIRECTORY = /old\n");
    ASSERT_TRUE(s.store.OpenKey(kKey, false));
    EXPECT_TRUE(s.store.ValueExists("*.msg directory"));
    EXPECT_EQ(s.store.ReadString("*.msg directory"), "/old");

    s.store.WriteString("*.msg Directory", "/new");
    // The first spelling stays, and so does a value's place when its type changes.
    s.store.WriteBool("x", true);
    s.store.WriteString("X", "text");
    const std::vector<std::string> expected{"string *.MSG DIRECTORY = /new", "string x = text"};
    EXPECT_EQ(valueLines(s.settingsFile()), expected);
}

TEST(FileStore, readingTheWrongTypeFailsWithTheStoresMessages) {
    StoreDir s;
    ASSERT_TRUE(s.store.OpenKey(kKey, true));
    // A boolean is four bytes in the platform store: a text with its terminating zero
    // that does not fit them fails before its type is looked at.
    const struct {
        std::string stored;
        std::string message;
    } cases[] = {
        {"", "Invalid data type for 'v'"},
        {"yes", "Invalid data type for 'v'"},
        {"true", "Failed to get data for 'v'"},
        {"/home/ana/game/files", "Failed to get data for 'v'"},
        {"\xc3\xbc\xc3\xbc", "Failed to get data for 'v'"}, // two letters, four bytes
    };
    for (const auto& c : cases) {
        s.store.WriteString("v", c.stored);
        EXPECT_EQ(errorOf([&] { s.store.ReadBool("v"); }), c.message) << c.stored;
    }
    s.store.WriteBool("b", true);
    EXPECT_EQ(errorOf([&] { s.store.ReadString("b"); }), "Invalid data type for 'b'");
    EXPECT_EQ(errorOf([&] { s.store.ReadString("none"); }), "Failed to get data for 'none'");
    EXPECT_EQ(errorOf([&] { s.store.ReadBool("none"); }), "Failed to get data for 'none'");
}

TEST(FileStore, withoutACurrentKeyReadsAndWritesFail) {
    StoreDir s;
    s.store.CloseKey();
    s.store.CloseKey();
    EXPECT_FALSE(s.store.ValueExists("Quick open"));
    EXPECT_FALSE(s.store.HasSubKeys());
    EXPECT_EQ(errorOf([&] { s.store.ReadBool("Quick open"); }),
              "Failed to get data for 'Quick open'");
    EXPECT_EQ(errorOf([&] { s.store.ReadString("Quick open"); }),
              "Failed to get data for 'Quick open'");
    EXPECT_EQ(errorOf([&] { s.store.WriteBool("Quick open", true); }),
              "Failed to set data for 'Quick open'");
    EXPECT_EQ(errorOf([&] { s.store.WriteString("Quick open", "x"); }),
              "Failed to set data for 'Quick open'");
    EXPECT_FALSE(fs::exists(s.root));
}

TEST(FileStore, aKeyThatCannotBeCreatedFailsTheOpenAndTheWrites) {
    StoreDir s;
    s.dir.write("store", std::string("a file where the root should be"));
    EXPECT_FALSE(s.store.OpenKey(kKey, true));
    EXPECT_EQ(errorOf([&] { s.store.WriteBool("Filter - All", true); }),
              "Failed to set data for 'Filter - All'");
}

TEST(FileStore, deleteKeyRemovesSubkeysAndLeavesTheCurrentKey) {
    StoreDir s;
    ASSERT_TRUE(s.store.OpenKey("\\Software\\Morvale\\Zantor\\Deep\\Deeper", true));
    s.store.WriteBool("deep", true);
    ASSERT_TRUE(s.store.OpenKey(kKey, true));
    s.store.WriteBool("mine", true);
    ASSERT_TRUE(s.store.OpenKey("\\Software\\Elsewhere", true));
    s.store.WriteString("kept", "yes");

    EXPECT_TRUE(s.store.DeleteKey("\\software\\morvale"));
    EXPECT_FALSE(s.store.KeyExists("\\Software\\Morvale"));
    EXPECT_FALSE(fs::exists(s.root / "Software" / "Morvale"));
    EXPECT_EQ(s.store.ReadString("kept"), "yes") << "the current key must stay current";

    EXPECT_FALSE(s.store.DeleteKey("\\Software\\Morvale"));
    EXPECT_FALSE(s.store.DeleteKey("\\")) << "the user's root is never deleted";
    EXPECT_FALSE(s.store.DeleteKey("Software"));
    EXPECT_TRUE(s.store.KeyExists("\\Software\\Elsewhere"));
}

TEST(FileStore, hasSubKeysCountsKeysNotValues) {
    StoreDir s;
    ASSERT_TRUE(s.store.OpenKey(kKey, true));
    s.store.WriteBool("Quick open", true);
    EXPECT_FALSE(s.store.HasSubKeys()) << "values are not subkeys";

    ASSERT_TRUE(s.store.OpenKey("\\Software\\Morvale", false));
    EXPECT_TRUE(s.store.HasSubKeys());
    ASSERT_TRUE(s.store.DeleteKey(kKey));
    EXPECT_FALSE(s.store.HasSubKeys());
}

TEST(FileStore, keyNamesStayInsideTheRootAndApartFromValues) {
    StoreDir s;
    const std::pair<std::string, std::string> cases[] = {
        {"\\..\\escape", "%2E./escape"},
        {"\\a/b\\.hidden", "a%2Fb/%2Ehidden"},
        {"\\100%", "100%25"},
        {"\\Software\\Morvale\\Zantor\\_values.conf", "Software/Morvale/Zantor/%5Fvalues.conf"},
    };
    ASSERT_TRUE(s.store.OpenKey(kKey, true));
    s.store.WriteBool("Quick open", true);
    for (const auto& [key, folder] : cases) {
        ASSERT_TRUE(s.store.OpenKey(key, true)) << key;
        EXPECT_TRUE(fs::is_directory(s.root / folder)) << key;
        EXPECT_TRUE(s.store.KeyExists(key)) << key;
    }
    EXPECT_FALSE(fs::exists(s.dir.path() / "escape"));
    ASSERT_TRUE(s.store.OpenKey(kKey, false));
    EXPECT_TRUE(s.store.ReadBool("Quick open"));
    EXPECT_TRUE(s.store.HasSubKeys());
}

TEST(FileStore, aDamagedFileIsReportedAndNeverOverwritten) {
    const struct {
        std::string text;
        std::string problem;
    } cases[] = {
        {"bool Quick open = maybe\n", "line 1: 'maybe' is not true or false"},
        {"# fine\nint Quick open = 1\n", "line 2: unknown type 'int' (expected bool or string)"},
        {"string Quick open\n", "line 1: expected \"bool NAME = true\" or \"string NAME = TEXT\""},
        {"Quick=open\n", "line 1: expected \"bool NAME = true\" or \"string NAME = TEXT\""},
        {"string a = \\q\n", "line 1: unknown escape \"\\q\""},
        {"string a = \\x4\n", "line 1: \"\\x\" needs two hexadecimal digits"},
        {"string a = x\\\n", "line 1: a \"\\\" at the end of the line"},
        {"bool a = true\nstring A = x\n",
         "line 2: the value 'A' is given twice (letter case does not count)"},
    };
    for (const auto& c : cases) {
        StoreDir s;
        s.writeSettingsFile(c.text);
        const std::string expected =
            "The settings file \"" + s.settingsFile().string() + "\" is damaged at " + c.problem;
        ASSERT_TRUE(s.store.OpenKey(kKey, false));
        EXPECT_EQ(errorOf([&] { s.store.ValueExists("Quick open"); }), expected);
        EXPECT_EQ(errorOf([&] { s.store.ReadBool("Quick open"); }), expected);
        EXPECT_EQ(errorOf([&] { s.store.WriteBool("Quick open", true); }), expected);
        EXPECT_EQ(fileText(s.settingsFile()), c.text);
    }
}

TEST(FileStore, anUnreadableFileIsReported) {
    StoreDir s;
    fs::create_directories(s.settingsFile());
    ASSERT_TRUE(s.store.OpenKey(kKey, false));
    EXPECT_EQ(errorOf([&] { s.store.ValueExists("Quick open"); }),
              "Cannot read the settings file \"" + s.settingsFile().string() +
                  "\": File access denied");
}
