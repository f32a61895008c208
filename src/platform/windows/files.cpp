// SPDX-License-Identifier: GPL-3.0-or-later
// The file operations of common/files.h on Windows: wide-character paths, the read-only
// attribute, and replacing a file through a flushed temporary file beside it.
#include "common/files.h"

#include "common/error.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide_text.h"

#include <algorithm>
#include <windows.h>

namespace fs = std::filesystem;

namespace zantor {

namespace {

// Closes a handle on every path out of a function.
class Handle {
public:
    explicit Handle(HANDLE h) : m_h(h) {}
    Handle(Handle&& other) noexcept : m_h(other.m_h) { other.m_h = INVALID_HANDLE_VALUE; }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle& operator=(Handle&&) = delete;
    ~Handle() {
        if (valid())
            ::CloseHandle(m_h);
    }
    bool valid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
    HANDLE get() const { return m_h; }
    // Closes now and reports whether the close succeeded.
    bool close() {
        const bool ok = ::CloseHandle(m_h) != 0;
        m_h = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_h;
};

// Opens an existing file for reading; others may go on reading, writing or renaming it.
Handle openForReading(const fs::path& path) {
    Handle h(::CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // Opening a folder as a file is refused by the system as access denied.
    if (!h.valid())
        throwSystemError(::GetLastError());
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
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(h.get(), out + done, want, &got, nullptr))
            throwSystemError(::GetLastError());
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

// A new file of a name of its own beside `path`, so that the final rename stays on one
// volume; its name goes to `tmp`.
Handle createTemporaryBeside(const fs::path& path, fs::path& tmp) {
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(L".");
    const unsigned long seed = ::GetCurrentProcessId() * 7919ul + ::GetTickCount();
    for (unsigned long attempt = 0; attempt < 100; ++attempt) {
        const std::wstring tag = std::to_wstring((seed + attempt * 104729ul) % 1000000ul);
        tmp = dir / (L"." + path.filename().native() + L"." + tag);
        Handle h(::CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (h.valid())
            return h;
        if (::GetLastError() != ERROR_FILE_EXISTS)
            throwSystemError(::GetLastError());
    }
    throwSystemError(ERROR_FILE_EXISTS);
}

DWORD attributesOf(const fs::path& path) {
    return ::GetFileAttributesW(path.c_str());
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
    return ec ? std::string() : utf8FromWide(cwd.native());
}

// The file system ignores letter case itself.
fs::path resolvePath(const fs::path& path) {
    return path;
}

bool fileExists(const fs::path& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Bytes readFile(const fs::path& path) {
    const Handle h = openForReading(path);
    const std::uintmax_t expected = sizeOf(h);
    // Read straight into the result; a file that grew meanwhile is read to its end.
    Bytes data(static_cast<std::size_t>(expected) + 1);
    std::size_t size = 0;
    for (;;) {
        size += readUpTo(h, data.data() + size, data.size() - size);
        if (size < data.size())
            break;
        data.resize(data.size() * 2);
    }
    data.resize(size);
    return data;
}

Bytes readFileStart(const fs::path& path, std::size_t count, std::uintmax_t* size) {
    const Handle h = openForReading(path);
    if (size)
        *size = sizeOf(h);
    Bytes data(count);
    data.resize(readUpTo(h, data.data(), count));
    return data;
}

bool isReadOnly(const fs::path& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The read-only attribute, with the archive bit that marks a changed file; the hidden
// and system bits the user set stay as they are.
void setWritable(const fs::path& path, bool writable) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    DWORD wanted = attributes | FILE_ATTRIBUTE_ARCHIVE;
    wanted =
        writable ? (wanted & ~DWORD(FILE_ATTRIBUTE_READONLY)) : (wanted | FILE_ATTRIBUTE_READONLY);
    (void)::SetFileAttributesW(path.c_str(), wanted & ~DWORD(FILE_ATTRIBUTE_NORMAL));
}

void writeFileAtomic(const fs::path& path, const void* data, std::size_t size) {
    const DWORD targetAttributes = attributesOf(path);
    if (targetAttributes != INVALID_FILE_ATTRIBUTES) {
        if (targetAttributes & FILE_ATTRIBUTE_DIRECTORY)
            throwSystemError(ERROR_ACCESS_DENIED);
        // Replacing a read-only file is refused, as writing it would be.
        if (targetAttributes & FILE_ATTRIBUTE_READONLY)
            throwSystemError(ERROR_ACCESS_DENIED);
    }
    fs::path tmp;
    Handle h = createTemporaryBeside(path, tmp);
    auto fail = [&](DWORD err) {
        if (h.valid())
            h.close();
        ::DeleteFileW(tmp.c_str());
        throwSystemError(err);
    };

    const auto* p = static_cast<const unsigned char*>(data);
    std::size_t left = size;
    while (left > 0) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(h.get(), p, want, &written, nullptr))
            fail(::GetLastError());
        if (written == 0)
            fail(ERROR_DISK_FULL);
        p += written;
        left -= written;
    }
    if (!::FlushFileBuffers(h.get()))
        fail(::GetLastError());
    if (!h.close())
        fail(::GetLastError());
    // The new file takes the old one's attributes (hidden, archive ...) with it.
    if (targetAttributes != INVALID_FILE_ATTRIBUTES &&
        !::SetFileAttributesW(tmp.c_str(), targetAttributes & ~DWORD(FILE_ATTRIBUTE_NORMAL)))
        fail(::GetLastError());
    // An existing file is replaced keeping its attributes and security; a new one is
    // moved into place. Both go to disk before returning.
    const bool replaced =
        targetAttributes != INVALID_FILE_ATTRIBUTES
            ? ::ReplaceFileW(path.c_str(), tmp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                             nullptr, nullptr) != 0
            : ::MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    if (!replaced)
        fail(::GetLastError());
}

} // namespace zantor
