// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings.h"
#include "ui/config_host.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace zantor {

class SettingsStore;
class UserDialogs;

// The configuration window: the four preferences and the four folders of the
// game's tables. While hidden, its controls hold the live values. Done stores them and
// reloads what the main window derives from the folders; Cancel (result 2) leaves the
// main window to read the stored values back.
class TconfigWindow final : public QDialog {
    Q_OBJECT
public:
    TconfigWindow(UserDialogs& dialogs, SettingsStore& store, ConfigHost& host,
                  QWidget* parent = nullptr);
    TconfigWindow(const TconfigWindow&) = delete;
    TconfigWindow& operator=(const TconfigWindow&) = delete;

    QCheckBox* preferenceBox(Preference preference) const;
    QLineEdit* folderField(Folder folder) const;
    /// The main window's active page while this window is shown.
    void setPageTag(int page) { m_tag = page; }
    int pageTag() const { return m_tag; }

    QTabWidget* configPages = nullptr;
    QWidget* settingsPage = nullptr;
    QWidget* dirPage = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QCheckBox* fileNamesOnly = nullptr;
    QCheckBox* quickOpen = nullptr;
    QCheckBox* askIfSaveCheck = nullptr;
    QCheckBox* saveOnOpen = nullptr;
    QPushButton* uninstallButton = nullptr;
    QLineEdit* msgDir = nullptr;
    QToolButton* proItemBrowse = nullptr;
    QLineEdit* itemsLstDirField = nullptr;
    QToolButton* itemLstBrowse = nullptr;
    QLineEdit* invenLstDirField = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QLineEdit* critLstDirField = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* doneButton = nullptr;

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void _browseProItem();
    void _browseItemsLst();
    void _browseInvLst();
    void SpeedButton2Click();
    void browseInto(QLineEdit* field);
    void doneButtonClick();
    void _writeDirectories();
    void uninstallButtonClick();

    UserDialogs& m_dialogs;
    SettingsStore& m_store;
    ConfigHost& m_host;
    int m_tag = 0;
};

} // namespace zantor
