// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/edit_session.h"

#include "common/ascii.h"
#include "common/error.h"
#include "common/sha256.h"
#include "record/item_file.h"
#include "texts/encoding.h"
#include "texts/item_save.h"

namespace zantor {

void EditSession::open(const std::string& path) {
    // Taken first: a change made while the item is read shows as a change at Save.
    FileVersion version = currentVersion(path, kLargestItemFile + 1);
    readItem(path, m_record); // all or nothing: a failure changes nothing
    m_openPath = path;
    m_version = std::move(version);
}

bool EditSession::isUnchangedFrom(std::string_view sha256) {
    return m_version.known() && asciiLowered(sha256) == m_version.sha256 &&
           diskChange() == DiskChange::Same;
}

void EditSession::acceptDiskVersion() {
    m_version = diskChange() == DiskChange::Deleted
                    ? FileVersion{}
                    : currentVersion(m_openPath, kLargestItemFile + 1);
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
    // Nothing another program wrote since the item was read is written over unseen.
    if (kind == SaveKind::Save && diskChange() != DiskChange::Same)
        throw Error(m_openPath + " was changed on disk since it was read; nothing was written");
    // Both files or neither: pro_item.msg and the item are committed together.
    saveItemWithTexts(kind == SaveKind::Save ? m_openPath : path, updated,
                      kind == SaveKind::Save ? ItemSave::InPlace : ItemSave::As,
                      withTexts ? &write : nullptr, m_lines);
    if (withTexts)
        m_rememberedName = write.name;
    m_record = std::move(updated);
    m_saved = true;
    if (kind == SaveKind::Save) {
        FileVersion saved = currentVersion(m_openPath, kLargestItemFile + 1);
        // Written over by another program between our write and this look: that is its
        // version, not ours, and the next check must see the difference.
        const Bytes ours = itemFileBytes(m_record);
        if (saved.sha256 != sha256Hex(ours.data(), ours.size())) {
            saved.identity = platform::FileIdentity{};
            saved.sha256 = sha256Hex(ours.data(), ours.size());
        }
        m_version = std::move(saved);
    }
}

ScanResult
EditSession::scan(ScanRequest request,
                  const std::function<void(std::size_t done, std::size_t total)>& progress) const {
    request.proItemMsg = m_paths.proItemMsg;
    return scanFolder(request, progress);
}

} // namespace zantor
