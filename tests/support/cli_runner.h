// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace zantor::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs zantor-cli with the arguments (no shell in between) and collects its output.
CliResult runCli(const std::vector<std::string>& args);

} // namespace zantor::test
