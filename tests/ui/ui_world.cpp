// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_world.h"

#include "support/item_bytes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zantor::test {

QMessageBox::StandardButton ScriptedDialogs::ask(QWidget*, QMessageBox::Icon, const QString& title,
                                                 const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton) {
    questionTitles << title;
    defaultButtons << defaultButton;
    questions << text;
    if (!answers.empty()) {
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
}

int ScriptedDialogs::choose(QWidget*, QMessageBox::Icon, const QString& title, const QString& text,
                            const QStringList& buttons) {
    questionTitles << title;
    questions << text;
    offered = buttons;
    QString answer = buttons.value(buttons.size() - 1);
    if (!choices.empty()) {
        answer = choices.front();
        choices.pop_front();
    }
    const qsizetype at = buttons.indexOf(answer);
    EXPECT_GE(at, 0) << "no button " << answer.toStdString();
    return static_cast<int>(at < 0 ? buttons.size() - 1 : at);
}

QString ScriptedDialogs::chooseFolder(QWidget*, const QString&, const QString& prompt) {
    folderPrompts << prompt;
    if (folders.empty())
        return {};
    const QString f = folders.front();
    folders.pop_front();
    return f;
}

QString ScriptedDialogs::chooseSaveFile(QWidget*, const QString& folder, const QString& proposed,
                                        const QStringList& filters) {
    saveDialog = QStringList{folder, proposed} + filters;
    if (saveFiles.empty())
        return {};
    const QString f = saveFiles.front();
    saveFiles.pop_front();
    return f;
}

namespace {

// A 24-bit bitmap of one colour.
Bytes bitmap(int width, int height, unsigned char r, unsigned char g, unsigned char b) {
    const int row = (width * 3 + 3) / 4 * 4;
    const int size = 54 + row * height;
    Bytes out(static_cast<std::size_t>(size), 0);
    auto le32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    le32(2, static_cast<std::uint32_t>(size));
    le32(10, 54);
    le32(14, 40);
    le32(18, static_cast<std::uint32_t>(width));
    le32(22, static_cast<std::uint32_t>(height));
    out[26] = 1;
    out[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>(y * row + x * 3);
            out[at] = b;
            out[at + 1] = g;
            out[at + 2] = r;
        }
    return out;
}

std::string messages(std::initializer_list<std::pair<int, const char*>> entries) {
    std::string s = "# test table\r\n";
    for (const auto& [id, text] : entries)
        s += "{" + std::to_string(id) + "}{}{" + text + "}\r\n";
    return s;
}

} // namespace

UiWorld::UiWorld() {
    oldCwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());

    dir.write("files/pro_item.msg", messages({{100, "Knife"},
                                              {101, "A small knife."},
                                              {200, "Coat"},
                                              {201, "Warm."},
                                              {300, "Crate"},
                                              {301, "Wooden."},
                                              {400, "Tonic"},
                                              {401, "Bitter."},
                                              {500, "Slugs"},
                                              {501, "Heavy."},
                                              {600, "Cog"},
                                              {601, "A gear."},
                                              {700, "Key"},
                                              {701, "Opens a door."},
                                              {3100, "Slug box"}}));
    std::string proto =
        messages({{10, "Stone"}, {100, "Glass"}, {101, "Metal"}, {250, "Normal"}, {253, "Plasma"}});
    for (int id = 300; id <= 318; ++id)
        proto += "{" + std::to_string(id) + "}{}{Calibre " + std::to_string(id - 300) + "}\r\n";
    dir.write("files/proto.msg", proto);
    std::string stat;
    for (int id = 100; id <= 137; ++id)
        stat += "{" + std::to_string(id) + "}{}{Stat " + std::to_string(id - 100) + "}\r\n";
    dir.write("files/stat.msg", stat);
    dir.write("files/pro_crit.msg", messages({{1200, "Spark"}}));
    dir.write("files/pro_misc.msg", messages({{1200, "Puff"}}));
    dir.write("files/items.lst", std::string("knife.frm\r\ncoat.frm\r\nbig box.frm\r\n"));
    dir.write("files/inven.lst", std::string("iknife.frm\r\nicoat.frm\r\n"));
    dir.write("files/critters.lst", std::string("hmjmps\r\nnfvault\r\nmaxxx\r\n"));
    dir.write("files/knife.bmp", bitmap(8, 6, 200, 0, 0));
    dir.write("files/iknife.bmp", bitmap(4, 4, 0, 200, 0));
    dir.write("files/noArt.bmp", bitmap(2, 2, 9, 9, 9));

    // One item of each type; the weapon has Single in row 1 and Burst in row 2.
    Bytes weapon = makeItem(3, 122, 3);
    put32(weapon, 0, 1);
    put32(weapon, 4, 100);
    put32(weapon, 8, 0);
    put32(weapon, 36, 1);
    put24(weapon, 53, 0);
    weapon[27] = 0x76;
    put32(weapon, 73, 11);
    put32(weapon, 77, 22);
    put32(weapon, 89, 3);
    put32(weapon, 93, 4);
    weapon[72] = 3;
    weapon[81] = 1;
    put24(weapon, 82, 12);
    put32(weapon, 109, 5);
    put32(weapon, 113, 31);
    weapon[60] = 1;
    dir.write("items/weapon01.pro", weapon);
    const std::pair<const char*, std::pair<int, std::size_t>> others[] = {
        {"armor001.pro", {0, 129}}, {"contnr01.pro", {1, 65}}, {"drug0001.pro", {2, 125}},
        {"ammo0001.pro", {4, 81}},  {"misc0001.pro", {5, 70}}, {"key00001.pro", {6, 61}}};
    int textId = 200;
    for (const auto& [name, type] : others) {
        Bytes b = makeItem(type.first, type.second, static_cast<std::uint32_t>(textId));
        put32(b, 4, textId);
        put32(b, 8, 1);
        put32(b, 36, 0);
        put24(b, 53, 1);
        if (type.first == 0) {
            put24(b, 122, 0);
            put24(b, 126, 1);
        }
        if (type.first == 2) {
            put32(b, 57, -2);
            put32(b, 61, -1);
            put32(b, 65, 3);
            put32(b, 117, 60);
        }
        if (type.first == 4)
            put32(b, 57, 2);
        textId += 100;
        dir.write(std::string("items/") + name, b);
    }

    store = std::make_unique<FileSettingsStore>(dir.path() / "config");
    main = std::make_unique<TmainWindow>(*store, dialogs);
    config = new TconfigWindow(dialogs, *store, main->configHost(), main.get());
    main->attachConfigWindow(config);
}

UiWorld::~UiWorld() {
    main.reset();
    std::filesystem::current_path(oldCwd);
}

void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void typeInto(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClicks(field, text);
}

void clearAndType(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void commitText(QWidget* field, const QString& text) {
    field->setFocus();
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QApplication::sendEvent(field, &typed);
}

void pressKey(QWidget* widget, Qt::Key key) {
    widget->setFocus();
    QTest::keyClick(widget, key);
}

void UiWorld::show() {
    main->show();
    QApplication::setActiveWindow(main.get());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(main.get()));
}

void whileModal(QDialog* dialog, const std::function<void()>& inside,
                const std::function<void()>& open) {
    bool ran = false;
    QTimer timer; // gone with this call, so it never fires in a later test
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != dialog) {
            timer.start(0); // not modal yet
            return;
        }
        ran = true;
        // As on a desktop, the modal window is the active one: it has the keyboard.
        QApplication::setActiveWindow(dialog);
        inside();
        if (dialog->isVisible()) {
            ADD_FAILURE() << dialog->objectName().toStdString() << " was left open";
            dialog->reject();
        }
    });
    timer.start(0);
    open();
    EXPECT_TRUE(ran) << dialog->objectName().toStdString() << " was not shown modally";
}

} // namespace zantor::test
