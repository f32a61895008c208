// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace zantor {

/// The prompt of the folder choosers: the item browser's and the configuration window's.
inline const char* const kFolderPrompt = "Select the folder that holds the game's item files";

// Everything the windows ask of the user or the desktop, behind one small interface
// so that tests can answer it.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    /// An error that ended a user action, in a box titled "Zantor".
    virtual void showError(QWidget* parent, const QString& text) = 0;
    /// A plain notice with an OK button, titled "Zantor".
    virtual void showNotice(QWidget* parent, const QString& text) = 0;
    /// A question with `defaultButton` taking Enter; returns the button chosen (Cancel or
    /// No when dismissed).
    virtual QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) = 0;
    /// A question whose buttons carry their own words, the first taking Enter and the
    /// last Escape; returns the index of the button chosen (the last when dismissed).
    virtual int choose(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                       const QString& text, const QStringList& buttons) = 0;
    /// A folder chooser; an empty text when cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& initialFolder,
                                 const QString& prompt) = 0;
    /// A save dialog (initial folder, proposed file, name filters with the first
    /// preselected, asks before replacing); an empty text when cancelled.
    virtual QString chooseSaveFile(QWidget* parent, const QString& initialFolder,
                                   const QString& proposedFile, const QStringList& filters) = 0;
    /// Opens an address in the user's browser; false when the desktop refused.
    virtual bool openUrl(const QUrl& url) = 0;
};

// The real dialogs of the desktop.
class QtDialogs final : public UserDialogs {
public:
    void showError(QWidget* parent, const QString& text) override;
    void showNotice(QWidget* parent, const QString& text) override;
    QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                    const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override;
    int choose(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
               const QStringList& buttons) override;
    QString chooseFolder(QWidget* parent, const QString& initialFolder,
                         const QString& prompt) override;
    QString chooseSaveFile(QWidget* parent, const QString& initialFolder,
                           const QString& proposedFile, const QStringList& filters) override;
    bool openUrl(const QUrl& url) override;
};

/// Runs one user action; an error it throws ends the action and is shown, so that
/// no exception crosses a Qt signal or event boundary. Returns false on an error.
template <class F> bool reportErrors(UserDialogs& dialogs, QWidget* parent, F&& action);

} // namespace zantor

#include <exception>

namespace zantor {

template <class F> bool reportErrors(UserDialogs& dialogs, QWidget* parent, F&& action) {
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        dialogs.showError(parent, QString::fromUtf8(e.what()));
    } catch (...) {
        dialogs.showError(parent, QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace zantor
