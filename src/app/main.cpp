// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_store.h"
#include "ui/editor_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zantor::setUpEditorApplication(app);
    zantor::EditorWindows windows(zantor::openUserSettingsStore());
    windows.main.show();
    // zantor --table [DIR]: the folder as one table, beside the editor; without DIR, the
    // item browser's folder, as Ctrl+T shows it.
    const QStringList args = QApplication::arguments();
    const auto at = args.indexOf(QStringLiteral("--table"));
    if (at > 0)
        windows.main.showFolderTable(at + 1 < args.size() ? args[at + 1] : QString());
    return QApplication::exec();
}
