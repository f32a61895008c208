// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"
#include "support/temp_dir.h"
#include "texts/line_buffer.h"
#include "texts/message_lookup.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

using namespace zantor;
using namespace zantor::test;

namespace {

// The lookup done the slow way: one character at a time through a reader that
// knows only "end of file" and "next character". The fast lookup must match it.
std::string modelLookup(std::string_view file, std::string_view id) {
    const std::size_t end = std::min(file.find('\x1a'), file.size());
    std::size_t pos = 0;
    const auto eof = [&] { return pos >= end; };
    const auto read = [&]() -> int { return pos < end ? file[pos++] : -1; };
    std::string collected;
    std::string text;
    bool found = false;
    while (!eof() && !found) {
        if (read() != '{')
            continue;
        while (!eof()) {
            const int c = read();
            if (c == '}')
                break;
            collected += static_cast<char>(c);
        }
        if (collected == id) {
            read();
            read();
            while (!eof() && !found && text.empty()) {
                if (read() != '{')
                    continue;
                while (!eof()) {
                    const int c = read();
                    if (c == '}') {
                        found = true;
                        break;
                    }
                    text += static_cast<char>(c);
                }
            }
        }
        collected.clear();
    }
    return text;
}

struct LookupCase {
    const char* what;
    std::string file;
    std::string id;
    std::string expected;
};

const std::string kKnife = "{100}{}{Knife}\r\n{101}{}{A small knife.}\r\n";

} // namespace

TEST(MessageLookup, followsTheReadingRulesOnEveryKindOfEntry) {
    const std::vector<LookupCase> cases{
        {"name entry", kKnife, "100", "Knife"},
        {"description entry", kKnife, "101", "A small knife."},
        {"missing id", kKnife, "102", ""},
        {"ids compare byte for byte", kKnife, "0100", ""},
        {"a blank is part of the id", kKnife, " 100", ""},
        {"a text group is an id candidate", "{500}{}{100}\r\n{501}{}{Five}\r\n", "100", "501"},
        {"braces in a comment are groups", "# see {7}\r\n{7}{}{Seven}\r\n", "7", "7"},
        {"empty id matches the first empty group", kKnife, "", "101"},
        {"sound name holds no brace", "{100}{snd}{Knife}\r\n", "100", "Knife"},
        {"line break right after the id", "{100}\r\n{}{Knife}\r\n", "100", ""},
        {"text over two lines", "{100}{}{Line one\r\nline two}\r\n", "100", "Line one\r\nline two"},
        {"id of the last group", "{100}{}{Knife}", "Knife", ""},
        {"text group open at the end", "{100}{}{Kni", "100", "Kni"},
        {"Ctrl-Z ends the file", "{1}{}{One}\x1a{2}{}{Two}", "2", ""},
        {"Ctrl-Z cuts an open text", "{1}{}{On\x1a\x65}", "1", "On"},
        {"first of two equal ids", "{100}{}{First}\r\n{100}{}{Second}\r\n", "100", "First"},
        {"text taken however far away", "{100}{}xxxx\r\n\r\n{200}{}{Two}", "100", "200"},
        {"a brace inside a group is content", "{a{100}{}{Inner}", "100", ""},
        {"id holding a brace", "{a{1}{}{Odd}", "a{1", "Odd"},
        {"id holding a closing brace", "{1}}{}{X}", "1}", ""},
        {"closing brace outside a group is passed over", "}}{100}{}{Knife}", "100", "Knife"},
        {"the two characters may be the end", "{100}", "100", ""},
        {"one character after the id", "{100}x", "100", ""},
        {"empty file", "", "100", ""},
        {"open id group at the end", "{10", "10", ""},
        {"match after a non-matching open text", "{9}{}{x{100}{}{Y}", "100", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lookupMessageIn(c.file, c.id), c.expected) << c.what;
        EXPECT_EQ(modelLookup(c.file, c.id), c.expected) << "model: " << c.what;
        EXPECT_EQ(MessageSnapshot::fromBytes(c.file).lookup(c.id), c.expected)
            << "snapshot: " << c.what;
    }
}

TEST(MessageLookup, readsTheFileAnewOnEveryCall) {
    TempDir dir;
    const std::string path = dir.write("pro_item.msg", kKnife);
    EXPECT_EQ(lookupMessage(path, "100"), "Knife");
    dir.write("pro_item.msg", "{100}{}{Dagger}\r\n");
    EXPECT_EQ(lookupMessage(path, "100"), "Dagger");
}

TEST(MessageLookup, findsAFileWhoseNameDiffersInLetterCase) {
    TempDir dir;
    dir.write("PRO_CRIT.MSG", "{1200}{}{Spark}\r\n");
    EXPECT_EQ(lookupMessage(dir.file("pro_Crit.msg"), "1200"), "Spark");
    EXPECT_EQ(MessageSnapshot(dir.file("pro_crit.msg")).lookup("1200"), "Spark");
}

TEST(MessageLookup, reportsTheRunTimeErrorWhenTheFileCannotBeRead) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder.msg");
    const std::vector<std::pair<std::string, std::string>> cases{
        {dir.file("missing.msg"), "File not found"},
        {dir.file("no-folder/proto.msg"), "Invalid filename"},
        {dir.file("folder.msg"), "File access denied"},
    };
    for (const auto& [path, message] : cases) {
        try {
            lookupMessage(path, "100");
            ADD_FAILURE() << path;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), message) << path;
        }
        try {
            MessageSnapshot snapshot(path);
            ADD_FAILURE() << path;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), message) << path;
        }
    }
}

// Malformed files of braces, digits, line breaks and the odd Ctrl-Z, long enough
// for the block search and its tail: the fast lookup and the snapshot must answer
// every id exactly as the step-by-step model does.
TEST(MessageLookup, matchesTheStepByStepModelOnRandomMalformedFiles) {
    std::mt19937 rng(20240611);
    const std::string alphabet = "{{{}}}0011a \r\n";
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    TempDir dir;
    for (int round = 0; round < 4000; ++round) {
        std::string file;
        const std::size_t length = pick(160);
        for (std::size_t i = 0; i < length; ++i)
            file += pick(400) == 0 ? '\x1a' : alphabet[pick(alphabet.size())];
        std::vector<std::string> ids{"", "0", "1", "10", "a{1", "1}", "{"};
        for (int k = 0; k < 6 && !file.empty(); ++k) {
            const std::size_t at = pick(file.size());
            ids.push_back(file.substr(at, pick(4)));
        }
        const MessageSnapshot snapshot = MessageSnapshot::fromBytes(file);
        for (const auto& id : ids) {
            const std::string expected = modelLookup(file, id);
            ASSERT_EQ(lookupMessageIn(file, id), expected) << "file '" << file << "' id " << id;
            ASSERT_EQ(snapshot.lookup(id), expected) << "file '" << file << "' id " << id;
        }
        if (round % 40 == 0) {
            const std::string path = dir.write("random.msg", file);
            for (const auto& id : ids)
                ASSERT_EQ(lookupMessage(path, id), modelLookup(file, id));
        }
    }
}

// After line edits, what the edits tell of the bytes the old and new file share
// must give the same text and the same changed entry as comparing every byte.
TEST(MessageLookup, sharedEndsOfALineEditGiveWhatComparingAllBytesGives) {
    std::mt19937 rng(20261211);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const std::vector<std::string> shapes{"{1}{}{a}", "{2}{}{b",     "c}",      "{1}{}{z}",
                                          "",         "\x1a",        "{3}{x}{", "{}{}{}",
                                          "{2}{}{b}", "{1}{}{q\x1a}"};
    const auto randomLine = [&] { return shapes[pick(shapes.size())]; };
    const char* breaks[] = {"\r\n", "\n", "\r"};
    for (int round = 0; round < 3000; ++round) {
        std::string old;
        const std::size_t lines = pick(40);
        for (std::size_t i = 0; i < lines; ++i)
            old += randomLine() + (i + 1 == lines && pick(2) ? "" : breaks[pick(3)]);
        LineBuffer buffer;
        buffer.assign(old);
        for (int edit = 0, edits = 1 + static_cast<int>(pick(2)); edit < edits; ++edit) {
            const std::size_t first = pick(buffer.size() + 1);
            const std::size_t count = pick(std::min<std::size_t>(3, buffer.size() - first) + 1);
            std::vector<std::string> texts(pick(3));
            for (auto& text : texts)
                text = randomLine();
            buffer.replace(first, count, texts);
        }
        const std::string now = buffer.bytes();
        const SharedEnds shared{buffer.unchangedStart(), buffer.unchangedEnd()};
        const std::string context = "old '" + old + "' new '" + now + "'";
        ASSERT_LE(shared.start, std::min(old.size(), now.size())) << context;
        ASSERT_LE(shared.end, std::min(old.size(), now.size())) << context;
        ASSERT_EQ(now.substr(0, shared.start), old.substr(0, shared.start)) << context;
        ASSERT_EQ(now.substr(now.size() - shared.end), old.substr(old.size() - shared.end))
            << context;
        const MessageText oldText(old);
        const MessageText newText(now, oldText, shared);
        ASSERT_EQ(newText.bytes(), MessageText(now).bytes()) << context;
        const auto none = [](std::string_view) { return false; };
        const auto known = changedEntry(oldText, newText, none, shared);
        const auto compared = changedEntry(old, now, none);
        ASSERT_EQ(known.has_value(), compared.has_value()) << context;
        if (known) {
            EXPECT_EQ(known->offset, compared->offset) << context;
            EXPECT_EQ(known->inOld, compared->inOld) << context;
        }
    }
}

// The search of several ids at once in what two files share, against a byte-by-byte
// model: patterns of every length (one beyond what a step of the search holds), ranges
// that end anywhere, and positions already known, which stay.
TEST(MessageLookup, searchesManyIdsAtOnceAsOneAtATime) {
    std::mt19937 rng(20261211);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const std::vector<std::string> pieces{"{", "}", "1", "12", "{1}", "{12}", "a", "\r\n", "{}"};
    const auto opens = [](std::string_view bytes, std::size_t at) {
        const std::size_t brace = bytes.substr(0, at).find_last_of("{}");
        return brace == std::string_view::npos || bytes[brace] == '}';
    };
    constexpr auto npos = std::string_view::npos;
    for (int round = 0; round < 4000; ++round) {
        std::string bytes;
        for (std::size_t n = pick(400); n > 0; --n)
            bytes += pieces[pick(pieces.size())];
        std::vector<std::string> patterns(1 + pick(4));
        for (auto& p : patterns) {
            std::string id;
            const std::size_t size = pick(4) == 0 ? pick(70) : pick(3);
            for (std::size_t k = 0; k < size; ++k)
                id += "12a"[pick(3)];
            p = "{" + id + "}";
        }
        const std::size_t from = pick(bytes.size() + 1);
        const std::size_t to = from + pick(bytes.size() - from + 1);
        std::vector<std::size_t> at(patterns.size(), npos);
        std::vector<std::size_t> expected(patterns.size(), npos);
        for (std::size_t i = 0; i < patterns.size(); ++i) {
            if (pick(5) == 0) {
                at[i] = expected[i] = 7; // known already
                continue;
            }
            for (std::size_t k = from; k < to && expected[i] == npos; ++k)
                if (bytes.compare(k, patterns[i].size(), patterns[i]) == 0 && opens(bytes, k))
                    expected[i] = k;
        }
        detail::firstGroupsBetween(bytes, patterns, from, to, at);
        ASSERT_EQ(at, expected) << "'" << bytes << "' from " << from << " to " << to;
    }
}

TEST(MessageLookup, findsEntriesBeyondTheFirstBlocksOfALargeFile) {
    std::string file;
    for (int id = 100; id < 5000; id += 100)
        file += "{" + std::to_string(id) + "}{}{Item " + std::to_string(id) + "}\r\n";
    file += "{99999}{}{Last}\r\n";
    for (const std::string id : {"100", "2500", "4900", "99999", "5000", "9999"}) {
        EXPECT_EQ(lookupMessageIn(file, id), modelLookup(file, id)) << id;
        EXPECT_EQ(MessageSnapshot::fromBytes(file).lookup(id), modelLookup(file, id)) << id;
    }
    EXPECT_EQ(lookupMessageIn(file, "99999"), "Last");
}

TEST(MessageSnapshot, survivesAMoveWithItsIndex) {
    MessageSnapshot first = MessageSnapshot::fromBytes(kKnife);
    MessageSnapshot moved = std::move(first);
    EXPECT_EQ(moved.lookup("101"), "A small knife.");
    first = MessageSnapshot::fromBytes("{1}{}{x}");
    moved = std::move(first);
    EXPECT_EQ(moved.lookup("1"), "x");
}

namespace {

// Waits until the clock has moved well past the file's change time, so that the next
// change of the file gets another one even where file times lag the clock by a tick.
void letTheClockTick(const std::string& path) {
    const auto before = platform::fileIdentity(path)->changedNs;
    while (platform::fileClockNowNs() < before + 50'000'000)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void writeInPlace(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::in | std::ios::out) << bytes;
}

// Sets the modification time, to the nanosecond, as the system's identity gives it.
void setModified(const std::string& path, std::int64_t ns) {
    const auto since1970 = std::chrono::nanoseconds(ns);
    std::filesystem::last_write_time(
        path, std::filesystem::file_time_type::clock::from_sys(
                  std::chrono::sys_time<std::chrono::nanoseconds>(since1970)));
}

} // namespace

// A kept snapshot answers only while the file is the same: every change below keeps
// the size, and the modification time where it can, and must still be seen.
TEST(MessageSnapshots, seeEveryChangeOfTheFileBetweenLookups) {
    const std::string before = "{100}{}{Knife}\r\n";
    const std::string after = "{100}{}{Spoon}\r\n";
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> changes{
        {"rewritten in place, modification time put back",
         [&](const std::string& path) {
             const auto modified = platform::fileIdentity(path)->modifiedNs;
             letTheClockTick(path);
             writeInPlace(path, after);
             setModified(path, modified);
         }},
        {"replaced by another file, modification time put back",
         [&](const std::string& path) {
             const auto modified = platform::fileIdentity(path)->modifiedNs;
             const std::string other = path + ".new";
             std::ofstream(other, std::ios::binary) << after;
             setModified(other, modified);
             std::filesystem::rename(other, path);
         }},
    };
    for (const auto& [what, change] : changes) {
        TempDir dir;
        const std::string path = dir.write("pro_item.msg", before);
        MessageSnapshots snapshots(std::chrono::nanoseconds(0));
        const auto first = snapshots.current(path);
        EXPECT_EQ(first->lookup("100"), "Knife") << what;
        EXPECT_EQ(snapshots.current(path), first) << what << ": kept while the same";
        change(path);
        EXPECT_EQ(snapshots.current(path)->lookup("100"), "Spoon") << what;
    }
}

// The shared snapshots keep none of a file written a moment ago, so a change in
// the same second to the same size is seen.
TEST(MessageSnapshots, seeAChangeInTheSameSecondToTheSameSize) {
    TempDir dir;
    const std::string path = dir.write("pro_item.msg", "{100}{}{Knife}\r\n");
    EXPECT_EQ(lookupMessage(path, "100"), "Knife");
    writeInPlace(path, "{100}{}{Spoon}\r\n");
    EXPECT_EQ(lookupMessage(path, "100"), "Spoon");
    std::filesystem::remove(path);
    EXPECT_THROW(lookupMessage(path, "100"), Error);
}

// A file written a moment ago is read again at every use, but within one operation
// (a command-line verb) only while nothing shows that it changed.
TEST(MessageSnapshots, readAFreshFileOncePerOperation) {
    TempDir dir;
    const std::string path = dir.write("pro_item.msg", "{100}{}{Knife}\r\n");
    MessageSnapshots snapshots(std::chrono::hours(1)); // every file is fresh
    EXPECT_NE(snapshots.current(path), snapshots.current(path));
    {
        const OneReadingPerOperation operation;
        const auto first = snapshots.current(path);
        EXPECT_EQ(snapshots.current(path), first);
        const std::string other = path + ".new";
        std::ofstream(other, std::ios::binary) << "{100}{}{Spoon}\r\n";
        std::filesystem::rename(other, path);
        EXPECT_EQ(snapshots.current(path)->lookup("100"), "Spoon");
    }
    EXPECT_NE(snapshots.current(path), snapshots.current(path));
}

// A snapshot that reads its file in parts, as lookups reach further, answers every id
// as the whole file does, however small the parts.
TEST(MessageSnapshot, readInPartsAnswersAsTheWholeFile) {
    std::mt19937 rng(20261212);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const std::string alphabet = "{{{}}}0011a \r\n";
    TempDir dir;
    for (int round = 0; round < 300; ++round) {
        std::string file;
        const std::size_t length = 1 + pick(300);
        for (std::size_t i = 0; i < length; ++i)
            file += pick(300) == 0 ? '\x1a' : alphabet[pick(alphabet.size())];
        const std::string path = dir.write("parts.msg", file);
        const MessageSnapshot snapshot(path, 1 + pick(24));
        for (const std::string id : {"0", "1", "10", "01", "", "a", "11", "1}"})
            ASSERT_EQ(snapshot.lookup(id), lookupMessageIn(file, id))
                << "file '" << file << "' id " << id;
        ASSERT_EQ(snapshot.fileBytes(), file);
    }
}

TEST(MessageSnapshot, readsNoFurtherThanItsLookupsNeed) {
    std::string file = "{100}{}{Knife}\r\n{101}{}{A small knife.}\r\n";
    while (file.size() < 100'000)
        file += "{900}{}{Unused}\r\n";
    file += "{999}{}{Last}\r\n";
    TempDir dir;
    const std::string path = dir.write("pro_item.msg", file);
    const MessageSnapshot snapshot(path, 64);
    EXPECT_EQ(snapshot.lookup("101"), "A small knife.");
    EXPECT_EQ(snapshot.bytesRead(), 64u);
    EXPECT_EQ(snapshot.lookup("999"), "Last");
    EXPECT_EQ(snapshot.bytesRead(), file.size());
}

// A file that changed since its first part was read is read again whole: its parts
// would not make one file.
TEST(MessageSnapshot, readInPartsReadsAChangedFileAgain) {
    const std::string before = "{1}{}{Knife}\r\n{2}{}{Spoon}\r\n";
    const std::string after = "{1}{}{Forks}\r\n{2}{}{Ladle}\r\n";
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> changes{
        {"rewritten in place to the same size",
         [&](const std::string& path) {
             letTheClockTick(path);
             writeInPlace(path, after);
         }},
        {"replaced by another file",
         [&](const std::string& path) {
             const std::string other = path + ".new";
             std::ofstream(other, std::ios::binary) << after;
             std::filesystem::rename(other, path);
         }},
    };
    for (const auto& [what, change] : changes) {
        TempDir dir;
        const std::string path = dir.write("pro_item.msg", before);
        const MessageSnapshot snapshot(path, 14);
        EXPECT_EQ(snapshot.lookup("1"), "Knife") << what;
        change(path);
        EXPECT_EQ(snapshot.lookup("2"), "Ladle") << what;
        EXPECT_EQ(snapshot.lookup("1"), "Forks") << what;
        EXPECT_EQ(snapshot.fileBytes(), after) << what;
    }
}

// The shared snapshot of a settled file reads it only as far as its lookups need.
TEST(MessageSnapshots, readASettledFileInParts) {
    std::string file = "{100}{}{Knife}\r\n";
    file.resize(3 << 20, ' ');
    TempDir dir;
    const std::string path = dir.write("pro_item.msg", file);
    MessageSnapshots snapshots(std::chrono::nanoseconds(0)); // every file is settled
    const auto snapshot = snapshots.current(path);
    EXPECT_EQ(snapshot->lookup("100"), "Knife");
    EXPECT_LT(snapshot->bytesRead(), file.size());
    EXPECT_EQ(snapshot->fileBytes().size(), file.size());
}

TEST(MessageSnapshot, answersIdsInAnyOrderAsItsIndexGrows) {
    const std::string file = "{1}{}{one}\r\n{2}{}{two}\r\n{1}{}{again}\r\n{3}{}{three}";
    const MessageSnapshot snapshot = MessageSnapshot::fromBytes(file);
    for (const std::string id : {"3", "1", "9", "2", "three", "1"})
        EXPECT_EQ(snapshot.lookup(id), modelLookup(file, id)) << id;

    // Enough ids for the index to grow several times, each in it twice.
    std::string many;
    for (int i = 0; i < 600; ++i)
        many += "{" + std::to_string(i % 300) + "}{}{text " + std::to_string(i) + "}\r\n";
    const MessageSnapshot large = MessageSnapshot::fromBytes(many);
    for (const int i : {299, 0, 150, 298, 1, 300, -1})
        EXPECT_EQ(large.lookup(std::to_string(i)), modelLookup(many, std::to_string(i))) << i;
}
