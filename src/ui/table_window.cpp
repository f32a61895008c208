// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/table_window.h"

#include "common/error.h"
#include "common/files.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "table/csv.h"
#include "table/table_csv.h"
#include "ui/dialogs.h"
#include "ui/table_dialogs.h"
#include "ui/table_model.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>
#include <map>
#include <set>

namespace zantor {

namespace {

// The table window's own key, below the program's settings key.
std::string tableSettingsKey() {
    return std::string(kSettingsKey) + "\\Table";
}
constexpr std::string_view kShownColumnsValue = "Columns";
constexpr std::string_view kWidthsValue = "Column widths";

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const Column& columnAt(int c) {
    return tableColumns()[static_cast<std::size_t>(c)];
}

// "&Weapon columns", "A&rmor columns", ...: a key of its own for each preset.
QString columnsCaption(std::string_view type) {
    QString s = qt(type) + QStringLiteral(" columns");
    s[0] = s[0].toUpper();
    s.insert(type == "armor" || type == "ammo" ? 1 : 0, QLatin1Char('&'));
    return s;
}

} // namespace

// One undoable step: the edits of some rows before and after.
class TableWindow::RowsCommand final : public QUndoCommand {
public:
    struct Change {
        std::size_t row;
        std::optional<RowState> before;
        std::optional<RowState> after;
    };
    RowsCommand(FolderTable& table, FolderTableModel& model, std::vector<Change> changes,
                const QString& text)
        : QUndoCommand(text), m_table(table), m_model(model), m_changes(std::move(changes)) {}
    void redo() override { put(true); }
    void undo() override { put(false); }

private:
    void put(bool after) {
        std::vector<std::size_t> rows;
        for (const Change& c : m_changes) {
            m_table.setEdits(c.row, after ? c.after : c.before);
            rows.push_back(c.row);
        }
        m_model.rowsChanged(rows);
    }
    FolderTable& m_table;
    FolderTableModel& m_model;
    std::vector<Change> m_changes;
};

// Edits a cell as its control in the form: a list opens its entries, a number field
// takes no more characters than the form's; Ctrl+Enter sets every selected cell of
// the column to the value typed.
class TableWindow::CellDelegate final : public QStyledItemDelegate {
public:
    CellDelegate(TableWindow& window) : QStyledItemDelegate(&window), m_window(window) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const Column& c = columnAt(index.column());
        QWidget* editor = nullptr;
        if (c.isList()) {
            auto* list = new QComboBox(parent);
            for (const std::string& e : m_window.table().texts().shownEntries(*c.field))
                list->addItem(qt(e));
            editor = list;
        } else if (c.kind == ColumnKind::Description) {
            editor = new QPlainTextEdit(parent);
        } else {
            auto* edit = new QLineEdit(parent);
            if (c.field && c.field->maxLength > 0)
                edit->setMaxLength(c.field->maxLength);
            editor = edit;
        }
        editor->setAccessibleName(qt(c.label));
        editor->installEventFilter(const_cast<CellDelegate*>(this));
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QString text = index.data(Qt::EditRole).toString();
        if (auto* list = qobject_cast<QComboBox*>(editor)) {
            int at = list->findText(text, Qt::MatchExactly);
            if (at < 0) { // a stored number with no entry: offered as it is
                list->insertItem(0, text);
                at = 0;
            }
            list->setCurrentIndex(at);
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            edit->setText(text);
        } else if (auto* desc = qobject_cast<QPlainTextEdit*>(editor)) {
            desc->setPlainText(text);
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        QString text;
        if (auto* list = qobject_cast<QComboBox*>(editor))
            text = list->currentText();
        else if (auto* edit = qobject_cast<QLineEdit*>(editor))
            text = edit->text();
        else if (auto* desc = qobject_cast<QPlainTextEdit*>(editor))
            text = desc->toPlainText();
        const QModelIndex source = m_window.m_proxy->mapToSource(index);
        QModelIndexList cells{source};
        if (m_fill) {
            cells.clear();
            for (const QModelIndex& i : m_window.selectedCells())
                if (i.column() == source.column())
                    cells << i;
            if (!cells.contains(source))
                cells << source;
        }
        m_window.setCells(cells, text);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(watched);
        if (editor &&
            (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool ctrlEnter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                                   (key->modifiers() & Qt::ControlModifier);
            if (ctrlEnter) {
                event->accept();
                if (event->type() == QEvent::KeyPress) {
                    m_fill = true;
                    emit commitData(editor);
                    m_fill = false;
                    emit closeEditor(editor);
                }
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    TableWindow& m_window;
    mutable bool m_fill = false;
};

TableWindow::TableWindow(const TableSource& source, SettingsStore& store, UserDialogs& dialogs,
                         TableDialogs& tableDialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_store(store), m_dialogs(dialogs),
      m_tableDialogs(tableDialogs) {
    setObjectName(QStringLiteral("tableWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    {
        QProgressDialog progress(QStringLiteral("Reading item files in directory..."), QString(), 0,
                                 0, parent);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        m_table = std::make_unique<FolderTable>(source, [&](std::size_t done, std::size_t total) {
            if (done % 64 == 0 || done == total) {
                progress.setMaximum(static_cast<int>(total));
                progress.setValue(static_cast<int>(done));
            }
        });
    }
    setWindowTitle(QStringLiteral("Zantor | Table - %1").arg(qt(source.folder)));

    filterField = new QLineEdit(this);
    filterField->setObjectName(QStringLiteral("filterField"));
    filterField->setClearButtonEnabled(true);
    filterField->setPlaceholderText(QStringLiteral("Name, file name or ID"));
    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
    filterLabel->setBuddy(filterField);
    filterField->setAccessibleName(QStringLiteral("Filter:"));
    columnsButton = new QToolButton(this);
    columnsButton->setObjectName(QStringLiteral("columnsButton"));
    columnsButton->setText(QStringLiteral("&Columns"));
    columnsButton->setAccessibleName(QStringLiteral("Columns"));
    columnsButton->setPopupMode(QToolButton::InstantPopup);
    exportButton = new QPushButton(QStringLiteral("&Export..."), this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    importButton = new QPushButton(QStringLiteral("&Import..."), this);
    importButton->setObjectName(QStringLiteral("importButton"));
    saveAllButton = new QPushButton(QStringLiteral("Save &all"), this);
    saveAllButton->setObjectName(QStringLiteral("saveAllButton"));
    tableView = new QTableView(this);
    tableView->setObjectName(QStringLiteral("tableView"));
    tableView->setAccessibleName(QStringLiteral("Items"));
    countLabel = new QLabel(this);
    countLabel->setObjectName(QStringLiteral("countLabel"));

    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(filterField, 1);
    top->addWidget(columnsButton);
    top->addWidget(exportButton);
    top->addWidget(importButton);
    top->addWidget(saveAllButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tableView, 1);
    layout->addWidget(countLabel);

    m_model = new FolderTableModel(*m_table, this);
    m_model->editCells = [this](const QModelIndexList& cells, const QString& text) {
        return setCells(cells, text);
    };
    m_proxy = new FolderTableProxy(this);
    m_proxy->setDynamicSortFilter(false);
    m_proxy->setSourceModel(m_model);
    tableView->setModel(m_proxy);
    tableView->setItemDelegate(new CellDelegate(*this));
    tableView->setSortingEnabled(true);
    tableView->sortByColumn(-1, Qt::AscendingOrder);
    tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // As in spreadsheets: F2 or typing edits a cell; a double-click opens the item.
    tableView->setEditTriggers(QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    tableView->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tableView->horizontalHeader()->setSectionsMovable(true);
    tableView->installEventFilter(this);

    m_undo = new QUndoStack(this);
    QAction* undo = m_undo->createUndoAction(this, QStringLiteral("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = m_undo->createRedoAction(this, QStringLiteral("&Redo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence::Redo});
    auto* save = new QAction(QStringLiteral("Save &all"), this);
    save->setShortcut(QKeySequence::Save);
    addAction(undo);
    addAction(redo);
    addAction(save);

    // The table's own commands, also in its context menu.
    auto viewAction = [this](const QString& text, const QKeySequence& key, auto slot) {
        auto* a = new QAction(text, tableView);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetShortcut);
        connect(a, &QAction::triggered, this,
                [this, slot] { reportErrors(m_dialogs, this, [this, slot] { (this->*slot)(); }); });
        tableView->addAction(a);
        return a;
    };
    viewAction(QStringLiteral("&Open in the editor\tEnter"), QKeySequence(),
               &TableWindow::openCurrentRow); // Enter: see eventFilter
    viewAction(QStringLiteral("&Set selected cells..."), QKeySequence(Qt::CTRL | Qt::Key_Return),
               &TableWindow::fillSelection);
    viewAction(QStringLiteral("A&dd or multiply..."), QKeySequence(Qt::CTRL | Qt::Key_M),
               &TableWindow::changeNumbers);
    viewAction(QStringLiteral("&Copy"), QKeySequence::Copy, &TableWindow::copyCells);
    viewAction(QStringLiteral("&Paste"), QKeySequence::Paste, &TableWindow::pasteCells);
    tableView->setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(filterField, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_proxy->setFilterText(text);
        updateCount();
    });
    connect(tableView, &QTableView::doubleClicked, this,
            [this] { reportErrors(m_dialogs, this, [this] { openCurrentRow(); }); });
    connect(exportButton, &QPushButton::clicked, this,
            [this] { reportErrors(m_dialogs, this, [this] { exportCsv(); }); });
    connect(importButton, &QPushButton::clicked, this,
            [this] { reportErrors(m_dialogs, this, [this] { importCsv(); }); });
    connect(saveAllButton, &QPushButton::clicked, this, [this] { saveAll(); });
    connect(save, &QAction::triggered, this, [this] { saveAll(); });
    connect(m_undo, &QUndoStack::indexChanged, this, &TableWindow::updateCount);

    buildColumnMenu();
    loadColumnSettings();
    updateCount();
    resize(1000, 600);

    if (!m_table->readProblems().empty()) {
        QStringList lines;
        for (const std::string& p : m_table->readProblems())
            lines << qt(p);
        m_dialogs.showNotice(parent, QStringLiteral("These item files could not be read and are "
                                                    "not in the table:\n") +
                                         lines.join(QLatin1Char('\n')));
    }
}

TableWindow::~TableWindow() {
    // The views and the steps go before the table they show and change.
    delete m_undo;
    delete tableView;
    delete m_proxy;
    delete m_model;
}

void TableWindow::buildColumnMenu() {
    m_columnMenu = new QMenu(columnsButton);
    m_columnMenu->addAction(QStringLiteral("&All columns"), this, [this] { showColumnsOf(""); });
    for (const ItemType& t : kItemTypes) {
        if (sectionFields(t.section).empty())
            continue;
        const std::string type(t.name);
        m_columnMenu->addAction(columnsCaption(t.name), this,
                                [this, type] { showColumnsOf(type); });
    }
    QMenu* each = m_columnMenu->addMenu(QStringLiteral("&Show column"));
    for (std::size_t c = 0; c < tableColumns().size(); ++c) {
        const Column& col = tableColumns()[c];
        QString text = qt(col.key);
        if (!col.type.empty())
            text += QStringLiteral(" (%1)").arg(qt(col.type));
        QAction* a = each->addAction(text);
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::toggled, this, [this, c](bool on) {
            setColumnShown(static_cast<int>(c), on);
            storeColumnSettings();
        });
        m_columnActions.push_back(a);
    }
    columnsButton->setMenu(m_columnMenu);
}

void TableWindow::setColumnShown(int column, bool shown) {
    tableView->setColumnHidden(column, !shown);
    QAction* a = m_columnActions[static_cast<std::size_t>(column)];
    if (a->isChecked() != shown) {
        const QSignalBlocker block(a);
        a->setChecked(shown);
    }
}

void TableWindow::showColumnsOf(const std::string& typeName) {
    for (std::size_t c = 0; c < tableColumns().size(); ++c) {
        const Column& col = tableColumns()[c];
        setColumnShown(static_cast<int>(c), typeName.empty() || col.appliesTo(typeName));
    }
    storeColumnSettings();
}

bool TableWindow::columnShown(std::string_view key) const {
    const int c = columnIndex(key);
    return c >= 0 && !tableView->isColumnHidden(c);
}

void TableWindow::loadColumnSettings() {
    std::string shown;
    std::string widths;
    try {
        if (m_store.OpenKey(tableSettingsKey(), false)) {
            if (m_store.ValueExists(kShownColumnsValue))
                shown = m_store.ReadString(kShownColumnsValue);
            if (m_store.ValueExists(kWidthsValue))
                widths = m_store.ReadString(kWidthsValue);
        }
    } catch (const std::exception&) {
        // A value of another type: the columns start as they are.
    }
    m_store.CloseKey();
    if (!shown.empty() || m_store.KeyExists(tableSettingsKey())) {
        std::set<std::string> keys;
        for (const QString& k : qt(shown).split(QLatin1Char(','), Qt::SkipEmptyParts))
            keys.insert(k.toStdString());
        for (std::size_t c = 0; c < tableColumns().size(); ++c)
            setColumnShown(static_cast<int>(c), keys.count(std::string(tableColumns()[c].key)) > 0);
    }
    for (const QString& pair : qt(widths).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const auto parts = pair.split(QLatin1Char('='));
        bool ok = false;
        const int w = parts.size() == 2 ? parts[1].toInt(&ok) : 0;
        const int c = parts.size() == 2 ? columnIndex(parts[0].toStdString()) : -1;
        if (ok && c >= 0 && w > 0)
            tableView->setColumnWidth(c, w);
    }
}

void TableWindow::storeColumnSettings() {
    QStringList shown;
    QStringList widths;
    for (std::size_t c = 0; c < tableColumns().size(); ++c) {
        const QString key = qt(tableColumns()[c].key);
        if (!tableView->isColumnHidden(static_cast<int>(c))) {
            shown << key;
            widths << QStringLiteral("%1=%2").arg(key).arg(
                tableView->columnWidth(static_cast<int>(c)));
        }
    }
    reportErrors(m_dialogs, this, [&] {
        if (!m_store.OpenKey(tableSettingsKey(), true))
            throw Error(failedToSetDataMessage(kShownColumnsValue));
        m_store.WriteString(kShownColumnsValue, shown.join(QLatin1Char(',')).toStdString());
        m_store.WriteString(kWidthsValue, widths.join(QLatin1Char(',')).toStdString());
        m_store.CloseKey();
    });
}

void TableWindow::updateCount() {
    countLabel->setText(QStringLiteral("%1 of %2 items shown; %3 changed.")
                            .arg(m_proxy->rowCount())
                            .arg(m_table->rowCount())
                            .arg(m_table->changedRowCount()));
}

QModelIndexList TableWindow::selectedCells() const {
    QModelIndexList cells;
    for (const QModelIndex& i : tableView->selectionModel()->selectedIndexes())
        cells << m_proxy->mapToSource(i);
    return cells;
}

bool TableWindow::setCells(const QModelIndexList& cells, const QString& text) {
    std::vector<std::pair<QModelIndex, QString>> texts;
    for (const QModelIndex& i : cells)
        texts.emplace_back(i, text);
    return setCellTexts(texts, cells.size() == 1
                                   ? QStringLiteral("Edit")
                                   : QStringLiteral("Set %1 cells").arg(cells.size()));
}

bool TableWindow::setCellTexts(const std::vector<std::pair<QModelIndex, QString>>& cells,
                               const QString& what) {
    // Every cell is checked, in row order, before any is set.
    std::map<std::size_t, RowState> states;
    QStringList problems;
    for (const auto& [index, text] : cells) {
        const auto r = static_cast<std::size_t>(index.row());
        auto it = states.find(r);
        if (it == states.end())
            it = states.emplace(r, m_table->row(r).edited()).first;
        try {
            it->second = m_table->withCell(r, it->second, index.column(), text.toStdString());
        } catch (const std::exception& e) {
            problems << QStringLiteral("%1, %2: %3")
                            .arg(qt(m_table->row(r).fileName), qt(columnAt(index.column()).key),
                                 QString::fromUtf8(e.what()));
        }
    }
    if (!problems.isEmpty()) {
        m_dialogs.showError(this, problems.size() == 1
                                      ? problems.front().section(QStringLiteral(": "), 1)
                                      : QStringLiteral("Nothing was changed:\n") +
                                            problems.join(QLatin1Char('\n')));
        return false;
    }
    applyStates({states.begin(), states.end()}, what);
    return true;
}

void TableWindow::applyStates(std::vector<std::pair<std::size_t, RowState>> states,
                              const QString& what) {
    std::vector<RowsCommand::Change> changes;
    for (auto& [r, state] : states) {
        RowsCommand::Change c{r, m_table->row(r).edits, std::move(state)};
        changes.push_back(std::move(c));
    }
    if (!changes.empty())
        m_undo->push(new RowsCommand(*m_table, *m_model, std::move(changes), what));
    updateCount();
}

void TableWindow::openCurrentRow() {
    const QModelIndex current = m_proxy->mapToSource(tableView->currentIndex());
    if (!current.isValid() || !openItem)
        return;
    const TableRow& row = m_table->row(static_cast<std::size_t>(current.row()));
    openItem(joinPath(m_table->source().folder, row.fileName));
}

void TableWindow::fillSelection() {
    const QModelIndex current = tableView->currentIndex();
    if (current.isValid() && (current.flags() & Qt::ItemIsEditable))
        tableView->edit(current);
}

void TableWindow::changeNumbers() {
    const QModelIndex current = m_proxy->mapToSource(tableView->currentIndex());
    if (!current.isValid())
        return;
    const Column& col = columnAt(current.column());
    if (!col.isNumber())
        throw Error("Add and multiply work on number columns; " + std::string(col.key) +
                    " is not one");
    QModelIndexList cells;
    for (const QModelIndex& i : selectedCells())
        if (i.column() == current.column() &&
            m_table->editable(static_cast<std::size_t>(i.row()), i.column()))
            cells << i;
    if (cells.isEmpty())
        return;
    const auto change =
        m_tableDialogs.askNumberChange(this, qt(col.key), static_cast<int>(cells.size()));
    if (!change)
        return;
    std::vector<std::pair<QModelIndex, QString>> texts;
    QStringList problems;
    for (const QModelIndex& i : cells) {
        const std::string now = m_table->cell(static_cast<std::size_t>(i.row()), i.column());
        try {
            texts.emplace_back(
                i,
                qt(change->multiply ? multiplyNumber(now, change->value)
                                    : addToNumber(now, static_cast<std::int64_t>(change->value))));
        } catch (const std::exception& e) {
            problems << QStringLiteral("%1, %2: %3")
                            .arg(qt(m_table->row(static_cast<std::size_t>(i.row())).fileName),
                                 qt(col.key), QString::fromUtf8(e.what()));
        }
    }
    if (!problems.isEmpty())
        throw Error(("Nothing was changed:\n" + problems.join(QLatin1Char('\n'))).toStdString());
    setCellTexts(texts, change->multiply ? QStringLiteral("Multiply") : QStringLiteral("Add"));
}

void TableWindow::copyCells() {
    const QModelIndexList selected = tableView->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    // The block the selection spans, in the view's order of rows and columns.
    std::set<int> rows;
    std::set<int> visual;
    std::set<std::pair<int, int>> chosen;
    for (const QModelIndex& i : selected) {
        rows.insert(i.row());
        const int v = tableView->horizontalHeader()->visualIndex(i.column());
        visual.insert(v);
        chosen.emplace(i.row(), v);
    }
    std::string text;
    for (const int r : rows) {
        CsvRecord record;
        for (const int v : visual) {
            const int c = tableView->horizontalHeader()->logicalIndex(v);
            record.push_back(chosen.count({r, v})
                                 ? m_proxy->index(r, c).data().toString().toStdString()
                                 : std::string());
        }
        text += csvRecord(record, '\t', "\n");
    }
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void TableWindow::pasteCells() {
    const QModelIndex current = tableView->currentIndex();
    if (!current.isValid())
        return;
    const std::string text = QApplication::clipboard()->text().toStdString();
    const std::vector<CsvRecord> block = readCsv(text, '\t');
    // Columns from the current one on, in the view's order, hidden ones passed over.
    std::vector<int> columns;
    auto* header = tableView->horizontalHeader();
    for (int v = header->visualIndex(current.column()); v < header->count(); ++v) {
        const int c = header->logicalIndex(v);
        if (!tableView->isColumnHidden(c))
            columns.push_back(c);
    }
    std::vector<std::pair<QModelIndex, QString>> cells;
    for (std::size_t i = 0; i < block.size(); ++i) {
        const int row = current.row() + static_cast<int>(i);
        if (row >= m_proxy->rowCount() || block[i].size() > columns.size())
            throw Error("The pasted block does not fit into the table from the current cell on");
        for (std::size_t j = 0; j < block[i].size(); ++j)
            cells.emplace_back(m_proxy->mapToSource(m_proxy->index(row, columns[j])),
                               QString::fromStdString(block[i][j]));
    }
    setCellTexts(cells, QStringLiteral("Paste"));
}

void TableWindow::exportCsv() {
    const QString path = m_dialogs.chooseSaveFile(
        this, qt(m_table->source().folder), QStringLiteral("items.csv"),
        {QStringLiteral("CSV files (*.csv)"), QStringLiteral("All files (*)")});
    if (path.isEmpty())
        return;
    std::vector<int> columns;
    auto* header = tableView->horizontalHeader();
    for (int v = 0; v < header->count(); ++v) {
        const int c = header->logicalIndex(v);
        if (!tableView->isColumnHidden(c))
            columns.push_back(c);
    }
    std::vector<std::size_t> rows;
    for (int r = 0; r < m_proxy->rowCount(); ++r)
        rows.push_back(static_cast<std::size_t>(m_proxy->mapToSource(m_proxy->index(r, 0)).row()));
    const std::string csv = zantor::exportCsv(*m_table, columns, rows);
    writeFileAtomic(path.toStdString(), csv.data(), csv.size());
}

void TableWindow::importCsv() {
    const QString path = m_tableDialogs.chooseOpenFile(
        this, qt(m_table->source().folder),
        {QStringLiteral("CSV files (*.csv)"), QStringLiteral("All files (*)")});
    if (path.isEmpty())
        return;
    const Bytes bytes = readFile(path.toStdString());
    ImportPlan plan = planImport(
        *m_table, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!plan.ok()) {
        QStringList lines;
        for (const ImportProblem& p : plan.problems)
            lines << qt(p.text());
        m_dialogs.showError(this, QStringLiteral("Nothing was imported; %1 %2:\n")
                                          .arg(lines.size())
                                          .arg(lines.size() == 1 ? QStringLiteral("problem")
                                                                 : QStringLiteral("problems")) +
                                      lines.join(QLatin1Char('\n')));
        return;
    }
    if (plan.changes.empty()) {
        m_dialogs.showNotice(this, QStringLiteral("The file changes nothing in the table."));
        return;
    }
    QStringList lines;
    for (const ImportChange& c : plan.changes)
        lines << qt(c.text());
    if (!m_tableDialogs.confirmImport(this, lines))
        return;
    applyStates(std::move(plan.states), QStringLiteral("Import"));
}

bool TableWindow::saveAll() {
    FolderTable::SaveReport report;
    const bool ok = reportErrors(m_dialogs, this, [&] { report = m_table->saveAll(); });
    m_model->allChanged();
    if (!report.saved.empty())
        m_undo->clear(); // the steps before were taken against what the files held then
    updateCount();
    if (!ok)
        return false;
    if (!report.failed.empty()) {
        QStringList lines;
        for (const auto& [file, message] : report.failed)
            lines << QStringLiteral("%1: %2").arg(qt(file), qt(message));
        m_dialogs.showError(this, QStringLiteral("These items could not be saved; their changes "
                                                 "are still in the table:\n") +
                                      lines.join(QLatin1Char('\n')));
        return false;
    }
    return true;
}

void TableWindow::closeEvent(QCloseEvent* event) {
    storeColumnSettings();
    const std::size_t changed = m_table->changedRowCount();
    if (changed == 0) {
        event->accept();
        return;
    }
    const auto answer = m_dialogs.ask(
        this, QMessageBox::Warning, QStringLiteral("Warning"),
        QStringLiteral("%1 items in the table have changes that are not saved. Save them?")
            .arg(changed),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && !saveAll()))
        event->ignore();
    else
        event->accept();
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a row (not in a cell's editor, which takes its own Enter) opens the item.
    if (watched == tableView && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            reportErrors(m_dialogs, this, [this] { openCurrentRow(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zantor
