// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zantor {

class LinkLabel;
class UserDialogs;

// The About window: the program's title, contact details and two web links. Done,
// Enter and Esc close it.
class TaboutWindow final : public QDialog {
    Q_OBJECT
public:
    explicit TaboutWindow(UserDialogs& dialogs, QWidget* parent = nullptr);
    TaboutWindow(const TaboutWindow&) = delete;
    TaboutWindow& operator=(const TaboutWindow&) = delete;

    void setVisible(bool visible) override;

    QGroupBox* GroupBox1 = nullptr;
    QLabel* title = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    LinkLabel* homePageLabel = nullptr;
    QLabel* Label7 = nullptr;
    LinkLabel* Zantorlink = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label11 = nullptr;
    QPlainTextEdit* RichEdit1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QPushButton* doneButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void homePageLabelClick();
    void ZantorlinkClick();
    void openLink(const QString& address);

    UserDialogs& m_dialogs;
};

} // namespace zantor
