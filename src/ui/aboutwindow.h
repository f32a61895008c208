// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;

namespace zantor {

class UserDialogs;

// The About window: the program's title, contact details and two web links.
class TaboutWindow final : public QDialog {
    Q_OBJECT
public:
    explicit TaboutWindow(UserDialogs& dialogs, QWidget* parent = nullptr);
    TaboutWindow(const TaboutWindow&) = delete;
    TaboutWindow& operator=(const TaboutWindow&) = delete;

    QPushButton* doneButton = nullptr;

private:
    UserDialogs& m_dialogs;
};

} // namespace zantor
