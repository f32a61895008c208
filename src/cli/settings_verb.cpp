// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <ostream>

namespace zantor::cli {

namespace {

int runSettings(Args, std::ostream&, std::ostream& err) {
    err << "zantor-cli settings: not available yet\n";
    return 1;
}

} // namespace

const Verb kSettingsVerb{"settings", "(not available yet)", "Usage: zantor-cli settings\n",
                         runSettings};

} // namespace zantor::cli
