// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>

namespace zantor::cli {

using Args = std::span<const std::string_view>;

// One verb of the command-line tool: its name, a line for the overview, its help
// text and the function that runs it (returns the exit status).
struct Verb {
    std::string_view name;
    std::string_view summary;
    std::string_view help;
    int (*run)(Args args, std::ostream& out, std::ostream& err);
};

// Verbs, one per source file.
extern const Verb kShowVerb;
extern const Verb kSetVerb;
extern const Verb kLookupVerb;
extern const Verb kListVerb;
extern const Verb kSettingsVerb;

/// True when the arguments ask for help.
bool wantsHelp(Args args);

/// A JSON string literal for UTF-8 text.
std::string jsonString(std::string_view text);

/// A JSON value as text: with `indent` 0 or more, one member a line, indented so far.
std::string jsonText(const nlohmann::ordered_json& value, int indent = -1);

} // namespace zantor::cli
