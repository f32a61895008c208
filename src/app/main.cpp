// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_store.h"
#include "ui/editor_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zantor::setUpEditorApplication(app);
    zantor::EditorWindows windows(zantor::openUserSettingsStore());
    windows.main.show();
    return QApplication::exec();
}
