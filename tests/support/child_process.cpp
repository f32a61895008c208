// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zantor::support {

int runChild(const ChildProcess& child) {
    std::vector<std::string> argvStrings = child.argv;
    std::vector<char*> argv;
    for (auto& a : argvStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    // This process's environment, then the extra entries: a later entry of the same name
    // is the one the child's getenv finds last, so the extra ones are added, not merged.
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    envStrings.insert(envStrings.end(), child.extraEnv.begin(), child.extraEnv.end());
    std::vector<char*> envp;
    for (auto& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, child.outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, child.errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::filesystem::path before = std::filesystem::current_path();
    if (!child.cwd.empty())
        std::filesystem::current_path(child.cwd);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    if (!child.cwd.empty())
        std::filesystem::current_path(before);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) < 0 || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace zantor::support
