// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow.h"

namespace zantor {

TmainWindow::TmainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("mainWindow");
    setWindowTitle("Zantor | v3.5");
    setFixedSize(647, 545);
}

} // namespace zantor
