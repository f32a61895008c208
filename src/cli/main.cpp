// SPDX-License-Identifier: GPL-3.0-or-later
// zantor-cli: the editor's core for modders' scripts.
#include "cli/cli.h"
#include "common/error.h"
#include "platform/system.h"
#include "texts/message_lookup.h"

#include <algorithm>
#include <array>
#include <exception>
#include <iostream>
#include <vector>

namespace zantor::cli {

namespace {

const std::array<const Verb*, 8> kVerbs{&kShowVerb,     &kSetVerb,   &kLookupVerb, &kListVerb,
                                        &kSettingsVerb, &kCheckVerb, &kExportVerb, &kImportVerb};

void overview(std::ostream& out) {
    out << "Usage: zantor-cli VERB [ARGS...]\n\nVerbs:\n";
    for (const Verb* v : kVerbs)
        out << "  " << v->name << std::string(10 - std::min<std::size_t>(9, v->name.size()), ' ')
            << v->summary << "\n";
    out << "\nRun 'zantor-cli VERB --help' for the arguments of a verb.\n";
}

} // namespace

bool wantsHelp(Args args) {
    for (auto a : args)
        if (a == "--help" || a == "-h")
            return true;
    return false;
}

std::string jsonString(std::string_view text) {
    return jsonText(nlohmann::ordered_json(std::string(text)));
}

std::string jsonText(const nlohmann::ordered_json& value, int indent) {
    // Bytes that are not UTF-8 (a file name from another system) come out as U+FFFD.
    return value.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

} // namespace zantor::cli

int main(int argc, char** argv) {
    using namespace zantor::cli;
    zantor::platform::useBinaryStandardStreams();
    const std::vector<std::string> words = zantor::platform::commandLineArguments(argc, argv);
    const std::vector<std::string_view> args(words.begin(), words.end());
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        overview(args.empty() ? std::cerr : std::cout);
        return args.empty() ? 1 : 0;
    }
    for (const Verb* v : kVerbs) {
        if (v->name != args[0])
            continue;
        const Args rest = std::span(args).subspan(1);
        if (wantsHelp(rest)) {
            std::cout << v->help;
            return 0;
        }
        try {
            // A verb is one operation: each message file is read once for it.
            const zantor::OneReadingPerOperation oneReading;
            return v->run(rest, std::cout, std::cerr);
        } catch (const std::exception& e) {
            std::cerr << "zantor-cli " << v->name << ": " << e.what() << "\n";
            return 1;
        }
    }
    std::cerr << "zantor-cli: unknown verb '" << args[0] << "'\n";
    overview(std::cerr);
    return 1;
}
