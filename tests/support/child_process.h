// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zantor::support {

// A program that the tests and the benchmarks start without a shell in between.
struct ChildProcess {
    std::vector<std::string> argv = {};     // argv[0] is the program's path
    std::filesystem::path cwd = {};         // its current directory; empty: this process's
    std::vector<std::string> extraEnv = {}; // "NAME=value" entries after this process's own
    std::string outPath = "/dev/null";      // where its standard output goes
    std::string errPath = "/dev/null";      // where its standard error goes
};

/// Starts the program, waits for it and returns its exit status: -1 when it could not be
/// started or was ended by a signal.
int runChild(const ChildProcess& child);

} // namespace zantor::support
