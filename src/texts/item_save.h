// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/item_file.h"
#include "record/item_record.h"
#include "texts/line_buffer.h"

#include <filesystem>
#include <string>

namespace zantor {

// The name and description that Save writes into pro_item.msg with the item.
struct ItemTextsWrite {
    std::string proItemMsg;
    std::string textId;      // as the field holds it, Windows-1252
    std::string name;        // Windows-1252
    std::string description; // Windows-1252, line breaks of any kind
    std::string remembered;  // the name last shown or written
};

/// Save (ItemSave::InPlace) or Save As (ItemSave::As) of an item with its name and
/// description, all or nothing: the name and description are written into the lines
/// (ItemTextsRewrite), then both files are committed together, pro_item.msg first
/// (commitFiles), the new pro_item.msg checked as its temporary file holds it. `texts`
/// may be null to write the item alone. `lines` is the line buffer the rewrite works
/// in. Throws Error; when it does before the renames, neither file has changed. The
/// caller then sets its remembered name.
void saveItemWithTexts(const FilePath& itemPath, const ItemRecord& record, ItemSave how,
                       const ItemTextsWrite* texts, LineBuffer& lines);

} // namespace zantor
