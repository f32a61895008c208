// SPDX-License-Identifier: GPL-3.0-or-later
// The file operations on Windows: system error codes, the read-only attribute, and
// replacing files.
#include "common/error.h"
#include "common/files.h"
#include "platform/windows/system_error.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <windows.h>

using namespace zantor;
using zantor::test::errorOf;
using zantor::test::TempDir;
namespace fs = std::filesystem;

namespace {

DWORD attributes(const std::string& path) {
    return ::GetFileAttributesW(fs::path(path).c_str());
}

std::size_t entries(const fs::path& dir) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

} // namespace

TEST(WindowsFiles, systemErrorCodesGiveTheRunTimeMessages) {
    const std::pair<DWORD, std::string> cases[] = {
        {ERROR_FILE_NOT_FOUND, "File not found"},
        {ERROR_PATH_NOT_FOUND, "Invalid filename"},
        {ERROR_INVALID_NAME, "Invalid filename"},
        {ERROR_TOO_MANY_OPEN_FILES, "Too many open files"},
        {ERROR_ACCESS_DENIED, "File access denied"},
        {ERROR_SHARING_VIOLATION, "File access denied"},
        {ERROR_WRITE_PROTECT, "File access denied"},
        {ERROR_DISK_FULL, "Disk full"},
        {ERROR_HANDLE_DISK_FULL, "Disk full"},
        {ERROR_CRC, "I/O error 23"},
    };
    for (const auto& [err, text] : cases)
        EXPECT_EQ(errorOf([&] { throwSystemError(err); }), text) << err;
}

TEST(WindowsFiles, readingMissingFilesAndFoldersFailsWithTheirMessages) {
    TempDir dir;
    EXPECT_EQ(errorOf([&] { readFile(dir.file("none.pro")); }), "File not found");
    EXPECT_EQ(errorOf([&] { readFile(dir.file("nodir/none.pro")); }), "Invalid filename");
    fs::create_directory(dir.path() / "folder.pro");
    EXPECT_EQ(errorOf([&] { readFile(dir.file("folder.pro")); }), "File access denied");
    EXPECT_FALSE(fileExists(dir.file("folder.pro")));
}

TEST(WindowsFiles, aFileLockedByAnotherProgramIsAccessDenied) {
    TempDir dir;
    const std::string path = dir.write("a.pro", std::string("bytes"));
    HANDLE locked = ::CreateFileW(fs::path(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_EQ(errorOf([&] { readFile(path); }), "File access denied");
    ::CloseHandle(locked);
    EXPECT_EQ(readFile(path), test::toBytes("bytes"));
}

TEST(WindowsFiles, pathsUseBackslashesAndTheFileSystemIgnoresCase) {
    EXPECT_EQ(joinPath("", "pro_item.msg"), "\\pro_item.msg");
    EXPECT_EQ(joinPath("C:\\a\\", "b"), "C:\\a\\\\b");
    TempDir dir;
    dir.write("Files/PRO_CRIT.MSG", std::string("x"));
    EXPECT_TRUE(fileExists(dir.file("files/pro_Crit.msg")));
    EXPECT_EQ(readFile(dir.file("FILES/pro_crit.msg")), test::toBytes("x"));
}

TEST(WindowsFiles, readOnlyIsTheAttributeAndOtherAttributesStay) {
    TempDir dir;
    const std::string path = dir.write("a.pro", std::string("x"));
    ASSERT_TRUE(::SetFileAttributesW(fs::path(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    setWritable(path, false);
    EXPECT_TRUE(isReadOnly(path));
    EXPECT_EQ(attributes(path) & 0x27,
              DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));
    setWritable(path, true);
    EXPECT_FALSE(isReadOnly(path));
    EXPECT_EQ(attributes(path) & 0x27, DWORD(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(isReadOnly(dir.file("none.pro")));
}

TEST(WindowsFiles, atomicWriteReplacesContentKeepsAttributesAndLeavesNothingBehind) {
    TempDir dir;
    const std::string path = dir.write("a.pro", std::string("old content"));
    ASSERT_TRUE(::SetFileAttributesW(fs::path(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    writeFileAtomic(path, test::toBytes("new"));
    EXPECT_EQ(test::readAll(path), test::toBytes("new"));
    EXPECT_TRUE(attributes(path) & FILE_ATTRIBUTE_HIDDEN);
    writeFileAtomic(dir.file("b.pro"), test::toBytes("fresh"));
    EXPECT_EQ(test::readAll(dir.file("b.pro")), test::toBytes("fresh"));
    EXPECT_EQ(entries(dir.path()), 2u);
}

TEST(WindowsFiles, refusedAtomicWritesChangeNothing) {
    TempDir dir;
    EXPECT_EQ(errorOf([&] { writeFileAtomic(dir.file("nodir/a.pro"), test::toBytes("x")); }),
              "Invalid filename");
    fs::create_directory(dir.path() / "folder.pro");
    EXPECT_EQ(errorOf([&] { writeFileAtomic(dir.file("folder.pro"), test::toBytes("x")); }),
              "File access denied");
    const std::string locked = dir.write("locked.pro", std::string("old"));
    setWritable(locked, false);
    for (const std::string& cannotCreate : {std::string(), std::string("Cannot create file")})
        EXPECT_EQ(errorOf([&] {
                      commitFiles({FileWrite{
                          locked, {"new"}, FileWrite::Mode::Keep, true, cannotCreate, {}}});
                  }),
                  cannotCreate.empty() ? "File access denied" : cannotCreate);
    EXPECT_EQ(test::readAll(locked), test::toBytes("old"));
    EXPECT_EQ(entries(dir.path()), 2u);
}

TEST(WindowsFiles, saveInPlaceReplacesAReadOnlyFileAndLeavesItReadOnly) {
    TempDir dir;
    const std::string path = dir.write("a.pro", std::string("old"));
    setWritable(path, false);
    commitFiles({FileWrite{path, {"new"}, FileWrite::Mode::ReadOnly, false, {}, {}}});
    EXPECT_EQ(test::readAll(path), test::toBytes("new"));
    EXPECT_TRUE(isReadOnly(path));
    EXPECT_EQ(entries(dir.path()), 1u) << "no temporary file is left";
}

TEST(WindowsFiles, twoFilesAreWrittenAllOrNothing) {
    TempDir dir;
    const std::string item = dir.write("a.pro", std::string("old item"));
    const std::string texts = dir.write("pro_item.msg", std::string("old texts"));
    setWritable(texts, false);
    EXPECT_EQ(errorOf([&] {
                  commitFiles({FileWrite{texts, {"new texts"}, FileWrite::Mode::Keep, true, {}, {}},
                               FileWrite{item, {"new item"}, FileWrite::Mode::Keep, true, {}, {}}});
              }),
              "File access denied");
    EXPECT_EQ(test::readAll(item), test::toBytes("old item"));
    setWritable(texts, true);
    commitFiles({FileWrite{texts, {"new texts"}, FileWrite::Mode::Keep, true, {}, {}},
                 FileWrite{item, {"new item"}, FileWrite::Mode::Keep, true, {}, {}}});
    EXPECT_EQ(test::readAll(item), test::toBytes("new item"));
    EXPECT_EQ(test::readAll(texts), test::toBytes("new texts"));
    EXPECT_EQ(entries(dir.path()), 2u);
}

TEST(WindowsFiles, aContentInPartsIsCheckedAsWrittenAndARefusalChangesNothing) {
    TempDir dir;
    const std::string item = dir.write("a.pro", std::string("old item"));
    const std::string texts = dir.write("pro_item.msg", std::string("old texts"));
    FileWrite parts{texts, {"new ", "", "texts"}, FileWrite::Mode::Keep, true, {}, {}};
    parts.check = [](std::string_view written) { throw Error("refused " + std::string(written)); };
    EXPECT_EQ(errorOf([&] {
                  commitFiles(
                      {FileWrite{item, {"new item"}, FileWrite::Mode::Keep, true, {}, {}}, parts});
              }),
              "refused new texts");
    EXPECT_EQ(test::readAll(item), test::toBytes("old item"));
    EXPECT_EQ(test::readAll(texts), test::toBytes("old texts"));
    EXPECT_EQ(entries(dir.path()), 2u);
    std::string seen;
    parts.check = [&](std::string_view written) { seen = written; };
    commitFiles({parts});
    EXPECT_EQ(seen, "new texts");
    EXPECT_EQ(test::readAll(texts), test::toBytes("new texts"));
}

TEST(WindowsFiles, aTemporaryLeftByAKilledWriterIsRemovedByTheNextWrite) {
    TempDir dir;
    dir.write(".zt-AbC123", std::string("half written"));
    dir.write(".zt-longer-name", std::string("not ours"));
    writeFileAtomic(dir.file("a.pro"), test::toBytes("x"));
    EXPECT_FALSE(fs::exists(dir.path() / ".zt-AbC123"));
    EXPECT_TRUE(fs::exists(dir.path() / ".zt-longer-name"));
}

TEST(WindowsFiles, folderListingsLeaveOutFoldersAndMissingFoldersListNothing) {
    TempDir dir;
    dir.write("items/a.pro", std::string("x"));
    dir.write("items/B.PRO", std::string("x"));
    fs::create_directory(dir.path() / "items" / "folder.pro");
    auto names = folderFileNames(dir.file("items"));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"B.PRO", "a.pro"}));
    EXPECT_TRUE(folderFileNames(dir.file("none")).empty());
    unsigned char header[4];
    EXPECT_EQ(readRegularFileStart(dir.file("items/folder.pro"), header, 4), std::nullopt);
    EXPECT_EQ(readRegularFileStart(dir.file("items/a.pro"), header, 4),
              std::optional<std::size_t>(1));
}
