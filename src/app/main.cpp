// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_store.h"
#include "ui/aboutwindow.h"
#include "ui/configwindow.h"
#include "ui/dialogs.h"
#include "ui/look.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zantor::applyApplicationLook(app);
    QApplication::setApplicationName(QStringLiteral("Zantor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.morvale.Zantor"));
    QIcon icon;
    for (const char* size : {"32x32", "48x48", "256x256"})
        icon.addFile(QStringLiteral(":/icons/%1/net.morvale.Zantor.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);

    const auto store = zantor::openUserSettingsStore();
    zantor::QtDialogs dialogs;
    zantor::TmainWindow mainWindow(*store, dialogs);
    zantor::TconfigWindow configWindow(dialogs, *store, mainWindow.configHost(), &mainWindow);
    zantor::TaboutWindow aboutWindow(dialogs, &mainWindow);
    mainWindow.attachWindows(&configWindow, &aboutWindow);
    mainWindow.show();
    return QApplication::exec();
}
