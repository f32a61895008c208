// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zantor");
    zantor::TmainWindow mainWindow;
    mainWindow.show();
    return QApplication::exec();
}
