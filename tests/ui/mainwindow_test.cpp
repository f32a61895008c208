// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/fields.h"
#include "support/item_bytes.h"
#include "ui/look.h"
#include "ui_world.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace zantor;
using namespace zantor::test;

class MainWindowLayout : public WindowTest {};
class MainWindowStart : public WindowTest {};
class Editing : public WindowTest {};
class Closing : public WindowTest {};
class Pages : public WindowTest {};
class Caption : public WindowTest {};
class Save : public WindowTest {};
class Keys : public WindowTest {};

namespace {

void clickTab(QTabWidget* pages, int index) {
    QTabBar* bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

bool storeHas(SettingsStore& store, const char* name) {
    store.OpenKey(kSettingsKey, false);
    const bool has = store.ValueExists(name);
    store.CloseKey();
    return has;
}

// Runs the program's look over each base style the toolkit offers, then puts the
// style of the other tests back.
void forEachStyle(const std::function<void(const QString&)>& test) {
    const auto* current = qobject_cast<QProxyStyle*>(QApplication::style());
    const QString restore = current ? current->baseStyle()->name() : QApplication::style()->name();
    for (const QString& key : QStyleFactory::keys()) {
        QApplication::setStyle(lookStyle(key));
        test(key);
    }
    QApplication::setStyle(lookStyle(restore));
}

// The entries an opened list shows whole.
int visibleRows(QComboBox* list) {
    QAbstractItemView* view = list->view();
    int rows = 0;
    for (int i = 0; i < list->count(); ++i) {
        const QRect r = view->visualRect(list->model()->index(i, 0));
        if (r.isValid() && r.top() >= 0 && r.bottom() < view->viewport()->height())
            ++rows;
    }
    return rows;
}

} // namespace

TEST_F(MainWindowLayout, everyFieldIsNamedLabelledAndLimitedAsItsTableSays) {
    EXPECT_EQ(w.main->windowTitle(), "Zantor | v3.5");
    // The size laid out for Tahoma, or just what a stand-in font needs.
    EXPECT_EQ(w.main->size(), QSize(647, 545).expandedTo(w.main->minimumSizeHint()));
    EXPECT_EQ(w.main->minimumSize(), w.main->maximumSize());
    for (const Field* f : allFields()) {
        const QString name = QString::fromUtf8(f->control.data(), qsizetype(f->control.size()));
        QWidget* control = w.main->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << f->control;
        EXPECT_EQ(control->accessibleName(),
                  QString::fromUtf8(f->label.data(), qsizetype(f->label.size())))
            << f->control;
        if (auto* edit = qobject_cast<QLineEdit*>(control); edit && f->maxLength > 0) {
            EXPECT_EQ(edit->maxLength(), f->maxLength) << f->control;
        }
    }
    // Every label names its control, so keyboard users and screen readers reach it.
    for (QLabel* label : w.main->findChildren<QLabel*>()) {
        if (label->buddy()) {
            EXPECT_FALSE(label->buddy()->accessibleName().isEmpty());
        }
    }
    EXPECT_EQ(w.control<QLineEdit>("range1Field")->maxLength(), 3);
    EXPECT_EQ(w.control<QLineEdit>("ACfield")->maxLength(), 3);
    EXPECT_EQ(w.control<QLineEdit>("fireSoundIDfield")->maxLength(), 3);
}

TEST_F(MainWindowLayout, fixedListsAndStartState) {
    ASSERT_EQ(w.control<QComboBox>("atkMode1List")->count(), 9);
    EXPECT_EQ(w.control<QComboBox>("atkMode1List")->itemText(2), "");
    EXPECT_EQ(w.control<QComboBox>("atkMode2List")->itemText(8), "Burst(Flame)");
    EXPECT_EQ(w.control<QComboBox>("looksList")->count(), 11);
    ASSERT_EQ(w.control<QComboBox>("fireFileList")->count(), 256);
    EXPECT_EQ(w.control<QComboBox>("fireFileList")->itemText(1), "pro_crit.msg");
    EXPECT_EQ(w.control<QComboBox>("fireFileList")->itemText(5), "pro_misc.msg");
    EXPECT_EQ(w.control<QComboBox>("fireFileList")->itemText(255), "None");
    EXPECT_EQ(w.control<QComboBox>("fireFileList")->itemText(6), "");
    EXPECT_EQ(w.control<QComboBox>("iTypeList")->count(), 7);
    EXPECT_EQ(w.control<QComboBox>("addList")->count(), 7);
    EXPECT_EQ(w.control<QComboBox>("addList")->currentText(), "None");
    EXPECT_EQ(w.control<QTabWidget>("mainPages")->count(), 6);
    for (int i = 1; i < 6; ++i)
        EXPECT_FALSE(w.control<QTabWidget>("mainPages")->isTabVisible(i));
    EXPECT_FALSE(w.control<QWidget>("commonTab")->isEnabled());
    EXPECT_FALSE(w.control<QPushButton>("openButton")->isEnabled());
    EXPECT_FALSE(w.control<QPushButton>("saveButton")->isEnabled());
    EXPECT_FALSE(w.control<QPushButton>("saveasButton")->isEnabled());
    EXPECT_EQ(w.control<QLabel>("itemCount")->text(), "0 items in total");
    EXPECT_TRUE(w.control<QCheckBox>("weaponFilter")->isChecked());
    EXPECT_FALSE(w.control<QCheckBox>("filterAll")->isChecked());
}

TEST_F(MainWindowLayout, everyPageShowsEveryCaptionAndGroupWhole) {
    w.show();
    const std::pair<const char*, int> pages[] = {{"weapon01.pro", 0}, {"weapon01.pro", 1},
                                                 {"armor001.pro", 2}, {"contnr01.pro", 3},
                                                 {"drug0001.pro", 4}, {"ammo0001.pro", 5}};
    for (const auto& [item, page] : pages) {
        ASSERT_TRUE(w.main->openItemFile(w.item(item)));
        clickTab(w.control<QTabWidget>("mainPages"), page);
        ASSERT_EQ(w.control<QTabWidget>("mainPages")->currentIndex(), page);
        for (QWidget* control : w.main->findChildren<QWidget*>()) {
            QString caption;
            if (auto* label = qobject_cast<QLabel*>(control))
                caption = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(control))
                caption = button->text();
            else if (auto* group = qobject_cast<QGroupBox*>(control))
                caption = group->title();
            if (caption.isEmpty() || !control->isVisible())
                continue;
            const QSize least = control->minimumSizeHint();
            EXPECT_TRUE(control->width() >= least.width() && control->height() >= least.height())
                << "page " << page << ": " << caption.toStdString() << " is " << control->width()
                << "x" << control->height() << ", needs " << least.width() << "x" << least.height();
        }
    }
}

TEST_F(MainWindowLayout, theDrugTimesStandInTheFourthRowUnderTheirColumns) {
    w.show();
    ASSERT_TRUE(w.main->openItemFile(w.item("drug0001.pro")));
    clickTab(w.control<QTabWidget>("mainPages"), 4);
    struct Case {
        QLineEdit* time;
        QLineEdit* column; // the column's third row
    };
    for (const Case c :
         {Case{w.control<QLineEdit>("midTermField"), w.control<QLineEdit>("effectField23")},
          Case{w.control<QLineEdit>("longTermField"), w.control<QLineEdit>("effectField33")}}) {
        const QRect column = c.column->geometry();
        const QRect time = c.time->geometry();
        QWidget* label = nullptr;
        for (QLabel* l : w.control<QWidget>("drugPage")->findChildren<QLabel*>())
            if (l->buddy() == c.time)
                label = l;
        ASSERT_NE(label, nullptr);
        const std::string name = c.time->objectName().toStdString();
        EXPECT_GT(time.top(), column.bottom()) << name;
        EXPECT_GE(label->geometry().left(), column.left()) << name;
        EXPECT_EQ(time.right(), column.right()) << name;
        EXPECT_LT(label->geometry().right(), time.left()) << name;
    }
}

TEST_F(MainWindowStart, firstStartUsesTheDefaultsAndFillsTheLists) {
    w.show();
    const QString cwd = QString::fromStdString(w.dir.path().string());
    EXPECT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join("; ").toStdString();
    EXPECT_EQ(w.control<QLineEdit>("dirField")->text(), cwd + "/items");
    EXPECT_EQ(w.config->msgDir->text(), cwd + "/files");
    EXPECT_EQ(w.config->critLstDirField->text(), cwd + "/files");
    EXPECT_TRUE(w.config->fileNamesOnly->isChecked());
    EXPECT_FALSE(w.config->quickOpen->isChecked());
    EXPECT_TRUE(w.config->askIfSaveCheck->isChecked());
    EXPECT_TRUE(w.config->saveOnOpen->isChecked());
    EXPECT_EQ(w.main->derivedPaths().proItemMsg, w.file("pro_item.msg"));
    EXPECT_EQ(w.control<QComboBox>("ammoTypeList")->count(), 19);
    EXPECT_EQ(w.control<QComboBox>("statList1")->count(), 40);
    EXPECT_EQ(w.control<QComboBox>("statList1")->itemText(0), "None");
    EXPECT_EQ(w.control<QComboBox>("statList1")->itemText(39), "Min value of stat 2");
    EXPECT_EQ(w.control<QComboBox>("statList2")->count(), 39);
    EXPECT_EQ(w.control<QComboBox>("groundArtList")->count(), 3);
    EXPECT_EQ(w.control<QComboBox>("maleLooksList")->count(), 3);
    // Only the item folder has been stored.
    EXPECT_TRUE(storeHas(*w.store, "Default open directory"));
    EXPECT_FALSE(storeHas(*w.store, "Filter - All"));
    EXPECT_FALSE(storeHas(*w.store, "Show item names"));
}

TEST_F(MainWindowStart, theIdFieldsStartAtZeroWithoutRunningTheirHandlers) {
    w.show();
    EXPECT_EQ(w.control<QLineEdit>("itemIDfield")->text(), "0");
    EXPECT_EQ(w.control<QLineEdit>("textIDfield")->text(), "0");
    EXPECT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join("; ").toStdString();
    EXPECT_EQ(w.control<QLineEdit>("nameField")->text(), "");
    EXPECT_EQ(w.main->windowTitle(), "Zantor | v3.5");
    EXPECT_TRUE(w.main->saved());
}

TEST_F(MainWindowStart, aMissingTableIsReportedAndTheWindowStillShows) {
    std::filesystem::remove(w.file("items.lst"));
    w.show();
    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_TRUE(w.dialogs.errors[0].startsWith("Cannot open file "));
    EXPECT_TRUE(w.main->isVisible());
    EXPECT_EQ(w.control<QComboBox>("ammoTypeList")->count(), 19); // filled before the failure
    EXPECT_EQ(w.control<QComboBox>("statList1")->count(), 0);     // skipped after it
}

TEST_F(Editing, anOpenedItemShowsItsNamesAndCountsAsSaved) {
    showWith("weapon01.pro");
    auto* m = w.main.get();
    EXPECT_TRUE(m->saved());
    EXPECT_FALSE(m->loading());
    EXPECT_EQ(w.control<QLineEdit>("nameField")->text(), "Knife");
    EXPECT_EQ(w.control<QPlainTextEdit>("descField")->toPlainText(), "A small knife.");
    EXPECT_EQ(m->rememberedName(), "Knife");
    EXPECT_EQ(w.control<QLineEdit>("materialNameField")->text(), "Metal");
    EXPECT_EQ(w.control<QLineEdit>("damageTypeNameField")->text(), "Plasma");
    EXPECT_EQ(w.control<QLineEdit>("ammoTypeNameFIeld")->text(), "Calibre 5");
    EXPECT_EQ(w.control<QLineEdit>("ammoNameField")->text(), "Slug box");
    EXPECT_EQ(w.control<QLineEdit>("fireArtNameField")->text(), "Spark");
    EXPECT_EQ(w.control<QComboBox>("atkMode1List")->currentIndex(), 6);
    EXPECT_EQ(w.control<QComboBox>("atkMode2List")->currentIndex(), 7);
    EXPECT_TRUE(w.control<QWidget>("commonTab")->isEnabled());
    EXPECT_TRUE(w.control<QPushButton>("saveButton")->isEnabled());
    EXPECT_TRUE(w.control<QTabWidget>("mainPages")->isTabVisible(1));

    // No question on Close right after opening.
    click(w.control<QPushButton>("closeButton"));
    EXPECT_TRUE(w.dialogs.questions.isEmpty());
    EXPECT_FALSE(m->isVisible());
}

TEST_F(Editing, oneTypedCharacterClearsTheSavedFlagAndDeletingItKeepsItClear) {
    showWith("weapon01.pro");
    typeInto(w.control<QLineEdit>("weightField"), "5");
    EXPECT_FALSE(w.main->saved());
    QTest::keyClick(w.control<QLineEdit>("weightField"), Qt::Key_Backspace);
    EXPECT_FALSE(w.main->saved());
}

TEST_F(Editing, choosingAnotherItemTypeMarksUnsavedAndChangesNoPage) {
    showWith("armor001.pro");
    auto* list = w.control<QComboBox>("iTypeList");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_FALSE(w.main->saved());
    EXPECT_TRUE(w.control<QTabWidget>("mainPages")->isTabVisible(2));
    EXPECT_FALSE(w.control<QTabWidget>("mainPages")->isTabVisible(3));
}

TEST(ClosingCases, theUnsavedQuestionAnswersYesNoAndCancel) {
    struct Case {
        QMessageBox::StandardButton answer;
        bool quits;
        bool saves;
    };
    for (const Case c : {Case{QMessageBox::Yes, true, true}, Case{QMessageBox::No, true, false},
                         Case{QMessageBox::Cancel, false, false}}) {
        UiWorld w;
        w.show();
        w.main->openItemFile(w.item("contnr01.pro"));
        clearAndType(w.control<QLineEdit>("priceField"), "77");
        w.dialogs.answers.push_back(c.answer);
        click(w.control<QPushButton>("closeButton"));
        ASSERT_EQ(w.dialogs.questions.size(), 1);
        EXPECT_EQ(w.dialogs.questionTitles[0], "Warning");
        EXPECT_EQ(w.dialogs.questions[0], "File has not saved! Do you want to save before quit?");
        EXPECT_EQ(w.main->isVisible(), !c.quits);
        EXPECT_EQ(get32(readAll(w.item("contnr01.pro")), 48) == 77, c.saves);
        // The filters are written whatever the answer.
        EXPECT_TRUE(storeHas(*w.store, "Filter - All"));
    }
}

TEST_F(Closing, quittingWithoutTheQuestionWhenItIsNotTicked) {
    showWith("contnr01.pro");
    clearAndType(w.control<QLineEdit>("priceField"), "77");
    w.config->askIfSaveCheck->setChecked(false);
    click(w.control<QPushButton>("closeButton"));
    EXPECT_TRUE(w.dialogs.questions.isEmpty());
    EXPECT_FALSE(w.main->isVisible());
}

TEST_F(Closing, theCloseBoxActsAsTheCloseButton) {
    showWith("contnr01.pro");
    clearAndType(w.control<QLineEdit>("priceField"), "77");
    w.main->close(); // the title-bar close box
    EXPECT_EQ(w.dialogs.questions.size(), 1);
    EXPECT_TRUE(w.main->isVisible()); // Cancel by default
    EXPECT_TRUE(storeHas(*w.store, "Filter - Weapon"));
}

TEST_F(Closing, aFailedSaveOnYesKeepsTheProgramRunning) {
    showWith("contnr01.pro");
    clearAndType(w.control<QLineEdit>("priceField"), "7x");
    w.dialogs.answers.push_back(QMessageBox::Yes);
    click(w.control<QPushButton>("closeButton"));
    EXPECT_TRUE(w.main->isVisible());
    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_EQ(w.dialogs.errors[0], "'7x' is not a valid integer value");
    EXPECT_FALSE(w.main->saved());
}

TEST_F(Pages, theTypePageComesToTheFrontOnlyAfterTheUserChoseOne) {
    w.show();
    auto* m = w.main.get();
    m->openItemFile(w.item("armor001.pro"));
    EXPECT_TRUE(w.control<QTabWidget>("mainPages")->isTabVisible(2));
    EXPECT_EQ(w.control<QTabWidget>("mainPages")->currentIndex(), 0);
    EXPECT_EQ(m->pageMode(), TmainWindow::PageMode::NoChoice);

    w.store->OpenKey(kSettingsKey, true);
    w.store->DeleteKey(kSettingsKey);
    clickTab(w.control<QTabWidget>("mainPages"), 2);
    EXPECT_EQ(m->pageMode(), TmainWindow::PageMode::TypePage);
    EXPECT_TRUE(storeHas(*w.store, "Default open directory"));

    m->openItemFile(w.item("misc0001.pro"));
    for (int i = 1; i < 6; ++i)
        EXPECT_FALSE(w.control<QTabWidget>("mainPages")->isTabVisible(i));
    EXPECT_EQ(w.control<QTabWidget>("mainPages")->currentIndex(), 0);
    m->openItemFile(w.item("weapon01.pro"));
    EXPECT_EQ(w.control<QTabWidget>("mainPages")->currentIndex(), 1);

    clickTab(w.control<QTabWidget>("mainPages"), 0);
    EXPECT_EQ(m->pageMode(), TmainWindow::PageMode::CommonPage);
    m->openItemFile(w.item("armor001.pro"));
    EXPECT_EQ(w.control<QTabWidget>("mainPages")->currentIndex(), 0);
    EXPECT_TRUE(w.control<QTabWidget>("mainPages")->isTabVisible(2));
}

TEST_F(Caption, followsTheNameField) {
    showWith("weapon01.pro");
    EXPECT_EQ(w.main->windowTitle(), "Zantor | weapon01.pro - Knife");
    typeInto(w.control<QLineEdit>("nameField"), "!");
    EXPECT_EQ(w.main->windowTitle(), "Zantor | weapon01.pro - Knife!");
    EXPECT_FALSE(w.main->saved());
    clearAndType(w.control<QLineEdit>("nameField"), "Caf");
    commitText(w.control<QLineEdit>("nameField"), QString::fromUtf8("\u00e9"));
    ASSERT_EQ(w.control<QLineEdit>("nameField")->text(), QString::fromUtf8("Caf\u00e9"));
    EXPECT_EQ(w.main->windowTitle(), QString::fromUtf8("Zantor | weapon01.pro - Caf\u00e9"));
}

TEST(SaveCases, saveAndSaveAsOrderTheAttackModeRowsDifferently) {
    {
        UiWorld w;
        w.show();
        w.main->openItemFile(w.item("weapon01.pro"));
        click(w.control<QPushButton>("saveButton"));
        const Bytes saved = readAll(w.item("weapon01.pro"));
        EXPECT_EQ(saved[27], 0x67);
        EXPECT_EQ(get32(saved, 73), 22);
        EXPECT_EQ(get32(saved, 89), 4);
        EXPECT_TRUE(isReadOnly(w.item("weapon01.pro")));
        EXPECT_TRUE(w.main->saved());
    }
    {
        UiWorld w;
        w.show();
        w.main->openItemFile(w.item("weapon01.pro"));
        typeInto(w.control<QLineEdit>("nameField"), "s");
        const std::string copy = w.item("copy.pro");
        w.dialogs.saveFiles.push_back(QString::fromStdString(copy));
        click(w.control<QPushButton>("saveasButton"));
        EXPECT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join(";").toStdString();
        const Bytes saved = readAll(copy);
        EXPECT_EQ(saved[27], 0x76);
        EXPECT_EQ(get32(saved, 73), 11);
        EXPECT_FALSE(isReadOnly(copy));
        EXPECT_TRUE(w.main->saved());
        EXPECT_EQ(w.dialogs.saveDialog.value(0), w.control<QLineEdit>("dirField")->text());
        EXPECT_EQ(w.dialogs.saveDialog.value(1), QString::fromStdString(w.item("weapon01.pro")));
        EXPECT_TRUE(w.dialogs.saveDialog.value(2).endsWith("(*.pro)"));
        EXPECT_EQ(w.dialogs.saveDialog.value(3), "All files (*.*)");
        // The name went into the text table first; the open file is still the old one.
        const Bytes msg = readAll(w.file("pro_item.msg"));
        EXPECT_NE(
            std::string(msg.begin(), msg.end()).find("{100}{}{Knifes}\r\n{101}{}{A small knife.}"),
            std::string::npos);
        EXPECT_EQ(w.main->openPath(), w.item("weapon01.pro"));
    }
}

TEST_F(Save, cancellingSaveAsWritesNothing) {
    showWith("weapon01.pro");
    typeInto(w.control<QLineEdit>("nameField"), "s");
    const Bytes msg = readAll(w.file("pro_item.msg"));
    click(w.control<QPushButton>("saveasButton"));
    EXPECT_EQ(readAll(w.file("pro_item.msg")), msg);
    EXPECT_FALSE(w.main->saved());
}

TEST_F(Save, aFailedSaveKeepsTheSavedFlagFalseAndTheFileWhole) {
    showWith("ammo0001.pro");
    const Bytes before = readAll(w.item("ammo0001.pro"));
    const Bytes msg = readAll(w.file("pro_item.msg"));
    clearAndType(w.control<QLineEdit>("ACmodField"), "-");
    click(w.control<QPushButton>("saveButton"));
    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_EQ(w.dialogs.errors[0], "'-' is not a valid integer value");
    EXPECT_FALSE(w.main->saved());
    EXPECT_EQ(readAll(w.item("ammo0001.pro")), before);
    // Both files or neither: the name was not written either.
    EXPECT_EQ(readAll(w.file("pro_item.msg")), msg);
}

TEST(KeysCases, escapeClicksCloseExceptInTheDescription) {
    {
        UiWorld w;
        w.show();
        w.main->openItemFile(w.item("weapon01.pro"));
        w.control<QPlainTextEdit>("descField")->setFocus();
        QTest::keyClick(w.control<QPlainTextEdit>("descField"), Qt::Key_Escape);
        EXPECT_TRUE(w.main->isVisible());
        QTest::keyClick(w.control<QPlainTextEdit>("descField"), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(w.control<QPlainTextEdit>("descField"), Qt::Key_Return);
        EXPECT_EQ(w.control<QPlainTextEdit>("descField")->toPlainText(), "A small knife.\n");
    }
    {
        UiWorld w;
        w.show();
        w.control<QLineEdit>("itemIDfield")->setFocus();
        QTest::keyClick(w.control<QLineEdit>("itemIDfield"), Qt::Key_Escape);
        EXPECT_FALSE(w.main->isVisible());
    }
}

TEST_F(Keys, theTextIdStepsByHundredsAndStopsAtZero) {
    showWith("weapon01.pro");
    auto* id = w.control<QLineEdit>("textIDfield");
    id->setFocus();
    QTest::keyClick(id, Qt::Key_Up);
    EXPECT_EQ(id->text(), "200");
    EXPECT_EQ(w.control<QLineEdit>("nameField")->text(), "Coat");
    EXPECT_EQ(w.control<QPlainTextEdit>("descField")->toPlainText(), "Warm.");
    EXPECT_EQ(w.main->rememberedName(), "Knife");
    QTest::keyClick(id, Qt::Key_Down);
    QTest::keyClick(id, Qt::Key_Down);
    EXPECT_EQ(id->text(), "0");
    QTest::keyClick(id, Qt::Key_Down);
    EXPECT_EQ(id->text(), "0");
}

TEST_F(Save, aNameTheTablesCannotHoldIsRefusedBeforeAnythingIsWritten) {
    showWith("weapon01.pro");
    const Bytes msg = readAll(w.file("pro_item.msg"));
    const Bytes item = readAll(w.item("weapon01.pro"));
    commitText(w.control<QLineEdit>("nameField"), QString::fromUtf8("\u0151"));
    ASSERT_EQ(w.control<QLineEdit>("nameField")->text(), QString::fromUtf8("Knife\u0151"));
    click(w.control<QPushButton>("saveButton"));
    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_TRUE(w.dialogs.errors[0].startsWith("The name holds characters"));
    EXPECT_EQ(readAll(w.file("pro_item.msg")), msg);
    EXPECT_EQ(readAll(w.item("weapon01.pro")), item);
    EXPECT_FALSE(w.main->saved());
    // A character the tables do hold is written as its byte.
    clearAndType(w.control<QLineEdit>("nameField"), QStringLiteral("Caf"));
    commitText(w.control<QLineEdit>("nameField"), QString::fromUtf8("\u00e9"));
    click(w.control<QPushButton>("saveButton"));
    EXPECT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_NE(readText(w.file("pro_item.msg")).find("{100}{}{Caf\xe9}"), std::string::npos);
}

TEST_F(Save, aBraceIsRefusedAndAFileInAnotherLetterCaseIsNamedBeforeItIsReplaced) {
    showWith("weapon01.pro");
    const Bytes msg = readAll(w.file("pro_item.msg"));
    const Bytes item = readAll(w.item("weapon01.pro"));
    typeInto(w.control<QLineEdit>("nameField"), "}");
    click(w.control<QPushButton>("saveButton"));
    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_EQ(w.dialogs.errors[0],
              "The name holds '}', which the game's text tables cannot store.");
    EXPECT_EQ(readAll(w.file("pro_item.msg")), msg);
    EXPECT_EQ(readAll(w.item("weapon01.pro")), item);

    clearAndType(w.control<QLineEdit>("nameField"), "Dagger");
    const std::string twin = w.dir.write("items/KNIFE.PRO", std::string("twin"));
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        w.dialogs.answers.push_back(answer);
        w.dialogs.saveFiles.push_back(QString::fromStdString(w.item("knife.pro")));
        click(w.control<QPushButton>("saveasButton"));
        ASSERT_FALSE(w.dialogs.questions.isEmpty());
        EXPECT_TRUE(w.dialogs.questions.last().startsWith("KNIFE.PRO already exists"));
        EXPECT_EQ(w.dialogs.defaultButtons.last(), QMessageBox::No);
        EXPECT_FALSE(std::filesystem::exists(w.item("knife.pro")));
        if (answer == QMessageBox::No) {
            EXPECT_EQ(readText(twin), "twin");
            EXPECT_EQ(readAll(w.file("pro_item.msg")), msg);
        } else {
            EXPECT_EQ(readAll(twin).size(), item.size());
            EXPECT_NE(readText(w.file("pro_item.msg")).find("{100}{}{Dagger}"), std::string::npos);
        }
    }
    EXPECT_EQ(w.dialogs.errors.size(), 1);
}

TEST(Lists, anOpenedListShowsAtMostTenRowsBelowItselfWithAScrollBar) {
    forEachStyle([](const QString& style) {
        UiWorld w;
        std::string ground;
        for (int i = 0; i < 25; ++i)
            ground += "ground" + std::to_string(i) + ".frm\r\n";
        w.dir.write("files/items.lst", ground);
        w.show();
        w.main->openItemFile(w.item("weapon01.pro"));
        clickTab(w.control<QTabWidget>("mainPages"), 1);
        struct Case {
            QComboBox* list;
            int tab;
            int rows;
        };
        for (const Case c : {Case{w.control<QComboBox>("fireFileList"), 1, 10},
                             Case{w.control<QComboBox>("looksList"), 1, 10},
                             Case{w.control<QComboBox>("atkMode1List"), 1, 9},
                             Case{w.control<QComboBox>("groundArtList"), 0, 10},
                             Case{w.control<QComboBox>("iTypeList"), 0, 7}}) {
            clickTab(w.control<QTabWidget>("mainPages"), c.tab);
            const QString name = style + " " + c.list->objectName();
            c.list->setFocus();
            QTest::keyClick(c.list, Qt::Key_F4);
            QAbstractItemView* view = c.list->view();
            ASSERT_TRUE(view->isVisible()) << name.toStdString();
            EXPECT_EQ(visibleRows(c.list), c.rows) << name.toStdString();
            EXPECT_EQ(view->verticalScrollBar()->isVisible(), c.list->count() > 10)
                << name.toStdString();
            // Below the closed list, not over it.
            EXPECT_GE(view->mapToGlobal(QPoint(0, 0)).y(),
                      c.list->mapToGlobal(QPoint(0, c.list->height())).y() - 2)
                << name.toStdString();
            QTest::keyClick(view, Qt::Key_Escape);
            EXPECT_FALSE(view->isVisible()) << name.toStdString();
            EXPECT_TRUE(w.main->isVisible()) << name.toStdString();
        }
    });
}

// The form's lists keep the room of six letters and an icon whatever they hold, in
// every base style, as a list of the toolkit's own sizing policy for that does.
TEST(Lists, everyFormListIsSizedForSixLettersAndAnIcon) {
    forEachStyle([](const QString& style) {
        UiWorld w;
        w.show();
        for (QComboBox* list : w.main->findChildren<QComboBox*>()) {
            QComboBox reference(list->parentWidget());
            reference.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            reference.setMinimumContentsLength(6);
            const std::string name = style.toStdString() + " " + list->objectName().toStdString();
            EXPECT_EQ(list->sizeHint(), reference.sizeHint()) << name;
            EXPECT_EQ(list->minimumSizeHint(), reference.minimumSizeHint()) << name;
        }
    });
}

TEST(Lists, aClosedListIsSilverLikeTheEdits) {
    forEachStyle([](const QString& style) {
        UiWorld w;
        w.show();
        w.main->openItemFile(w.item("weapon01.pro"));
        for (QComboBox* list :
             {w.control<QComboBox>("iTypeList"), w.control<QComboBox>("groundArtList")}) {
            for (bool focused : {false, true}) {
                (focused ? static_cast<QWidget*>(list) : w.control<QLineEdit>("weightField"))
                    ->setFocus();
                QStyleOptionComboBox option;
                option.initFrom(list);
                option.editable = false;
                const QRect field = list->style()->subControlRect(
                    QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
                // Right of the entry's text, which stands at the left.
                const QColor pixel =
                    list->grab().toImage().pixelColor(field.right() - 3, field.center().y());
                EXPECT_EQ(pixel, QColor(192, 192, 192))
                    << style.toStdString() << " " << list->objectName().toStdString()
                    << (focused ? " focused " : " ") << pixel.name().toStdString();
            }
        }
    });
}

// The windows' buttons show the toolkit's own pictures, as they do where the desktop has
// no icon theme, also where the theme has pictures of the names the base style asks for.
TEST(Look, theButtonsShowTheToolkitsOwnPicturesWhateverTheIconTheme) {
    const QStyle::StandardPixmap shown[] = {
        QStyle::SP_DialogCloseButton, QStyle::SP_DialogSaveButton,
        QStyle::SP_DialogOpenButton,  QStyle::SP_DialogCancelButton,
        QStyle::SP_DialogOkButton,    QStyle::SP_FileDialogDetailedView,
        QStyle::SP_DriveFDIcon,       QStyle::SP_DirOpenIcon,
        QStyle::SP_BrowserReload};
    const QStyle* base = qobject_cast<QProxyStyle*>(QApplication::style())->baseStyle();
    ASSERT_TRUE(QIcon::themeName().isEmpty());
    std::map<std::pair<int, int>, QImage> toolkits;
    for (QStyle::StandardPixmap icon : shown)
        for (int size : {16, 32})
            toolkits[{icon, size}] = base->standardIcon(icon).pixmap(size).toImage();

    QTemporaryDir themes;
    const QString theme = themes.filePath(QStringLiteral("probe"));
    ASSERT_TRUE(QDir().mkpath(theme + "/16x16"));
    QFile index(theme + "/index.theme");
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=probe\nDirectories=16x16\n[16x16]\nSize=16\nType=Fixed\n");
    index.close();
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    for (const char* name :
         {"window-close", "document-save", "folder-open", "process-stop", "dialog-cancel",
          "dialog-ok", "view-list-details", "floppy_unmount", "media-floppy", "view-refresh"})
        ASSERT_TRUE(red.save(theme + "/16x16/" + name + ".png"));
    const QStringList searched = QIcon::themeSearchPaths();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("probe"));
    // The base style takes the theme's picture.
    EXPECT_EQ(
        base->standardIcon(QStyle::SP_DialogCloseButton).pixmap(16).toImage().pixelColor(8, 8),
        QColor(Qt::red));
    for (QStyle::StandardPixmap icon : shown)
        for (int size : {16, 32}) {
            // Where the base style has no picture of a size, the windows may show a
            // sharper one of the toolkit's own.
            const QImage& toolkit = toolkits[{icon, size}];
            const QImage shown = QApplication::style()->standardIcon(icon).pixmap(size).toImage();
            EXPECT_EQ(shown.size(), QSize(size, size)) << int(icon);
            if (toolkit.size() == shown.size()) {
                EXPECT_EQ(shown, toolkit) << int(icon) << " at " << size;
            }
        }
    QIcon::setThemeName(QString());
    QIcon::setThemeSearchPaths(searched);
}
