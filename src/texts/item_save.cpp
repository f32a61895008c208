// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/item_save.h"

#include "texts/item_texts.h"

#include <optional>
#include <vector>

namespace zantor {

void saveItemWithTexts(const FilePath& itemPath, const ItemRecord& record, ItemSave how,
                       const ItemTextsWrite* texts, LineBuffer& lines) {
    const Bytes item = itemFileBytes(record);
    std::optional<ItemTextsRewrite> rewrite;
    std::vector<FileWrite> writes;
    if (texts) {
        lines.load(texts->proItemMsg);
        rewrite.emplace(lines, texts->proItemMsg, texts->textId, texts->name, texts->description,
                        texts->remembered);
        writes.push_back(rewrite->write());
    }
    writes.push_back(itemFileWrite(itemPath, item, how));
    commitFiles(writes);
}

} // namespace zantor
