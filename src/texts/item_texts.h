// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/files.h"
#include "texts/line_buffer.h"

#include <memory>
#include <string>
#include <string_view>

namespace zantor {

/// The item's name: the `pro_item.msg` entry whose id is the text id exactly as
/// written ("0100" is not "100"). Throws Error as lookupMessage.
std::string lookupName(const std::string& proItemMsg, std::string_view textId);

/// The description's id: the text id's value plus one, in decimal. Throws Error
/// "'%s' is not a valid integer value" (with the text id) when the text id is not a
/// whole number or the id would leave the 32-bit range.
std::string descriptionId(std::string_view textId);

/// The item's description: the entry whose id is the text id's value plus one, in
/// decimal. Throws Error "'%s' is not a valid integer value" (with the text id) when
/// the text id is not a whole number or the id would leave the 32-bit range, before
/// the file is read; else as lookupMessage.
std::string lookupDescription(const std::string& proItemMsg, std::string_view textId);

/// Throws Error "The <what> holds '}', which the game's text tables cannot store."
/// when the text holds a "}", which would end its entry early.
void checkStorable(std::string_view text, std::string_view what);

/// The new bytes of `pro_item.msg` with an item's name and description written, as
/// Save writes them; `lines` holds the file's lines and is rewritten in place. The
/// old name line ("{" + text id + "}{}{" + remembered name + "}", found ignoring case)
/// is replaced where it stands, or the new one is appended; the description entry
/// goes right after the first line equal to the new name line, over several CR LF
/// lines when the description has line breaks. The line that followed the name line
/// is replaced only when it is the item's old description entry (it begins with
/// "{" + id + "}"), and then up to the "}" where the lookup ends that entry (to the
/// end of the file, or its Ctrl-Z line, when it never closes); what follows that "}"
/// on its line is kept as a line of its own. Lines not replaced keep their bytes.
/// `name` is one line, as the single-line name field holds it.
/// Throws Error, before anything is written: "'%s' is not a valid integer value"
/// when the text id is not a whole number (or its id plus one leaves the 32-bit
/// range); "The name holds '}', which the game's text tables cannot store." (or the
/// description); "The name would not read back from <file>: line N hides it (...).
/// Nothing was written." when the lookup would not find the name under the text id,
/// or the description under its id, exactly as written. `proItemMsg` is only named
/// in messages.
std::string rewriteItemTexts(LineBuffer& lines, const std::string& proItemMsg,
                             std::string_view textId, std::string_view name,
                             std::string_view description, std::string_view rememberedName);

/// An item's name and description written into `lines` as rewriteItemTexts writes
/// them, with the check that rewriteItemTexts makes of the bytes the lines then give.
/// The lines must stay as it left them while it is used.
class ItemTextsRewrite {
public:
    /// Rewrites the lines; throws what rewriteItemTexts throws before its check (an
    /// invalid text id, a "}" in the name or description), the lines then unchanged.
    ItemTextsRewrite(LineBuffer& lines, const std::string& proItemMsg, std::string_view textId,
                     std::string_view name, std::string_view description,
                     std::string_view rememberedName);
    ItemTextsRewrite(ItemTextsRewrite&&) noexcept;
    ItemTextsRewrite& operator=(ItemTextsRewrite&&) noexcept;
    ~ItemTextsRewrite();

    /// The lines' bytes, checked: what rewriteItemTexts returns. Called once.
    std::string checkedBytes();
    /// The write of the lines to pro_item.msg (see proItemMsgWrite) straight from their
    /// parts, checked as the temporary file holds them, so the file is never joined in
    /// memory. Valid while this rewrite and the lines are.
    FileWrite write() const;

private:
    struct State;
    // Throws the errors of rewriteItemTexts' check ("... would not read back ...",
    // "... would change another entry ...") for `newBytes`, the lines' bytes.
    static void check(const State& state, std::string_view newBytes);
    std::unique_ptr<State> m_state;
};

/// The write of new `pro_item.msg` bytes for commitFiles: the file's mode kept, a
/// file or folder that may not be written refused with "Cannot create file %s".
/// `bytes` must outlive the write.
FileWrite proItemMsgWrite(const std::string& proItemMsg, std::string_view bytes);

/// Loads `lines` from `pro_item.msg`, rewrites it (rewriteItemTexts) and writes it
/// back atomically. The caller then sets its remembered name to `name`. Throws Error
/// "Cannot open file %s" when the file cannot be read, as rewriteItemTexts, and as
/// commitFiles ("Cannot create file %s" for a read-only file, "Disk full", ...); in
/// each case the file keeps its old content.
void writeNameAndDescription(LineBuffer& lines, const std::string& proItemMsg,
                             std::string_view textId, std::string_view name,
                             std::string_view description, std::string_view rememberedName);

/// The main window's caption: "Zantor | " + the last 12 characters of the open item
/// file's path (all of it when shorter; empty when no item is open) + " - " + name.
/// The path, the name (as the name field holds it) and the result are UTF-8.
std::string windowCaption(std::string_view openPath, std::string_view name);

/// The text id one step up (+100) or down (-100). Down on exactly "0" gives "0"
/// back: the one lower stop. Throws Error "'%s' is not a valid integer value" (with
/// the text) when it is not a whole number or the step would leave the 32-bit range.
std::string stepTextId(std::string_view text, bool up);

} // namespace zantor
