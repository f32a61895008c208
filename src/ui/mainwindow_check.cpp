// SPDX-License-Identifier: GPL-3.0-or-later
// The folder check in the main window: "Check folder" in the item list's context menu
// and Ctrl+K open the results window; a finding opens its item at the field concerned.
#include "ui/checkwindow.h"
#include "ui/item_browser.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QLineEdit>
#include <QTabWidget>

namespace zantor {

void TmainWindow::buildCheckHooks() {
    auto* action = new QAction(QStringLiteral("Check folder"), this);
    action->setObjectName(QStringLiteral("checkFolderAction"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    action->setShortcutContext(Qt::WindowShortcut);
    m_browser->addListAction(action);
    connect(action, &QAction::triggered, this, [this] { run([this] { showCheck(); }); });
}

void TmainWindow::showCheck() {
    if (!m_check) {
        // The folder and tables the editor uses at the moment of each run.
        m_check = new CheckWindow(
            [this] {
                CheckRequest r;
                r.itemFolder = m_browser->folder().toStdString();
                r.paths = m_session.paths();
                return r;
            },
            this);
        connect(m_check, &CheckWindow::openRequested, this,
                [this](const QString& path, const QString& control) {
                    openAtField(path.toStdString(), control.toStdString());
                });
    }
    m_check->show();
    m_check->raise();
    m_check->activateWindow();
    m_check->checkNow();
}

void TmainWindow::openAtField(const std::string& path, const std::string& control) {
    bool opened = false;
    run([&] {
        if (!askToSaveBeforeOpening())
            return;
        openItem(path);
        opened = true;
    });
    if (!opened)
        return;
    raise();
    activateWindow();
    QWidget* target = m_controls.value(QString::fromStdString(control));
    if (!target)
        return;
    for (QWidget* w = target; w; w = w->parentWidget())
        if (const int page = mainPages->indexOf(w); page >= 0) {
            setPageByProgram(page);
            break;
        }
    target->setFocus(Qt::OtherFocusReason);
}

} // namespace zantor
