// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace zantor {

// A label that works as a link: the pointer becomes a pointing hand over it, its text is
// underlined while the pointer rests on it or it has the keyboard focus, and it is
// activated by a click or, once reached with Tab, by Enter, Return or Space.
class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void activated();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void underline();

    bool m_pressed = false;
    bool m_hovered = false;
};

} // namespace zantor
