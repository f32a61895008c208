// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/file_settings_store.h"
#include "support/temp_dir.h"
#include "ui/aboutwindow.h"
#include "ui/configwindow.h"
#include "ui/dialogs.h"
#include "ui/mainwindow.h"

#include <QStringList>
#include <gtest/gtest.h>

class QAbstractButton;
class QLineEdit;
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace zantor::test {

// Answers the windows' questions from a script and records what they showed.
class ScriptedDialogs final : public UserDialogs {
public:
    std::deque<QMessageBox::StandardButton> answers; // default: Cancel, else No
    std::deque<QString> folders;                     // default: cancelled
    QStringList folderPrompts;                       // of every folder chooser shown
    std::deque<QString> saveFiles;                   // default: cancelled
    bool urlOpens = true;

    QStringList errors;
    QStringList notices;
    QStringList questions;
    QStringList questionTitles;
    QStringList saveDialog; // initial folder, proposed file, filters of the last save dialog
    std::vector<QUrl> urls;

    void showError(QWidget*, const QString& text) override { errors << text; }
    void showNotice(QWidget*, const QString& text) override { notices << text; }
    QMessageBox::StandardButton ask(QWidget*, QMessageBox::Icon, const QString& title,
                                    const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override;
    QList<QMessageBox::StandardButton> defaultButtons; // of every question asked
    std::deque<QString> choices; // the words of the buttons to choose; default: the last
    QStringList offered;         // the buttons of the last question with words of their own
    int choose(QWidget*, QMessageBox::Icon, const QString& title, const QString& text,
               const QStringList& buttons) override;
    QString chooseFolder(QWidget*, const QString&, const QString&) override;
    QString chooseSaveFile(QWidget*, const QString& folder, const QString& proposed,
                           const QStringList& filters) override;
    bool openUrl(const QUrl& url) override {
        urls.push_back(url);
        return urlOpens;
    }
};

// A small world of our own on disk (files/ with the tables, items/ with one item
// of each type), the current directory set to it, a settings store of its own, and
// the three windows created in program order.
class UiWorld {
public:
    UiWorld();
    ~UiWorld();
    UiWorld(const UiWorld&) = delete;
    UiWorld& operator=(const UiWorld&) = delete;

    /// Shows the main window (reading the settings) and makes it active.
    void show();
    std::string item(const std::string& name) const { return dir.file("items/" + name); }
    std::string file(const std::string& name) const { return dir.file("files/" + name); }
    /// The main window's control of that objectName, as outside checks find it; a test
    /// failure and nullptr when it has none of that type.
    template <class T = QWidget> T* control(const char* name) const {
        T* found = main->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            ADD_FAILURE() << "no control " << name;
        return found;
    }

    TempDir dir;
    std::filesystem::path oldCwd;
    std::unique_ptr<FileSettingsStore> store;
    ScriptedDialogs dialogs;
    std::unique_ptr<TmainWindow> main;
    TconfigWindow* config = nullptr;
    /// The About window, made on first use as the program makes it.
    TaboutWindow* about() const { return &main->aboutWindow(); }
};

// The start of a window test: a world of its own, its windows created.
class WindowTest : public ::testing::Test {
protected:
    /// Shows the main window and opens one item of the world's items/ folder.
    void showWith(const std::string& item) {
        w.show();
        ASSERT_TRUE(w.main->openItemFile(w.item(item))) << item;
    }

    UiWorld w;
};

/// Runs `inside` once `dialog` runs modally, which `open` (a click on the button that
/// shows it) brings about. A window that `inside` leaves open is closed with a test
/// failure, so that a missing click cannot hang the test.
void whileModal(QDialog* dialog, const std::function<void()>& inside,
                const std::function<void()>& open);

// What a user does with the mouse and the keyboard.
void click(QAbstractButton* button);
/// Focuses the field and types the text at the cursor.
void typeInto(QWidget* field, const QString& text);
/// Focuses the field, selects everything, deletes it and types the text.
void clearAndType(QLineEdit* field, const QString& text);
/// Focuses the field and enters text at the cursor as an input method does, the way
/// letters beyond the keyboard's come in.
void commitText(QWidget* field, const QString& text);
/// Focuses the widget and presses one key.
void pressKey(QWidget* widget, Qt::Key key);

} // namespace zantor::test
