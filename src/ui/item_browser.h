// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/scan.h"
#include "settings/settings.h"

#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QTimer;
class QToolButton;

namespace zantor {

class ActionRunner;
class UserDialogs;

// The item browser: the folder of item files, the list of its items under the type
// filters, their count, and the progress of a scan. It lists the folder when the folder
// was left changed or a rescan was asked, and asks for the item the user chose to be
// opened (openRequested); whether and how to open it is the window's. Its handlers run
// through the window's action runner, so an error anywhere in an action is shown once.
class ItemBrowser final : public QWidget {
    Q_OBJECT
public:
    using Progress = std::function<void(std::size_t done, std::size_t total)>;
    // What the browser asks of the window that holds it, at the moment it needs it.
    struct Needs {
        std::function<ScanResult(const ScanRequest&, const Progress&)> scan;
        std::function<bool()> quickOpen; // a choice in the list opens its item at once
        std::function<bool()> withNames; // the list shows the items' names
    };

    ItemBrowser(ActionRunner& runner, UserDialogs& dialogs, Needs needs, QWidget* parent);
    ItemBrowser(const ItemBrowser&) = delete;
    ItemBrowser& operator=(const ItemBrowser&) = delete;
    ~ItemBrowser() override;

    /// The folder field's text.
    QString folder() const;
    /// Writes the folder field as a user's edit would (folderEdited follows).
    void setFolder(const QString& folder);
    bool filter(Filter filter) const;
    void setFilter(Filter filter, bool on);
    /// True when the item list must be rebuilt (the folder changed or a rescan was asked).
    bool rescanNeeded() const { return m_rescanNeeded; }

    /// Adds an entry to the item list's context menu; its shortcut works in the window.
    void addListAction(QAction* action);
    /// The Open button, which the window's Enter key clicks.
    QPushButton* openButton() const { return m_open; }

signals:
    /// The user chose an item to open: its path, the folder joined with the entry's
    /// file name as the folder holds it (bytes, whatever their encoding).
    void openRequested(const std::string& path);
    /// The user or the program wrote the folder field.
    void folderEdited(const QString& folder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void connectHandlers();
    void run(const std::function<void()>& handler);
    QCheckBox* filterBox(Filter filter) const;
    QListWidgetItem* selectedEntry() const;

    void folderChanged();
    void chooseFolder();
    void rescan();
    void allFilterClicked();
    void startScan();
    void scanNow();
    void entryChosen();
    void openChosen();

    ActionRunner& m_runner;
    UserDialogs& m_dialogs;
    Needs m_needs;

    QLineEdit* m_folder = nullptr;
    QToolButton* m_browse = nullptr;
    QListWidget* m_list = nullptr;
    QGroupBox* m_filters = nullptr;
    QCheckBox* m_weapon = nullptr;
    QCheckBox* m_armor = nullptr;
    QCheckBox* m_ammo = nullptr;
    QCheckBox* m_drug = nullptr;
    QCheckBox* m_container = nullptr;
    QCheckBox* m_key = nullptr;
    QCheckBox* m_misc = nullptr;
    QCheckBox* m_all = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_loading = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_open = nullptr;
    QTimer* m_scanTimer = nullptr;

    bool m_programFillsList = false;
    bool m_listPressPending = false; // a mouse press on the item list not yet answered
    bool m_rescanNeeded = false;
    // The file of each entry of the item list, by row: its name's bytes as the folder
    // holds them, whatever their encoding.
    std::vector<std::string> m_listedFiles;
};

} // namespace zantor
