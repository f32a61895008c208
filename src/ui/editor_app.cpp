// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor_app.h"

#include "ui/look.h"

#include <QApplication>
#include <QIcon>

namespace zantor {

void setUpEditorApplication(QApplication& app) {
    applyApplicationLook(app);
    QApplication::setApplicationName(QStringLiteral("Zantor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.morvale.Zantor"));
    // Read when a window system first asks for the icon, not before the first window.
    QApplication::setWindowIcon(deferredIcon([] {
        QIcon icon;
        for (const char* size : {"32x32", "48x48", "256x256"})
            icon.addFile(
                QStringLiteral(":/icons/%1/net.morvale.Zantor.png").arg(QLatin1String(size)));
        return icon;
    }));
}

EditorWindows::EditorWindows(std::unique_ptr<SettingsStore> settings)
    : store(std::move(settings)), main(*store, dialogs),
      config(dialogs, *store, main.configHost(), &main) {
    main.attachConfigWindow(&config);
}

} // namespace zantor
