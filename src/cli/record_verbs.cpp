// SPDX-License-Identifier: GPL-3.0-or-later
// show and set: an item file as the editor's controls show it, and a save through the
// editing session that the editor's Save and Save As use.
#include "cli/cli.h"
#include "common/error.h"
#include "common/files.h"
#include "common/numbers.h"
#include "record/value_form.h"
#include "session/edit_session.h"
#include "session/reference_names.h"
#include "settings/settings.h"
#include "texts/art.h"
#include "texts/encoding.h"
#include "texts/item_texts.h"
#include "texts/references.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace zantor::cli {

namespace {

// The folders of the message files and of the art lists; no names without them.
struct TextFolders {
    std::string msg;
    std::string art;
    bool given() const { return !msg.empty(); }
    /// The files' paths, formed from the folders as the editor forms them.
    DerivedPaths paths() const {
        DerivedPaths p;
        p.setMsgFolder(msg);
        p.setItemsLstFolder(art);
        p.setInvenLstFolder(art);
        p.setCrittersLstFolder(art);
        return p;
    }
};

// The form as the editor's controls hold it after the record display: the default
// ammunition marker shows as 0, and a list filled from an art list has that file's
// entries.
class ShownForm final : public ValueForm {
public:
    explicit ShownForm(const DerivedPaths& paths) : m_paths(paths) {}
    void refresh(Refresh what) override {
        if (const auto shown = markerCorrection(what, *this))
            setText("ammoIDfield", *shown);
    }
    std::string listEntry(std::string_view control) const override {
        const std::string* file = artListFile(control, m_paths);
        const int p = position(control);
        if (!file || p < 0)
            return {};
        const std::vector<std::string> entries = readListFile(*file);
        return static_cast<std::size_t>(p) < entries.size() ? entries[static_cast<std::size_t>(p)]
                                                            : std::string();
    }

private:
    const DerivedPaths& m_paths;
};

// An item opened and displayed as the editor does.
struct Shown {
    explicit Shown(const TextFolders& dirs, SavePolicy policy = {})
        : session(policy), paths(dirs.paths()), form(paths) {
        session.setPaths(paths);
    }
    void open(const std::string& path) {
        session.open(path);
        session.display(form);
        session.markSaved();
    }
    EditSession session;
    DerivedPaths paths;
    ShownForm form;
};

using Names = std::vector<std::pair<std::string_view, std::string>>;

// What the display shows beside the fields of the item's pages, in display order,
// from the fields' final values (the editor ends with the same texts).
Names shownNames(const Shown& s) {
    Names names;
    const auto add = [&](const Field& f) {
        lookUpReferences(f.after, s.form, s.paths, [&](const ShownReference& r) {
            names.emplace_back(r.control, r.isPicture ? r.text : decodeWindows1252(r.text));
        });
    };
    for (const auto& f : commonFields())
        add(f);
    for (const auto& f : sectionFields(s.session.record().section()))
        add(f);
    return names;
}

nlohmann::ordered_json fieldsJson(const ValueForm& form) {
    nlohmann::ordered_json fields = nlohmann::ordered_json::object();
    for (const auto& v : form.values()) {
        if (v.isList)
            fields[v.control] = v.position;
        else
            fields[v.control] = v.text;
    }
    return fields;
}

nlohmann::ordered_json namesJson(const Names& names) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    for (const auto& [control, text] : names)
        json[std::string(control)] = text;
    return json;
}

// Takes "--msg-dir DIR" or "--art-dir DIR" at args[i]; false when args[i] is neither.
bool takeFolder(Args args, std::size_t& i, TextFolders& dirs) {
    std::string* target = args[i] == "--msg-dir"   ? &dirs.msg
                          : args[i] == "--art-dir" ? &dirs.art
                                                   : nullptr;
    if (!target)
        return false;
    if (i + 1 >= args.size() || args[i + 1].empty())
        throw Error(std::string(args[i]) + " needs a folder");
    *target = std::string(args[++i]);
    return true;
}

int runShow(Args args, std::ostream& out, std::ostream& err) {
    std::string file;
    TextFolders dirs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (takeFolder(args, i, dirs))
            continue;
        if (!file.empty()) {
            err << "zantor-cli show: expected one item file (see --help)\n";
            return 1;
        }
        file = std::string(args[i]);
    }
    if (file.empty()) {
        err << "zantor-cli show: expected one item file (see --help)\n";
        return 1;
    }
    if (!dirs.art.empty() && !dirs.given()) {
        err << "zantor-cli show: --art-dir needs --msg-dir\n";
        return 1;
    }
    if (dirs.art.empty())
        dirs.art = dirs.msg;
    Shown s(dirs);
    s.open(file);
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(resolvePath(file), ec);
    nlohmann::ordered_json shown;
    shown["type"] = std::string(s.session.record().typeName());
    shown["fields"] = fieldsJson(s.form);
    if (dirs.given())
        shown["names"] = namesJson(shownNames(s));
    shown["size"] = size;
    // The version the session read, hashed before the read: a change in between makes a
    // later --if-unchanged refuse.
    shown["sha256"] = s.session.version().sha256;
    // Printed only once complete: a failure part way prints nothing.
    out << jsonText(shown, 2) << "\n";
    return 0;
}

// Puts one CONTROL=VALUE into the form as a user would set the control.
void assign(Shown& s, std::string_view control, const std::string& value) {
    ValueForm::Value* slot = s.form.find(control);
    const Field* field = fieldByControl(control);
    if (!slot || !field)
        throw Error("'" + std::string(control) + "' is not a control of this " +
                    (s.session.record().type ? std::string(s.session.record().typeName())
                                             : std::string("item")) +
                    " item");
    if (field->kind == FieldKind::ItemType)
        throw Error(std::string(control) +
                    " cannot be set: Save never writes the item type (it chooses the page)");
    if (!slot->isList) {
        slot->text = value;
        return;
    }
    const int position = toInt(value);
    if (position < 0 || position > largestStoredPosition(*field))
        throw Error("'" + value + "' is not an entry of " + std::string(control));
    slot->position = position;
    if (field->kind == FieldKind::Addiction)
        s.session.setAddictionCode(addictionCodeAt(position));
}

// The name and description the item shows under the text id in the form (UTF-8).
ItemTextsEdit shownTexts(const Shown& s) {
    ItemTextsEdit t;
    t.textId = s.form.text("textIDfield");
    lookUpReferences(Refresh::NameAndDescription, s.form, s.paths, [&](const ShownReference& r) {
        (r.control == "nameField" ? t.name : t.description) = decodeWindows1252(r.text);
    });
    return t;
}

int runSet(Args args, std::ostream& out, std::ostream& err) {
    (void)out;
    std::string file;
    std::string saveAs;
    std::optional<std::string> ifUnchanged;
    bool force = false;
    TextFolders dirs;
    std::vector<std::string_view> assignments;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--force") {
            force = true;
        } else if (args[i] == "--save-as") {
            if (i + 1 >= args.size()) {
                err << "zantor-cli set: --save-as needs a file name\n";
                return 1;
            }
            saveAs = std::string(args[++i]);
        } else if (args[i] == "--if-unchanged") {
            if (i + 1 >= args.size()) {
                err << "zantor-cli set: --if-unchanged needs the sha256 that show prints\n";
                return 1;
            }
            ifUnchanged = std::string(args[++i]);
        } else if (args[i] == "--msg-dir") {
            takeFolder(args, i, dirs);
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
    if (!saveAs.empty() && !force) {
        // Save As never replaces a file without being told to, nor one whose name
        // differs only in letter case, which the game would read in its place.
        const std::string twin = caseTwinOf(saveAs);
        std::error_code ec;
        if (!twin.empty() ||
            std::filesystem::exists(std::filesystem::symlink_status(pathFromUtf8(saveAs), ec)))
            throw Error(twin.empty() ? saveAs + " exists; give --force to replace it"
                                     : twin + " is in the way of " + saveAs +
                                           ": their names differ only in letter case; give "
                                           "--force to replace it");
    }
    Shown s(dirs, SavePolicy{.writeTexts = dirs.given()});
    s.open(file);
    ItemTextsEdit texts;
    if (dirs.given()) {
        texts = shownTexts(s);
        s.session.rememberName(encodeWindows1252(texts.name));
    }
    std::optional<std::string> newName;
    std::optional<std::string> newDescription;
    for (const std::string_view a : assignments) {
        const auto eq = a.find('=');
        if (eq == std::string_view::npos || eq == 0)
            throw Error("expected CONTROL=VALUE, got '" + std::string(a) + "'");
        const std::string_view control = a.substr(0, eq);
        const std::string value(a.substr(eq + 1));
        if (control == "nameField" || control == "descField") {
            if (!dirs.given())
                throw Error(std::string(control) + " needs --msg-dir");
            (control == "nameField" ? newName : newDescription) = value;
        } else {
            assign(s, control, value);
        }
    }
    if (dirs.given()) {
        // A new text id shows that entry's texts, as the editor's text id field does;
        // typed texts then take their place.
        if (s.form.text("textIDfield") != texts.textId)
            texts = shownTexts(s);
        if (newName)
            texts.name = *newName;
        if (newDescription)
            texts.description = *newDescription;
    }
    // Right before the save, so that nothing written since the caller read it is lost.
    if (ifUnchanged && !s.session.isUnchangedFrom(*ifUnchanged)) {
        err << "zantor-cli set: " << file
            << " is no longer the file that was read (its sha256 differs); nothing written\n";
        return 1;
    }
    s.session.save(saveAs.empty() ? SaveKind::Save : SaveKind::SaveAs, s.form, &texts, saveAs);
    return 0;
}

} // namespace

const Verb kShowVerb{
    "show", "print an item file's fields as the editor shows them (JSON)",
    "Usage: zantor-cli show FILE.pro [--msg-dir DIR [--art-dir DIR]]\n\n"
    "Prints one JSON object: \"type\" (the item type name, \"\" for an unknown type),\n"
    "\"fields\" (every control the item's type shows, keyed by control name: an edit\n"
    "as its text, a list as its position, -1 when a fixed list has no entry for the\n"
    "stored value), \"size\" (the file's length in bytes) and \"sha256\" (the hash of\n"
    "its bytes, for set --if-unchanged). A default ammunition\n"
    "of 17821695 shows as 0, as in the editor.\n\n"
    "With --msg-dir, also \"names\": what the editor shows beside the fields of the\n"
    "item's pages, keyed by control name: nameField and descField from pro_item.msg,\n"
    "materialNameField, damageTypeNameField, ammoTypeNameFIeld (proto.msg),\n"
    "ammoNameField (pro_item.msg), fireArtNameField (pro_Crit.msg or pro_Misc.msg),\n"
    "maleLooksDesc and femaleLooksDesc (critters.lst), and groundPic and invPic: the\n"
    "picture file shown for the items.lst and inven.lst entry (the preview bitmap, or\n"
    "Files/noArt.bmp under the current folder). The message files are read from the\n"
    "--msg-dir folder and the lists and previews from the --art-dir folder, by default\n"
    "the same. Texts are decoded from Windows-1252. A file that cannot be read is an\n"
    "error.\n",
    runShow};

const Verb kSetVerb{
    "set", "change fields of an item file and save it as the editor does",
    "Usage: zantor-cli set FILE.pro [--save-as OUT.pro [--force]] [--msg-dir DIR]\n"
    "                      [--if-unchanged HASH] CONTROL=VALUE...\n\n"
    "Starts from the values 'show' prints, replaces the named ones (a list takes a\n"
    "position) and saves through the same steps as the editor's Save: every field is\n"
    "checked first; then the name and description (with --msg-dir) and the item file\n"
    "are written together, both or neither, and the item file is left read-only.\n"
    "With --save-as the item is written to OUT.pro as Save As does, with its ordering\n"
    "of the attack-mode rows, and FILE.pro is left alone; an existing OUT.pro, or a\n"
    "file whose name differs from it only in letter case, is replaced only with\n"
    "--force.\n\n"
    "With --msg-dir, the item's name and description are written into the folder's\n"
    "pro_item.msg under the text id; nameField=TEXT and descField=TEXT (UTF-8, written\n"
    "as Windows-1252; a description may hold line breaks) replace them, otherwise the\n"
    "texts the item shows are written back. The old name line is found by the name\n"
    "the item showed. Without --msg-dir, pro_item.msg is not touched.\n"
    "With --if-unchanged HASH (the \"sha256\" that show printed), nothing is written\n"
    "and the exit status is 1 when FILE.pro no longer has that hash: another program\n"
    "changed, replaced or removed it since it was read.\n"
    "Nothing is written when a control or a number is not valid, when a list value\n"
    "is beyond what the field stores, or for iTypeList (Save never writes it).\n",
    runSet};

} // namespace zantor::cli
