// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system.h"

#include "common/error.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zantor::platform {

void preferLargePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t size) {
#ifdef MADV_HUGEPAGE
    // Only whole large pages inside the buffer: the advice applies to pages, and its
    // neighbours' memory is not ours to advise.
    constexpr std::uintptr_t kLarge = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kLarge - 1) & ~(kLarge - 1);
    const std::uintptr_t last = (begin + size) & ~(kLarge - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

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

namespace {

FileIdentity identityOf(const struct stat& st) {
    FileIdentity id;
    id.device = static_cast<std::uint64_t>(st.st_dev);
    id.file = static_cast<std::uint64_t>(st.st_ino);
    id.size = static_cast<std::uint64_t>(st.st_size);
    id.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 +
                    static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    id.changedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1'000'000'000 +
                   static_cast<std::int64_t>(st.st_ctim.tv_nsec);
    return id;
}

} // namespace

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

std::optional<FileIdentity> openFileIdentity(std::intptr_t file) {
    struct stat st {};
    if (::fstat(static_cast<int>(file), &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

std::int64_t fileClockNowNs() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace zantor::platform
