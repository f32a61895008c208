// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"
#include "common/files.h"
#include "support/error_of.h"
#include "support/temp_dir.h"
#include "texts/line_buffer.h"
#include "texts/line_split.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace zantor;
using namespace zantor::test;

namespace {

LineBuffer loaded(const TempDir& dir, const std::string& text) {
    LineBuffer lines;
    lines.load(dir.write("pro_item.msg", text));
    return lines;
}

} // namespace

TEST(LineBuffer, splitsOnEveryKindOfBreakAndSavesUnchangedBytesBack) {
    struct Case {
        std::string file;
        std::vector<std::string> lines;
        bool endsWithBreak;
    };
    const std::vector<Case> cases{
        {"{100}{}{Knife}\r\n{101}{}{A knife.}\r\n", {"{100}{}{Knife}", "{101}{}{A knife.}"}, true},
        {"a\r\nb", {"a", "b"}, false},
        {"a\nb\rc\r\nd\n", {"a", "b", "c", "d"}, true},
        {"a\n\rb", {"a", "", "b"}, false},
        {"a\r\n\r\n", {"a", ""}, true},
        {"\r\n", {""}, true},
        {"", {}, true},
        {"caf\xE9\x1a{}\r\n", {"caf\xE9\x1a{}"}, true},
    };
    TempDir dir;
    for (const auto& c : cases) {
        LineBuffer lines = loaded(dir, c.file);
        EXPECT_EQ(lines.lines(), c.lines) << c.file;
        EXPECT_EQ(lines.endsWithBreak(), c.endsWithBreak) << c.file;
        lines.save(dir.file("out.msg"));
        EXPECT_EQ(readText(dir.file("out.msg")), c.file);
    }
}

// Lines of random breaks against the splitting every reader of the files uses, in
// files long enough for the scan's whole steps, with breaks on their edges.
TEST(LineBuffer, splitsLongFilesAsTheLineSplittingDoes) {
    std::mt19937 rng(20261211);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const std::vector<std::string> pieces{"\r\n", "\r", "\n", "a", "{1}{}{b}", "\n\r"};
    for (int round = 0; round < 2000; ++round) {
        std::string file;
        for (std::size_t k = pick(120); k > 0; --k)
            file += pieces[pick(pieces.size())];
        std::vector<std::string> expected;
        bool endsWithBreak = true;
        forEachLine(file, [&](std::string_view line, std::string_view lineBreak) {
            expected.emplace_back(line);
            endsWithBreak = !lineBreak.empty();
        });
        LineBuffer lines;
        lines.assign(file);
        ASSERT_EQ(lines.lines(), expected) << round;
        ASSERT_EQ(lines.endsWithBreak(), endsWithBreak) << round;
        ASSERT_EQ(lines.bytes(), file) << round;
    }
}

TEST(LineBuffer, findsTheFirstLineEqualIgnoringCase) {
    TempDir dir;
    const LineBuffer lines =
        loaded(dir, "{1}{}{x}\r\n{100}{}{KNIFE}\r\n{100}{}{knife}\r\n{2}{}{\xC9P\xC9\x45}");
    EXPECT_EQ(lines.find("{100}{}{Knife}"), 1);
    EXPECT_EQ(lines.find("{2}{}{\xE9p\xE9\x65}"), 3);
    EXPECT_EQ(lines.find("{100}{}{Knife} "), -1);
    EXPECT_EQ(lines.find(""), -1);
}

TEST(LineBuffer, insertAppendAndRemoveJoinNewLinesWithCrLf) {
    TempDir dir;
    LineBuffer lines = loaded(dir, "a\nb\n");
    lines.insert(1, "new");
    lines.insert(3, "end");
    lines.append("last");
    lines.remove(0);
    lines.remove(99); // no such line: nothing happens
    lines.remove(-1);
    EXPECT_EQ(lines.bytes(), "new\r\nb\nend\r\nlast\r\n");
    EXPECT_THROW(lines.insert(6, "x"), std::out_of_range);
    EXPECT_THROW(lines.insert(-1, "x"), std::out_of_range);
}

TEST(LineBuffer, endsWithABreakWhenTheFileDidOrItsLastLineWasRemoved) {
    struct Case {
        const char* what;
        std::string file;
        void (*edit)(LineBuffer&);
        std::string saved;
    };
    const std::vector<Case> cases{
        {"no final break, last line kept", "a\r\nb", [](LineBuffer& l) { l.remove(0); }, "b"},
        {"no final break, line added after it", "a\r\nb", [](LineBuffer& l) { l.append("c"); },
         "a\r\nb\r\nc"},
        {"no final break, last line removed", "a\r\nb", [](LineBuffer& l) { l.remove(1); },
         "a\r\n"},
        {"last line replaced where it stands", "a\r\nb",
         [](LineBuffer& l) {
             l.insert(1, "B");
             l.remove(2);
         },
         "a\r\nB\r\n"},
        {"final break kept", "a\r\nb\r\n", [](LineBuffer& l) { l.remove(0); }, "b\r\n"},
        {"empty file", "", [](LineBuffer& l) { l.append("a"); }, "a\r\n"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        LineBuffer lines = loaded(dir, c.file);
        c.edit(lines);
        EXPECT_EQ(lines.bytes(), c.saved) << c.what;
        std::string joined;
        for (const std::string_view part : lines.parts())
            joined.append(part);
        EXPECT_EQ(joined, c.saved) << c.what;
    }
}

TEST(LineBuffer, loadFailureKeepsTheContentAndNamesThePath) {
    TempDir dir;
    LineBuffer lines = loaded(dir, "kept\r\n");
    const std::string missing = dir.file("missing.msg");
    EXPECT_EQ(errorOf([&] { lines.load(missing); }), "Cannot open file " + missing);
    EXPECT_EQ(lines.lines(), std::vector<std::string>{"kept"});
}

TEST(LineBuffer, checkLoadableFailsAsLoadWouldWithoutReading) {
    TempDir dir;
    const std::string present = dir.write("pro_item.msg", "{100}{}{Knife}\r\n");
    std::filesystem::create_directory(dir.path() / "folder.msg");
    for (const std::string& path : {dir.file("missing.msg"), dir.file("folder.msg")}) {
        LineBuffer lines;
        EXPECT_EQ(errorOf([&] { LineBuffer::checkLoadable(path); }),
                  errorOf([&] { lines.load(path); }));
        EXPECT_EQ(errorOf([&] { LineBuffer::checkLoadable(path); }), "Cannot open file " + path);
    }
    EXPECT_NO_THROW(LineBuffer::checkLoadable(present));
}

TEST(LineBuffer, refusesToOverwriteAReadOnlyFileAndKeepsIt) {
    TempDir dir;
    LineBuffer lines = loaded(dir, "old\r\n");
    const std::string path = dir.file("pro_item.msg");
    lines.append("new");
    setWritable(path, false);
    EXPECT_EQ(errorOf([&] { lines.save(path); }), "Cannot create file " + path);
    EXPECT_EQ(readText(path), "old\r\n");

    const std::string noFolder = dir.file("none/pro_item.msg");
    EXPECT_EQ(errorOf([&] { lines.save(noFolder); }), "Cannot create file " + noFolder);
}

TEST(LineBuffer, saveKeepsTheFilePermissions) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows files carry a read-only attribute, not permission bits";
#endif
    TempDir dir;
    LineBuffer lines = loaded(dir, "old\r\n");
    const std::string path = dir.file("pro_item.msg");
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    lines.append("new");
    lines.save(path);
    EXPECT_EQ(readText(path), "old\r\nnew\r\n");
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
