// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system.h"

#include "common/error.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zantor::platform {

std::filesystem::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir)
        return pw->pw_dir;
    throw Error("Cannot find the settings store: neither XDG_CONFIG_HOME nor a home folder is set");
}

bool canEnterFolder(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), R_OK | X_OK) == 0;
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useBinaryStandardStreams() {}

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    FileIdentity id;
    id.device = static_cast<std::uint64_t>(st.st_dev);
    id.file = static_cast<std::uint64_t>(st.st_ino);
    id.size = static_cast<std::uint64_t>(st.st_size);
    id.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 +
                    static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return id;
}

} // namespace zantor::platform
