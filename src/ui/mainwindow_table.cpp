// SPDX-License-Identifier: GPL-3.0-or-later
// The way from the editor to the folder table and back: its own context menu entry
// and shortcut, so the specified window keeps its look.
#include "browser/scan.h"
#include "ui/dialogs.h"
#include "ui/item_browser.h"
#include "ui/mainwindow.h"
#include "ui/table_dialogs.h"
#include "ui/table_window.h"

#include <QAction>

namespace zantor {

void TmainWindow::addFolderTableHooks() {
    m_tableDialogs = std::make_unique<QtTableDialogs>();
    auto* show = new QAction(QStringLiteral("Show folder as &table"), this);
    show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    show->setShortcutContext(Qt::WindowShortcut);
    connect(show, &QAction::triggered, this, [this] { showFolderTable(); });
    m_browser->addListAction(show);
}

TableWindow* TmainWindow::showFolderTable(const QString& folder) {
    TableSource source;
    const ScanRequest filters = m_browser->request();
    source.folder = folder.isEmpty() ? filters.folder : folder.toStdString();
    source.types = filters.types;
    source.all = filters.all;
    source.paths = m_session.paths();
    TableWindow* table = nullptr;
    reportErrors(m_dialogs, this, [&] {
        table = new TableWindow(source, m_store, m_dialogs, *m_tableDialogs, this);
    });
    if (!table)
        return nullptr;
    table->setAttribute(Qt::WA_DeleteOnClose);
    table->openItem = [this](const std::string& path) {
        raise();
        activateWindow();
        run([this, path] { openChosenItem(path); });
    };
    table->show();
    return table;
}

} // namespace zantor
