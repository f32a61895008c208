// SPDX-License-Identifier: GPL-3.0-or-later
// list: the entries the item browser shows for a folder, from the same scan.
#include "cli/cli.h"
#include "common/error.h"
#include "record/item_record.h"
#include "session/edit_session.h"

#include <ostream>

namespace zantor::cli {

namespace {

// Sets the filters named in a comma-separated list of item type names.
void setTypes(ScanRequest& request, std::string_view list) {
    request.types.fill(false);
    while (!list.empty()) {
        const auto comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        const ItemType* type = itemTypeByName(name);
        if (!type)
            throw Error("unknown item type '" + std::string(name) +
                        "' (weapon, armor, ammo, drug, container, key, misc)");
        request.types[type->code] = true;
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
}

int runList(Args args, std::ostream& out, std::ostream& err) {
    ScanRequest request;
    request.types.fill(true);
    DerivedPaths paths;
    bool haveFolder = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--msg" || args[i] == "--types") && i + 1 >= args.size()) {
            err << "zantor-cli list: " << args[i] << " needs a value\n";
            return 1;
        }
        if (args[i] == "--msg") {
            request.withNames = true;
            paths.proItemMsg = std::string(args[++i]);
        } else if (args[i] == "--types") {
            setTypes(request, args[++i]);
        } else if (!haveFolder) {
            request.folder = std::string(args[i]);
            haveFolder = true;
        } else {
            err << "zantor-cli list: unexpected argument '" << args[i] << "'\n";
            return 1;
        }
    }
    if (!haveFolder) {
        err << "zantor-cli list: expected a folder (see --help)\n";
        return 1;
    }
    EditSession session;
    session.setPaths(paths);
    const ScanResult result = session.scan(request);
    for (const auto& e : result.entries)
        out << e.text << "\n";
    if (!result.error.empty()) {
        err << "zantor-cli list: " << result.error << "\n";
        return 1;
    }
    return 0;
}

} // namespace

const Verb kListVerb{
    "list", "list a folder's item files as the item browser does",
    "Usage: zantor-cli list DIR [--msg FILE] [--types weapon,armor,ammo,drug,container,key,misc]\n"
    "\n"
    "Prints the entries the item browser lists for DIR, in the list's order, one per\n"
    "line. With --msg each entry is the item's name from FILE (usually pro_item.msg),\n"
    "\" - \" and the file name; without it the file name alone. --types lists only the\n"
    "named item types (all seven by default). A file that cannot be read stops the\n"
    "listing: the entries before it are printed and the exit status is 1.\n",
    runList};

} // namespace zantor::cli
