// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.h"

#include "common/error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
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

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool pathExists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

// The state of a file just opened for reading; a folder is refused (and closed).
void statOpened(int fd, struct stat& st, const fs::path& path) {
    if (::fstat(fd, &st) != 0)
        st = {};
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        throwIoError(EISDIR, path);
    }
}

// Opens the path as written, and only when that finds nothing the path resolved
// ignoring letter case: reading a folder of files costs no extra look-up per file.
int openForReading(const fs::path& path, struct stat& st) {
    fs::path real = path;
    int fd = ::open(real.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        real = resolvePath(path);
        fd = ::open(real.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0)
        throwIoError(errno, real);
    statOpened(fd, st, real);
    return fd;
}

std::size_t readUpTo(int fd, unsigned char* out, std::size_t count, const fs::path& path) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd, out + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwIoError(errno, path);
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

mode_t defaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string out;
    out.reserve(folder.size() + 1 + name.size());
    out.append(folder);
    out.push_back(kSeparator);
    out.append(name);
    return out;
}

std::string currentDirectory() {
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    return ec ? std::string() : cwd.string();
}

fs::path resolvePath(const fs::path& path) {
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
            if (sameIgnoringCase(name, part.string())) {
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

bool fileExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(resolvePath(path), ec);
}

namespace {

// The rest of an open file, from the size it said it had.
Bytes readOpened(const Fd& fd, const struct stat& st, const fs::path& path) {
    const std::size_t expected = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    // Read straight into the result; a file that grew meanwhile is read to its end.
    Bytes data(expected + 1);
    std::size_t size = 0;
    for (;;) {
        const std::size_t n = readUpTo(fd.get(), data.data() + size, data.size() - size, path);
        size += n;
        if (size < data.size())
            break;
        data.resize(data.size() * 2);
    }
    data.resize(size);
    return data;
}

} // namespace

Bytes readFile(const fs::path& path) {
    struct stat st {};
    const Fd fd(openForReading(path, st));
    return readOpened(fd, st, path);
}

OpenFolder::OpenFolder(const fs::path& folder)
    : m_folder(folder.string()),
      m_fd(::open(resolvePath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

OpenFolder::~OpenFolder() {
    if (m_fd >= 0)
        ::close(m_fd);
}

Bytes OpenFolder::read(const std::string& name) const {
    const std::string path = joinPath(m_folder, name);
    const int fd = m_fd < 0 ? -1 : ::openat(m_fd, name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return readFile(path); // resolves letter case and reports errors as readFile does
    struct stat st {};
    statOpened(fd, st, path);
    const Fd owned(fd);
    return readOpened(owned, st, path);
}

Bytes readFileStart(const fs::path& path, std::size_t count, std::uintmax_t* size) {
    struct stat st {};
    Fd fd(openForReading(path, st));
    if (size)
        *size = static_cast<std::uintmax_t>(st.st_size);
    Bytes data(count);
    data.resize(readUpTo(fd.get(), data.data(), count, path));
    return data;
}

bool isReadOnly(const fs::path& path) {
    struct stat st {};
    if (::stat(resolvePath(path).c_str(), &st) != 0)
        return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

void setWritable(const fs::path& path, bool writable) {
    const fs::path real = resolvePath(path);
    struct stat st {};
    if (::stat(real.c_str(), &st) != 0)
        return;
    mode_t mode = st.st_mode & 07777;
    mode = writable ? (mode | S_IWUSR) : (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH));
    (void)::chmod(real.c_str(), mode);
}

void writeFileAtomic(const fs::path& target, const void* data, std::size_t size) {
    fs::path path = resolvePath(target);
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path real = fs::canonical(path, ec);
        if (!ec)
            path = real;
    }
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string tmpl = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    const int raw = ::mkstemp(tmpl.data());
    if (raw < 0)
        throwIoError(errno == ENOENT ? ENOTDIR : errno, path);
    Fd fd(raw);
    const fs::path tmp = tmpl;
    auto fail = [&](int err) {
        ::unlink(tmp.c_str());
        throwIoError(err, path);
    };

    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            fail(EISDIR);
        (void)::fchown(fd.get(), st.st_uid, st.st_gid);
        if (::fchmod(fd.get(), st.st_mode & 07777) != 0)
            fail(errno);
    } else if (::fchmod(fd.get(), defaultFileMode()) != 0) {
        fail(errno);
    }

    const auto* p = static_cast<const unsigned char*>(data);
    std::size_t left = size;
    while (left > 0) {
        const ssize_t n = ::write(fd.get(), p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0)
        fail(errno);
    if (fd.close() != 0)
        fail(errno);
    if (::rename(tmp.c_str(), path.c_str()) != 0)
        fail(errno);
}

} // namespace zantor
