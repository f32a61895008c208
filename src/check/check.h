// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings.h"
#include "texts/message_lookup.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zantor {

// How much a finding matters, most severe first.
enum class Severity { Error, Warning, Note };

/// "error", "warning" or "note".
std::string_view severityName(Severity severity);
/// The severity of one of those words, or nothing.
std::optional<Severity> severityByName(std::string_view name);

// One rule of the check: a short stable name, its severity and what it finds.
struct CheckRule {
    std::string_view name;
    Severity severity;
    std::string_view finds;
};

/// Every rule, item rules first, then the rules of the text tables.
std::span<const CheckRule> checkRules();
/// The rule of a stable name; throws std::out_of_range for a name that is no rule.
const CheckRule& checkRule(std::string_view name);

// One thing the check found.
struct Finding {
    std::string file; // the file's name in its folder
    std::string path; // the file as the check read it
    const CheckRule* rule = nullptr;
    std::string control; // the control of the field concerned; empty for the file as a whole
    std::string message; // UTF-8
    bool itemFile = false;
    std::size_t line = 0; // the line of a table it concerns (from 1); 0 for none
};

// What a check reads: the item folder, and the text tables and art lists as the
// editor finds them.
struct CheckRequest {
    std::string itemFolder;
    DerivedPaths paths;
};

/// Checks every item file of the folder against the tables and lists and against each
/// other, and the text tables themselves. Reads only: nothing is written. A file that
/// cannot be read is a finding, not an error. The findings are grouped by file (in the
/// item list's order of names), each file's in the order they were found.
std::vector<Finding> checkFolder(const CheckRequest& request);

/// The findings of one message file's bytes (`name` is its file name). With
/// `itemTexts`, also the name and description entries the write-back could not write
/// back as they stand, for the given text ids (decimal) and the files that use them.
struct TextIdUse {
    std::string textId;
    std::string file;
};
/// `table`, when given, is a snapshot of the same bytes, so they are not indexed twice.
std::vector<Finding> checkMessageTable(std::string_view name, std::string_view bytes,
                                       std::span<const TextIdUse> itemTexts = {},
                                       const MessageSnapshot* table = nullptr);

} // namespace zantor
