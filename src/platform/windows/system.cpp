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

} // namespace zantor::platform
