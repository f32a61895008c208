// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/item_bytes.h"
#include "ui_world.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

class Browser : public WindowTest {};

namespace {

// Waits until the scan that the timer runs has ended.
void waitForScan(UiWorld& w) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.control<QLabel>("itemCount")->isVisible(); }, 1000));
}

void listFiles(UiWorld& w) {
    click(w.control<QPushButton>("refreshButton"));
    EXPECT_TRUE(w.control<QProgressBar>("progBar")->isVisible());
    EXPECT_TRUE(w.control<QLabel>("loadingLabel")->isVisible());
    EXPECT_FALSE(w.control<QPushButton>("openButton")->isVisible());
    waitForScan(w);
    EXPECT_FALSE(w.control<QProgressBar>("progBar")->isVisible());
    EXPECT_TRUE(w.control<QPushButton>("refreshButton")->isVisible());
}

QStringList entries(const UiWorld& w) {
    QStringList out;
    for (int i = 0; i < w.control<QListWidget>("itemList")->count(); ++i)
        out << w.control<QListWidget>("itemList")->item(i)->text();
    return out;
}

void select(UiWorld& w, const QString& text) {
    const auto found = w.control<QListWidget>("itemList")->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    const QRect r = w.control<QListWidget>("itemList")->visualItemRect(found[0]);
    QTest::mouseClick(w.control<QListWidget>("itemList")->viewport(), Qt::LeftButton, {},
                      r.center());
}

} // namespace

TEST_F(Browser, listFilesScansEveryTimeAndCountsTheEntries) {
    w.show();
    listFiles(w);
    EXPECT_EQ(w.control<QLabel>("itemCount")->text(), "7 items in total.");
    EXPECT_EQ(entries(w).first(), "Coat - armor001.pro");
    std::filesystem::remove(w.item("key00001.pro"));
    w.dir.write("items/STRANGE.PRO", makeItem(9, 80));
    w.dir.write("items/UPPER001.PRO", makeItem(6, 61));
    listFiles(w);
    EXPECT_EQ(w.control<QLabel>("itemCount")->text(), "7 items in total.");
    EXPECT_TRUE(entries(w).contains(" - UPPER001.PRO"));
    EXPECT_FALSE(w.main->rescanNeeded());
}

TEST_F(Browser, theProgressBarStartsEmptyNeverBusy) {
    w.dir.write("empty/readme.txt", std::string("no items here"));
    w.show();
    QProgressBar* bar = w.control<QProgressBar>("progBar");
    for (const char* folder : {"items", "empty"}) {
        SCOPED_TRACE(folder);
        clearAndType(w.control<QLineEdit>("dirField"), QString::fromStdString(w.dir.file(folder)));
        click(w.control<QPushButton>("refreshButton"));
        ASSERT_TRUE(bar->isVisible());
        // A range of 0 to 0 is drawn as a busy animation.
        EXPECT_LT(bar->minimum(), bar->maximum());
        EXPECT_EQ(bar->value(), bar->minimum());
        waitForScan(w);
        EXPECT_LT(bar->minimum(), bar->maximum());
    }
    EXPECT_EQ(w.control<QLabel>("itemCount")->text(), "0 items in total.");
}

TEST_F(Browser, entriesSortAsAReaderExpects) {
    w.dir.write("files/pro_item.msg", std::string("{100}{}{\xC9\x63lair}\r\n{200}{}{Eagle}\r\n"
                                                  "{300}{}{\xE9\x63lat}\r\n{400}{}{Fang}\r\n"
                                                  "{500}{}{Zebra}\r\n{600}{}{eagle}\r\n"
                                                  "{700}{}{Ant}\r\n"));
    w.show();
    listFiles(w);
    EXPECT_EQ(entries(w),
              QStringList({"Ant - key00001.pro", "Eagle - armor001.pro", "eagle - misc0001.pro",
                           "\u00C9clair - weapon01.pro", "\u00E9clat - contnr01.pro",
                           "Fang - drug0001.pro", "Zebra - ammo0001.pro"}));
}

TEST_F(Browser, leavingTheFolderFieldScansOnlyAfterItChanged) {
    w.show();
    listFiles(w);
    w.control<QLineEdit>("dirField")->setFocus();
    w.control<QListWidget>("itemList")->setFocus(); // leave it unchanged
    // A scan would have emptied the list at once and armed its timer.
    EXPECT_FALSE(w.control<QTimer>("Timer")->isActive());
    EXPECT_EQ(w.control<QListWidget>("itemList")->count(), 7);
    EXPECT_TRUE(w.control<QLabel>("itemCount")->isVisible());

    w.dir.write("other/a.pro", makeItem(3, 122));
    w.control<QLineEdit>("dirField")->setFocus();
    w.control<QLineEdit>("dirField")->selectAll();
    QTest::keyClicks(w.control<QLineEdit>("dirField"), QString::fromStdString(w.dir.file("other")));
    EXPECT_TRUE(w.main->rescanNeeded());
    w.control<QListWidget>("itemList")->setFocus();
    waitForScan(w);
    EXPECT_EQ(entries(w), QStringList{" - a.pro"});
}

TEST_F(Browser, filtersAndAll) {
    w.show();
    click(w.control<QCheckBox>("weaponFilter"));
    click(w.control<QCheckBox>("keyFilter"));
    listFiles(w);
    EXPECT_EQ(w.control<QListWidget>("itemList")->count(), 5);
    click(w.control<QCheckBox>("filterAll"));
    EXPECT_FALSE(w.control<QCheckBox>("weaponFilter")->isEnabled());
    EXPECT_FALSE(w.control<QCheckBox>("weaponFilter")->isChecked()); // the ticks stay as they were
    listFiles(w);
    EXPECT_EQ(w.control<QListWidget>("itemList")->count(), 7);
    click(w.control<QCheckBox>("filterAll"));
    EXPECT_TRUE(w.control<QCheckBox>("weaponFilter")->isEnabled());
}

TEST_F(Browser, withoutNamesTheEntriesAreFileNames) {
    w.show();
    w.config->fileNamesOnly->setChecked(false);
    listFiles(w);
    EXPECT_EQ(entries(w).first(), "ammo0001.pro");
}

TEST_F(Browser, aFileThatCannotBeReadStopsTheScanAndTheBrowserComesBack) {
    w.show();
    std::filesystem::remove(w.file("pro_item.msg"));
    listFiles(w);
    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_EQ(w.dialogs.errors[0], "File not found");
    EXPECT_TRUE(w.control<QPushButton>("refreshButton")->isVisible());
    EXPECT_EQ(w.control<QLabel>("itemCount")->text(), "0 items in total.");
    EXPECT_FALSE(w.control<QTimer>("Timer")->isActive());
}

TEST_F(Browser, selectingEnablesOpenAndOpenShowsTheItem) {
    w.show();
    listFiles(w);
    EXPECT_FALSE(w.control<QPushButton>("openButton")->isEnabled());
    select(w, "Knife - weapon01.pro");
    EXPECT_TRUE(w.control<QPushButton>("openButton")->isEnabled());
    click(w.control<QPushButton>("openButton"));
    EXPECT_EQ(w.main->openPath(), w.item("weapon01.pro"));
    EXPECT_EQ(w.control<QLineEdit>("nameField")->text(), "Knife");
    EXPECT_TRUE(w.main->saved());
}

TEST_F(Browser, doubleClickAndEnterOpen) {
    w.show();
    listFiles(w);
    const auto found =
        w.control<QListWidget>("itemList")->findItems("Crate - contnr01.pro", Qt::MatchExactly);
    const QRect r = w.control<QListWidget>("itemList")->visualItemRect(found[0]);
    // A double click: the first click, then the second one that the system reports as double.
    QTest::mouseClick(w.control<QListWidget>("itemList")->viewport(), Qt::LeftButton, {},
                      r.center());
    QTest::mouseDClick(w.control<QListWidget>("itemList")->viewport(), Qt::LeftButton, {},
                       r.center());
    EXPECT_EQ(w.main->openPath(), w.item("contnr01.pro"));

    select(w, "Tonic - drug0001.pro");
    w.control<QListWidget>("itemList")->setFocus();
    QTest::keyClick(w.control<QListWidget>("itemList"), Qt::Key_Return);
    EXPECT_EQ(w.main->openPath(), w.item("drug0001.pro"));
    // Enter in a single-line field clicks Open too.
    select(w, "Cog - misc0001.pro");
    w.control<QLineEdit>("weightField")->setFocus();
    QTest::keyClick(w.control<QLineEdit>("weightField"), Qt::Key_Return);
    EXPECT_EQ(w.main->openPath(), w.item("misc0001.pro"));
}

TEST_F(Browser, quickOpenOpensEachEntryTheArrowKeysReach) {
    w.show();
    w.config->quickOpen->setChecked(true);
    listFiles(w);
    select(w, "Coat - armor001.pro");
    EXPECT_EQ(w.main->openPath(), w.item("armor001.pro"));
    EXPECT_FALSE(w.control<QPushButton>("openButton")->isEnabled());
    QTest::keyClick(w.control<QListWidget>("itemList"), Qt::Key_Down); // "Cog - misc0001.pro"
    EXPECT_EQ(w.main->openPath(), w.item("misc0001.pro"));
}

TEST(BrowserCases, theFocusAloneChoosesNoEntry) {
    for (const bool quickOpen : {false, true}) {
        SCOPED_TRACE(quickOpen);
        UiWorld w;
        w.show();
        listFiles(w);
        select(w, "Knife - weapon01.pro"); // enables Open, which stays so through a scan
        listFiles(w);
        w.config->quickOpen->setChecked(quickOpen);
        ASSERT_EQ(w.control<QPushButton>("openButton")->isEnabled(), true);
        // Tab from the browse button into the list marks its first entry, selects none.
        pressKey(w.control<QToolButton>("browseButton"), Qt::Key_Tab);
        ASSERT_TRUE(w.control<QListWidget>("itemList")->hasFocus());
        EXPECT_TRUE(w.control<QListWidget>("itemList")->selectedItems().isEmpty());
        QTest::keyClick(w.control<QListWidget>("itemList"), Qt::Key_Return);
        EXPECT_EQ(w.main->openPath(), "");
        click(w.control<QPushButton>("openButton"));
        EXPECT_EQ(w.main->openPath(), "");
        EXPECT_TRUE(w.dialogs.errors.isEmpty());
        // Space chooses the marked entry.
        QTest::keyClick(w.control<QListWidget>("itemList"), Qt::Key_Space);
        if (!quickOpen)
            QTest::keyClick(w.control<QListWidget>("itemList"), Qt::Key_Return);
        EXPECT_EQ(w.main->openPath(), w.item("armor001.pro"));
    }
}

TEST_F(Browser, everyClickOnAnEntryCountsAlsoOnTheSelectedOne) {
    w.show();
    w.config->quickOpen->setChecked(true);
    listFiles(w);
    select(w, "Crate - contnr01.pro");
    ASSERT_EQ(w.main->openPath(), w.item("contnr01.pro"));
    clearAndType(w.control<QLineEdit>("priceField"), "55");
    // Quick open opens the entry again, after the question about the unsaved change.
    select(w, "Crate - contnr01.pro");
    EXPECT_EQ(w.dialogs.questions.size(), 1);
    EXPECT_EQ(w.control<QLineEdit>("priceField")->text(),
              QString::number(get32(readAll(w.item("contnr01.pro")), 48)));
    EXPECT_TRUE(w.main->saved());
    // Without Quick open, the click enables Open.
    w.config->quickOpen->setChecked(false);
    EXPECT_FALSE(w.control<QPushButton>("openButton")->isEnabled());
    select(w, "Crate - contnr01.pro");
    EXPECT_TRUE(w.control<QPushButton>("openButton")->isEnabled());
}

TEST(BrowserCases, theUnsavedQuestionBeforeOpeningAnother) {
    for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
        UiWorld w;
        w.show();
        listFiles(w);
        select(w, "Crate - contnr01.pro");
        click(w.control<QPushButton>("openButton"));
        clearAndType(w.control<QLineEdit>("priceField"), "55");
        w.dialogs.answers.push_back(answer);
        select(w, "Knife - weapon01.pro");
        click(w.control<QPushButton>("openButton"));
        ASSERT_EQ(w.dialogs.questions.size(), 1);
        EXPECT_EQ(w.dialogs.questions[0],
                  "File has not saved! Do you want to save before opening the next one?");
        EXPECT_EQ(w.main->openPath(), w.item("weapon01.pro"));
        EXPECT_EQ(get32(readAll(w.item("contnr01.pro")), 48) == 55, answer == QMessageBox::Yes);
    }
}

TEST_F(Browser, aFailedOpenKeepsThePreviousItem) {
    w.show();
    listFiles(w);
    select(w, "Crate - contnr01.pro");
    click(w.control<QPushButton>("openButton"));
    typeInto(w.control<QLineEdit>("priceField"), "1");
    w.config->saveOnOpen->setChecked(false);
    std::filesystem::remove(w.item("weapon01.pro"));
    select(w, "Knife - weapon01.pro");
    click(w.control<QPushButton>("openButton"));
    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_EQ(w.dialogs.errors[0], "File not found");
    EXPECT_EQ(w.main->openPath(), w.item("contnr01.pro"));
    EXPECT_EQ(w.control<QLineEdit>("nameField")->text(), "Crate");
    EXPECT_FALSE(w.main->saved());
    EXPECT_EQ(w.main->record().typeName(), "container");
}

TEST_F(Browser, theFolderChooserFillsTheFieldWithoutScanning) {
    w.show();
    w.dialogs.folders.push_back(QString::fromStdString(w.dir.file("files")));
    click(w.control<QToolButton>("browseButton"));
    EXPECT_EQ(w.dialogs.folderPrompts.value(0),
              "Select the folder that holds the game's item files");
    EXPECT_EQ(w.control<QLineEdit>("dirField")->text(),
              QString::fromStdString(w.dir.file("files")));
    EXPECT_TRUE(w.main->rescanNeeded());
    EXPECT_FALSE(w.control<QTimer>("Timer")->isActive());
    click(w.control<QToolButton>("browseButton")); // cancelled
    EXPECT_EQ(w.control<QLineEdit>("dirField")->text(),
              QString::fromStdString(w.dir.file("files")));
}

TEST_F(Browser, aFileNameThatIsNotUtf8StillOpens) {
    w.show();
    const std::string name = "caf\xe9.pro"; // a Latin-1 name, as older tools write them
    w.dir.write("items/" + name, makeItem(6, 61));
    listFiles(w);
    QListWidgetItem* entry = nullptr;
    for (int i = 0; i < w.control<QListWidget>("itemList")->count(); ++i)
        if (w.control<QListWidget>("itemList")->item(i)->text().endsWith(QStringLiteral(".pro")) &&
            w.control<QListWidget>("itemList")
                ->item(i)
                ->text()
                .contains(QChar::ReplacementCharacter))
            entry = w.control<QListWidget>("itemList")->item(i);
    ASSERT_NE(entry, nullptr);
    const QRect r = w.control<QListWidget>("itemList")->visualItemRect(entry);
    QTest::mouseClick(w.control<QListWidget>("itemList")->viewport(), Qt::LeftButton, {},
                      r.center());
    click(w.control<QPushButton>("openButton"));
    EXPECT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join(";").toStdString();
    EXPECT_EQ(w.main->openPath(), w.item(name));
}
