// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/cli_runner.h"

#include "support/temp_dir.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zantor::test {

CliResult runCli(const std::vector<std::string>& args) {
    TempDir dir;
    const std::string outPath = dir.file("out");
    const std::string errPath = dir.file("err");
    std::vector<std::string> all{ZANTOR_CLI};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    CliResult r;
    if (posix_spawn(&pid, ZANTOR_CLI, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    const Bytes out = readAll(outPath);
    const Bytes err = readAll(errPath);
    r.out.assign(out.begin(), out.end());
    r.err.assign(err.begin(), err.end());
    return r;
}

} // namespace zantor::test
