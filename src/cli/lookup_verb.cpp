// SPDX-License-Identifier: GPL-3.0-or-later
// lookup: one message file entry, as every name in the editor is found.
#include "cli/cli.h"
#include "texts/message_lookup.h"

#include <ostream>

namespace zantor::cli {

namespace {

int runLookup(Args args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "zantor-cli lookup: expected a message file and an id (see --help)\n";
        return 1;
    }
    out << lookupMessage(std::string(args[0]), args[1]) << '\n';
    return 0;
}

} // namespace

const Verb kLookupVerb{
    "lookup", "print the text of a message file entry as the editor finds it",
    "Usage: zantor-cli lookup FILE.msg ID\n\n"
    "Prints the text of the first entry whose id is ID, as its bytes stand in the file\n"
    "(line breaks of a text over several lines included), then one line feed; an id\n"
    "without an entry prints the empty line. ID is compared byte for byte: \"0100\" is\n"
    "not \"100\". A file that cannot be read is an error.\n",
    runLookup};

} // namespace zantor::cli
