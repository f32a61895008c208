// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/line_buffer.h"

#include <string>
#include <string_view>

namespace zantor {

/// The item's name: the `pro_item.msg` entry whose id is the text id exactly as
/// written ("0100" is not "100"). Throws Error as lookupMessage.
std::string lookupName(const std::string& proItemMsg, std::string_view textId);

/// The item's description: the entry whose id is the text id's value plus one, in
/// decimal. Throws Error "'%s' is not a valid integer value" (with the text id) when
/// the text id is not a whole number or the id would leave the 32-bit range, before
/// the file is read; else as lookupMessage.
std::string lookupDescription(const std::string& proItemMsg, std::string_view textId);

/// Writes the name and description lines of an item into `pro_item.msg`, as Save
/// does before writing the item file. `lines` is loaded from the file, the old name
/// line ("{" + text id + "}{}{" + remembered name + "}", found ignoring case) is
/// replaced by the new one where it stands, or the new one is appended; the
/// description entry goes right after the first line equal to the new name line,
/// over several CR LF lines when the description has line breaks. The line that
/// followed the name line is removed, with every line of its entry, only when it is
/// the item's old description entry (it begins with "{" + id + "}"); otherwise
/// nothing is removed. Lines not replaced are written back as they were. `name` is
/// one line, as the single-line name field holds it. The caller then sets its
/// remembered name to `name`.
/// Throws Error "Cannot open file %s" when the file cannot be read, "'%s' is not a
/// valid integer value" when the text id is not a whole number (or its id plus one
/// leaves the 32-bit range), "Cannot create file %s" when the file cannot be written
/// (a read-only file included); in each case the file keeps its old content.
void writeNameAndDescription(LineBuffer& lines, const std::string& proItemMsg,
                             std::string_view textId, std::string_view name,
                             std::string_view description, std::string_view rememberedName);

/// The line changes of writeNameAndDescription on lines already loaded, without
/// reading or writing the file, so that the texts of many items go out in one
/// write. Throws Error "'%s' is not a valid integer value" as writeNameAndDescription,
/// before any line changes.
void placeNameAndDescription(LineBuffer& lines, std::string_view textId, std::string_view name,
                             std::string_view description, std::string_view rememberedName);

/// The main window's caption: "Zantor | " + the last 12 characters of the open item
/// file's path (all of it when shorter; empty when no item is open) + " - " + name.
/// The path and the result are UTF-8; the name is the Windows-1252 text as read.
std::string windowCaption(std::string_view openPath, std::string_view name);

/// The text id one step up (+100) or down (-100). Down on exactly "0" gives "0"
/// back: the one lower stop. Throws Error "'%s' is not a valid integer value" (with
/// the text) when it is not a whole number or the step would leave the 32-bit range.
std::string stepTextId(std::string_view text, bool up);

} // namespace zantor
