// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/scan.h"
#include "common/file_version.h"
#include "record/item_record.h"
#include "record/record_form.h"
#include "settings/settings.h"
#include "texts/line_buffer.h"

#include <functional>
#include <string>
#include <string_view>

namespace zantor {

// Save and Save As. Save writes over the open item file and leaves it read-only;
// Save As writes to a chosen file and orders the attack-mode rows its own way.
enum class SaveKind { Save, SaveAs };

// How a front end saves: the one place where the window and zantor-cli differ.
//
// Both check every field before anything is written, so a field that is not a whole
// number changes nothing on disk (the record update runs on a copy first; only then
// are pro_item.msg and the item file written, together). The window always writes
// the item's name and description with it; zantor-cli writes them only when it was told
// where the message files are (`writeTexts`), and never asks a question: where the
// window asks about unsaved changes, the command line has no changes to lose.
struct SavePolicy {
    bool writeTexts = true;
};

// The name and description that Save writes into pro_item.msg, as the user edits them.
struct ItemTextsEdit {
    std::string textId;      // the text id field as typed
    std::string name;        // UTF-8, one line
    std::string description; // UTF-8, line breaks of any kind
};

// One item being edited, whatever front end drives it: the open item (record, path,
// remembered name, saved flag), the paths of the game's tables, Open, Save and Save As,
// and the folder scan. Reports failures by throwing Error; calls no front end.
class EditSession {
public:
    explicit EditSession(SavePolicy policy = {}) : m_policy(policy) {}

    const DerivedPaths& paths() const { return m_paths; }
    /// The paths of the message files and art lists, formed from the folders.
    void setPaths(const DerivedPaths& paths) { m_paths = paths; }

    bool isOpen() const { return !m_openPath.empty(); }
    const std::string& openPath() const { return m_openPath; }
    const ItemRecord& record() const { return m_record; }
    /// The name the item showed when it was opened or last saved (Windows-1252): Save
    /// finds the old name line of pro_item.msg by it.
    const std::string& rememberedName() const { return m_rememberedName; }
    void rememberName(std::string name) { m_rememberedName = std::move(name); }

    /// True while the open item has no unsaved changes.
    bool saved() const { return m_saved; }
    void markUnsaved() { m_saved = false; }
    void markSaved() { m_saved = true; }

    /// Whether the open item file is still the one that was read or last saved here.
    DiskChange diskChange() { return changeSince(m_version, m_openPath); }
    /// The open item file as it was read or last saved here; its sha256 is the hash that
    /// names this version to other programs.
    const FileVersion& version() const { return m_version; }
    /// True when the open item file on disk is still the version read or saved here and
    /// that version's hash is `sha256` (hexadecimal digits in either case): what a caller
    /// that saw the file under that hash asks right before a Save writes.
    bool isUnchangedFrom(std::string_view sha256);
    /// Takes the file on disk as it is now (or its absence) as the one the user has seen
    /// and chosen to write over: the next Save writes without a DiskChange. Throws Error
    /// when it cannot be read.
    void acceptDiskVersion();

    /// The addiction code the drug page stands for, chosen in its list.
    void setAddictionCode(std::int32_t code) { m_record.addictionCode = code; }

    /// Reads an item file into a fresh record. All or nothing: when the read fails,
    /// Error is thrown and the open item, its path and record stay as they were. The
    /// saved flag is the front end's to set once the item is shown.
    void open(const std::string& path);

    /// Fills the form from the record (the record display): each field, then its
    /// refresh. Throws only what the form's refreshes throw.
    void display(RecordForm& form);

    /// Save (over the open file) or Save As (to `path`): the one place where an item is
    /// saved. Every field of the form is checked first: a field that is not a whole
    /// number throws Error and nothing is written. Then, when the policy writes texts
    /// and `texts` is given, the new pro_item.msg (name and description lines) and the
    /// item file are written all or nothing (see saveItemWithTexts). Afterwards the
    /// record holds the saved values, the remembered name is the name written and the
    /// item counts as saved. Throws Error as the writes do; nothing changes then.
    void save(SaveKind kind, const RecordForm& form, const ItemTextsEdit* texts,
              const std::string& path = {});

    /// The item folder listed with the filters of `request`, names looked up in this
    /// session's pro_item.msg when asked. See scanFolder.
    ScanResult
    scan(ScanRequest request,
         const std::function<void(std::size_t done, std::size_t total)>& progress = {}) const;

    /// Checks that pro_item.msg can be read, as the window does when it reads its
    /// settings. Every save loads it afresh, so nothing is read here: a large file costs
    /// start-up nothing. Throws Error "Cannot open file %s".
    void loadTexts() {
        LineBuffer::checkLoadable(m_paths.proItemMsg);
        m_lines = LineBuffer();
    }

private:
    SavePolicy m_policy;
    DerivedPaths m_paths;
    ItemRecord m_record;
    std::string m_openPath;
    std::string m_rememberedName;
    bool m_saved = true;
    LineBuffer m_lines;
    FileVersion m_version; // the open item file as it was read or last saved
};

} // namespace zantor
