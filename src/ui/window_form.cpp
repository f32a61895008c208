// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_form.h"

#include "ui/game_text.h"

#include <QComboBox>
#include <QLineEdit>

namespace zantor {

QWidget* WindowForm::widget(std::string_view control) const {
    return m_controls.value(QString::fromUtf8(control.data(), qsizetype(control.size())));
}

std::string WindowForm::text(std::string_view control) const {
    auto* e = qobject_cast<QLineEdit*>(widget(control));
    return e ? e->text().toStdString() : std::string();
}

void WindowForm::setText(std::string_view control, const std::string& text) {
    if (auto* e = qobject_cast<QLineEdit*>(widget(control)))
        m_setText(e, QString::fromStdString(text));
}

int WindowForm::position(std::string_view control) const {
    auto* list = qobject_cast<QComboBox*>(widget(control));
    return list ? list->currentIndex() : -1;
}

void WindowForm::setPosition(std::string_view control, int position) {
    if (auto* list = qobject_cast<QComboBox*>(widget(control)))
        list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

std::string WindowForm::listEntry(std::string_view control) const {
    // The entry as the list file holds it: the list shows it decoded.
    auto* list = qobject_cast<QComboBox*>(widget(control));
    return list && list->currentIndex() >= 0 ? toGame(list->currentText()) : std::string();
}

} // namespace zantor
