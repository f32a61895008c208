// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QPushButton>

namespace zantor {

void QtDialogs::showError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("Zantor"), text);
}

void QtDialogs::showNotice(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Zantor"), text);
}

QMessageBox::StandardButton QtDialogs::ask(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                                                              : QMessageBox::No);
    const int result = box.exec();
    return static_cast<QMessageBox::StandardButton>(result);
}

int QtDialogs::choose(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                      const QString& text, const QStringList& buttons) {
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> added;
    for (qsizetype i = 0; i < buttons.size(); ++i)
        added << box.addButton(buttons[i], i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                   : QMessageBox::AcceptRole);
    if (!added.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(added.constFirst()));
        box.setEscapeButton(added.constLast());
    }
    box.exec();
    const qsizetype chosen = added.indexOf(box.clickedButton());
    return static_cast<int>(chosen < 0 ? buttons.size() - 1 : chosen);
}

QString QtDialogs::chooseFolder(QWidget* parent, const QString& initialFolder,
                                const QString& prompt) {
    return QFileDialog::getExistingDirectory(parent, prompt, initialFolder,
                                             QFileDialog::ShowDirsOnly);
}

QString QtDialogs::chooseSaveFile(QWidget* parent, const QString& initialFolder,
                                  const QString& proposedFile, const QStringList& filters) {
    QFileDialog dialog(parent, QStringLiteral("Save As"), initialFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(0));
    dialog.setDefaultSuffix(QString()); // a typed name is used as typed
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!proposedFile.isEmpty())
        dialog.selectFile(proposedFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool QtDialogs::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace zantor
