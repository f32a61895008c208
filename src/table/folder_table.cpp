// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/folder_table.h"

#include "browser/scan.h"
#include "common/error.h"
#include "common/files.h"
#include "common/numbers.h"
#include "record/item_file.h"
#include "session/edit_session.h"
#include "session/reference_names.h"
#include "texts/art.h"
#include "texts/encoding.h"
#include "texts/item_texts.h"
#include "texts/references.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <deque>

namespace zantor {

namespace {

constexpr std::string_view kTextIdControl = "textIDfield";

std::size_t fieldCount() {
    return allFields().size();
}

// A message file read once; an unreadable one answers every id with "".
MessageSnapshot snapshotOrEmpty(const std::string& path) {
    try {
        return MessageSnapshot(path);
    } catch (const std::exception&) {
        return MessageSnapshot::fromBytes({});
    }
}

template <class F> std::vector<std::string> orEmpty(F&& read) {
    try {
        return read();
    } catch (const std::exception&) {
        return {};
    }
}

// The entries a list field's control holds, Windows-1252, as the form fills them.
std::vector<std::string> listEntries(const Field& f, const DerivedPaths& paths) {
    std::vector<std::string> e;
    switch (f.kind) {
    case FieldKind::ItemType:
        return {kItemTypeNames.begin(), kItemTypeNames.end()};
    case FieldKind::AttackMode:
        return {kAttackModeNames.begin(), kAttackModeNames.end()};
    case FieldKind::ListByte:
        return {kLooksNames.begin(), kLooksNames.end()};
    case FieldKind::ProjectileFile:
        for (int i = 0; i < kProjectileFileCount; ++i)
            e.emplace_back(projectileFileName(i));
        return e;
    case FieldKind::Addiction:
        for (const auto& a : kAddictions)
            e.emplace_back(a.name);
        return e;
    case FieldKind::Statistic:
        return orEmpty([&] { return statEntries(paths.statMsg, f.withMinEntry); });
    case FieldKind::ListWhole:
    case FieldKind::ListCoded:
        switch (f.after) {
        case Refresh::GroundPreview:
            return orEmpty([&] { return readListFile(paths.itemsLst); });
        case Refresh::InventoryPreview:
            return orEmpty([&] { return readListFile(paths.invenLst); });
        case Refresh::MaleLooks:
        case Refresh::FemaleLooks:
            return orEmpty([&] { return readListFile(paths.crittersLst); });
        default:
            return orEmpty([&] { return calibreEntries(paths.protoMsg); });
        }
    default:
        return e;
    }
}

// The number a list stores for a position.
std::int64_t storedForPosition(const Field& f, int p) {
    if (f.kind == FieldKind::Statistic)
        return f.withMinEntry && p == f.listSize - 1 ? -2 : p - 1;
    if (f.kind == FieldKind::Addiction)
        return addictionCodeAt(p);
    return p;
}

// The position that shows a stored number, or -1.
int positionForStored(const Field& f, std::int64_t v, std::size_t entryCount) {
    std::int64_t p = v;
    if (f.kind == FieldKind::Statistic)
        p = f.withMinEntry && v == -2 ? f.listSize - 1 : v + 1;
    if (f.kind == FieldKind::Addiction) {
        p = addictionPosition(static_cast<std::int32_t>(v));
        if (addictionCodeAt(static_cast<int>(p)) != v)
            return -1;
    }
    const std::int64_t size = f.listSize > 0 ? f.listSize : static_cast<std::int64_t>(entryCount);
    return p >= 0 && p < size && p < static_cast<std::int64_t>(entryCount) ? static_cast<int>(p)
                                                                           : -1;
}

// The number a list holds in the record when it shows no entry.
std::int64_t storedInRecord(const ItemRecord& r, const Field& f) {
    if (f.kind == FieldKind::ListCoded)
        return readField(r, f.section, f.offset + 1, 3);
    if (f.kind == FieldKind::AttackMode)
        return (r.header[kAttackModeOffset] >> f.nibbleShift) & 0x0F;
    return readField(r, f.section, f.offset, f.width);
}

std::string descriptionOf(const MessageSnapshot& proItem, std::string_view textId) {
    try {
        return proItem.lookup(std::to_string(addChecked(toInt(textId), 1, textId)));
    } catch (const std::exception&) {
        return {};
    }
}

RowState displayState(ItemRecord& record, const TableTexts& texts) {
    RowState s;
    recordDisplay(record, s.form);
    s.addictionCode = record.addictionCode;
    const std::string textId = s.form.text(kTextIdControl);
    s.name = texts.proItem().lookup(textId);
    s.description = descriptionOf(texts.proItem(), textId);
    return s;
}

std::size_t utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// The Windows-1252 text of a name or description, refused as the form refuses it.
std::string itemText(std::string_view text, bool isName) {
    const std::string_view what = isName ? "name" : "description";
    if (isName && text.find_first_of("\r\n") != std::string_view::npos)
        throw Error("The name is one line: it cannot hold a line break");
    checkStorable(text, what);
    return encodeWindows1252Exactly(text, what);
}

// A description's line breaks as the entry holds them: CR LF, however they were typed.
std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

Error notEntry(std::string_view text, const Field& f) {
    return Error("'" + std::string(text) + "' is not an entry of " + std::string(f.control));
}

// The list position a typed cell names: an entry's text (letter case ignored), or
// the number the list stores.
int chosenPosition(const Field& f, std::string_view text, const std::vector<std::string>& entries) {
    int found = -1;
    int matches = 0;
    const std::string bytes = encodeWindows1252(text);
    if (decodeWindows1252(bytes) == text) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (equalIgnoringCase(entries[i], bytes)) {
                if (matches++ == 0)
                    found = static_cast<int>(i);
            }
        }
    }
    if (matches > 1)
        throw Error("'" + std::string(text) + "' is ambiguous: " + std::to_string(matches) +
                    " entries of " + std::string(f.control) + " read so");
    if (matches == 1)
        return found;
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw notEntry(text, f);
    const int p = positionForStored(f, v, entries.size());
    if (p < 0)
        throw notEntry(text, f);
    return p;
}

} // namespace

// RowForm

RowForm::RowForm() : m_text(fieldCount()), m_position(fieldCount(), -1) {}

std::string RowForm::text(std::string_view control) const {
    const int slot = fieldSlot(control);
    return slot < 0 ? std::string() : textAt(slot);
}

void RowForm::setText(std::string_view control, const std::string& text) {
    if (const int slot = fieldSlot(control); slot >= 0)
        setTextAt(slot, text);
}

int RowForm::position(std::string_view control) const {
    const int slot = fieldSlot(control);
    return slot < 0 ? -1 : positionAt(slot);
}

void RowForm::setPosition(std::string_view control, int position) {
    if (const int slot = fieldSlot(control); slot >= 0)
        setPositionAt(slot, position);
}

void RowForm::refresh(Refresh what) {
    constexpr std::string_view ammo = "ammoIDfield";
    if (what == Refresh::DefaultAmmoName && isDefaultAmmoSentinel(text(ammo)))
        setText(ammo, "0");
}

// TableTexts

TableTexts::TableTexts(const DerivedPaths& paths)
    : m_proItem(paths.proItemMsg), m_proto(snapshotOrEmpty(paths.protoMsg)),
      m_proCrit(snapshotOrEmpty(paths.proCritMsg)), m_proMisc(snapshotOrEmpty(paths.proMiscMsg)),
      m_entries(fieldCount()), m_shownEntries(fieldCount()) {
    const auto all = allFields();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!isListField(*all[i]))
            continue;
        m_entries[i] = listEntries(*all[i], paths);
        for (const std::string& e : m_entries[i])
            m_shownEntries[i].push_back(decodeWindows1252(e));
    }
}

const std::vector<std::string>& TableTexts::entries(const Field& field) const {
    return m_entries[static_cast<std::size_t>(fieldSlot(field))];
}

const std::vector<std::string>& TableTexts::shownEntries(const Field& field) const {
    return m_shownEntries[static_cast<std::size_t>(fieldSlot(field))];
}

std::string TableTexts::referenceName(Refresh which, int slot, const RowForm& form) const {
    // The number as the row shows it (the default ammunition marker already as "0").
    const Field& named = *allFields()[static_cast<std::size_t>(slot)];
    const int fireFile = named.linked.empty() ? -1 : form.position(named.linked);
    const NameTables tables{
        .proto = &m_proto, .proItem = &m_proItem, .crit = &m_proCrit, .misc = &m_proMisc};
    std::string name;
    lookUpNames(which, form.textAt(slot), fireFile, tables,
                [&](const ShownReference& shown) { name = shown.text; });
    return name;
}

// FolderTable

FolderTable::FolderTable(const TableSource& source,
                         const std::function<void(std::size_t, std::size_t)>& progress)
    : m_source(source), m_texts(source.paths) {
    ScanRequest request;
    request.types = source.types;
    request.all = source.all;
    // The item browser's files in its order of file names; each file is read once.
    std::vector<ListEntry> files;
    // An empty folder is the browser's top folder, as in the item list.
    if (!source.folder.empty())
        requireFolder(source.folder);
    try {
        for (std::string& name : itemFileNames(source.folder))
            files.push_back({name, std::move(name)});
    } catch (const std::exception& e) {
        m_readProblems.push_back(e.what());
    }
    sortEntries(files);
    const std::string folder = utf8Of(resolvePath(source.folder));
    m_rows.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        TableRow row;
        row.fileName = std::move(files[i].fileName);
        try {
            const Bytes data =
                readFileStart(joinPath(folder, row.fileName), kLargestItemFile + 1, nullptr);
            // Passed over as the browser passes them over: too short to classify, or
            // of a type the filters leave out.
            if (data.size() >= kScanHeaderSize && admits(request, data[kTypeByteOffset])) {
                readItemBytes(data, row.record);
                row.shown = displayState(row.record, m_texts);
                m_rows.push_back(std::move(row));
            }
        } catch (const std::exception& e) {
            m_readProblems.push_back(row.fileName + ": " + e.what());
        }
        if (progress)
            progress(i + 1, files.size());
    }
}

std::optional<std::size_t> FolderTable::rowOfFile(std::string_view fileName) const {
    std::optional<std::size_t> folded;
    int foldedCount = 0;
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].fileName == fileName)
            return r;
        if (equalIgnoringCase(m_rows[r].fileName, fileName)) {
            folded = r;
            ++foldedCount;
        }
    }
    return foldedCount == 1 ? folded : std::nullopt;
}

std::string FolderTable::cellIn(const TableRow& row, const RowState& s, int column) const {
    const Column& c = tableColumns()[static_cast<std::size_t>(column)];
    if (!c.appliesTo(row.record.typeName()))
        return {};
    switch (c.kind) {
    case ColumnKind::File:
        return row.fileName;
    case ColumnKind::Type:
        return std::string(row.record.typeName());
    case ColumnKind::Name:
        return decodeWindows1252(s.name);
    case ColumnKind::Description:
        return decodeWindows1252(s.description);
    case ColumnKind::Reference:
        return decodeWindows1252(m_texts.referenceName(c.reference, c.slot, s.form));
    case ColumnKind::Field:
        break;
    }
    const Field& f = *c.field;
    if (!isListField(f))
        return s.form.textAt(c.slot);
    const std::vector<std::string>& entries = m_texts.shownEntries(f);
    if (f.kind == FieldKind::Addiction) {
        const int p = addictionPosition(s.addictionCode);
        return addictionCodeAt(p) == s.addictionCode && static_cast<std::size_t>(p) < entries.size()
                   ? entries[static_cast<std::size_t>(p)]
                   : std::to_string(s.addictionCode);
    }
    const int p = s.form.positionAt(c.slot);
    if (p >= 0 && static_cast<std::size_t>(p) < entries.size())
        return entries[static_cast<std::size_t>(p)];
    return std::to_string(p >= 0 ? storedForPosition(f, p) : storedInRecord(row.record, f));
}

std::string FolderTable::cell(std::size_t r, int column) const {
    return cellIn(m_rows[r], m_rows[r].edited(), column);
}

std::string FolderTable::shownCell(std::size_t r, int column) const {
    return cellIn(m_rows[r], m_rows[r].shown, column);
}

std::string FolderTable::cellOf(std::size_t r, const RowState& state, int column) const {
    return cellIn(m_rows[r], state, column);
}

bool FolderTable::rowChanged(std::size_t r) const {
    if (!m_rows[r].edits) // never edited: nothing to compare (isChanged says so too)
        return false;
    const std::size_t n = tableColumns().size();
    for (std::size_t c = 0; c < n; ++c)
        if (isChanged(r, static_cast<int>(c)))
            return true;
    return false;
}

std::size_t FolderTable::changedRowCount() const {
    std::size_t n = 0;
    for (std::size_t r = 0; r < m_rows.size(); ++r)
        n += rowChanged(r);
    return n;
}

bool FolderTable::editable(std::size_t r, int column) const {
    const Column& c = tableColumns()[static_cast<std::size_t>(column)];
    return c.editable() && c.appliesTo(m_rows[r].record.typeName());
}

std::optional<std::int64_t> FolderTable::sortNumber(std::size_t r, int column) const {
    const Column& c = tableColumns()[static_cast<std::size_t>(column)];
    if (!c.isNumber() || !c.appliesTo(m_rows[r].record.typeName()))
        return std::nullopt;
    const std::string& text = m_rows[r].edited().form.textAt(c.slot);
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return v;
}

RowState FolderTable::withCell(std::size_t r, int column, std::string_view text) const {
    return withCell(r, m_rows[r].edited(), column, text);
}

RowState FolderTable::withCell(std::size_t r, const RowState& state, int column,
                               std::string_view text) const {
    const TableRow& row = m_rows[r];
    const Column& c = tableColumns()[static_cast<std::size_t>(column)];
    RowState s = state;
    std::string description;
    if (c.kind == ColumnKind::Description)
        text = description = withCrLf(text);
    if (cellIn(row, state, column) == text)
        return s;
    if (!c.appliesTo(row.record.typeName()))
        throw Error(std::string(row.record.typeName()) + " items have no " + std::string(c.key) +
                    ": the cell must be empty");
    if (!c.editable())
        throw Error(std::string(c.key) + " cannot be changed here");
    if (c.kind == ColumnKind::Name || c.kind == ColumnKind::Description) {
        (c.kind == ColumnKind::Name ? s.name : s.description) =
            itemText(text, c.kind == ColumnKind::Name);
        return s;
    }
    const Field& f = *c.field;
    if (isListField(f)) {
        const int p = chosenPosition(f, text, m_texts.entries(f));
        s.form.setPositionAt(c.slot, p);
        if (f.kind == FieldKind::Addiction)
            s.addictionCode = addictionCodeAt(p);
        return s;
    }
    // An edit: the form's conversion decides, and it takes no more than it lets be typed.
    const std::int32_t value = toInt(text);
    if (f.maxLength > 0 && utf8Length(text) > static_cast<std::size_t>(f.maxLength))
        throw Error("'" + std::string(text) + "' is longer than the " +
                    std::to_string(f.maxLength) + " characters that " + std::string(f.control) +
                    " takes");
    s.form.setTextAt(c.slot, std::string(text));
    s.form.refresh(f.after);
    if (f.control == kTextIdControl) {
        // As in the form, another text id shows that entry's name and description.
        addChecked(value, 1, text);
        s.name = m_texts.proItem().lookup(text);
        s.description = descriptionOf(m_texts.proItem(), text);
    }
    return s;
}

void FolderTable::setCell(std::size_t r, int column, std::string_view text) {
    m_rows[r].edits = withCell(r, column, text);
}

FolderTable::SaveReport FolderTable::saveAll(BatchWrite whole) {
    // Each changed item is saved by an editing session, as the form saves it; the
    // session reads the file again and refuses one that changed since the table read it.
    struct Pending {
        std::size_t row = 0;
        EditSession session;
        ItemTextsEdit texts;
        bool withTexts = false;
    };
    SaveReport report;
    const std::string folder = utf8Of(resolvePath(m_source.folder));
    std::deque<Pending> pending; // stays in place: the batch points into it
    std::vector<BatchItem> batch;
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        if (!rowChanged(r))
            continue;
        const TableRow& row = m_rows[r];
        Pending& p = pending.emplace_back();
        p.row = r;
        p.session.setPaths(m_source.paths);
        try {
            p.session.reopen(joinPath(folder, row.fileName), row.record);
        } catch (const std::exception& e) {
            report.failed.emplace_back(row.fileName, e.what());
            pending.pop_back();
            continue;
        }
        const RowState& s = row.edited();
        p.session.setAddictionCode(s.addictionCode);
        p.session.rememberName(row.shown.name);
        p.withTexts = s.name != row.shown.name || s.description != row.shown.description ||
                      s.form.text(kTextIdControl) != row.shown.form.text(kTextIdControl);
        if (p.withTexts)
            p.texts = {s.form.text(kTextIdControl), decodeWindows1252(s.name),
                       decodeWindows1252(s.description)};
        batch.push_back({&p.session, &s.form, p.withTexts ? &p.texts : nullptr});
    }
    if (whole == BatchWrite::AllOrNothing && !report.failed.empty())
        return report;
    const BatchReport done = saveBatch(batch, whole);
    for (const auto& [i, message] : done.failed)
        report.failed.emplace_back(m_rows[pending[i].row].fileName, message);
    for (const std::size_t i : done.textsWritten) {
        TableRow& row = m_rows[pending[i].row];
        row.shown.name = row.edited().name;
        row.shown.description = row.edited().description;
    }
    for (const std::size_t i : done.saved) {
        TableRow& row = m_rows[pending[i].row];
        row.record = pending[i].session.record();
        RowState shown = displayState(row.record, m_texts);
        shown.name = row.edited().name;
        shown.description = row.edited().description;
        row.shown = std::move(shown);
        row.edits.reset();
        report.saved.push_back(row.fileName);
    }
    return report;
}

std::string addToNumber(std::string_view text, std::int64_t delta) {
    const std::int64_t sum = std::int64_t{toInt(text)} + delta;
    if (sum < INT32_MIN || sum > INT32_MAX)
        throw Error(notAnIntegerMessage(std::to_string(sum)));
    return std::to_string(sum);
}

std::string multiplyNumber(std::string_view text, double factor) {
    const double product = std::round(static_cast<double>(toInt(text)) * factor);
    if (!std::isfinite(product) || product < INT32_MIN || product > INT32_MAX)
        throw Error(notAnIntegerMessage(std::to_string(product)));
    return std::to_string(static_cast<std::int64_t>(product));
}

} // namespace zantor
