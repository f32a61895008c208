// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"
#include "common/files.h"
#include "support/temp_dir.h"
#include "texts/art.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace zantor;
using namespace zantor::test;

namespace fs = std::filesystem;

namespace {

// Runs the test body in a folder of its own, for the fallback picture.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : m_old(fs::current_path()) {
        fs::current_path(folder);
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    ~InFolder() { fs::current_path(m_old); }

private:
    fs::path m_old;
};

} // namespace

TEST(ArtLists, oneEntryPerLineUpToTheFirstNul) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"knife.frm\r\nbox.frm\r\n", {"knife.frm", "box.frm"}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"", {}},
        {std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
        {std::string("\0a", 2), {}},
        {" spaced .frm \r\n", {" spaced .frm "}},
    };
    TempDir dir;
    for (const auto& [file, entries] : cases)
        EXPECT_EQ(readListFile(dir.write("items.lst", file)), entries) << file;
}

TEST(ArtLists, aListFileThatCannotBeReadNamesItsPath) {
    TempDir dir;
    const std::string missing = dir.file("critters.lst");
    try {
        readListFile(missing);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
    }
}

TEST(ArtPreviews, pathDropsBlanksAndTheLastThreeCharacters) {
    const std::string sep(1, kSeparator);
    const std::vector<std::pair<std::string, std::string>> cases{
        {"knife.frm", "knife.bmp"},
        {" big  box.frm ", "bigbox.bmp"},
        {"ab", "abbmp"},
        {"abc", "bmp"},
        {"", "bmp"},
        {"   ", "bmp"},
        {"caf\xE9.frm", "caf\u00E9.bmp"},
    };
    for (const auto& [entry, name] : cases)
        EXPECT_EQ(previewPath("art", entry), "art" + sep + name) << entry;
    EXPECT_EQ(previewPath("art" + sep, "a.frm"), "art" + sep + sep + "a.bmp");
}

TEST(ArtPreviews, showsTheBitmapOrTheFallbackPicture) {
    TempDir dir;
    const fs::path art = dir.path() / "art";
    fs::create_directories(art / "folder.bmp");
    dir.write("art/knife.bmp", "BM");
    dir.write("art/BOX.BMP", "BM");
    dir.write("FILES/noart.BMP", "BM");
    const InFolder here(dir.path());
    const std::string fallback = (dir.path() / "FILES" / "noart.BMP").string();
    const std::vector<std::pair<std::string, std::string>> cases{
        {"knife.frm", (art / "knife.bmp").string()},
        {"box.frm", (art / "BOX.BMP").string()},
        {"folder.frm", fallback},
        {"missing.frm", fallback},
        {"", fallback},
    };
    for (const auto& [entry, path] : cases)
        EXPECT_TRUE(fs::equivalent(previewFile(art.string(), entry), path)) << entry;
}

TEST(ArtPreviews, fallbackPathIsAsWrittenWhenNothingIsThere) {
    TempDir dir;
    const InFolder here(dir.path());
    EXPECT_EQ(fs::path(previewFile("art", "knife.frm")), dir.path() / "Files" / "noArt.bmp");
}

TEST(CritterLooks, describesKindGenderAndRest) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"hmjmps", "Human male jmps"},
        {"nfvault", "NPC female vault"},
        {"maxxx", "Monster any gender xxx"},
        {"rezzzz", ""},
        {"rm", ""},
        {"xyabc", "abc"},
        {"h", "Human "},
        {"hm", "Human male "},
        {"Hmabc", "male abc"},
        {"hMabc", "Human abc"},
        {"", ""},
        {"xa", "any gender "},
    };
    for (const auto& [entry, description] : cases)
        EXPECT_EQ(looksDescription(entry), description) << entry;
}
