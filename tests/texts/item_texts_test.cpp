// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"
#include "common/files.h"
#include "support/error_of.h"
#include "support/temp_dir.h"
#include "texts/item_texts.h"
#include "texts/message_lookup.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

using namespace zantor;
using namespace zantor::test;
namespace fs = std::filesystem;

namespace {

const std::string kKnife = "{100}{}{Knife}\r\n{101}{}{A small knife.}\r\n";
const std::string kTwoItems = "{100}{}{Knife}\r\n{101}{}{A small knife.}\r\n"
                              "{200}{}{Sword}\r\n{201}{}{A long sword.}\r\n";

} // namespace

TEST(ItemTexts, looksUpTheNameUnderTheTextIdAndTheDescriptionUnderItsValuePlusOne) {
    TempDir dir;
    const std::string msg = dir.write("pro_item.msg", kKnife + "{0100}{}{Zero knife}\r\n");
    EXPECT_EQ(lookupName(msg, "100"), "Knife");
    EXPECT_EQ(lookupDescription(msg, "100"), "A small knife.");
    EXPECT_EQ(lookupName(msg, "0100"), "Zero knife");
    EXPECT_EQ(lookupDescription(msg, "0100"), "A small knife.");
    EXPECT_EQ(lookupName(msg, "abc"), "");
}

TEST(ItemTexts, descriptionOfATextIdThatIsNoNumberFailsBeforeTheFileIsRead) {
    TempDir dir;
    const std::string missing = dir.file("missing.msg");
    for (const std::string id : {"", "abc", "1 ", "2147483647", "99999999999"})
        EXPECT_EQ(errorOf([&] { lookupDescription(missing, id); }),
                  "'" + id + "' is not a valid integer value");
    EXPECT_EQ(errorOf([&] { lookupName(missing, "100"); }), "File not found");
}

TEST(ItemTexts, writeReplacesTheNameAndDescriptionLinesAsSaveDoes) {
    struct Case {
        const char* what;
        std::string file;
        std::string textId, name, description, remembered;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"renamed in place, other lines untouched", "# items\n" + kTwoItems, "100", "Dagger",
         "A short blade.", "Knife",
         "# items\n{100}{}{Dagger}\r\n{101}{}{A short blade.}\r\n{200}{}{Sword}\r\n"
         "{201}{}{A long sword.}\r\n"},
        {"stored name in other letter case", "{100}{}{KNIFE}\r\n{101}{}{x}\r\n", "100", "Knife",
         "y", "Knife", "{100}{}{Knife}\r\n{101}{}{y}\r\n"},
        {"text id stepped to a stored entry", kTwoItems, "200", "Sword", "A long sword.", "Knife",
         kTwoItems + "{200}{}{Sword}\r\n"},
        {"leading zero kept in the name line only", "", "0100", "Knife", "x", "",
         "{0100}{}{Knife}\r\n{101}{}{x}\r\n"},
        {"no final break, last line untouched", kKnife + "{300}{}{Rock}", "100", "Dagger", "d",
         "Knife", "{100}{}{Dagger}\r\n{101}{}{d}\r\n{300}{}{Rock}"},
        {"replaced name line was the last line", "{5}{}{x}\r\n{100}{}{Knife}", "100", "Dagger", "d",
         "Knife", "{5}{}{x}\r\n{100}{}{Dagger}\r\n{101}{}{d}\r\n"},
        {"removed description line was the last line", "{100}{}{Knife}\r\n{101}{}{old}", "100",
         "Knife", "new", "Knife", "{100}{}{Knife}\r\n{101}{}{new}\r\n"},
        {"empty file", "", "100", "Knife", "d", "", "{100}{}{Knife}\r\n{101}{}{d}\r\n"},
        {"a lone LF stays on lines not replaced", "{1}{}{a}\n{100}{}{Knife}\n{101}{}{x}\n", "100",
         "Knife", "y", "Knife", "{1}{}{a}\n{100}{}{Knife}\r\n{101}{}{y}\r\n"},
        // The line after the name line is only taken when it is the old description.
        {"next item's name after the name line", "{100}{}{Knife}\r\n{200}{}{Sword}\r\n", "100",
         "Knife", "d", "Knife", "{100}{}{Knife}\r\n{101}{}{d}\r\n{200}{}{Sword}\r\n"},
        {"comment after the name line", "{100}{}{Knife}\r\n# keep\r\n{101}{}{x}\r\n", "100",
         "Knife", "d", "Knife", "{100}{}{Knife}\r\n{101}{}{d}\r\n# keep\r\n{101}{}{x}\r\n"},
        {"entry whose id only begins alike", "{100}{}{Knife}\r\n{1010}{}{x}\r\n", "100", "Knife",
         "d", "Knife", "{100}{}{Knife}\r\n{101}{}{d}\r\n{1010}{}{x}\r\n"},
        // Descriptions over several lines stay whole entries.
        {"description with line breaks", kKnife, "100", "Knife", "Line one\nline two\r\n", "Knife",
         "{100}{}{Knife}\r\n{101}{}{Line one\r\nline two\r\n}\r\n"},
        {"old description over several lines removed whole",
         "{100}{}{Knife}\r\n{101}{}{one\r\ntwo\r\nthree}\r\n{200}{}{Sword}\r\n", "100", "Knife",
         "d", "Knife", "{100}{}{Knife}\r\n{101}{}{d}\r\n{200}{}{Sword}\r\n"},
        // The old description ends where the lookup ends it, at the "}" closing its text.
        {"old description whose next line begins with a brace",
         "{200}{}{Box}\r\n{201}{}{Ammo:\r\n{300}\r\n{300}{}{Rock}\r\n", "200", "Box", "Plain",
         "Box", "{200}{}{Box}\r\n{201}{}{Plain}\r\n{300}{}{Rock}\r\n"},
        {"old description closing before another entry on its line",
         "{100}{}{Knife}\r\n{101}{}{a\r\nb}{300}{}{Rock}\r\n", "100", "Knife", "d", "Knife",
         "{100}{}{Knife}\r\n{101}{}{d}\r\n{300}{}{Rock}\r\n"},
        {"old description whose text would be the next entry's id: that line alone",
         "{100}{}{Knife}\r\n{101}{x}\r\n{200}{}{Box}\r\n", "100", "Knife", "d", "Knife",
         "{100}{}{Knife}\r\n{101}{}{d}\r\n{200}{}{Box}\r\n"},
        {"old description that never closes runs to the end",
         "{100}{}{Knife}\r\n{101}{}{open\r\nmore\r\n", "100", "Knife", "d", "Knife",
         "{100}{}{Knife}\r\n{101}{}{d}\r\n"},
        {"old description that never closes stops at the Ctrl-Z line",
         "{100}{}{Knife}\r\n{101}{}{open\r\n\x1a{5}{}{x}\r\n", "100", "Knife", "d", "Knife",
         "{100}{}{Knife}\r\n{101}{}{d}\r\n\x1a{5}{}{x}\r\n"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.write("pro_item.msg", c.file);
        LineBuffer lines;
        writeNameAndDescription(lines, path, c.textId, c.name, c.description, c.remembered);
        EXPECT_EQ(readText(path), c.expected) << c.what;
    }
}

TEST(ItemTexts, writeThatWouldDamageAnEntryOrNotReadBackIsRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char* what;
        std::string file;
        std::string textId, name, description, remembered;
        std::string message; // "%s" stands for the file's path
    };
    const std::string nothing = ". Nothing was written.";
    const std::vector<Case> cases{
        {"a brace in the description", kTwoItems, "100", "Knife", "Warm.}\n{200}{}{Hijacked",
         "Knife", "The description holds '}', which the game's text tables cannot store."},
        {"a brace in the name", kTwoItems, "100", "Kni}fe", "d", "Knife",
         "The name holds '}', which the game's text tables cannot store."},
        {"name line not found, an earlier entry keeps the id",
         "{100}{snd}{Knife}\r\n{101}{}{x}\r\n", "100", "Dagger", "y", "Knife",
         "The name would not read back from %s: line 1 hides it ({100}{snd}{Knife})" + nothing},
        {"description placed after a line that an older entry hides",
         "{100}{snd}{Knife}\r\n{101}{}{x}\r\n", "100", "Knife", "y", "Knife",
         "The description would not read back from %s: line 2 hides it ({101}{}{x})" + nothing},
        {"a group left open before the name line", "{5}{}{open\r\n" + kKnife, "100", "Dagger", "d",
         "Knife", "The name would not read back from %s: line 1 hides it ({5}{}{open)" + nothing},
        {"an old description whose text runs over the next line uncovers an entry",
         "{200}{}{Box}\r\n{201}{Y:\r\n{300}\r\n{300}{}{Rock}\r\n", "200", "Box", "d", "Box",
         "The name and description would change another entry of %s, line 3 ({300})" + nothing},
        {"a description that the lookup would take for a later entry's id",
         "{200}{}{Box}\r\n{201}{}{Old}\r\n{300}{}{Rock}\r\n", "200", "Box", "300", "Box",
         "The name and description would change another entry of %s, line 3 ({300}{}{Rock})" +
             nothing},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.write("pro_item.msg", c.file);
        std::string message = c.message;
        if (const auto at = message.find("%s"); at != std::string::npos)
            message.replace(at, 2, path);
        LineBuffer lines;
        EXPECT_EQ(errorOf([&] {
                      writeNameAndDescription(lines, path, c.textId, c.name, c.description,
                                              c.remembered);
                  }),
                  message)
            << c.what;
        EXPECT_EQ(readText(path), c.file) << c.what;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
            << c.what << ": the temporary file is gone";
    }
}

TEST(ItemTexts, writtenTextsAreReadBackExactly) {
    TempDir dir;
    const std::string path = dir.write("pro_item.msg", kTwoItems);
    LineBuffer lines;
    const std::string description = "First line.\r\nSecond line.\r\n\r\nAfter a blank line.";
    writeNameAndDescription(lines, path, "200", "Long sword", description, "Sword");
    EXPECT_EQ(lookupName(path, "200"), "Long sword");
    EXPECT_EQ(lookupDescription(path, "200"), description);
    writeNameAndDescription(lines, path, "200", "Long sword", "Short again.", "Long sword");
    EXPECT_EQ(readText(path), kKnife + "{200}{}{Long sword}\r\n{201}{}{Short again.}\r\n");
}

TEST(ItemTexts, failedWriteLeavesTheFileAsItWas) {
    TempDir dir;
    const std::string path = dir.write("pro_item.msg", kKnife);
    LineBuffer lines;
    const std::vector<std::pair<std::string, std::string>> badIds{
        {"", "'' is not a valid integer value"},
        {"1O0", "'1O0' is not a valid integer value"},
        {"2147483647", "'2147483647' is not a valid integer value"},
    };
    for (const auto& [id, message] : badIds) {
        EXPECT_EQ(errorOf([&] { writeNameAndDescription(lines, path, id, "N", "D", "Knife"); }),
                  message);
        EXPECT_EQ(readText(path), kKnife);
    }
    setWritable(path, false);
    EXPECT_EQ(errorOf([&] { writeNameAndDescription(lines, path, "100", "N", "D", "Knife"); }),
              "Cannot create file " + path);
    EXPECT_EQ(readText(path), kKnife);

    const std::string missing = dir.file("missing.msg");
    EXPECT_EQ(errorOf([&] { writeNameAndDescription(lines, missing, "100", "N", "D", ""); }),
              "Cannot open file " + missing);
}

TEST(ItemTexts, captionShowsTheLastTwelveCharactersOfThePathAndTheName) {
    const std::vector<std::vector<std::string>> cases{
        {"/data/items/ARMOR012.PRO", "Leather", "Zantor | ARMOR012.PRO - Leather"},
        {"KEY1.PRO", "Key", "Zantor | KEY1.PRO - Key"},
        {"", "", "Zantor |  - "},
        {"/data/\u00C9P\u00C9E0001.pro", "\u00C9p\u00E9e",
         "Zantor | \u00C9P\u00C9E0001.pro - \u00C9p\u00E9e"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowCaption(c[0], c[1]), c[2]) << c[0];
}

TEST(ItemTexts, textIdStepsByHundredsWithOneStopAtZero) {
    const std::vector<std::vector<std::string>> steps{
        // text, up, down
        {"100", "200", "0"},   {"0", "100", "0"},    {"50", "150", "-50"},
        {"-100", "0", "-200"}, {"0100", "200", "0"}, {"2147483547", "2147483647", "2147483447"},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(stepTextId(s[0], true), s[1]) << s[0];
        EXPECT_EQ(stepTextId(s[0], false), s[2]) << s[0];
    }
    const std::vector<std::pair<std::string, bool>> bad{
        {"", true}, {"abc", false}, {"2147483548", true}, {"-2147483600", false}};
    for (const auto& [text, up] : bad)
        EXPECT_EQ(errorOf([&] { stepTextId(text, up); }),
                  "'" + text + "' is not a valid integer value");
}
