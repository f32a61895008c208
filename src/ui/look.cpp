// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QProxyStyle>
#include <QScreen>
#include <QWidget>

namespace zantor {

namespace {

const QColor kBackground(150, 145, 115);
const QColor kSilver(192, 192, 192);

// Hints appear after 500 ms and stay up for a minute.
class HintTimingStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 500;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return 60000;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void applyApplicationLook(QApplication& app) {
    app.setStyle(new HintTimingStyle(QApplication::style()->name()));
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    QApplication::setFont(font);
}

void applyLook(QWidget* window) {
    QPalette p = window->palette();
    p.setColor(QPalette::Window, kBackground);
    p.setColor(QPalette::Base, kSilver);
    p.setColor(QPalette::Button, kBackground);
    window->setPalette(p);
    window->setAutoFillBackground(true);
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    window->setFont(font);
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace zantor
