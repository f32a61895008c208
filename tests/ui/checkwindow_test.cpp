// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/item_bytes.h"
#include "ui/checkwindow.h"
#include "ui_world.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

namespace {

// The weapon's looks byte beyond the list: an error the check reports at looksList.
void plantLooksFault(UiWorld& w, unsigned char looks) {
    Bytes weapon = readAll(w.item("weapon01.pro"));
    weapon[60] = looks;
    w.dir.write("items/weapon01.pro", weapon);
}

int rowOf(QTableWidget* table, const QString& rule) {
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 4)->text() == rule)
            return row;
    return -1;
}

QStringList column(QTableWidget* table, int col, bool shownOnly = false) {
    QStringList out;
    for (int row = 0; row < table->rowCount(); ++row)
        if (!shownOnly || !table->isRowHidden(row))
            out << table->item(row, col)->text();
    return out;
}

// Shows the main window with the weapon's looks fault planted and presses Ctrl+K in it.
CheckWindow* checkWithLooksFault(UiWorld& w) {
    plantLooksFault(w, 12);
    w.show();
    QTest::keyClick(w.main.get(), Qt::Key_K, Qt::ControlModifier);
    CheckWindow* check = w.main->checkWindow();
    EXPECT_TRUE(check && check->isVisible());
    return check;
}

} // namespace

TEST(CheckWindow, ctrlKOpensTheResultsAndADoubleClickOpensTheItemAtItsField) {
    UiWorld w;
    CheckWindow* check = checkWithLooksFault(w);
    ASSERT_NE(check, nullptr);
    QTableWidget* table = check->findingsTable;
    const int row = rowOf(table, "unknown-looks");
    ASSERT_GE(row, 0) << column(table, 4).join(", ").toStdString();
    EXPECT_EQ(table->item(row, 0)->text(), "error");
    EXPECT_EQ(table->item(row, 1)->text(), "weapon01.pro");
    EXPECT_EQ(table->item(row, 2)->text(), "Looks");
    EXPECT_EQ(table->item(row, 3)->text(), "Looks 12 is not in the list (0 to 10)");

    // A double click: the first click, then the second one that the system reports as double.
    const QRect cell = table->visualItemRect(table->item(row, 3));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(w.main->openPath().ends_with("weapon01.pro"));
    EXPECT_EQ(w.control<QTabWidget>("mainPages")->currentWidget(),
              w.control<QWidget>("weaponPage"));
    EXPECT_EQ(w.main->focusWidget(), w.control<QComboBox>("looksList"));
    EXPECT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join("\n").toStdString();
}

TEST(CheckWindow, theItemListsContextMenuChecksTheFolder) {
    UiWorld w;
    w.show();
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions()[0]->text(), "Check folder");
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    // Through the window, as the system delivers it, so that the press asks for the menu.
    const QPoint at =
        w.control<QListWidget>("itemList")->viewport()->mapTo(w.main.get(), QPoint(5, 5));
    QTest::mouseClick(w.main->windowHandle(), Qt::RightButton, {}, at);
    ASSERT_NE(w.main->checkWindow(), nullptr);
    EXPECT_TRUE(w.main->checkWindow()->isVisible());
}

TEST(CheckWindow, sortsFiltersBySeverityAndChecksAgain) {
    UiWorld w;
    CheckWindow* check = checkWithLooksFault(w);
    ASSERT_NE(check, nullptr);
    QTableWidget* table = check->findingsTable;
    ASSERT_GT(table->rowCount(), 1);

    // A click on the severity header sorts by weight: errors, warnings, notes.
    QHeaderView* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    const QStringList severities = column(table, 0);
    QStringList sorted = severities;
    const QStringList order{"error", "warning", "note"};
    std::stable_sort(sorted.begin(), sorted.end(), [&](const QString& a, const QString& b) {
        return order.indexOf(a) < order.indexOf(b);
    });
    if (severities != sorted) // the first click may sort the other way round
        std::reverse(sorted.begin(), sorted.end());
    EXPECT_EQ(severities, sorted);

    // Filtering by severity hides the other rows.
    pressKey(check->severityFilter, Qt::Key_Down); // "Errors"
    EXPECT_EQ(check->severityFilter->currentText(), "Errors");
    EXPECT_FALSE(column(table, 0, true).isEmpty());
    EXPECT_LT(column(table, 0, true).size(), table->rowCount());
    for (const QString& s : column(table, 0, true))
        EXPECT_EQ(s, "error");

    // Check again sees the fault mended.
    plantLooksFault(w, 1);
    click(check->checkAgainButton);
    EXPECT_EQ(rowOf(table, "unknown-looks"), -1);
    EXPECT_FALSE(check->summaryLabel->text().isEmpty());
}
