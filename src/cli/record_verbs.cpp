// SPDX-License-Identifier: GPL-3.0-or-later
// show and set: an item file as the editor's controls show it, and a write through
// the same record update that Save and Save As use.
#include "cli/cli.h"
#include "common/error.h"
#include "common/numbers.h"
#include "record/item_file.h"
#include "record/value_form.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace zantor::cli {

namespace {

struct Shown {
    ItemRecord record;
    ValueForm form;
    std::uintmax_t size = 0;
};

Shown showItem(const std::string& path) {
    Shown s;
    readItem(path, s.record);
    std::error_code ec;
    s.size = std::filesystem::file_size(resolvePath(path), ec);
    recordDisplay(s.record, s.form);
    return s;
}

void printFields(const ValueForm& form, std::ostream& out) {
    out << "{";
    bool first = true;
    for (const auto& v : form.values()) {
        out << (first ? "" : ",") << "\n    " << jsonString(v.control) << ": ";
        if (v.isList)
            out << v.position;
        else
            out << jsonString(v.text);
        first = false;
    }
    out << "\n  }";
}

int runShow(Args args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "zantor-cli show: expected one item file (see --help)\n";
        return 1;
    }
    const Shown s = showItem(std::string(args[0]));
    out << "{\n  \"type\": " << jsonString(s.record.typeName) << ",\n  \"fields\": ";
    printFields(s.form, out);
    out << ",\n  \"size\": " << s.size << "\n}\n";
    return 0;
}

// Puts one CONTROL=VALUE into the form as a user would set the control.
void assign(Shown& s, std::string_view assignment) {
    const auto eq = assignment.find('=');
    if (eq == std::string_view::npos || eq == 0)
        throw Error("expected CONTROL=VALUE, got '" + std::string(assignment) + "'");
    const std::string_view control = assignment.substr(0, eq);
    const std::string value(assignment.substr(eq + 1));
    ValueForm::Value* slot = s.form.find(control);
    const Field* field = fieldByControl(control);
    if (!slot || !field)
        throw Error("'" + std::string(control) + "' is not a control of this " +
                    (s.record.typeName.empty() ? std::string("item") : s.record.typeName) +
                    " item");
    if (!slot->isList) {
        slot->text = value;
        return;
    }
    const int position = toInt(value);
    if (position < 0 || (field->listSize > 0 && position >= field->listSize))
        throw Error("'" + value + "' is not an entry of " + std::string(control));
    slot->position = position;
    if (field->kind == FieldKind::Addiction)
        s.record.addictionCode = addictionCodeAt(position);
}

int runSet(Args args, std::ostream& out, std::ostream& err) {
    (void)out;
    std::string file;
    std::string saveAs;
    std::vector<std::string_view> assignments;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--save-as") {
            if (i + 1 >= args.size()) {
                err << "zantor-cli set: --save-as needs a file name\n";
                return 1;
            }
            saveAs = std::string(args[++i]);
        } else if (file.empty() && args[i].find('=') == std::string_view::npos) {
            file = std::string(args[i]);
        } else {
            assignments.push_back(args[i]);
        }
    }
    if (file.empty()) {
        err << "zantor-cli set: expected an item file (see --help)\n";
        return 1;
    }
    Shown s = showItem(file);
    for (auto a : assignments)
        assign(s, a);
    recordUpdate(s.record, s.form, saveAs.empty() ? AttackModeRule::Save : AttackModeRule::SaveAs);
    if (saveAs.empty())
        saveItem(file, s.record);
    else
        saveItemAs(saveAs, s.record);
    return 0;
}

} // namespace

const Verb kShowVerb{
    "show", "print an item file's fields as the editor shows them (JSON)",
    "Usage: zantor-cli show FILE.pro\n\n"
    "Prints one JSON object: \"type\" (the item type name, \"\" for an unknown type),\n"
    "\"fields\" (every control the item's type shows, keyed by control name: an edit\n"
    "as its text, a list as its position, -1 when a fixed list has no entry for the\n"
    "stored value) and \"size\" (the file's length in bytes).\n",
    runShow};

const Verb kSetVerb{
    "set", "change fields of an item file and save it as the editor does",
    "Usage: zantor-cli set FILE.pro [--save-as OUT.pro] CONTROL=VALUE...\n\n"
    "Starts from the values 'show' prints, replaces the named ones (a list takes a\n"
    "position) and writes the item exactly as the editor's Save does: the file is\n"
    "left read-only. With --save-as the item is written to OUT.pro as Save As does,\n"
    "with its ordering of the attack-mode rows, and FILE.pro is left alone.\n"
    "Nothing is written when a control or a number is not valid.\n",
    runSet};

} // namespace zantor::cli
