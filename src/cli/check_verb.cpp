// SPDX-License-Identifier: GPL-3.0-or-later
// check: what in a folder of items the game would trip over, for modders' scripts.
#include "check/check.h"
#include "cli/cli.h"
#include "common/error.h"
#include "common/files.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <string>

namespace zantor::cli {

namespace {

// Exit statuses: 1 is kept for findings, so a script can tell them from a bad call.
constexpr int kFindings = 1;
constexpr int kBadCall = 2;

struct Options {
    std::string folder;
    std::string msgDir;
    std::string artDir;
    bool json = false;
    Severity failOn = Severity::Error;
};

// Reads the arguments; an empty text when they are fine, else what is wrong.
std::string parse(Args args, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "--json") {
            o.json = true;
            continue;
        }
        if (a == "--msg-dir" || a == "--art-dir" || a == "--fail-on") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return std::string(a) + " needs a value";
            const std::string value(args[++i]);
            if (a == "--msg-dir") {
                o.msgDir = value;
            } else if (a == "--art-dir") {
                o.artDir = value;
            } else if (const auto s = severityByName(value)) {
                o.failOn = *s;
            } else {
                return "--fail-on takes error, warning or note, not '" + value + "'";
            }
        } else if (o.folder.empty() && !a.starts_with("--")) {
            o.folder = std::string(a);
        } else {
            return "unexpected argument '" + std::string(a) + "'";
        }
    }
    if (o.folder.empty() || o.msgDir.empty())
        return "expected a folder and --msg-dir (see --help)";
    try {
        requireFolder(o.folder);
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

void printJson(const std::vector<Finding>& findings, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out << (i ? "," : "") << "\n  {\"file\": " << jsonString(f.file)
            << ", \"severity\": " << jsonString(severityName(f.rule->severity))
            << ", \"rule\": " << jsonString(f.rule->name)
            << ", \"control\": " << jsonString(f.control)
            << ", \"message\": " << jsonString(f.message) << "}";
    }
    out << (findings.empty() ? "]\n" : "\n]\n");
}

void printReport(const std::vector<Finding>& findings, std::ostream& out) {
    std::array<std::size_t, 3> counts{};
    for (const Finding& f : findings) {
        out << f.file << ": " << severityName(f.rule->severity) << ": " << f.message << " ["
            << f.rule->name << "]\n";
        ++counts[static_cast<std::size_t>(f.rule->severity)];
    }
    const auto count = [](std::size_t n, std::string_view word) {
        return std::to_string(n) + " " + std::string(word) + (n == 1 ? "" : "s");
    };
    out << count(counts[0], "error") << ", " << count(counts[1], "warning") << ", "
        << count(counts[2], "note") << "\n";
}

int runCheck(Args args, std::ostream& out, std::ostream& err) {
    Options o;
    if (const std::string wrong = parse(args, o); !wrong.empty()) {
        err << "zantor-cli check: " << wrong << "\n";
        return kBadCall;
    }
    CheckRequest request;
    request.itemFolder = o.folder;
    request.paths.setMsgFolder(o.msgDir);
    for (const Folder f : {Folder::ItemsLst, Folder::InvenLst, Folder::CrittersLst})
        request.paths.setFolder(f, o.artDir.empty() ? o.msgDir : o.artDir);
    const std::vector<Finding> findings = checkFolder(request);
    if (o.json)
        printJson(findings, out);
    else
        printReport(findings, out);
    for (const Finding& f : findings)
        if (f.rule->severity <= o.failOn)
            return kFindings;
    return 0;
}

std::string helpText() {
    std::string help =
        "Usage: zantor-cli check DIR --msg-dir FILES [--art-dir ART] [--json]\n"
        "                        [--fail-on error|warning|note]\n\n"
        "Checks every item file of DIR against the text tables of FILES (pro_item.msg,\n"
        "proto.msg, stat.msg, pro_Crit.msg, pro_Misc.msg) and the art lists of ART\n"
        "(items.lst, inven.lst, critters.lst and their preview bitmaps; by default\n"
        "FILES), the items against each other, and the tables themselves. Nothing is\n"
        "written.\n\n"
        "Prints one line per finding, grouped by file, then a line with the counts:\n"
        "  rifle02.pro: error: item ID 500 is also used by rifle01.pro [duplicate-item-id]\n"
        "With --json, prints an array of objects with \"file\", \"severity\", \"rule\",\n"
        "\"control\" (the field concerned, \"\" for the whole file) and \"message\".\n\n"
        "Exit status: 1 when a finding at or above --fail-on (default error) is present,\n"
        "2 for a call that is not understood, 0 otherwise.\n\nRules:\n";
    for (const CheckRule& r : checkRules()) {
        std::string name(r.name);
        name.resize(std::max<std::size_t>(name.size() + 1, 26), ' ');
        std::string severity(severityName(r.severity));
        severity.resize(9, ' ');
        help += "  " + name + severity + std::string(r.finds) + "\n";
    }
    return help;
}

const std::string& help() {
    static const std::string text = helpText();
    return text;
}

} // namespace

const Verb kCheckVerb{"check", "find broken references, duplicates and impossible values", help(),
                      runCheck};

} // namespace zantor::cli
