// SPDX-License-Identifier: GPL-3.0-or-later
// The file operations of common/files.h on POSIX systems: descriptors, permission bits,
// links, and letter case resolved on case-sensitive file systems.
#include "common/files.h"

#include "common/ascii.h"
#include "common/error.h"
#include "platform/file_commit.h"
#include "platform/system.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <set>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace zantor {

namespace {

// Closes a descriptor on every path out of a function.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    // Closes now and reports the error a close may bring (a delayed write error).
    int close() {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc;
    }

private:
    int m_fd;
};

bool pathExists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

[[noreturn]] void throwNotRegular(const fs::path& path) {
    throw Error(path.string() + " is not a regular file");
}

// Opens a file for reading without blocking on a FIFO or a device, and keeps it open
// only when it is a regular file. -1 with errno EISDIR for a folder, ENODEV for
// anything else that is not a regular file.
int openRegular(const fs::path& path, struct stat& st) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
        ::close(fd);
        errno = err;
        return -1;
    }
    return fd;
}

int openForReading(const fs::path& path, struct stat& st) {
    const fs::path real = resolvePath(path);
    const int fd = openRegular(real, st);
    if (fd < 0) {
        if (errno == ENODEV)
            throwNotRegular(real);
        throwIoError(errno, real);
    }
    return fd;
}

// Nothing when the descriptor turns out to be a folder or an empty FIFO, which only a
// descriptor that was not asked about before can be. `pathOf()` names the file in an
// error, and is asked only then: a folder listing reads thousands of files and would
// otherwise build a path for each.
template <class PathOf>
std::optional<std::size_t> readUpTo(int fd, unsigned char* out, std::size_t count,
                                    const PathOf& pathOf) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd, out + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EISDIR || errno == EAGAIN)
                return std::nullopt;
            throwIoError(errno, pathOf());
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

// Up to `limit` bytes, memory bounded by the size the file had (`expected`) unless it
// grew meanwhile, in which case it is read on to its end.
Bytes readAtMost(int fd, std::size_t expected, std::size_t limit, const fs::path& path) {
    if (limit == 0)
        return {};
    const std::size_t first = std::min(expected, limit - 1) + 1;
    Bytes data;
    platform::reserveInLargePages(data, first);
    data.resize(first);
    std::size_t size = 0;
    for (;;) {
        size +=
            readUpTo(fd, data.data() + size, data.size() - size, [&] { return path; }).value_or(0);
        if (size < data.size() || data.size() == limit)
            break;
        data.resize(data.size() > limit / 2 ? limit : data.size() * 2);
    }
    data.resize(size);
    return data;
}

mode_t defaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

fs::path resolvePath(const FilePath& given) {
    const fs::path& path = given;
    if (path.empty() || pathExists(path))
        return path;
    fs::path current = path.root_path();
    const fs::path relative = path.relative_path();
    for (const fs::path& part : relative) {
        const fs::path asWritten = current.empty() ? part : current / part;
        if (pathExists(asWritten) || part == "." || part == ".." || part.empty()) {
            current = asWritten;
            continue;
        }
        std::error_code ec;
        const fs::path dir = current.empty() ? fs::path(".") : current;
        fs::path match;
        for (fs::directory_iterator d(dir, ec), dEnd; !ec && d != dEnd; d.increment(ec)) {
            const std::string name = d->path().filename().string();
            if (equalIgnoringAsciiCase(name, part.string())) {
                match = current.empty() ? fs::path(name) : current / name;
                break;
            }
        }
        if (match.empty())
            return path;
        current = match;
    }
    return current;
}

bool fileExists(const FilePath& path) {
    std::error_code ec;
    return fs::is_regular_file(resolvePath(path), ec);
}

Bytes readFile(const FilePath& path) {
    struct stat st {};
    Fd fd(openForReading(path, st));
    return readAtMost(fd.get(), static_cast<std::size_t>(st.st_size), SIZE_MAX, path);
}

Bytes readFileStart(const FilePath& path, std::size_t count, std::uintmax_t* size) {
    struct stat st {};
    Fd fd(openForReading(path, st));
    if (size)
        *size = static_cast<std::uintmax_t>(st.st_size);
    return readAtMost(fd.get(), static_cast<std::size_t>(st.st_size), count, path);
}

std::size_t readFilePart(const FilePath& path, std::uint64_t offset, unsigned char* out,
                         std::size_t count, platform::FileIdentity& identity) {
    struct stat st {};
    Fd fd(openForReading(path, st));
    const auto id = platform::openFileIdentity(fd.get());
    if (!id)
        throwIoError(errno, path);
    identity = *id;
    if (::lseek(fd.get(), static_cast<off_t>(offset), SEEK_SET) < 0)
        throwIoError(errno, path);
    // A regular file: nothing that reads as a folder or an empty FIFO.
    return readUpTo(fd.get(), out, count, [&] { return path; }).value_or(0);
}

std::optional<std::size_t> readRegularFileStart(const FilePath& path, unsigned char* out,
                                                std::size_t count) {
    struct stat st {};
    const int raw = openRegular(path, st);
    if (raw < 0) {
        if (errno == EISDIR || errno == ENODEV)
            return std::nullopt;
        throwIoError(errno, path);
    }
    Fd fd(raw);
    return readUpTo(fd.get(), out, count, [&] { return path; });
}

struct FolderFiles::Handle {
    std::unique_ptr<DIR, int (*)(DIR*)> dir{nullptr, ::closedir};
};

FolderFiles::FolderFiles(const FilePath& folder)
    : m_folder(folder.path()), m_handle(std::make_unique<Handle>()) {
    m_handle->dir.reset(::opendir(m_folder.c_str()));
    DIR* d = m_handle->dir.get();
    if (!d) {
        // A missing folder lists nothing; a path the system refuses is an error.
        if (errno == ENOENT || errno == ENOTDIR)
            return;
        throwIoError(errno, folder);
    }
    errno = 0;
    while (const dirent* e = ::readdir(d)) {
        switch (e->d_type) {
        case DT_DIR:
        case DT_FIFO:
        case DT_CHR:
        case DT_BLK:
        case DT_SOCK:
            break; // links and unknown kinds are checked when opened
        default:
            m_names.emplace_back(e->d_name);
            m_listedRegular.push_back(e->d_type == DT_REG);
        }
    }
}

FolderFiles::FolderFiles(FolderFiles&&) noexcept = default;
FolderFiles& FolderFiles::operator=(FolderFiles&&) noexcept = default;
FolderFiles::~FolderFiles() = default;

std::optional<std::size_t> FolderFiles::readStart(std::size_t index, unsigned char* out,
                                                  std::size_t count) const {
    const std::string& name = m_names.at(index);
    // Not blocking on a FIFO put in the file's place since the listing, and reading
    // `count` bytes at most of whatever else may stand there now.
    const int raw = ::openat(::dirfd(m_handle->dir.get()), name.c_str(),
                             O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (raw < 0)
        throwIoError(errno, m_folder / name);
    Fd fd(raw);
    if (!m_listedRegular[index]) {
        struct stat st {};
        if (::fstat(raw, &st) != 0 || !S_ISREG(st.st_mode))
            return std::nullopt;
    }
    return readUpTo(fd.get(), out, count, [&] { return m_folder / name; });
}

std::vector<std::string> folderFileNames(const FilePath& folder) {
    return FolderFiles(folder).names();
}

std::string caseTwinOf(const FilePath& path) {
    if (path.path().empty() || pathExists(path))
        return {};
    const fs::path resolved = resolvePath(path);
    return pathExists(resolved) ? resolved.filename().string() : std::string();
}

bool isReadOnly(const FilePath& path) {
    struct stat st {};
    if (::stat(resolvePath(path).c_str(), &st) != 0)
        return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

void setWritable(const FilePath& path, bool writable) {
    const fs::path real = resolvePath(path);
    struct stat st {};
    if (::stat(real.c_str(), &st) != 0)
        return;
    mode_t mode = st.st_mode & 07777;
    mode = writable ? (mode | S_IWUSR) : (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH));
    (void)::chmod(real.c_str(), mode);
}

namespace {

constexpr std::string_view kTempPrefix = ".zt-";
constexpr std::size_t kTempNameSize = kTempPrefix.size() + 6;

bool isTempName(std::string_view name) {
    return name.size() == kTempNameSize && name.starts_with(kTempPrefix);
}

// Removes the temporaries of writers that were killed: a live writer holds a lock
// on its temporary until it has been renamed, a dead one holds none.
void removeStaleTemps(const fs::path& dir) {
    std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.c_str()), ::closedir);
    if (!d)
        return;
    std::vector<std::string> stale;
    while (const dirent* e = ::readdir(d.get()))
        if (isTempName(e->d_name))
            stale.emplace_back(e->d_name);
    for (const std::string& name : stale) {
        const fs::path path = dir / name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        Fd file(fd);
        struct stat opened {};
        struct stat named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
            ::lstat(path.c_str(), &named) == 0 && S_ISREG(opened.st_mode) &&
            opened.st_ino == named.st_ino && opened.st_dev == named.st_dev)
            ::unlink(path.c_str());
    }
}

// Where a write goes, and what it must keep.
struct Target {
    fs::path path; // the regular file replaced (a link's target)
    bool exists = false;
    struct stat st {};
};

[[noreturn]] void refuseAccess(const FileWrite& w, const fs::path& path, int err) {
    if (!w.cannotCreate.empty())
        throw Error(w.cannotCreate);
    throwIoError(err, path);
}

bool mayWrite(const fs::path& path, const struct stat& st) {
    // Root passes every permission check; the read-only attribute still counts.
    if (::geteuid() == 0)
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

Target targetOf(const FileWrite& w) {
    Target t;
    t.path = resolvePath(w.path);
    struct stat st {};
    if (::lstat(t.path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return t; // a new file; a missing folder fails when the temporary is made
        throwIoError(errno, t.path);
    }
    if (S_ISLNK(st.st_mode)) {
        const fs::path link = t.path;
        std::unique_ptr<char, void (*)(void*)> real(::realpath(link.c_str(), nullptr), std::free);
        if (!real) {
            if (errno == ENOENT)
                throw Error("Cannot save through the link " + link.string() +
                            ": it points to nothing");
            throwIoError(errno, link);
        }
        t.path = real.get();
        if (::stat(t.path.c_str(), &st) != 0)
            throwIoError(errno, t.path);
        if (!S_ISREG(st.st_mode))
            throw Error("Cannot save through the link " + link.string() +
                        ": it does not point to a regular file");
    } else if (S_ISDIR(st.st_mode)) {
        refuseAccess(w, t.path, EISDIR);
    } else if (!S_ISREG(st.st_mode)) {
        throwNotRegular(t.path);
    }
    if (st.st_nlink > 1)
        throw Error(t.path.string() +
                    " has other hard links; saving would split it from them, so it is not saved");
    const bool ownFile = ::geteuid() == 0 || ::geteuid() == st.st_uid;
    if (w.needsWritePermission ? !mayWrite(t.path, st) : !ownFile && !mayWrite(t.path, st))
        refuseAccess(w, t.path, EACCES);
    t.exists = true;
    t.st = st;
    return t;
}

// A temporary file being written, removed again unless it was renamed.
struct Temp {
    fs::path path;
    std::unique_ptr<Fd> fd;
    bool renamed = false;
    Temp() = default;
    Temp(Temp&&) = default;
    Temp& operator=(Temp&&) = default;
    ~Temp() {
        if (!path.empty() && !renamed)
            ::unlink(path.c_str());
    }
};

std::string randomSuffix() {
    static constexpr std::string_view chars =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 rng{std::random_device{}()};
    std::string out;
    std::uniform_int_distribution<std::size_t> pick(0, chars.size() - 1);
    for (std::size_t i = 0; i < kTempNameSize - kTempPrefix.size(); ++i)
        out += chars[pick(rng)];
    return out;
}

// Runs the write's check on the `size` bytes written to `fd`: a read-only mapping of
// them, which shares the pages the write just filled, or, where the file cannot be
// mapped, the parts joined. The temporary is still the user's alone (created here,
// mode 0600, locked), so nothing shortens it under the mapping.
void checkWritten(const FileWrite& w, int fd, std::size_t size) {
    void* view = size == 0 ? MAP_FAILED : ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    if (view == MAP_FAILED) {
        w.check(w.joinedParts());
        return;
    }
    struct Unmap {
        void* view;
        std::size_t size;
        ~Unmap() { ::munmap(view, size); }
    } const unmap{view, size};
    w.check(std::string_view(static_cast<const char*>(view), size));
}

void writeTemp(const FileWrite& w, const Target& t, Temp& temp) {
    const fs::path dir = t.path.has_parent_path() ? t.path.parent_path() : fs::path(".");
    int raw = -1;
    for (int attempt = 0; raw < 0 && attempt < 100; ++attempt) {
        temp.path = dir / (std::string(kTempPrefix) + randomSuffix());
        raw = ::open(temp.path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (raw < 0 && errno != EEXIST)
            break;
    }
    if (raw < 0) {
        const int err = errno;
        temp.path.clear();
        if (err == EACCES || err == EPERM || err == EROFS || err == ENOENT || err == ENOTDIR)
            refuseAccess(w, t.path, err == ENOENT ? ENOTDIR : err);
        throwIoError(err, t.path);
    }
    temp.fd = std::make_unique<Fd>(raw);
    const int fd = temp.fd->get();
    // Held until the rename, so that no other writer takes this file for a stale one.
    (void)::flock(fd, LOCK_EX);

    std::size_t size = 0;
    for (const std::string_view part : w.parts) {
        const char* p = part.data();
        std::size_t left = part.size();
        while (left > 0) {
            const ssize_t n = ::write(fd, p, left);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throwIoError(errno, t.path);
            }
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        size += part.size();
    }
    if (w.check)
        checkWritten(w, fd, size);
    mode_t mode = t.exists ? t.st.st_mode & 07777 : defaultFileMode();
    if (w.mode == FileWrite::Mode::ReadOnly)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    if (t.exists && ::fchown(fd, t.st.st_uid, t.st.st_gid) != 0) {
        struct stat mine {};
        if (::fstat(fd, &mine) != 0 || mine.st_uid != t.st.st_uid || mine.st_gid != t.st.st_gid)
            refuseAccess(w, t.path, EPERM);
    }
    // The final mode before the rename: a kill after it never leaves a writable item.
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        throwIoError(errno, t.path);
}

} // namespace

namespace platform {

struct PendingWrite::State {
    FileWrite write;
    Target target;
    Temp temp;
};

PendingWrite::PendingWrite(const FileWrite& write)
    : m_state(std::make_unique<State>(State{write, targetOf(write), {}})) {}
PendingWrite::PendingWrite(PendingWrite&&) noexcept = default;
PendingWrite& PendingWrite::operator=(PendingWrite&&) noexcept = default;
PendingWrite::~PendingWrite() = default;

const fs::path& PendingWrite::target() const {
    return m_state->target.path;
}

void PendingWrite::writeTemporary() {
    writeTemp(m_state->write, m_state->target, m_state->temp);
}

void PendingWrite::moveIntoPlace() {
    Temp& temp = m_state->temp;
    if (::rename(temp.path.c_str(), m_state->target.path.c_str()) != 0)
        throwIoError(errno, m_state->target.path);
    temp.renamed = true;
}

void removeStaleTemporaries(const fs::path& folder) {
    removeStaleTemps(folder);
}

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    Fd dir(fd);
    if (::fsync(fd) != 0 && errno != EINVAL)
        throwIoError(errno, folder);
}

} // namespace platform

} // namespace zantor
