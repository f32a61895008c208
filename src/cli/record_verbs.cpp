// SPDX-License-Identifier: GPL-3.0-or-later
// show and set: an item file as the editor's controls show it, and a write through
// the same record update that Save and Save As use.
#include "cli/cli.h"
#include "common/error.h"
#include "common/file_version.h"
#include "common/numbers.h"
#include "record/item_file.h"
#include "record/value_form.h"
#include "settings/settings.h"
#include "texts/art.h"
#include "texts/encoding.h"
#include "texts/item_save.h"
#include "texts/item_texts.h"
#include "texts/references.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
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

// The form as the editor's controls hold it after the record display, with the
// one change a display makes to a field: the default ammunition sentinel shows as 0.
class ShownForm : public ValueForm {
public:
    void refresh(Refresh what) override {
        constexpr std::string_view ammo = "ammoIDfield";
        if (what == Refresh::DefaultAmmoName && isDefaultAmmoSentinel(text(ammo)))
            setText(ammo, "0");
    }
};

struct Shown {
    ItemRecord record;
    ShownForm form;
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

using Names = std::vector<std::pair<std::string_view, std::string>>;

// The entry at a list position of a list file; "" where the list has none.
std::string listEntry(const std::string& listPath, int position) {
    const std::vector<std::string> entries = readListFile(listPath);
    return position >= 0 && static_cast<std::size_t>(position) < entries.size()
               ? entries[static_cast<std::size_t>(position)]
               : std::string();
}

// The names, pictures and descriptions that follow one field of the display.
void addNames(Refresh what, const ValueForm& form, const TextFolders& dirs, Names& names) {
    const auto text = [&](std::string_view control) { return form.text(control); };
    const auto position = [&](std::string_view control) { return form.position(control); };
    const auto add = [&](std::string_view control, const std::string& bytes) {
        names.emplace_back(control, decodeWindows1252(bytes));
    };
    const DerivedPaths paths = dirs.paths();
    const std::string& proItem = paths.proItemMsg;
    const std::string& proto = paths.protoMsg;
    switch (what) {
    case Refresh::NameAndDescription:
        add("nameField", lookupName(proItem, text("textIDfield")));
        add("descField", lookupDescription(proItem, text("textIDfield")));
        break;
    case Refresh::GroundPreview:
        names.emplace_back("groundPic",
                           previewFile(paths.itemsLstFolder,
                                       listEntry(paths.itemsLst, position("groundArtList"))));
        break;
    case Refresh::InventoryPreview:
        names.emplace_back(
            "invPic",
            previewFile(paths.invenLstFolder, listEntry(paths.invenLst, position("invenArtList"))));
        break;
    case Refresh::MaterialName:
        add("materialNameField", materialName(proto, text("materialIDfield")));
        break;
    case Refresh::DamageTypeName:
        add("damageTypeNameField", damageTypeName(proto, text("damageTypeIDfield")));
        break;
    case Refresh::AmmoTypeName:
        add("ammoTypeNameFIeld", ammoTypeName(proto, text("ammoTypeIDfield")));
        break;
    case Refresh::DefaultAmmoName:
        add("ammoNameField", defaultAmmoName(proItem, text("ammoIDfield")));
        break;
    case Refresh::ProjectileName:
        add("fireArtNameField", projectileName(paths.proCritMsg, paths.proMiscMsg,
                                               position("fireFileList"), text("fireArtIDField")));
        break;
    case Refresh::MaleLooks:
        add("maleLooksDesc",
            looksDescription(listEntry(paths.crittersLst, position("maleLooksList"))));
        break;
    case Refresh::FemaleLooks:
        add("femaleLooksDesc",
            looksDescription(listEntry(paths.crittersLst, position("femaleLooksList"))));
        break;
    case Refresh::None:
    case Refresh::PageStep:
    case Refresh::Enabling:
        break;
    }
}

// What the display shows beside the fields of the item's pages, in display order,
// from the fields' final values (the editor ends with the same texts).
Names shownNames(const Shown& s, const TextFolders& dirs) {
    Names names;
    for (const auto& f : commonFields())
        addNames(f.after, s.form, dirs, names);
    for (const auto& f : sectionFields(s.record.typeName))
        addNames(f.after, s.form, dirs, names);
    return names;
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

void printNames(const Names& names, std::ostream& out) {
    out << "{";
    bool first = true;
    for (const auto& [control, text] : names) {
        out << (first ? "" : ",") << "\n    " << jsonString(control) << ": " << jsonString(text);
        first = false;
    }
    out << "\n  }";
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
    // Hashed before it is shown: a change in between makes a later --if-unchanged refuse.
    const std::string sha256 = currentVersion(file).sha256;
    const Shown s = showItem(file);
    // Printed only once complete: a failure part way prints nothing.
    std::ostringstream json;
    json << "{\n  \"type\": " << jsonString(s.record.typeName) << ",\n  \"fields\": ";
    printFields(s.form, json);
    if (dirs.given()) {
        const Names names = shownNames(s, dirs);
        json << ",\n  \"names\": ";
        printNames(names, json);
    }
    json << ",\n  \"size\": " << s.size << ",\n  \"sha256\": " << jsonString(sha256) << "\n}\n";
    out << json.str();
    return 0;
}

// Puts one CONTROL=VALUE into the form as a user would set the control.
void assign(Shown& s, std::string_view control, const std::string& value) {
    ValueForm::Value* slot = s.form.find(control);
    const Field* field = fieldByControl(control);
    if (!slot || !field)
        throw Error("'" + std::string(control) + "' is not a control of this " +
                    (s.record.typeName.empty() ? std::string("item") : s.record.typeName) +
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
        s.record.addictionCode = addictionCodeAt(position);
}

// The name and description that Save writes into pro_item.msg.
struct ItemTexts {
    std::string textId; // as shown, Windows-1252
    std::string name;
    std::string description;
    std::string remembered; // the name the item showed
};

// The texts the item shows under the text id in the form.
ItemTexts shownTexts(const ValueForm& form, const std::string& proItem,
                     const std::string& remembered) {
    ItemTexts t;
    t.textId = encodeWindows1252(form.text("textIDfield"));
    t.name = lookupName(proItem, t.textId);
    t.description = lookupDescription(proItem, t.textId);
    t.remembered = remembered;
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
            // Hexadecimal digits in either case.
            ifUnchanged = std::string(args[++i]);
            for (char& c : *ifUnchanged)
                c = c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c;
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
        if (!twin.empty() || std::filesystem::exists(std::filesystem::symlink_status(saveAs, ec)))
            throw Error(twin.empty() ? saveAs + " exists; give --force to replace it"
                                     : twin + " is in the way of " + saveAs +
                                           ": their names differ only in letter case; give "
                                           "--force to replace it");
    }
    Shown s = showItem(file);
    const std::string proItem = dirs.paths().proItemMsg;
    ItemTexts texts;
    if (dirs.given()) {
        texts = shownTexts(s.form, proItem, "");
        texts.remembered = texts.name;
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
            if (control == "nameField" && value.find_first_of("\r\n") != std::string::npos)
                throw Error("nameField is one line: it cannot hold a line break");
            (control == "nameField" ? newName : newDescription) =
                encodeWindows1252Exactly(value, control == "nameField" ? "name" : "description");
        } else {
            assign(s, control, value);
        }
    }
    if (dirs.given()) {
        // A new text id shows that entry's texts, as the editor's text id field does;
        // typed texts then take their place.
        if (encodeWindows1252(s.form.text("textIDfield")) != texts.textId)
            texts = shownTexts(s.form, proItem, texts.remembered);
        if (newName)
            texts.name = *newName;
        if (newDescription)
            texts.description = *newDescription;
    }
    // Every field is checked before anything is written.
    ItemRecord updated = s.record;
    recordUpdate(updated, s.form, saveAs.empty() ? AttackModeRule::Save : AttackModeRule::SaveAs);
    // Both files or neither: pro_item.msg and the item are committed together.
    const ItemTextsWrite write{proItem, texts.textId, texts.name, texts.description,
                               texts.remembered};
    // Right before the write, so that nothing written since the caller read it is lost.
    if (ifUnchanged && currentVersion(file).sha256 != *ifUnchanged) {
        err << "zantor-cli set: " << file
            << " is no longer the file that was read (its sha256 differs); nothing written\n";
        return 1;
    }
    LineBuffer lines;
    saveItemWithTexts(saveAs.empty() ? file : saveAs, updated,
                      saveAs.empty() ? ItemSave::InPlace : ItemSave::As,
                      dirs.given() ? &write : nullptr, lines);
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
    "position) and writes the item exactly as the editor's Save does: the file is\n"
    "left read-only. With --save-as the item is written to OUT.pro as Save As does,\n"
    "with its ordering of the attack-mode rows, and FILE.pro is left alone; an\n"
    "existing OUT.pro, or a file whose name differs from it only in letter case, is\n"
    "replaced only with --force.\n\n"
    "With --msg-dir, the item's name and description are first written into the\n"
    "folder's pro_item.msg as Save does, under the text id; nameField=TEXT and\n"
    "descField=TEXT (UTF-8, written as Windows-1252; a description may hold line\n"
    "breaks) replace them, otherwise the texts the item shows are written back. The\n"
    "old name line is found by the name the item showed.\n"
    "With --if-unchanged HASH (the \"sha256\" that show printed), nothing is written\n"
    "and the exit status is 1 when FILE.pro no longer has that hash: another program\n"
    "changed, replaced or removed it since it was read.\n"
    "Nothing is written when a control or a number is not valid, when a list value\n"
    "is beyond what the field stores, or for iTypeList (Save never writes it). The\n"
    "two files are written together: both or neither.\n",
    runSet};

} // namespace zantor::cli
