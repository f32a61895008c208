// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/edit_session.h"

#include "common/error.h"
#include "record/item_file.h"
#include "texts/encoding.h"
#include "texts/item_save.h"

namespace zantor {

void EditSession::open(const std::string& path) {
    readItem(path, m_record); // all or nothing: a failure changes nothing
    m_openPath = path;
}

void EditSession::display(RecordForm& form) {
    recordDisplay(m_record, form);
}

void EditSession::save(SaveKind kind, const RecordForm& form, const ItemTextsEdit* texts,
                       const std::string& path) {
    // Every field is checked before anything is written.
    ItemRecord updated = m_record;
    recordUpdate(updated, form,
                 kind == SaveKind::Save ? AttackModeRule::Save : AttackModeRule::SaveAs);
    const bool withTexts = m_policy.writeTexts && texts;
    ItemTextsWrite write;
    if (withTexts) {
        // Refused before anything is written, rather than stored with question marks.
        if (texts->name.find_first_of("\r\n") != std::string::npos)
            throw Error("The name is one line: it cannot hold a line break");
        write.proItemMsg = m_paths.proItemMsg;
        write.textId = texts->textId;
        write.name = encodeWindows1252Exactly(texts->name, "name");
        write.description = encodeWindows1252Exactly(texts->description, "description");
        write.remembered = m_rememberedName;
    }
    // Both files or neither: pro_item.msg and the item are committed together.
    saveItemWithTexts(kind == SaveKind::Save ? m_openPath : path, updated,
                      kind == SaveKind::Save ? ItemSave::InPlace : ItemSave::As,
                      withTexts ? &write : nullptr, m_lines);
    if (withTexts)
        m_rememberedName = write.name;
    m_record = std::move(updated);
    m_saved = true;
}

ScanResult
EditSession::scan(ScanRequest request,
                  const std::function<void(std::size_t done, std::size_t total)>& progress) const {
    request.proItemMsg = m_paths.proItemMsg;
    return scanFolder(request, progress);
}

} // namespace zantor
