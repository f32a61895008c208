// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <ostream>

namespace zantor::cli {

namespace {

int runLookup(Args, std::ostream&, std::ostream& err) {
    err << "zantor-cli lookup: not available yet\n";
    return 1;
}

} // namespace

const Verb kLookupVerb{"lookup", "(not available yet)", "Usage: zantor-cli lookup\n", runLookup};

} // namespace zantor::cli
