// SPDX-License-Identifier: GPL-3.0-or-later
// Writing files together: links, permissions, hard links, special files, a full disk
// and the temporaries a killed writer leaves.
#include "common/error.h"
#include "common/files.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zantor;
using namespace zantor::test;
namespace fs = std::filesystem;

namespace {

struct stat statOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

// Every name in the folder, sorted.
std::vector<std::string> names(const fs::path& dir) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

FileWrite writeOf(const std::string& path, std::string_view bytes,
                  FileWrite::Mode mode = FileWrite::Mode::Keep, bool needsPermission = true) {
    return FileWrite{path, {bytes}, mode, needsPermission, {}, {}};
}

// Runs `f` in a child process and returns what it wrote to its pipe ("" or an error).
std::string inChild(const std::function<std::string()>& f) {
    int fds[2];
    if (::pipe(fds) != 0)
        return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string out = f();
        (void)!::write(fds[1], out.data(), out.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string out;
    char buf[512];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        out.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return out;
}

} // namespace

TEST(Commit, refusesWhatItShouldNotWriteAndLeavesEveryFileAsItWas) {
    TempDir dir;
    const std::string old = "old";
    struct Case {
        const char* what;
        std::function<std::string()> make; // the path to write, with its folder set up
        std::string message;               // "%s" stands for the path's real file
    };
    const std::vector<Case> cases{
        {"dangling link",
         [&] {
             fs::create_symlink(dir.file("none.pro"), dir.file("dangling.pro"));
             return dir.file("dangling.pro");
         },
         "Cannot save through the link %s: it points to nothing"},
        {"link to a device",
         [&] {
             fs::create_symlink("/dev/null", dir.file("null.pro"));
             return dir.file("null.pro");
         },
         "Cannot save through the link %s: it does not point to a regular file"},
        {"link to a FIFO",
         [&] {
             ::mkfifo(dir.file("fifo").c_str(), 0644);
             fs::create_symlink(dir.file("fifo"), dir.file("fifo.pro"));
             return dir.file("fifo.pro");
         },
         "Cannot save through the link %s: it does not point to a regular file"},
        {"link to a folder",
         [&] {
             fs::create_directory(dir.file("sub"));
             fs::create_symlink(dir.file("sub"), dir.file("sub.pro"));
             return dir.file("sub.pro");
         },
         "Cannot save through the link %s: it does not point to a regular file"},
        {"a FIFO itself",
         [&] {
             ::mkfifo(dir.file("TRAP.pro").c_str(), 0644);
             return dir.file("TRAP.pro");
         },
         "%s is not a regular file"},
        {"a file with another hard link",
         [&] {
             const std::string a = dir.write("a.pro", old);
             fs::create_hard_link(a, dir.file("b.pro"));
             return a;
         },
         "%s has other hard links; saving would split it from them, so it is not saved"},
        {"a read-only file", [&] { return dir.write("ro.pro", old); }, "File access denied"},
    };
    for (const auto& c : cases) {
        const std::string path = c.make();
        if (std::string(c.what) == "a read-only file")
            ::chmod(path.c_str(), 0444);
        const auto before = names(dir.path());
        const struct stat st = statOf(path);
        std::string message = c.message;
        if (const auto at = message.find("%s"); at != std::string::npos)
            message.replace(at, 2, path);
        EXPECT_EQ(errorOf([&] { commitFiles({writeOf(path, "new")}); }), message) << c.what;
        EXPECT_EQ(names(dir.path()), before) << c.what;
        EXPECT_EQ(statOf(path).st_mode, st.st_mode) << c.what;
        EXPECT_EQ(statOf(path).st_ino, st.st_ino) << c.what;
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(readText(dir.file("a.pro")), old);
}

TEST(Commit, writesThroughALinkIntoItsTargetAndKeepsOwnerGroupAndMode) {
    TempDir dir;
    fs::create_directory(dir.file("real"));
    const std::string target = dir.write("real/ITEM.PRO", std::string("old"));
    ::chmod(target.c_str(), 0640);
    fs::create_symlink(target, dir.file("item.pro"));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    }
    const struct stat before = statOf(target);
    commitFiles({writeOf(dir.file("item.pro"), "new")});
    EXPECT_TRUE(fs::is_symlink(dir.file("item.pro")));
    EXPECT_EQ(fs::read_symlink(dir.file("item.pro")), target);
    EXPECT_EQ(readText(target), "new");
    const struct stat after = statOf(target);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(names(dir.file("real")), std::vector<std::string>{"ITEM.PRO"});
}

TEST(Commit, saveInPlaceReplacesTheUsersReadOnlyFileAndLeavesItReadOnly) {
    TempDir dir;
    const std::string path = dir.write("a.pro", std::string("old"));
    ::chmod(path.c_str(), 0464);
    commitFiles({writeOf(path, "new", FileWrite::Mode::ReadOnly, false)});
    EXPECT_EQ(readText(path), "new");
    EXPECT_EQ(statOf(path).st_mode & 07777, 0444u);
    // A name of 250 bytes leaves no room for a temporary named after it.
    const std::string longName = std::string(246, 'l') + ".pro";
    const std::string longPath = dir.write(longName, std::string("old"));
    commitFiles({writeOf(longPath, "new", FileWrite::Mode::ReadOnly, false)});
    EXPECT_EQ(readText(longPath), "new");
}

TEST(Commit, aFileTheUserCannotWriteIsRefusedEvenInAWritableFolder) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a file of another user";
    TempDir dir;
    ::chmod(dir.path().c_str(), 0777);
    const std::string path = dir.write("root.pro", std::string("old"));
    ::chmod(path.c_str(), 0644);
    const std::string result = inChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            return std::string("cannot drop privileges");
        return errorOf(
            [&] { commitFiles({writeOf(path, "new", FileWrite::Mode::ReadOnly, false)}); });
    });
    EXPECT_EQ(result, "File access denied");
    EXPECT_EQ(readText(path), "old");
    EXPECT_EQ(statOf(path).st_uid, 0u);
    EXPECT_EQ(names(dir.path()), std::vector<std::string>{"root.pro"});
}

TEST(Commit, nothingIsRenamedWhenOneFileFails) {
    TempDir dir;
    const std::string msg = dir.write("pro_item.msg", std::string("old msg"));
    const std::string item = dir.write("a.pro", std::string("old item"));
    ::chmod(item.c_str(), 0444);
    FileWrite second = writeOf(item, "new item");
    EXPECT_EQ(errorOf([&] {
                  commitFiles({writeOf(msg, "new msg"), second});
              }),
              "File access denied");
    EXPECT_EQ(readText(msg), "old msg");
    EXPECT_EQ(readText(item), "old item");
    EXPECT_EQ(names(dir.path()), (std::vector<std::string>{"a.pro", "pro_item.msg"}));
}

TEST(Commit, aContentInPartsIsCheckedAsWrittenAndARefusalChangesNothing) {
    TempDir dir;
    const std::string msg = dir.write("pro_item.msg", std::string("old msg"));
    const std::string item = dir.write("a.pro", std::string("old item"));
    std::vector<std::string> seen;
    FileWrite parts = writeOf(msg, "");
    parts.parts = {"new ", "", "m", "sg"};
    parts.check = [&](std::string_view written) { seen.emplace_back(written); };
    commitFiles({parts, writeOf(item, "new item")});
    EXPECT_EQ(seen, std::vector<std::string>{"new msg"});
    EXPECT_EQ(readText(msg), "new msg");

    // Refused after the other file's temporary was written: neither file changes.
    parts.parts = {"newer ", "msg"};
    parts.check = [&](std::string_view written) { throw Error("refused " + std::string(written)); };
    EXPECT_EQ(errorOf([&] {
                  commitFiles({writeOf(item, "newer item"), parts});
              }),
              "refused newer msg");
    EXPECT_EQ(readText(msg), "new msg");
    EXPECT_EQ(readText(item), "new item");
    EXPECT_EQ(names(dir.path()), (std::vector<std::string>{"a.pro", "pro_item.msg"}));

    parts.parts = {};
    parts.check = [&](std::string_view written) { seen.emplace_back(written); };
    commitFiles({parts});
    EXPECT_EQ(seen, (std::vector<std::string>{"new msg", ""}));
    EXPECT_EQ(readText(msg), "");
}

TEST(Commit, aFullDiskNamesItsCauseAndChangesNothing) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root for a small file system of its own";
    TempDir dir;
    const std::string result = inChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=64k") != 0)
            return std::string("skip");
        const std::string msg = dir.write("pro_item.msg", std::string("old msg"));
        const std::string item = dir.write("a.pro", std::string("old item"));
        const std::string big(256 * 1024, 'x');
        std::string out = errorOf([&] {
            commitFiles({writeOf(msg, "new msg"), writeOf(item, big)});
        });
        out += "|" + readText(msg) + "|" + readText(item) + "|" +
               std::to_string(names(dir.path()).size());
        return out;
    });
    if (result == "skip")
        GTEST_SKIP() << "no mount namespace here";
    EXPECT_EQ(result, "Disk full|old msg|old item|2");
}

TEST(Commit, temporariesOfAKilledWriterAreRemovedByTheNextWriteButNotThoseInUse) {
    TempDir dir;
    const std::string path = dir.write("a.pro", std::string("old"));
    dir.write(".zt-dead01", std::string("left by a kill"));
    const std::string live = dir.write(".zt-live01", std::string("being written"));
    const int fd = ::open(live.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    dir.write("keep.zt-x", std::string("not ours"));
    commitFiles({writeOf(path, "new")});
    EXPECT_EQ(names(dir.path()), (std::vector<std::string>{".zt-live01", "a.pro", "keep.zt-x"}));
    ::close(fd);
}

TEST(Commit, readingTakesOnlyRegularFilesWithoutBlocking) {
    TempDir dir;
    const std::string fifo = dir.file("TRAP.pro");
    ::mkfifo(fifo.c_str(), 0644);
    fs::create_symlink("/dev/zero", dir.file("ZERO.pro"));
    EXPECT_EQ(errorOf([&] { readFile(fifo); }), fifo + " is not a regular file");
    EXPECT_EQ(errorOf([&] { readFile(dir.file("ZERO.pro")); }),
              dir.file("ZERO.pro") + " is not a regular file");
    unsigned char header[56];
    EXPECT_FALSE(readRegularFileStart(fifo, header, sizeof header));
    EXPECT_FALSE(readRegularFileStart(dir.file("ZERO.pro"), header, sizeof header));
    dir.write("REAL.pro", std::string(60, 'x'));
    EXPECT_EQ(readRegularFileStart(dir.file("REAL.pro"), header, sizeof header), 56u);
    // The scan's listing passes over the FIFO before it is opened.
    auto listed = folderFileNames(dir.path());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"REAL.pro", "ZERO.pro"}));
    const std::string tooLong = dir.path().string() + "/" + std::string(300, 'd');
    EXPECT_EQ(errorOf([&] { folderFileNames(tooLong); }), "Invalid filename");
    EXPECT_EQ(errorOf([&] { readFile(tooLong + "/x.msg"); }), "Invalid filename");
    EXPECT_TRUE(folderFileNames(dir.file("missing")).empty());

    // Read through the folder held open: what the listing called a regular file may be
    // something else by the time it is read, and is then passed over without blocking
    // (a FIFO with no writer reads as empty).
    dir.write("GONE.pro", std::string(60, 'x'));
    dir.write("LATE.pro", std::string(60, 'x'));
    FolderFiles files(dir.path());
    fs::remove(dir.file("GONE.pro"));
    fs::create_directory(dir.file("GONE.pro"));
    fs::remove(dir.file("LATE.pro"));
    ::mkfifo(dir.file("LATE.pro").c_str(), 0644);
    std::map<std::string, std::optional<std::size_t>> read;
    for (std::size_t i = 0; i < files.names().size(); ++i)
        read[files.names()[i]] = files.readStart(i, header, sizeof header);
    EXPECT_EQ(read,
              (std::map<std::string, std::optional<std::size_t>>{{"GONE.pro", std::nullopt},
                                                                 {"LATE.pro", 0u},
                                                                 {"REAL.pro", 56u},
                                                                 {"ZERO.pro", std::nullopt}}));
}

TEST(Commit, aCaseTwinIsTheExistingFileThatAWriteWouldReplace) {
    TempDir dir;
    dir.write("KNIFE.PRO", std::string("x"));
    EXPECT_EQ(caseTwinOf(dir.file("knife.pro")), "KNIFE.PRO");
    EXPECT_EQ(caseTwinOf(dir.file("KNIFE.PRO")), "");
    EXPECT_EQ(caseTwinOf(dir.file("fork.pro")), "");
}
