// SPDX-License-Identifier: GPL-3.0-or-later
// Safe editing in the main window: a change that another program makes to the open item
// file is never written over unseen, and the user's edits can be undone and redone.
#include "record/fields.h"
#include "record/item_file.h"
#include "ui/dialogs.h"
#include "ui/disk_watch.h"
#include "ui/form_undo.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <utility>

namespace zantor {

namespace {

const char* const kChangedTitle = "File changed on disk";

// The keys of the form, named where assistive tools read the window's description.
const char* const kKeysDescription =
    "Ctrl+Z undoes the last edit of the form, Ctrl+Shift+Z or Ctrl+Y redoes it, Ctrl+R "
    "reverts to the item file on disk.";

} // namespace

void TmainWindow::setUpSafeEditing() {
    // The form's edit controls in the order the record display fills them; the name and
    // description follow the text id that looks them up.
    std::vector<QWidget*> controls;
    for (const Field* field : allFields()) {
        QWidget* control = m_controls.value(
            QString::fromUtf8(field->control.data(), qsizetype(field->control.size())));
        const auto* edit = qobject_cast<QLineEdit*>(control);
        if (control && !(edit && edit->isReadOnly()))
            controls.push_back(control);
    }
    controls.push_back(edit("nameField"));
    controls.push_back(description());
    m_undo = new FormUndo(this, std::move(controls));

    auto* revertAction = new QAction(QStringLiteral("Revert"), this);
    revertAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    revertAction->setShortcutContext(Qt::WindowShortcut);
    addAction(revertAction);
    connect(revertAction, &QAction::triggered, this, [this] { run([this] { revert(); }); });
    setAccessibleDescription(QString::fromLatin1(kKeysDescription));

    m_watch = new DiskWatch(this);
    connect(m_watch, &DiskWatch::touched, this, [this] { run([this] { fileTouched(); }); });
}

TmainWindow::ChangeAnswer TmainWindow::askAboutChange() {
    m_askingAboutDisk = true;
    const int answer = m_dialogs.choose(
        this, QMessageBox::Warning, QString::fromLatin1(kChangedTitle),
        QStringLiteral("%1 was changed on disk by another program.\n\n"
                       "Reload it and drop your changes, or keep your changes and write "
                       "them over it at the next Save?")
            .arg(QFileInfo(QString::fromStdString(m_session.openPath())).fileName()),
        {QStringLiteral("Reload"), QStringLiteral("Keep mine"), QStringLiteral("Cancel")});
    m_askingAboutDisk = false;
    switch (answer) {
    case 0:
        reloadItem();
        return ChangeAnswer::Reload;
    case 1:
        // The version on disk now is the one the user has seen and chosen to replace.
        m_session.acceptDiskVersion();
        return ChangeAnswer::KeepMine;
    default:
        return ChangeAnswer::Cancel;
    }
}

void TmainWindow::fileTouched() {
    if (!m_session.isOpen() || m_askingAboutDisk)
        return;
    // Our own Save, a touch, or a file written again with the same bytes: nothing to do.
    // A file removed is asked about when it is saved.
    if (m_session.diskChange() != DiskChange::Changed)
        return;
    if (m_session.saved()) {
        reloadItem();
        return;
    }
    // A version the user has already been asked about is not asked about again until
    // Save; a watch may tell one change more than once.
    std::string seen = currentVersion(m_session.openPath(), kLargestItemFile + 1).sha256;
    if (std::exchange(m_askedAboutSha, seen) != seen)
        askAboutChange();
}

bool TmainWindow::diskAllowsSave() {
    // A watch can miss a change (a network folder, a change while the question was
    // open): the file itself is asked right before it is written.
    switch (m_session.diskChange()) {
    case DiskChange::Same:
        return true;
    case DiskChange::Changed:
        return askAboutChange() == ChangeAnswer::KeepMine;
    case DiskChange::Deleted:
        break;
    }
    m_askingAboutDisk = true;
    const int answer = m_dialogs.choose(
        this, QMessageBox::Warning, QString::fromLatin1(kChangedTitle),
        QStringLiteral("%1 was deleted from disk since it was opened.\n\nSave it again?")
            .arg(QFileInfo(QString::fromStdString(m_session.openPath())).fileName()),
        {QStringLiteral("Save"), QStringLiteral("Cancel")});
    m_askingAboutDisk = false;
    if (answer != 0)
        return false;
    m_session.acceptDiskVersion();
    return true;
}

void TmainWindow::reloadItem() {
    // The page the user looks at stays in front when the item still has it.
    const int page = mainPages->currentIndex();
    openItem(m_session.openPath());
    if (mainPages->isTabVisible(page))
        setPageByProgram(page);
}

void TmainWindow::revert() {
    if (!m_session.isOpen())
        return;
    m_undo->commit();
    if (!m_session.saved() &&
        m_dialogs.ask(this, QMessageBox::Warning, QStringLiteral("Revert"),
                      QStringLiteral("Drop your unsaved changes and read the item "
                                     "and its texts from disk again?"),
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    reloadItem();
}

} // namespace zantor
