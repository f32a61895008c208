// SPDX-License-Identifier: GPL-3.0-or-later
// The file operations of common/files.h on Windows: wide-character paths, the read-only
// attribute, and files replaced through flushed temporary files beside them. The file
// system ignores letter case itself, so paths are used as written.
#include "common/files.h"

#include "common/error.h"
#include "platform/file_commit.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide_text.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <utility>
#include <windows.h>

namespace fs = std::filesystem;

namespace zantor {

namespace {

// Closes a handle on every path out of a function.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : m_h(h) {}
    Handle(Handle&& other) noexcept : m_h(std::exchange(other.m_h, INVALID_HANDLE_VALUE)) {}
    Handle& operator=(Handle&& other) noexcept {
        std::swap(m_h, other.m_h);
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (valid())
            ::CloseHandle(m_h);
    }
    bool valid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
    HANDLE get() const { return m_h; }

private:
    HANDLE m_h = INVALID_HANDLE_VALUE;
};

[[noreturn]] void throwNotRegular(const fs::path& path) {
    throw Error(utf8FromWide(path.native()) + " is not a regular file");
}

DWORD attributesOf(const fs::path& path) {
    return ::GetFileAttributesW(path.c_str());
}

bool isFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Opens a file for reading; others may go on reading, writing or renaming it. A folder
// is refused by the system as access denied. The error code is left for the caller.
Handle openShared(const fs::path& path) {
    return Handle(::CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// A file on disk, not a console, a pipe or a device.
bool isDiskFile(const Handle& h) {
    return ::GetFileType(h.get()) == FILE_TYPE_DISK;
}

Handle openForReading(const fs::path& path) {
    Handle h = openShared(path);
    if (!h.valid())
        throwSystemError(::GetLastError());
    if (!isDiskFile(h))
        throwNotRegular(path);
    return h;
}

std::uintmax_t sizeOf(const Handle& h) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(h.get(), &size))
        throwSystemError(::GetLastError());
    return static_cast<std::uintmax_t>(size.QuadPart);
}

std::size_t readUpTo(const Handle& h, unsigned char* out, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const auto want = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(h.get(), out + done, want, &got, nullptr))
            throwSystemError(::GetLastError());
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

// Up to `limit` bytes, memory bounded by the size the file had (`expected`) unless it
// grew meanwhile, in which case it is read on to its end.
Bytes readAtMost(const Handle& h, std::uintmax_t expected, std::size_t limit) {
    if (limit == 0)
        return {};
    Bytes data(static_cast<std::size_t>(std::min<std::uintmax_t>(expected, limit - 1)) + 1);
    std::size_t size = 0;
    for (;;) {
        size += readUpTo(h, data.data() + size, data.size() - size);
        if (size < data.size() || data.size() == limit)
            break;
        data.resize(data.size() > limit / 2 ? limit : data.size() * 2);
    }
    data.resize(size);
    return data;
}

} // namespace

fs::path resolvePath(const FilePath& path) {
    return path;
}

bool fileExists(const FilePath& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !isFolder(attributes);
}

Bytes readFile(const FilePath& path) {
    const Handle h = openForReading(path);
    return readAtMost(h, sizeOf(h), SIZE_MAX);
}

Bytes readFileStart(const FilePath& path, std::size_t count, std::uintmax_t* size) {
    const Handle h = openForReading(path);
    const std::uintmax_t total = sizeOf(h);
    if (size)
        *size = total;
    return readAtMost(h, total, count);
}

std::size_t readFilePart(const FilePath& path, std::uint64_t offset, unsigned char* out,
                         std::size_t count, platform::FileIdentity& identity) {
    const Handle h = openForReading(path);
    const auto id = platform::openFileIdentity(reinterpret_cast<std::intptr_t>(h.get()));
    if (!id)
        throwSystemError(::GetLastError());
    identity = *id;
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(h.get(), at, nullptr, FILE_BEGIN))
        throwSystemError(::GetLastError());
    return readUpTo(h, out, count);
}

std::optional<std::size_t> readRegularFileStart(const FilePath& path, unsigned char* out,
                                                std::size_t count) {
    if (isFolder(attributesOf(path)))
        return std::nullopt;
    const Handle h = openShared(path);
    if (!h.valid())
        throwSystemError(::GetLastError());
    if (!isDiskFile(h))
        return std::nullopt;
    return readUpTo(h, out, count);
}

std::vector<std::string> folderFileNames(const FilePath& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const fs::path mask = folder.path() / L"*";
    HANDLE search = ::FindFirstFileExW(mask.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                       nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        // A missing folder lists nothing; a path the system refuses is an error.
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND || err == ERROR_DIRECTORY ||
            err == ERROR_NO_MORE_FILES)
            return names;
        throwSystemError(err);
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(utf8FromWide(found.cFileName));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

// Windows opens by path alone: the folder's path is joined with each name.
struct FolderFiles::Handle {};

FolderFiles::FolderFiles(const FilePath& folder)
    : m_folder(folder.path()), m_names(folderFileNames(folder)),
      m_listedRegular(m_names.size(), false) {}

FolderFiles::FolderFiles(FolderFiles&&) noexcept = default;
FolderFiles& FolderFiles::operator=(FolderFiles&&) noexcept = default;
FolderFiles::~FolderFiles() = default;

std::optional<std::size_t> FolderFiles::readStart(std::size_t index, unsigned char* out,
                                                  std::size_t count) const {
    return readRegularFileStart(m_folder / pathFromUtf8(m_names.at(index)), out, count);
}

// The file system ignores letter case: a path written in another case names the file
// itself, never a twin of it.
std::string caseTwinOf(const FilePath&) {
    return {};
}

bool isReadOnly(const FilePath& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The read-only attribute, with the archive attribute that marks a changed file; the
// hidden and system attributes the user set stay as they are.
void setWritable(const FilePath& path, bool writable) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || isFolder(attributes))
        return;
    DWORD wanted = (attributes | FILE_ATTRIBUTE_ARCHIVE) & ~DWORD(FILE_ATTRIBUTE_NORMAL);
    wanted = writable ? wanted & ~DWORD(FILE_ATTRIBUTE_READONLY) : wanted | FILE_ATTRIBUTE_READONLY;
    (void)::SetFileAttributesW(path.path().c_str(), wanted);
}

namespace {

constexpr std::wstring_view kTempPrefix = L".zt-";
constexpr std::size_t kTempSuffixSize = 6;

// Removes the temporaries of writers that were killed: a live writer keeps its
// temporary open, shared for nothing but its rename, until it has been renamed.
void removeStaleTemps(const fs::path& dir) {
    WIN32_FIND_DATAW found{};
    const fs::path mask = dir / (std::wstring(kTempPrefix) + L"*");
    HANDLE search = ::FindFirstFileExW(mask.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                       nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::vector<fs::path> stale;
    do {
        const std::wstring_view name = found.cFileName;
        if (name.size() == kTempPrefix.size() + kTempSuffixSize &&
            !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            stale.push_back(dir / name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    for (const fs::path& path : stale) {
        // Fails while the writer still has it open.
        Handle h(::CreateFileW(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    }
}

[[noreturn]] void refuseAccess(const FileWrite& w, DWORD err) {
    if (!w.cannotCreate.empty())
        throw Error(w.cannotCreate);
    throwSystemError(err);
}

// Where a write goes, and what it must keep.
struct Target {
    fs::path path;
    DWORD attributes = INVALID_FILE_ATTRIBUTES; // of the existing file
    bool exists() const { return attributes != INVALID_FILE_ATTRIBUTES; }
};

Target targetOf(const FileWrite& w) {
    Target t{w.path, attributesOf(w.path)};
    if (!t.exists()) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_FILE_NOT_FOUND)
            return t; // a new file; a missing folder fails when the temporary is made
        refuseAccess(w, err);
    }
    if (isFolder(t.attributes))
        refuseAccess(w, ERROR_ACCESS_DENIED);
    const Handle h = openShared(t.path);
    if (!h.valid())
        throwSystemError(::GetLastError());
    if (!isDiskFile(h))
        throwNotRegular(t.path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(h.get(), &info) && info.nNumberOfLinks > 1)
        throw Error(utf8FromWide(t.path.native()) +
                    " has other hard links; saving would split it from them, so it is not saved");
    // Save in place clears the read-only attribute first; every other write respects it.
    if (w.needsWritePermission && (t.attributes & FILE_ATTRIBUTE_READONLY))
        refuseAccess(w, ERROR_ACCESS_DENIED);
    return t;
}

// A temporary file being written, open until it has been renamed and removed again
// unless it was.
struct Temp {
    fs::path path;
    Handle h;
    bool renamed = false;
    Temp() = default;
    Temp(Temp&&) = default;
    Temp& operator=(Temp&&) = default;
    ~Temp() {
        if (!path.empty() && !renamed) {
            h = Handle();
            ::DeleteFileW(path.c_str());
        }
    }
};

std::wstring randomSuffix() {
    static constexpr std::wstring_view chars =
        L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 rng{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, chars.size() - 1);
    std::wstring out;
    for (std::size_t i = 0; i < kTempSuffixSize; ++i)
        out += chars[pick(rng)];
    return out;
}

void writeTemp(const FileWrite& w, const Target& t, Temp& temp) {
    const fs::path dir = t.path.has_parent_path() ? t.path.parent_path() : fs::path(L".");
    for (int attempt = 0; !temp.h.valid() && attempt < 100; ++attempt) {
        temp.path = dir / (std::wstring(kTempPrefix) + randomSuffix());
        // Shared for nothing but the rename, so no other writer takes it for stale.
        temp.h = Handle(::CreateFileW(temp.path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!temp.h.valid() && ::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (!temp.h.valid()) {
        const DWORD err = ::GetLastError();
        temp.path.clear();
        if (err == ERROR_ACCESS_DENIED || err == ERROR_WRITE_PROTECT ||
            err == ERROR_PATH_NOT_FOUND || err == ERROR_FILE_NOT_FOUND)
            refuseAccess(w, err == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : err);
        throwSystemError(err);
    }
    for (const std::string_view part : w.parts) {
        const char* p = part.data();
        std::size_t left = part.size();
        while (left > 0) {
            const auto want = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(temp.h.get(), p, want, &written, nullptr))
                throwSystemError(::GetLastError());
            if (written == 0)
                throwSystemError(ERROR_DISK_FULL);
            p += written;
            left -= written;
        }
    }
    // The parts as written, joined: the temporary is opened for writing only.
    if (w.check)
        w.check(w.joinedParts());
    // The final attributes before the rename: the old file's (hidden, system ...), the
    // archive attribute, and read-only when asked, so a kill after it never leaves a
    // writable item.
    DWORD attributes =
        t.exists() ? t.attributes & ~DWORD(FILE_ATTRIBUTE_READONLY) : DWORD(FILE_ATTRIBUTE_NORMAL);
    attributes = (attributes | FILE_ATTRIBUTE_ARCHIVE) & ~DWORD(FILE_ATTRIBUTE_NORMAL);
    if (w.mode == FileWrite::Mode::ReadOnly)
        attributes |= FILE_ATTRIBUTE_READONLY;
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = attributes;
    if (!::FlushFileBuffers(temp.h.get()) ||
        !::SetFileInformationByHandle(temp.h.get(), FileBasicInfo, &basic, sizeof basic))
        throwSystemError(::GetLastError());
}

// Replaces the target by the temporary; an existing read-only target (Save in place)
// loses its attribute only for the moment of the rename.
void moveIntoPlace(const Target& t, Temp& temp) {
    const bool readOnly = t.exists() && (t.attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly &&
        !::SetFileAttributesW(t.path.c_str(), t.attributes & ~DWORD(FILE_ATTRIBUTE_READONLY)))
        throwSystemError(::GetLastError());
    if (!::MoveFileExW(temp.path.c_str(), t.path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD err = ::GetLastError();
        if (readOnly)
            ::SetFileAttributesW(t.path.c_str(), t.attributes);
        throwSystemError(err);
    }
    temp.renamed = true;
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
    zantor::moveIntoPlace(m_state->target, m_state->temp);
}

void removeStaleTemporaries(const fs::path& folder) {
    removeStaleTemps(folder);
}

// Each rename was written through to disk already.
void syncFolder(const fs::path&) {}

} // namespace platform

} // namespace zantor
