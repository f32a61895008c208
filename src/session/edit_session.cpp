// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/edit_session.h"

#include "common/ascii.h"
#include "common/error.h"
#include "common/files.h"
#include "common/sha256.h"
#include "record/item_file.h"
#include "texts/encoding.h"
#include "texts/item_save.h"
#include "texts/item_texts.h"

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

void EditSession::reopen(const std::string& path, const ItemRecord& read) {
    EditSession fresh(m_policy);
    fresh.m_paths = m_paths;
    fresh.open(path);
    if (itemFileBytes(fresh.m_record) != itemFileBytes(read))
        throw Error(path + " was changed on disk since it was read; nothing was written");
    m_record = std::move(fresh.m_record);
    m_openPath = std::move(fresh.m_openPath);
    m_version = std::move(fresh.m_version);
}

EditSession::PreparedSave EditSession::prepare(SaveKind kind, const RecordForm& form,
                                               const ItemTextsEdit* texts,
                                               const std::string& path) {
    PreparedSave p;
    p.kind = kind;
    p.target = kind == SaveKind::Save ? m_openPath : path;
    // Every field is checked before anything is written.
    p.updated = m_record;
    recordUpdate(p.updated, form,
                 kind == SaveKind::Save ? AttackModeRule::Save : AttackModeRule::SaveAs);
    if (m_policy.writeTexts && texts) {
        // Refused before anything is written, rather than stored with question marks.
        if (texts->name.find_first_of("\r\n") != std::string::npos)
            throw Error("The name is one line: it cannot hold a line break");
        ItemTextsWrite& write = p.texts.emplace();
        write.proItemMsg = m_paths.proItemMsg;
        write.textId = texts->textId;
        write.name = encodeWindows1252Exactly(texts->name, "name");
        write.description = encodeWindows1252Exactly(texts->description, "description");
        write.remembered = m_rememberedName;
    }
    // Nothing another program wrote since the item was read is written over unseen.
    if (kind == SaveKind::Save && diskChange() != DiskChange::Same)
        throw Error(m_openPath + " was changed on disk since it was read; nothing was written");
    return p;
}

void EditSession::finish(PreparedSave& p) {
    if (p.texts)
        m_rememberedName = p.texts->name;
    m_record = std::move(p.updated);
    m_saved = true;
    if (p.kind == SaveKind::Save) {
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

void EditSession::save(SaveKind kind, const RecordForm& form, const ItemTextsEdit* texts,
                       const std::string& path) {
    PreparedSave p = prepare(kind, form, texts, path);
    // Both files or neither: pro_item.msg and the item are committed together.
    saveItemWithTexts(p.target, p.updated,
                      kind == SaveKind::Save ? ItemSave::InPlace : ItemSave::As,
                      p.texts ? &*p.texts : nullptr, m_lines);
    finish(p);
}

// saveBatch's steps, with access to each session's checks.
struct BatchSave {
    static BatchReport run(const std::vector<BatchItem>& items, BatchWrite whole) {
        BatchReport report;
        std::vector<std::optional<EditSession::PreparedSave>> prepared(items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            try {
                prepared[i] =
                    items[i].session->prepare(SaveKind::Save, *items[i].form, items[i].texts, {});
            } catch (const std::exception& e) {
                report.failed.emplace_back(i, e.what());
            }
        }
        // Every name and description in one rewrite of the lines. Each is checked as
        // Save checks it; one that would not read back is reported and left out, with
        // the lines as the items before it left them.
        LineBuffer lines;
        std::string bytes;
        std::string proItemMsg;
        const auto rewrite = [&](std::size_t i) {
            const ItemTextsWrite& t = *prepared[i]->texts;
            bytes = rewriteItemTexts(lines, t.proItemMsg, t.textId, t.name, t.description,
                                     t.remembered);
        };
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!prepared[i] || !prepared[i]->texts)
                continue;
            if (proItemMsg.empty()) {
                proItemMsg = prepared[i]->texts->proItemMsg;
                lines.load(proItemMsg);
            }
            try {
                rewrite(i);
                report.textsWritten.push_back(i);
            } catch (const std::exception& e) {
                report.failed.emplace_back(i, e.what());
                prepared[i].reset();
                lines.load(proItemMsg);
                for (const std::size_t w : report.textsWritten)
                    rewrite(w);
            }
        }
        if (whole == BatchWrite::AllOrNothing)
            return commitWhole(items, prepared, std::move(report), proItemMsg, bytes);
        if (!report.textsWritten.empty()) {
            commitFiles({proItemMsgWrite(proItemMsg, bytes)});
            // pro_item.msg now holds these names, whatever becomes of the item files.
            for (const std::size_t i : report.textsWritten)
                items[i].session->m_rememberedName = prepared[i]->texts->name;
        }
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!prepared[i])
                continue;
            EditSession& s = *items[i].session;
            try {
                saveItem(prepared[i]->target, prepared[i]->updated);
            } catch (const std::exception& e) {
                report.failed.emplace_back(i, e.what());
                continue;
            }
            s.finish(*prepared[i]);
            report.saved.push_back(i);
        }
        return report;
    }

    // Every file in one commit, pro_item.msg first; nothing when any item failed.
    static BatchReport commitWhole(const std::vector<BatchItem>& items,
                                   std::vector<std::optional<EditSession::PreparedSave>>& prepared,
                                   BatchReport report, const std::string& proItemMsg,
                                   const std::string& bytes) {
        if (!report.failed.empty()) {
            report.textsWritten.clear();
            return report;
        }
        std::vector<Bytes> itemBytes;
        itemBytes.reserve(items.size());
        std::vector<FileWrite> writes;
        if (!report.textsWritten.empty())
            writes.push_back(proItemMsgWrite(proItemMsg, bytes));
        for (auto& p : prepared) {
            itemBytes.push_back(itemFileBytes(p->updated));
            writes.push_back(itemFileWrite(p->target, itemBytes.back(), ItemSave::InPlace));
        }
        commitFiles(writes);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (prepared[i]->texts)
                items[i].session->m_rememberedName = prepared[i]->texts->name;
            items[i].session->finish(*prepared[i]);
            report.saved.push_back(i);
        }
        return report;
    }
};

BatchReport saveBatch(const std::vector<BatchItem>& items, BatchWrite whole) {
    return BatchSave::run(items, whole);
}

ScanResult
EditSession::scan(ScanRequest request,
                  const std::function<void(std::size_t done, std::size_t total)>& progress) const {
    request.proItemMsg = m_paths.proItemMsg;
    return scanFolder(request, progress);
}

} // namespace zantor
