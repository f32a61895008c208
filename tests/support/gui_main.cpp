// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Widget tests never need a display, also when the test runner lists them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zantor"));
    // The windows are tested in the look the program gives them.
    zantor::applyApplicationLook(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
