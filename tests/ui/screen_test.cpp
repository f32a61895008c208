// SPDX-License-Identifier: GPL-3.0-or-later
// Runs once on a screen 600 pixels high and once on one of 601 (see CMakeLists.txt).
#include "ui_world.h"

#include <QApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace zantor::test;

class FirstActivation : public WindowTest {};

TEST_F(FirstActivation, movesTheWindowToTheTopOnlyOnSmallScreensAndOnlyOnce) {
    w.show();
    QApplication::processEvents();
    const int height = w.main->screen()->geometry().height();
    ASSERT_TRUE(height == 600 || height == 601) << height;
    if (height == 600)
        EXPECT_EQ(w.main->y(), 0);
    else
        EXPECT_EQ(w.main->y(), (601 - w.main->height()) / 2); // centred

    w.main->move(w.main->x(), 40);
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(w.main.get());
    QApplication::processEvents();
    EXPECT_EQ(w.main->y(), 40);
}
