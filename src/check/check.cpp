// SPDX-License-Identifier: GPL-3.0-or-later
// The check of an item folder: each item against the tables and lists the editor shows
// it with, then the items against each other, then the tables themselves.
#include "check/check.h"

#include "browser/scan.h"
#include "common/ascii.h"
#include "common/error.h"
#include "common/files.h"
#include "record/fields.h"
#include "record/item_file.h"
#include "record/record_form.h"
#include "session/reference_names.h"
#include "texts/art.h"
#include "texts/encoding.h"
#include "texts/item_texts.h"
#include "texts/message_lookup.h"
#include "texts/references.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>

namespace zantor {

namespace fs = std::filesystem;

namespace {

// A message table or art list as the check read it; absent when it could not be read.
struct Table {
    std::string name;
    std::string path;
    Bytes bytes;
    std::optional<MessageSnapshot> messages;
    bool read = false;

    std::string_view text() const {
        return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
    }
};

struct ArtList {
    std::string name;
    std::optional<std::vector<std::string>> entries;
    std::string folder; // where its preview bitmaps are
    // Whether the preview bitmap of an entry is there, by position, once looked at.
    mutable std::unordered_map<int, bool> previewFound;
};

// One item file that could be read.
struct Item {
    std::string file;
    std::string path;
    ItemRecord record;
};

std::string labelOf(const Field& f) {
    std::string_view label = f.label;
    if (label.ends_with(':'))
        label.remove_suffix(1);
    return std::string(label);
}

std::string inQuotes(std::string_view bytes) {
    return "\"" + decodeWindows1252(bytes) + "\"";
}

// Sorts names as the item list does: ignoring letter case, then byte for byte.
bool listOrder(const std::string& a, const std::string& b) {
    const std::string la = asciiLowered(a);
    const std::string lb = asciiLowered(b);
    return la != lb ? la < lb : a < b;
}

class FolderCheck {
public:
    explicit FolderCheck(const CheckRequest& request) : m_request(request) {}

    std::vector<Finding> run() {
        const DerivedPaths& p = m_request.paths;
        m_proItem = readTable(p.proItemMsg);
        m_proto = readTable(p.protoMsg);
        m_stat = readTable(p.statMsg);
        m_crit = readTable(p.proCritMsg);
        m_misc = readTable(p.proMiscMsg);
        m_ground = readArtList(p.itemsLst, p.itemsLstFolder);
        m_inven = readArtList(p.invenLst, p.invenLstFolder);
        m_critters = readArtList(p.crittersLst, "");
        readItems();
        for (const Item& item : m_items)
            checkItem(item);
        crossCheck();
        checkTables();
        std::stable_sort(m_out.begin(), m_out.end(), [](const Finding& a, const Finding& b) {
            return listOrder(a.file, b.file);
        });
        return std::move(m_out);
    }

private:
    void add(const std::string& file, const std::string& path, std::string_view rule,
             std::string_view control, std::string message, bool itemFile) {
        m_out.push_back(
            {file, path, &checkRule(rule), std::string(control), std::move(message), itemFile});
    }
    void add(const Item& item, std::string_view rule, std::string_view control,
             std::string message) {
        add(item.file, item.path, rule, control, std::move(message), true);
    }

    static std::string fileName(const std::string& path) {
        return utf8Of(pathFromUtf8(path).filename());
    }

    Table readTable(const std::string& path) {
        Table t{fileName(path), path, {}, std::nullopt, false};
        try {
            t.bytes = readFile(path);
            t.messages.emplace(MessageSnapshot::fromBytes(t.text()));
            t.read = true;
        } catch (const Error& e) {
            add(t.name, path, "unreadable-file", "", e.what(), false);
        }
        return t;
    }

    ArtList readArtList(const std::string& path, const std::string& folder) {
        ArtList list{fileName(path), std::nullopt, folder, {}};
        try {
            list.entries = readListFile(path);
        } catch (const Error& e) {
            add(list.name, path, "unreadable-file", "", e.what(), false);
        }
        return list;
    }

    // The folder's item files, as the item list would take them, in its order of names.
    void readItems() {
        struct Entry {
            std::string key; // the name in lower case
            std::string name;
            fs::directory_entry entry;
        };
        std::vector<Entry> entries;
        std::error_code ec;
        const fs::path folder = resolvePath(m_request.itemFolder);
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = utf8Of(it->path().filename());
            if (isItemFileName(name))
                entries.push_back({asciiLowered(name), std::move(name), *it});
        }
        std::vector<std::size_t> order(entries.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const Entry& x = entries[a];
            const Entry& y = entries[b];
            return x.key != y.key ? x.key < y.key : x.name < y.name;
        });
        for (const std::size_t i : order)
            readItemFile(entries[i].name, entries[i].entry);
    }

    void readItemFile(const std::string& file, const fs::directory_entry& entry) {
        const std::string path = utf8Of(entry.path());
        m_names.push_back(file);
        // The kind comes with the folder listing; only links cost a look.
        std::error_code ec;
        if (entry.is_directory(ec)) {
            add(file, path, "skipped-file", "",
                "a folder, not an item file: the list passes it over", true);
            return;
        }
        Item item{file, path, {}};
        if (!m_buffer)
            m_buffer = std::make_unique_for_overwrite<unsigned char[]>(kLargestItemFile + 1);
        std::optional<std::size_t> size;
        try {
            size = readRegularFileStart(path, m_buffer.get(), kLargestItemFile + 1);
        } catch (const Error& e) {
            add(item, "unreadable-file", "", e.what());
            return;
        }
        if (!size) {
            add(item, "skipped-file", "", "not a regular file: the list passes it over");
            return;
        }
        const std::span<const unsigned char> data(m_buffer.get(), *size);
        if (data.size() < kScanHeaderSize) {
            add(item, "skipped-file", "",
                std::to_string(data.size()) +
                    " bytes, shorter than an item's header: the list passes it over");
            return;
        }
        try {
            readItemBytes(data, item.record);
        } catch (const Error& e) {
            readFailure(item, data, e);
            return;
        }
        if (item.record.type) {
            const ItemType& type = *item.record.type;
            const std::size_t expected = kHeaderSize + type.sectionSize;
            if (type.sectionSize > 0 && data.size() > expected)
                add(item, "file-too-long", "",
                    std::to_string(data.size()) + " bytes where a " +
                        std::string(item.record.typeName()) + " has " + std::to_string(expected) +
                        ": Save drops the last " + std::to_string(data.size() - expected));
        }
        m_items.push_back(std::move(item));
    }

    // A file the editor refuses to open: its type's section (or its header) is cut off,
    // or it is too large to be an item file.
    void readFailure(const Item& item, std::span<const unsigned char> data, const Error& e) {
        if (std::string_view(e.what()) != ioMessage(kReadBeyondEnd)) {
            add(item, "unreadable-file", "", e.what());
            return;
        }
        const ItemType* type = itemTypeByCode(data[kTypeByteOffset]);
        if (!type)
            unknownType(item, data[kTypeByteOffset]);
        const std::string whole = type && type->sectionSize > 0
                                      ? std::to_string(kHeaderSize + type->sectionSize)
                                      : std::string("61 or more");
        add(item, "file-too-short", "",
            std::to_string(data.size()) + " bytes where " +
                (type ? "a " + std::string(type->name) + " has " : "an item has ") + whole +
                ": the editor refuses it with \"" + e.what() + "\"");
    }

    void unknownType(const Item& item, int typeByte) {
        add(item, "unknown-item-type", "iTypeList",
            "type byte " + std::to_string(typeByte) +
                " is no item type (0 to 6): the list never "
                "shows it and no page fits it");
    }

    void checkItem(const Item& item) {
        const ItemRecord& r = item.record;
        if (!r.type)
            unknownType(item, r.header[kTypeByteOffset]);
        for (const Field& f : commonFields())
            checkField(item, f);
        for (const Field& f : sectionFields(r.section()))
            checkField(item, f);
    }

    const ArtList* artListOf(Refresh after) const {
        switch (after) {
        case Refresh::GroundPreview:
            return &m_ground;
        case Refresh::InventoryPreview:
            return &m_inven;
        case Refresh::MaleLooks:
        case Refresh::FemaleLooks:
            return &m_critters;
        default:
            return nullptr;
        }
    }

    void checkField(const Item& item, const Field& f) {
        const ItemRecord& r = item.record;
        const int position = isListField(f) ? displayedPosition(r, f) : -1;
        const std::string text = displayedText(r, f);
        switch (f.kind) {
        case FieldKind::AttackMode:
            if (position < 0)
                add(item, "unknown-attack-mode", f.control,
                    labelOf(f) + " has code " +
                        std::to_string((r.header[f.offset] >> f.nibbleShift) & 15) +
                        ", which the list does not have");
            return;
        case FieldKind::ListByte:
            if (position < 0)
                add(item, "unknown-looks", f.control,
                    labelOf(f) + " " + text + " is not in the list (0 to " +
                        std::to_string(f.listSize - 1) + ")");
            return;
        case FieldKind::ProjectileFile:
            if (projectileFileName(position).empty())
                add(item, "unknown-projectile-file", f.control,
                    labelOf(f) + " " + text + " has no entry (1 " +
                        std::string(projectileFileName(1)) + ", 5 " +
                        std::string(projectileFileName(5)) + ", 255 none)");
            else
                projectileName(item, f);
            return;
        case FieldKind::Statistic:
            if (position < 0)
                add(item, "unknown-drug-code", f.control,
                    labelOf(f) + " " + text + " has no entry in the list");
            return;
        case FieldKind::Addiction: {
            const auto code = static_cast<std::int32_t>(std::stoll(text));
            if (code != addictionCodeAt(addictionPosition(code)))
                add(item, "unknown-drug-code", f.control,
                    labelOf(f) + " " + text + " is not in the list: it shows as \"" +
                        std::string(kAddictions[0].name) + "\"");
            return;
        }
        default:
            break;
        }
        if (const ArtList* list = artListOf(f.after))
            artPosition(item, f, *list);
        if (f.kind == FieldKind::ListWhole && f.listSize > 0 && position < 0)
            add(item, "unnamed-reference", f.control,
                labelOf(f) + " " + text + " has no entry in the list");
        else
            referenceName(item, f, text);
        if ((f.control == "weightField" || f.control == "priceField") && text.starts_with('-'))
            add(item, "negative-weight-or-price", f.control, labelOf(f) + " is " + text);
    }

    void artPosition(const Item& item, const Field& f, const ArtList& list) {
        if (!list.entries)
            return;
        const int position = displayedPosition(item.record, f);
        const auto& entries = *list.entries;
        if (position < 0 || static_cast<std::size_t>(position) >= entries.size()) {
            const std::string value =
                f.kind == FieldKind::ListCoded
                    ? std::to_string(readField(item.record, f.section, f.offset + 1, 3))
                    : displayedText(item.record, f);
            add(item, "beyond-art-list", f.control,
                labelOf(f) + " " + value + " is beyond " + list.name + " (" +
                    std::to_string(entries.size()) + " entries)");
            return;
        }
        if (list.folder.empty())
            return;
        const std::string& entry = entries[static_cast<std::size_t>(position)];
        const auto [known, isNew] = list.previewFound.try_emplace(position, false);
        if (isNew)
            known->second = fileExists(previewPath(list.folder, entry));
        if (!known->second)
            add(item, "no-preview", f.control,
                labelOf(f) + " " + inQuotes(entry) + " has no preview bitmap " +
                    fileName(previewPath(list.folder, entry)));
    }

    void unnamed(const Item& item, const Field& f, const std::string& text,
                 const std::string& table) {
        add(item, "unnamed-reference", f.control,
            labelOf(f) + " " + text + " has no name in " + table);
    }

    NameTables nameTables() const {
        const auto of = [](const Table& t) { return t.messages ? &*t.messages : nullptr; };
        return {
            .proto = of(m_proto), .proItem = of(m_proItem), .crit = of(m_crit), .misc = of(m_misc)};
    }

    // The names the editor would show beside the field, looked up as it looks them up.
    void referenceName(const Item& item, const Field& f, const std::string& text) {
        // A calibre list position names its entry as the ammo type number does.
        const bool calibre = f.kind == FieldKind::ListWhole && f.listSize > 0;
        const Refresh what = calibre ? Refresh::AmmoTypeName : f.after;
        if (what != Refresh::MaterialName && what != Refresh::DamageTypeName &&
            what != Refresh::AmmoTypeName && what != Refresh::NameAndDescription)
            return;
        lookUpNames(what, text, -1, nameTables(), [&](const ShownReference& shown) {
            if (!shown.text.empty())
                return;
            if (shown.control == "nameField")
                add(item, "empty-name", f.control,
                    "text ID " + text + " has no name in " + m_proItem.name);
            else if (shown.control == "descField")
                add(item, "no-description", "descField",
                    "no description: entry " + descriptionId(text) + " of " + m_proItem.name +
                        " is empty");
            else
                unnamed(item, f, text, m_proto.name);
        });
    }

    void projectileName(const Item& item, const Field& fileField) {
        const Field* idField = nullptr;
        for (const Field& f : sectionFields(item.record.section()))
            if (f.linked == fileField.control)
                idField = &f;
        if (!idField)
            return;
        const int position = displayedPosition(item.record, fileField);
        const std::string text = displayedText(item.record, *idField);
        lookUpNames(
            fileField.after, text, position, nameTables(), [&](const ShownReference& shown) {
                if (shown.text.empty() && (position == 1 || position == 5))
                    unnamed(item, *idField, text, position == 1 ? m_crit.name : m_misc.name);
            });
    }

    // Item against item: the same ID or text ID twice, names that differ only in
    // letter case, and each weapon's default ammo.
    void crossCheck() {
        std::map<std::string, std::string> byLowerName;
        for (const std::string& name : m_names) {
            const auto [it, isNew] = byLowerName.try_emplace(asciiLowered(name), name);
            if (!isNew)
                add(name, joinPath(m_request.itemFolder, name), "file-name-case", "",
                    "the name differs from " + it->second + " only in letter case", true);
        }
        const Field& idField = *fieldByControl("itemIDfield");
        const Field& textIdField = *fieldByControl("textIDfield");
        std::unordered_map<std::string, const Item*> byId;
        std::unordered_map<std::string, const Item*> byTextId;
        for (const Item& item : m_items) {
            const std::string id = displayedText(item.record, idField);
            const auto [it, isNew] = byId.try_emplace(id, &item);
            if (!isNew)
                add(item, "duplicate-item-id", idField.control,
                    "item ID " + id + " is also used by " + it->second->file);
            const std::string textId = displayedText(item.record, textIdField);
            const auto [t, isNewText] = byTextId.try_emplace(textId, &item);
            if (!isNewText)
                add(item, "shared-text-id", textIdField.control,
                    "text ID " + textId + " is also used by " + t->second->file);
            m_textIds.push_back({textId, item.file});
        }
        for (const Item& item : m_items)
            if (item.record.typeName() == "weapon")
                defaultAmmo(item, byId);
    }

    void defaultAmmo(const Item& weapon, const std::unordered_map<std::string, const Item*>& byId) {
        const Field& ammoField = *fieldByControl("ammoIDfield");
        const Field& capacity = *fieldByControl("capacityField");
        const std::string ammo = displayedText(weapon.record, ammoField);
        // A weapon that holds no ammunition needs none.
        if (isDefaultAmmoSentinel(ammo) || std::stoll(displayedText(weapon.record, capacity)) <= 0)
            return;
        const auto it = byId.find(ammo);
        if (it == byId.end() || it->second->record.typeName() != "ammo") {
            add(weapon, "default-ammo-not-ammo", ammoField.control,
                labelOf(ammoField) + " " + ammo + " is not the item ID of an ammo item here" +
                    (it == byId.end()
                         ? std::string()
                         : " (it is " + it->second->file + ", " +
                               (!it->second->record.type
                                    ? std::string("of no known type")
                                    : "a " + std::string(it->second->record.typeName())) +
                               ")"));
            return;
        }
        const Field& calibre = *fieldByControl("ammoTypeIDfield");
        const Field& ammoCalibre = *fieldByControl("ammoTypeList");
        const std::string mine = displayedText(weapon.record, calibre);
        const std::string theirs = displayedText(it->second->record, ammoCalibre);
        if (mine != theirs)
            add(weapon, "calibre-mismatch", calibre.control,
                labelOf(calibre) + " " + mine + " differs from the calibre " + theirs + " of " +
                    it->second->file + ", the default ammo");
    }

    void checkTables() {
        for (const Table* t : {&m_proItem, &m_proto, &m_stat, &m_crit, &m_misc}) {
            if (!t->read)
                continue;
            const auto uses = t == &m_proItem ? std::span<const TextIdUse>(m_textIds)
                                              : std::span<const TextIdUse>();
            for (Finding& f : checkMessageTable(t->name, t->text(), uses, &*t->messages)) {
                f.path = t->path;
                m_out.push_back(std::move(f));
            }
        }
    }

    const CheckRequest& m_request;
    std::vector<Finding> m_out;
    Table m_proItem, m_proto, m_stat, m_crit, m_misc;
    ArtList m_ground, m_inven, m_critters;
    std::vector<std::string> m_names; // every *.pro entry of the folder
    std::vector<Item> m_items;        // those that could be read
    std::vector<TextIdUse> m_textIds;
    std::unique_ptr<unsigned char[]> m_buffer; // one item file's bytes at a time
};

} // namespace

std::vector<Finding> checkFolder(const CheckRequest& request) {
    return FolderCheck(request).run();
}

} // namespace zantor
