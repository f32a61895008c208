// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/cli_runner.h"

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace zantor::test {

CliResult runCli(const std::vector<std::string>& args) {
    TempDir dir;
    const std::string outPath = dir.file("out");
    const std::string errPath = dir.file("err");
    std::vector<std::string> argv{ZANTOR_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    CliResult r;
    r.status = support::runChild({.argv = argv, .outPath = outPath, .errPath = errPath});
    const Bytes out = readAll(outPath);
    const Bytes err = readAll(errPath);
    r.out.assign(out.begin(), out.end());
    r.err.assign(err.begin(), err.end());
    return r;
}

} // namespace zantor::test
