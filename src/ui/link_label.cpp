// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/link_label.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace zantor {

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    event->accept();
    // Letting go outside the label takes the click back, as with a button.
    if (rect().contains(event->position().toPoint()))
        emit activated();
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            event->accept();
            emit activated();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    underline();
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    m_hovered = false;
    underline();
    QLabel::leaveEvent(event);
}

void LinkLabel::focusInEvent(QFocusEvent* event) {
    underline();
    QLabel::focusInEvent(event);
}

void LinkLabel::focusOutEvent(QFocusEvent* event) {
    underline();
    QLabel::focusOutEvent(event);
}

void LinkLabel::underline() {
    QFont f = font();
    f.setUnderline(m_hovered || hasFocus());
    setFont(f);
}

} // namespace zantor
