// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/check.h"
#include "check_world.h"
#include "support/temp_dir.h"
#include "texts/item_texts.h"
#include "texts/line_buffer.h"
#include "texts/message_lookup.h"

#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

using namespace zantor;
using namespace zantor::test;

namespace {

std::string describe(const std::vector<Finding>& findings) {
    std::string s;
    for (const auto& f : findings)
        s += f.file + ": " + std::string(f.rule->name) + " [" + f.control + "] " + f.message + "\n";
    return s;
}

// Every file of a folder with its bytes.
std::map<std::string, Bytes> snapshot(const std::filesystem::path& root) {
    std::map<std::string, Bytes> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        if (e.is_regular_file())
            files[e.path().string()] = readAll(e.path().string());
    return files;
}

} // namespace

TEST(CheckFolder, cleanWorldYieldsNothing) {
    TempDir dir;
    const auto findings = checkFolder(CheckWorld().write(dir));
    EXPECT_TRUE(findings.empty()) << describe(findings);
}

TEST(CheckFolder, eachRuleFindsItsPlantedFaultAndNothingElse) {
    for (const PlantedFault& fault : plantedFaults()) {
        TempDir dir;
        CheckWorld world;
        fault.plant(world);
        const auto findings = checkFolder(world.write(dir));
        ASSERT_EQ(findings.size(), 1u) << fault.rule << "\n" << describe(findings);
        const Finding& f = findings[0];
        EXPECT_EQ(f.rule->name, fault.rule);
        EXPECT_EQ(f.file, fault.file) << fault.rule;
        EXPECT_EQ(f.control, fault.control) << fault.rule;
        EXPECT_EQ(f.itemFile, fault.file.ends_with(".pro")) << fault.rule;
        EXPECT_FALSE(f.message.empty());
    }
}

TEST(CheckFolder, oneFolderWithEveryFaultFindsEachOnceAndChangesNothing) {
    std::map<std::string, int> planted;
    CheckWorld world;
    for (const PlantedFault& fault : plantedFaults()) {
        fault.plant(world);
        ++planted[fault.rule];
    }
    for (const CheckRule& rule : checkRules()) {
        const auto it = planted.find(std::string(rule.name));
        EXPECT_EQ(it == planted.end() ? 0 : it->second, plantableHere(rule.name) ? 1 : 0)
            << "no planted fault for " << rule.name;
    }

    TempDir dir;
    const CheckRequest request = world.write(dir);
    const auto before = snapshot(dir.path());
    const auto findings = checkFolder(request);
    std::map<std::string, int> found;
    for (const auto& f : findings)
        ++found[std::string(f.rule->name)];
    EXPECT_EQ(found, planted) << describe(findings);
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(CheckFolder, findingsAreGroupedByFileInTheListsOrder) {
    TempDir dir;
    CheckWorld world;
    for (const PlantedFault& fault : plantedFaults())
        fault.plant(world);
    const auto findings = checkFolder(world.write(dir));
    std::vector<std::string> files;
    for (const auto& f : findings)
        if (files.empty() || files.back() != f.file)
            files.push_back(f.file);
    for (std::size_t i = 0; i < files.size(); ++i)
        for (std::size_t j = i + 1; j < files.size(); ++j)
            EXPECT_NE(files[i], files[j]) << "findings of " << files[i] << " are split";
    const auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    for (std::size_t i = 1; i < files.size(); ++i)
        EXPECT_LE(lower(files[i - 1]), lower(files[i]));
}

TEST(CheckFolder, duplicateIdNamesTheFileThatHadItFirst) {
    TempDir dir;
    CheckWorld world;
    plantedFaults()[0].plant(world);
    const auto findings = checkFolder(world.write(dir));
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].message, "item ID 2 is also used by box.pro");
}

TEST(CheckMessageTable, bracesAndLineBreaks) {
    struct Case {
        std::string bytes;
        std::vector<std::string> findings; // rule: message
    };
    const std::vector<Case> cases{
        {"{1}{}{Two\r\nlines}\r\n{2}{}{b}\r\n", {}},
        {"{1}{}{open\r\n{2}{}{b}\r\n{3}{}{c}\r\n",
         {"unclosed-brace: line 1: \"{\" is not closed on its line: it runs on to line 2 and "
          "hides the entry 2"}},
        {"{1}{}{a}\r\n{2}{}{open\r\n{3}{}{b\r\n{4\r\n",
         {"unclosed-brace: line 2: \"{\" is not closed on its line: it runs on to line 3 and "
          "hides the entry 3",
          "unclosed-brace: line 3: \"{\" is never closed: it hides the entry 4"}},
        {"{5}{}{a} b}\r\n",
         {"brace-in-text: line 1: \"}\" inside the text of entry 5 ends it early: it reads "
          "\"a\""}},
        {"{5}{}{a {b}\r\n", {"brace-in-text: line 1: \"{\" inside the text of entry 5"}},
        {"{5}{}{a}\r\n{5}{}{b}\r\n",
         {"duplicate-message-id: line 2: id 5 appears again; the entry on line 1 wins"}},
        {"{1}{}{a}\n{2}{}{b}\r{3}{}{c}",
         {"not-crlf: line 1: not ended by CR LF, nor are 2 more lines"}},
        {"{1}{}{a}\x1a{1}{}{b}\r\n", {}}, // the lookup reads nothing after Ctrl-Z
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (const auto& f : checkMessageTable("t.msg", c.bytes))
            got.push_back(std::string(f.rule->name) + ": " + f.message);
        EXPECT_EQ(got, c.findings) << c.bytes;
    }
}

TEST(CheckMessageTable, saveMustWriteTheNameAndDescriptionBackAsTheyStand) {
    struct Case {
        std::string bytes;
        std::vector<std::string> findings;
    };
    const TextIdUse use{"100", "knife.pro"};
    const std::vector<Case> cases{
        {"{100}{}{Knife}\r\n{101}{}{Sharp\r\nand short.}\r\n", {}},
        {"{100}{}{Knife}\r\n{101}{}{}\r\n", {}},
        {"{100}{}{Knife}\r\n{7}{}{x}\r\n{101}{}{Sharp}\r\n",
         {"line 1: the description entry 101 does not follow this name line: Save of "
          "knife.pro would add another after it"}},
        {"{100}{}{Knife}\n{101}{}{Sharp}\r\n",
         {"line 1: Save of knife.pro would write this name line as {100}{}{Knife} ended by CR "
          "LF"}},
        {"{100}{}{Knife}\r\n{101}{}{Sharp\nand short.}\r\n",
         {"line 2: Save of knife.pro would write the description entry 101 over these lines "
          "as 2 line(s) ended by CR LF"}},
        {"{100}{snd}{Knife}\r\n{101}{}{Sharp}\r\n",
         {"line 1: the name of text id 100 is not the one line {100}{}{Knife}: Save of "
          "knife.pro would add it again"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (const auto& f : checkMessageTable(kProItemMsgFile, c.bytes, {&use, 1}))
            if (f.rule->name == "write-back-differs")
                got.push_back(f.message);
        EXPECT_EQ(got, c.findings) << c.bytes;
        // The write-back itself, with the texts the item shows, agrees.
        LineBuffer lines;
        lines.assign(c.bytes);
        const std::string name = lookupMessageIn(c.bytes, "100");
        const std::string rewritten = rewriteItemTexts(lines, "pro_item.msg", "100", name,
                                                       lookupMessageIn(c.bytes, "101"), name);
        EXPECT_EQ(rewritten == c.bytes, c.findings.empty()) << c.bytes;
    }
}

TEST(CheckFolder, passesOverFoldersAndPipesWithANoteWithoutReadingThem) {
    TempDir dir;
    const CheckRequest request = CheckWorld().write(dir);
    std::filesystem::create_directory(dir.file("items/folder.pro"));
    std::vector<std::string> expected{"folder.pro skipped-file"};
#ifndef _WIN32 // named pipes live in no folder on Windows
    ASSERT_EQ(::mkfifo(dir.file("items/pipe.pro").c_str(), 0600), 0);
    expected.push_back("pipe.pro skipped-file");
#endif
    std::vector<std::string> got;
    for (const auto& f : checkFolder(request))
        got.push_back(f.file + " " + std::string(f.rule->name));
    EXPECT_EQ(got, expected);
}
