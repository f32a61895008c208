// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <ostream>

namespace zantor::cli {

namespace {

int runList(Args, std::ostream&, std::ostream& err) {
    err << "zantor-cli list: not available yet\n";
    return 1;
}

} // namespace

const Verb kListVerb{"list", "(not available yet)", "Usage: zantor-cli list\n", runList};

} // namespace zantor::cli
