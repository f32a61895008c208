// SPDX-License-Identifier: GPL-3.0-or-later
// runCli on Windows: CreateProcessW with the output going to files.
#include "platform/windows/wide_text.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

#include <windows.h>

namespace zantor::test {

namespace {

// One argument quoted so that the program's start-up code splits it back out whole.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    out += L'"';
    return out;
}

HANDLE inheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileW(wideFromUtf8(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

CliResult runCli(const std::vector<std::string>& args) {
    TempDir dir;
    const std::string outPath = dir.file("out");
    const std::string errPath = dir.file("err");
    std::wstring commandLine = quoted(wideFromUtf8(ZANTOR_CLI));
    for (const auto& a : args)
        commandLine += L" " + quoted(wideFromUtf8(a));

    CliResult r;
    HANDLE out = inheritableFile(outPath);
    HANDLE err = inheritableFile(errPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    if (out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
        ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                         &startup, &process)) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD status = 0;
        if (::GetExitCodeProcess(process.hProcess, &status))
            r.status = static_cast<int>(status);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    for (HANDLE h : {out, err})
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    const Bytes outBytes = readAll(outPath);
    const Bytes errBytes = readAll(errPath);
    r.out.assign(outBytes.begin(), outBytes.end());
    r.err.assign(errBytes.begin(), errBytes.end());
    return r;
}

} // namespace zantor::test
