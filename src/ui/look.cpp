// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QPalette>
#include <QProxyStyle>
#include <QScreen>
#include <QToolTip>
#include <QWidget>

namespace zantor {

namespace {

const QColor kBackground(150, 145, 115);
const QColor kSilver(192, 192, 192);

constexpr int kHintDelay = 500;
constexpr int kHintDisplayTime = 60000;

// Hints appear after the pointer has rested for half a second.
class HintTimingStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintDelay;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// A shown hint stays up for a minute.
class HintDisplayTime final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->toolTip().isEmpty())
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, kHintDisplayTime);
        return true;
    }
};

} // namespace

QFont lookFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    // The usual stand-ins have wider letters than Tahoma; their condensed face, where
    // there is one, keeps the captions inside the sizes the windows are laid out for.
    if (!QFontDatabase::hasFamily(font.family()))
        font.setStretch(QFont::SemiCondensed);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void applyApplicationLook(QApplication& app) {
    app.setStyle(new HintTimingStyle(QApplication::style()->name()));
    app.installEventFilter(new HintDisplayTime(&app));
    QApplication::setFont(lookFont(11));
}

void applyLook(QWidget* window) {
    QPalette p = window->palette();
    p.setColor(QPalette::Window, kBackground);
    p.setColor(QPalette::Base, kSilver);
    p.setColor(QPalette::Button, kBackground);
    window->setPalette(p);
    window->setAutoFillBackground(true);
    window->setFont(lookFont(11));
}

void fixClientSize(QWidget* window, QSize size) {
    window->setFixedSize(size.expandedTo(window->minimumSizeHint()));
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
