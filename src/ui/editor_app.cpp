// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor_app.h"

#include "ui/look.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QList>
#include <future>

namespace zantor {

void setUpEditorApplication(QApplication& app) {
    applyApplicationLook(app);
    QApplication::setApplicationName(QStringLiteral("Zantor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.morvale.Zantor"));
    // The icon's pictures are read ahead while the windows are built, and taken when a
    // window system first asks for the icon. Each picture is sent to the window system
    // whole as the window is made, so they stop at 128 pixels, as the toolkit's own sizes
    // for a scalable window icon do; desktops take larger ones from the installed icon
    // theme, which the desktop file names. The first picture read ahead also loads the
    // image format plugins, which the first paint's own pictures (the group boxes'
    // frame) would otherwise wait for.
    QStringList paths;
    for (const char* size : {"32x32", "48x48", "128x128"})
        paths.append(QStringLiteral(":/icons/%1/net.morvale.Zantor.png").arg(QLatin1String(size)));
    std::shared_future<QList<QImage>> pictures = readPicturesAhead(paths);
    QApplication::setWindowIcon(
        deferredIcon([pictures] { return iconOfPictures(pictures.get()); }));
}

EditorWindows::EditorWindows(std::unique_ptr<SettingsStore> settings)
    : store(std::move(settings)), main(*store, dialogs),
      config(dialogs, *store, main.configHost(), &main) {
    main.attachConfigWindow(&config);
}

} // namespace zantor
