// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/edit_session.h"

#include "common/error.h"
#include "record/item_file.h"
#include "texts/encoding.h"
#include "texts/item_texts.h"

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
    if (m_policy.writeTexts && texts) {
        // Refused before anything is written, rather than stored with question marks.
        if (texts->name.find_first_of("\r\n") != std::string::npos)
            throw Error("The name is one line: it cannot hold a line break");
        const std::string name = encodeWindows1252Exactly(texts->name, "name");
        const std::string description = encodeWindows1252Exactly(texts->description, "description");
        writeNameAndDescription(m_lines, m_paths.proItemMsg, texts->textId, name, description,
                                m_rememberedName);
        m_rememberedName = name;
    }
    if (kind == SaveKind::Save)
        saveItem(m_openPath, updated);
    else
        saveItemAs(path, updated);
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
