// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/configwindow.h"

#include "common/files.h"
#include "settings/settings_store.h"
#include "ui/dialogs.h"
#include "ui/look.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace zantor {

TconfigWindow::TconfigWindow(UserDialogs& dialogs, SettingsStore& store, ConfigHost& host,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_dialogs(dialogs), m_store(store), m_host(host) {
    setObjectName(QStringLiteral("configWindow"));
    setWindowTitle(QStringLiteral("Configuration"));
    applyLook(this);

    configPages = new QTabWidget(this);
    configPages->setObjectName(QStringLiteral("configPages"));
    configPages->setFocusPolicy(Qt::NoFocus);
    settingsPage = new QWidget(configPages);
    settingsPage->setObjectName(QStringLiteral("settingsPage"));
    dirPage = new QWidget(configPages);
    dirPage->setObjectName(QStringLiteral("dirPage"));
    configPages->addTab(settingsPage, QStringLiteral("Preferences"));
    configPages->addTab(dirPage, QStringLiteral("Directories"));

    auto check = [](QGroupBox* g, const char* name, const char* caption, const char* hint) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), g);
        box->setObjectName(QString::fromLatin1(name));
        box->setToolTip(QString::fromLatin1(hint));
        return box;
    };
    GroupBox1 = new QGroupBox(QStringLiteral("[ File opening / listing ]"), settingsPage);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    fileNamesOnly = check(GroupBox1, "fileNamesOnly", "Show item names",
                          "If unchecked, Zantor will only list filenames in open dialog. Use this "
                          "to speed up file listing (a lot)");
    quickOpen = check(GroupBox1, "quickOpen", "Quick open",
                      "If checked, files from the file list will be opened as soon as they're "
                      "selected, without having to press Open button.");
    GroupBox2 = new QGroupBox(QStringLiteral("[ Confirmations ]"), settingsPage);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    askIfSaveCheck = check(GroupBox2, "askIfSaveCheck", "Quitting w/o save",
                           "If checked, Zantor will check if the file has been saved when "
                           "quitting, and if not, will ask you if you want to save.");
    saveOnOpen = check(GroupBox2, "saveOnOpen", "Opening another item w/o save",
                       "If checked, Zantor will check if the file has been saved when opening "
                       "another one, and if not, will ask you if you want to save.");
    GroupBox3 = new QGroupBox(QStringLiteral("[ Uninstall ]"), settingsPage);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    uninstallButton =
        new QPushButton(QStringLiteral("Uninstall (remove Registry entries)"), GroupBox3);
    uninstallButton->setObjectName(QStringLiteral("uninstallButton"));
    connect(uninstallButton, &QPushButton::clicked, this, [this] { uninstallButtonClick(); });
    QPalette red = uninstallButton->palette();
    red.setColor(QPalette::ButtonText, Qt::red);
    uninstallButton->setPalette(red);

    for (auto [g, a, b] : {std::tuple{GroupBox1, static_cast<QWidget*>(fileNamesOnly),
                                      static_cast<QWidget*>(quickOpen)},
                           std::tuple{GroupBox2, static_cast<QWidget*>(askIfSaveCheck),
                                      static_cast<QWidget*>(saveOnOpen)}}) {
        auto* v = new QVBoxLayout(g);
        v->setContentsMargins(3, 2, 1, 2);
        v->setSpacing(2);
        v->addWidget(a);
        v->addWidget(b);
    }
    auto* u = new QVBoxLayout(GroupBox3);
    u->setContentsMargins(2, 0, 2, 2);
    u->addWidget(uninstallButton);
    // The three groups stand in a row along the top of the page, each 63 pixels high.
    auto* prefs = new QHBoxLayout(settingsPage);
    prefs->setContentsMargins(0, 2, 0, 2);
    prefs->setSpacing(2);
    for (QGroupBox* group : {GroupBox1, GroupBox2, GroupBox3}) {
        group->setFixedHeight(63);
        // The first two take the room their captions need, the uninstall group the rest.
        prefs->addWidget(group, group == GroupBox3 ? 1 : 0, Qt::AlignTop);
    }

    auto* dirs = new QGridLayout(dirPage);
    dirs->setContentsMargins(4, 2, 4, 2);
    dirs->setVerticalSpacing(0);
    auto folderRow = [&](int row, QLineEdit*& field, const char* name, const char* label,
                         QToolButton*& button, const char* buttonName,
                         void (TconfigWindow::*handler)()) {
        field = new QLineEdit(dirPage);
        field->setObjectName(QString::fromLatin1(name));
        auto* l = new QLabel(QString::fromLatin1(label), dirPage);
        l->setBuddy(field);
        field->setAccessibleName(QString::fromLatin1(label));
        button = new QToolButton(dirPage);
        button->setObjectName(QString::fromLatin1(buttonName));
        button->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        button->setToolTip(QStringLiteral("Choose a folder"));
        dirs->addWidget(l, row * 2, 0, 1, 2);
        dirs->addWidget(field, row * 2 + 1, 0);
        dirs->addWidget(button, row * 2 + 1, 1);
        connect(button, &QToolButton::clicked, this, handler);
    };
    folderRow(0, msgDir, "msgDir", "*.msg files:", proItemBrowse, "proItemBrowse",
              &TconfigWindow::_browseProItem);
    folderRow(1, itemsLstDirField, "itemsLstDirField", "items.lst:", itemLstBrowse, "itemLstBrowse",
              &TconfigWindow::_browseItemsLst);
    folderRow(2, invenLstDirField, "invenLstDirField", "inven.lst:", SpeedButton1, "SpeedButton1",
              &TconfigWindow::_browseInvLst);
    folderRow(3, critLstDirField, "critLstDirField", "critters.lst:", SpeedButton2, "SpeedButton2",
              &TconfigWindow::SpeedButton2Click);

    cancelButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                   QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    doneButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                 QStringLiteral("Done"), this);
    doneButton->setObjectName(QStringLiteral("doneButton"));
    doneButton->setDefault(true);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(doneButton, &QPushButton::clicked, this, &TconfigWindow::doneButtonClick);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 3, 4);
    root->addWidget(configPages, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 0, 0, 0);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);
    buttons->addWidget(doneButton);
    root->addLayout(buttons);
    setTabOrder(configPages, doneButton);
    setTabOrder(doneButton, cancelButton);
    FormCreate();
    fixClientSize(this, {525, 221});
}

void TconfigWindow::FormCreate() {
    uninstallButton->setText(QStringLiteral("Uninstall\n(remove Windows Registry entries)"));
}

void TconfigWindow::setVisible(bool visible) {
    if (visible && !isVisible())
        centreOnScreen(this);
    QDialog::setVisible(visible);
}

void TconfigWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TconfigWindow::FormShow() {
    doneButton->setFocus();
}

void TconfigWindow::keyPressEvent(QKeyEvent* event) {
    // Enter clicks the folder button that has the focus, as it does a focused push button;
    // anywhere else it is Done.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QToolButton*>(focusWidget())) {
            button->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TconfigWindow::_browseProItem() {
    browseInto(msgDir);
}

void TconfigWindow::_browseItemsLst() {
    browseInto(itemsLstDirField);
}

void TconfigWindow::_browseInvLst() {
    browseInto(invenLstDirField);
}

void TconfigWindow::SpeedButton2Click() {
    browseInto(critLstDirField);
}

void TconfigWindow::browseInto(QLineEdit* field) {
    // Only the field changes; nothing is stored or applied before Done.
    const QString folder =
        m_dialogs.chooseFolder(this, field->text(), QString::fromLatin1(kFolderPrompt));
    if (!folder.isEmpty())
        field->setText(folder);
}

void TconfigWindow::doneButtonClick() {
    // The result is Done's whatever the handler meets: what it did up to an error stays
    // done, and the window closes all the same.
    setResult(QDialog::Accepted);
    reportErrors(m_dialogs, this, [this] {
        _writeDirectories();
        m_host.rethrowKeptError();
    });
    m_host.forgetKeptError();
    accept();
}

void TconfigWindow::_writeDirectories() {
    // No key stays current after Done, also when a list cannot be loaded.
    struct KeyCloser {
        SettingsStore& store;
        ~KeyCloser() { store.CloseKey(); }
    } closer{m_store};

    openForWriting(m_store); // a key that cannot be opened fails at the first write
    PreferenceStates preferences;
    for (const auto& v : kPreferenceValues)
        preferences[v.preference] = preferenceBox(v.preference)->isChecked();
    writePreferences(m_store, preferences);
    auto storeFolder = [&](Folder folder) {
        DerivedPaths paths = m_host.derivedPaths();
        writeFolder(m_store, folder, folderField(folder)->text().toStdString(), paths);
        m_host.setDerivedPaths(paths);
    };
    storeFolder(Folder::Msg);
    storeFolder(Folder::ItemsLst);
    m_host.reloadList(ConfigHost::List::GroundArt);
    m_host.reloadList(ConfigHost::List::Statistics);
    storeFolder(Folder::InvenLst);
    m_host.reloadList(ConfigHost::List::InventoryArt);
    storeFolder(Folder::CrittersLst);
    m_host.reloadList(ConfigHost::List::MaleLooks);
    m_host.reloadList(ConfigHost::List::FemaleLooks);
    m_host.reloadTexts();
    m_store.CloseKey();
    // The open item's names, list choices and previews come from the new files; the
    // display runs under the loading guard and leaves the saved flag as it was. The
    // calibre list keeps its names until the settings are next read.
    m_host.showOpenItemAgain();
}

void TconfigWindow::uninstallButtonClick() {
    reportErrors(m_dialogs, this, [this] {
        const auto answer = m_dialogs.ask(
            this, QMessageBox::Question, QStringLiteral("Confirm"),
            QString::fromUtf8(kUninstallQuestion.data(), qsizetype(kUninstallQuestion.size())),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No); // Enter keeps the settings
        if (answer != QMessageBox::Yes)
            return;
        m_dialogs.showNotice(this, QString::fromStdString(uninstallSettingsKey(m_store)));
        m_dialogs.showNotice(
            this, QString::fromStdString(uninstallMakerKey(m_store, currentDirectory())));
        // Result 1 makes the main window read nothing back, so the settings are not
        // written again before the program ends.
        accept();
        m_host.quit();
    });
}

QCheckBox* TconfigWindow::preferenceBox(Preference preference) const {
    switch (preference) {
    case Preference::ShowItemNames:
        return fileNamesOnly;
    case Preference::QuickOpen:
        return quickOpen;
    case Preference::AskIfSaveOnQuit:
        return askIfSaveCheck;
    case Preference::AskIfSaveOnOpen:
        break;
    }
    return saveOnOpen;
}

QLineEdit* TconfigWindow::folderField(Folder folder) const {
    switch (folder) {
    case Folder::Msg:
        return msgDir;
    case Folder::ItemsLst:
        return itemsLstDirField;
    case Folder::InvenLst:
        return invenLstDirField;
    case Folder::CrittersLst:
        break;
    }
    return critLstDirField;
}

} // namespace zantor
