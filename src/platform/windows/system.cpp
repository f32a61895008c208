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

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path) {
    // Asking for no access at all still lets the attributes be read, also of a file
    // that another program holds open.
    const HANDLE file =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = ::GetFileInformationByHandle(file, &info) != 0;
    ::CloseHandle(file);
    if (!ok)
        return std::nullopt;
    const auto wide = [](DWORD high, DWORD low) {
        return std::uint64_t{high} << 32 | std::uint64_t{low};
    };
    FileIdentity id;
    id.device = info.dwVolumeSerialNumber;
    id.file = wide(info.nFileIndexHigh, info.nFileIndexLow);
    id.size = wide(info.nFileSizeHigh, info.nFileSizeLow);
    // 100-nanosecond ticks since 1601.
    id.modifiedNs = static_cast<std::int64_t>(wide(info.ftLastWriteTime.dwHighDateTime,
                                                   info.ftLastWriteTime.dwLowDateTime)) *
                    100;
    return id;
}

} // namespace zantor::platform
