// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"
#include "common/files.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zantor;
using zantor::test::errorOf;
using zantor::test::TempDir;

TEST(Files, errnoValuesGiveTheRunTimeMessages) {
    TempDir dir;
    const std::string inDir = dir.file("x.pro");
    const std::string noDir = dir.file("missing/x.pro");
    const std::pair<int, std::string> cases[] = {
        {EACCES, "File access denied"}, {EPERM, "File access denied"},
        {EISDIR, "File access denied"}, {EMFILE, "Too many open files"},
        {ENOSPC, "Disk full"},          {EIO, "I/O error 5"},
    };
    for (const auto& [err, text] : cases)
        EXPECT_EQ(errorOf([&] { throwIoError(err, inDir); }), text) << err;
    EXPECT_EQ(errorOf([&] { throwIoError(ENOENT, inDir); }), "File not found");
    EXPECT_EQ(errorOf([&] { throwIoError(ENOENT, noDir); }), "Invalid filename");
}

TEST(Files, readingMissingFilesAndFoldersFailsWithTheirMessages) {
    TempDir dir;
    EXPECT_EQ(errorOf([&] { readFile(dir.file("none.pro")); }), "File not found");
    EXPECT_EQ(errorOf([&] { readFile(dir.file("nodir/none.pro")); }), "Invalid filename");
    std::filesystem::create_directory(dir.path() / "folder.pro");
    EXPECT_EQ(errorOf([&] { readFile(dir.file("folder.pro")); }), "File access denied");
}

TEST(Files, pathsAreFoundWhateverTheirLetterCase) {
    TempDir dir;
    const std::string real = dir.write("Files/PRO_CRIT.MSG", std::string("x"));
    EXPECT_EQ(resolvePath(dir.file("files/pro_Crit.msg")).string(), real);
    EXPECT_TRUE(fileExists(dir.file("FILES/pro_crit.msg")));
    // A path with no match comes back as written.
    EXPECT_EQ(resolvePath(dir.file("files/none.msg")).string(), dir.file("files/none.msg"));
    EXPECT_FALSE(fileExists(dir.file("files")));
}

TEST(Files, joinPathAddsExactlyOneSeparator) {
    EXPECT_EQ(joinPath("", "pro_item.msg"), "/pro_item.msg");
    EXPECT_EQ(joinPath("/a/", "b"), "/a//b");
    EXPECT_EQ(joinPath("a", "b"), "a/b");
}

TEST(Files, atomicWriteReplacesContentAndKeepsPermissions) {
    TempDir dir;
    const std::string path = dir.write("a.pro", std::string("old content"));
    ::chmod(path.c_str(), 0640);
    writeFileAtomic(path, test::toBytes("new"));
    EXPECT_EQ(test::readAll(path), test::toBytes("new"));
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    // Nothing but the target is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(Files, failedAtomicWriteLeavesNoFileBehind) {
    TempDir dir;
    EXPECT_EQ(errorOf([&] { writeFileAtomic(dir.file("nodir/a.pro"), test::toBytes("x")); }),
              "Invalid filename");
    std::filesystem::create_directory(dir.path() / "folder.pro");
    EXPECT_EQ(errorOf([&] { writeFileAtomic(dir.file("folder.pro"), test::toBytes("x")); }),
              "File access denied");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(Files, writableAndReadOnlyMapToTheWriteBits) {
    TempDir dir;
    const std::string path = dir.write("a.pro", std::string("x"));
    ::chmod(path.c_str(), 0664);
    setWritable(path, false);
    EXPECT_TRUE(isReadOnly(path));
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    setWritable(path, true);
    EXPECT_FALSE(isReadOnly(path));
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}
