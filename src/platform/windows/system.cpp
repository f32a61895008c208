// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system.h"

#include "common/error.h"
#include "platform/windows/wide_text.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
// shellapi.h needs the types of windows.h.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace zantor::platform {

namespace {

// Windows counts 100-nanosecond ticks since 1601; in nanoseconds that passes the range of
// 64 bits in 1893, so the times are given from 1970 as on other systems.
std::int64_t nsSince1970(std::uint64_t ticksSince1601) {
    constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;
    return (static_cast<std::int64_t>(ticksSince1601) - kTicksFrom1601To1970) * 100;
}

} // namespace

// Large pages need a privilege that users rarely hold: small pages it is.
void preferLargePages(void*, std::size_t) {}

std::filesystem::path homeFolder() {
    if (const wchar_t* home = ::_wgetenv(L"USERPROFILE"); home && *home)
        return home;
    throw Error("Cannot find the settings store: neither XDG_CONFIG_HOME nor a home folder is set");
}

bool canEnterFolder(const std::filesystem::path& folder) {
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The narrow arguments are in the system's 8-bit code page; the wide command line holds
// every character.
std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; words && i < count; ++i)
        args.push_back(utf8FromWide(words[i]));
    ::LocalFree(words);
    return args;
}

void useBinaryStandardStreams() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}

std::optional<FileIdentity> openFileIdentity(std::intptr_t handle) {
    const auto file = reinterpret_cast<HANDLE>(handle);
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    if (::GetFileInformationByHandle(file, &info) == 0 ||
        ::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) == 0)
        return std::nullopt;
    const auto wide = [](DWORD high, DWORD low) {
        return std::uint64_t{high} << 32 | std::uint64_t{low};
    };
    FileIdentity id;
    id.device = info.dwVolumeSerialNumber;
    id.file = wide(info.nFileIndexHigh, info.nFileIndexLow);
    id.size = wide(info.nFileSizeHigh, info.nFileSizeLow);
    id.modifiedNs =
        nsSince1970(wide(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime));
    id.changedNs = nsSince1970(static_cast<std::uint64_t>(basic.ChangeTime.QuadPart));
    return id;
}

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path) {
    // Asking only for the attributes lets them be read also of a file that another
    // program holds open.
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    auto id = openFileIdentity(reinterpret_cast<std::intptr_t>(file));
    ::CloseHandle(file);
    return id;
}

std::int64_t fileClockNowNs() {
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    return nsSince1970(std::uint64_t{now.dwHighDateTime} << 32 | std::uint64_t{now.dwLowDateTime});
}

} // namespace zantor::platform
