// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/check.h"

#include <array>
#include <stdexcept>
#include <string>

namespace zantor {

namespace {

using S = Severity;

// Every rule of the check, once: the command line's help, the report and the results
// window all take their names from here.
constexpr std::array<CheckRule, 25> kRules{{
    // Item files.
    {"duplicate-item-id", S::Error, "the same item ID in two files"},
    {"file-name-case", S::Error, "two file names that differ only in letter case"},
    {"unknown-item-type", S::Error, "a type byte above 6"},
    {"file-too-short", S::Error, "a file that ends inside its type's section"},
    {"unknown-attack-mode", S::Error, "a weapon's attack-mode code outside the list"},
    {"unknown-looks", S::Error, "a weapon's looks byte above 10"},
    {"unknown-projectile-file", S::Error, "a projectile file byte with no entry"},
    {"beyond-art-list", S::Error, "a picture or looks position beyond its art list"},
    {"file-too-long", S::Warning, "a file longer than its type's section"},
    {"empty-name", S::Warning, "a text ID whose name is empty in pro_item.msg"},
    {"shared-text-id", S::Warning, "two items sharing a text ID"},
    {"unnamed-reference", S::Warning,
     "a material, damage type, calibre or projectile whose name is empty"},
    {"default-ammo-not-ammo", S::Warning,
     "a weapon's default ammo that is not the item ID of an ammo item in the folder"},
    {"calibre-mismatch", S::Warning,
     "a weapon whose ammo type differs from the calibre of its default ammo"},
    {"unknown-drug-code", S::Warning, "a drug statistic or addiction code with no entry"},
    {"negative-weight-or-price", S::Warning, "a negative weight or price"},
    {"no-description", S::Note, "an item without a description"},
    {"no-preview", S::Note, "a picture entry without a preview bitmap"},
    {"skipped-file", S::Note, "a file the item list passes over"},
    // Text tables, art lists and whatever cannot be read.
    {"unreadable-file", S::Error, "an item file, text table or art list that cannot be read"},
    {"unclosed-brace", S::Error, "a \"{\" never closed, and the entries it hides"},
    {"write-back-differs", S::Error,
     "a name or description line that Save would not write back as it stands"},
    {"duplicate-message-id", S::Warning, "an id that appears twice in a table"},
    {"brace-in-text", S::Warning, "a \"}\" or \"{\" inside an entry's text"},
    {"not-crlf", S::Note, "lines of a table not ended by CR LF"},
}};

} // namespace

std::string_view severityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        return "note";
    }
    return "";
}

std::optional<Severity> severityByName(std::string_view name) {
    for (const Severity s : {Severity::Error, Severity::Warning, Severity::Note})
        if (severityName(s) == name)
            return s;
    return std::nullopt;
}

std::span<const CheckRule> checkRules() {
    return kRules;
}

const CheckRule& checkRule(std::string_view name) {
    for (const CheckRule& r : kRules)
        if (r.name == name)
            return r;
    throw std::out_of_range("no check rule '" + std::string(name) + "'");
}

} // namespace zantor
