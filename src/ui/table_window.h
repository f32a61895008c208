// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/folder_table.h"

#include <QModelIndexList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QToolButton;
class QUndoStack;

namespace zantor {

class FolderTableModel;
class FolderTableProxy;
class SettingsStore;
class TableDialogs;
class UserDialogs;

// A whole folder of items as one table: sort, filter, choose columns, edit many
// cells at once, copy and paste with spreadsheets, CSV out and in, Save all.
class TableWindow final : public QWidget {
    Q_OBJECT
public:
    /// Reads the folder (with a progress dialog on long reads). Throws Error when
    /// pro_item.msg cannot be read.
    TableWindow(const TableSource& source, SettingsStore& store, UserDialogs& dialogs,
                TableDialogs& tableDialogs, QWidget* parent = nullptr);
    TableWindow(const TableWindow&) = delete;
    TableWindow& operator=(const TableWindow&) = delete;
    ~TableWindow() override;

    /// Opens an item file in the editor; set by whoever opened the table.
    std::function<void(const std::string& path)> openItem;

    FolderTable& table() { return *m_table; }
    QUndoStack* undoStack() const { return m_undo; }

    // Controls.
    QLineEdit* filterField = nullptr;
    QToolButton* columnsButton = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* importButton = nullptr;
    QPushButton* saveAllButton = nullptr;
    QTableView* tableView = nullptr;
    QLabel* countLabel = nullptr;

    /// Shows only the columns that an item of the type has ("" for every column),
    /// as the column chooser's presets do.
    void showColumnsOf(const std::string& typeName);
    /// Whether a column (by key) is shown.
    bool columnShown(std::string_view key) const;

    /// Sets cells (source model indexes) as typed into the form: all or none.
    bool setCells(const QModelIndexList& cells, const QString& text);
    /// Sets several cells to their own texts in one step: all or none.
    bool setCellTexts(const std::vector<std::pair<QModelIndex, QString>>& cells,
                      const QString& what);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class RowsCommand;
    class CellDelegate;

    void buildColumnMenu();
    void setColumnShown(int column, bool shown);
    void loadColumnSettings();
    void storeColumnSettings();
    void updateCount();
    /// Source indexes of the selected cells, in view order.
    QModelIndexList selectedCells() const;
    void openCurrentRow();
    void fillSelection();
    void changeNumbers();
    void copyCells();
    void pasteCells();
    void exportCsv();
    void importCsv();
    /// Save all; false when a file failed or the user must look again.
    bool saveAll();
    /// Puts new row states in as one undoable step.
    void applyStates(std::vector<std::pair<std::size_t, RowState>> states, const QString& what);

    SettingsStore& m_store;
    UserDialogs& m_dialogs;
    TableDialogs& m_tableDialogs;
    std::unique_ptr<FolderTable> m_table;
    FolderTableModel* m_model = nullptr;
    FolderTableProxy* m_proxy = nullptr;
    QUndoStack* m_undo = nullptr;
    QMenu* m_columnMenu = nullptr;
    std::vector<QAction*> m_columnActions;
};

} // namespace zantor
