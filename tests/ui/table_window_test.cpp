// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.h"
#include "settings/file_settings_store.h"
#include "support/item_bytes.h"
#include "table/csv.h"
#include "table_world.h"
#include "ui/table_dialogs.h"
#include "ui/table_window.h"
#include "ui_world.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <algorithm>
#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

class ScriptedTableDialogs final : public TableDialogs {
public:
    QString openFile;
    std::optional<NumberChange> change;
    bool applyImport = true;
    QStringList preview;

    QString chooseOpenFile(QWidget*, const QString&, const QStringList&) override {
        return openFile;
    }
    std::optional<NumberChange> askNumberChange(QWidget*, const QString&, int) override {
        return change;
    }
    bool confirmImport(QWidget*, const QStringList& changes) override {
        preview = changes;
        return applyImport;
    }
};

// The table window over a small folder, with prices that sort differently as
// numbers and as text.
class TableWindowTest : public ::testing::Test {
protected:
    TableWindowTest() : store(w.dir.path() / "config") {
        for (const auto& [file, price] : {std::pair{"weapon.pro", 1100},
                                          {"drug.pro", 90},
                                          {"armor.pro", 250},
                                          {"key.pro", 3}}) {
            Bytes b = readAll(w.item(file));
            put32(b, 48, price);
            w.dir.write(std::string("items/") + file, b);
        }
        open();
    }

    void open() {
        TableSource source;
        source.folder = w.items();
        source.paths = w.paths();
        win = std::make_unique<TableWindow>(source, store, dialogs, tableDialogs);
        win->openItem = [this](const std::string& path) { opened.push_back(path); };
        win->show();
        QApplication::setActiveWindow(win.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
    }

    QAbstractItemModel* model() const { return win->tableView->model(); }

    int rowOf(const char* file) const {
        for (int r = 0; r < model()->rowCount(); ++r)
            if (model()->index(r, columnIndex("file")).data().toString() == QLatin1String(file))
                return r;
        return -1;
    }

    QString cell(const char* file, const char* key) const {
        return model()->index(rowOf(file), columnIndex(key)).data().toString();
    }

    std::vector<std::string> fileOrder() const {
        std::vector<std::string> files;
        for (int r = 0; r < model()->rowCount(); ++r)
            files.push_back(model()->index(r, columnIndex("file")).data().toString().toStdString());
        return files;
    }

    // Clicks a cell as the user does (with Ctrl to add it to the selection).
    void clickCell(const char* file, const char* key, Qt::KeyboardModifiers mods = {}) {
        const QModelIndex i = model()->index(rowOf(file), columnIndex(key));
        win->tableView->scrollTo(i);
        QTest::mouseClick(win->tableView->viewport(), Qt::LeftButton, mods,
                          win->tableView->visualRect(i).center());
    }

    void key(int k, Qt::KeyboardModifiers mods = {}) {
        QWidget* target =
            QApplication::focusWidget() ? QApplication::focusWidget() : win->tableView;
        QTest::keyClick(target, static_cast<Qt::Key>(k), mods);
    }

    // Selects a cell and types a value into it, ending with Enter or Ctrl+Enter.
    void typeCell(const char* file, const char* keyName, const QString& text,
                  bool toSelection = false) {
        if (!toSelection)
            clickCell(file, keyName);
        win->tableView->setFocus();
        QTest::keyClick(win->tableView, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, win->tableView);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return, toSelection ? Qt::ControlModifier : Qt::NoModifier);
        QApplication::processEvents(); // the view commits an editor's Enter a moment later
    }

    TableWorld w;
    FileSettingsStore store;
    ScriptedDialogs dialogs;
    ScriptedTableDialogs tableDialogs;
    std::unique_ptr<TableWindow> win;
    std::vector<std::string> opened;
};

} // namespace

TEST_F(TableWindowTest, headerClickSortsNumbersAsNumbersAndTheFilterMatchesAsYouType) {
    const int price = columnIndex("priceField");
    win->tableView->scrollTo(model()->index(0, price));
    auto* header = win->tableView->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(price) + header->sectionSize(price) / 2, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(fileOrder(),
              (std::vector<std::string>{"key.pro", "drug.pro", "armor.pro", "weapon.pro"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(fileOrder().front(), "weapon.pro");

    typeInto(win->filterField, QStringLiteral("RIF")); // the name, any letter case
    EXPECT_EQ(fileOrder(), std::vector<std::string>{"weapon.pro"});
    clearAndType(win->filterField, QStringLiteral("key.p")); // the file name
    EXPECT_EQ(fileOrder(), std::vector<std::string>{"key.pro"});
    EXPECT_EQ(win->countLabel->text(), QStringLiteral("1 of 4 items shown; 0 changed."));
}

TEST_F(TableWindowTest, aTypePresetShowsThatTypesColumnsAndIsRemembered) {
    // The button opens its menu; "&Weapon columns" is chosen by its key.
    QMenu* menu = win->columnsButton->menu();
    int tries = 0;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QApplication::activePopupWidget() != menu && ++tries < 500) {
            timer.start(10);
            return;
        }
        QTest::keyClick(menu, Qt::Key_W);
        if (menu->isVisible()) {
            ADD_FAILURE() << "the menu stayed open";
            menu->close();
        }
    });
    timer.start(0);
    QTest::mouseClick(win->columnsButton, Qt::LeftButton);
    EXPECT_TRUE(win->columnShown("minDmgField"));
    EXPECT_TRUE(win->columnShown("priceField"));
    EXPECT_TRUE(win->columnShown("nameField"));
    EXPECT_FALSE(win->columnShown("ACfield"));
    win->tableView->setColumnWidth(columnIndex("priceField"), 123);
    win->close();
    open();
    EXPECT_FALSE(win->columnShown("ACfield"));
    EXPECT_TRUE(win->columnShown("minDmgField"));
    EXPECT_EQ(win->tableView->columnWidth(columnIndex("priceField")), 123);
}

TEST_F(TableWindowTest, aCellEditsAsTheFormAndRefusesWithTheFormsMessage) {
    typeCell("weapon.pro", "priceField", QStringLiteral("1250"));
    EXPECT_EQ(cell("weapon.pro", "priceField"), QStringLiteral("1250"));
    EXPECT_EQ(model()
                  ->index(rowOf("weapon.pro"), columnIndex("priceField"))
                  .data(Qt::FontRole)
                  .value<QFont>()
                  .bold(),
              true);
    typeCell("weapon.pro", "priceField", QStringLiteral("12x0"));
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("'12x0' is not a valid integer value")});
    EXPECT_EQ(cell("weapon.pro", "priceField"), QStringLiteral("1250"));

    // A list cell opens the list: choose the entry by keyboard.
    clickCell("weapon.pro", "looksList");
    QTest::keyClick(win->tableView, Qt::Key_F2);
    QWidget* list = QApplication::focusWidget();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(cell("weapon.pro", "looksList"), QStringLiteral("Energy Weapon"));

    // Undo and redo with the keyboard.
    win->tableView->setFocus();
    QTest::keyClick(win->tableView, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell("weapon.pro", "looksList"), QStringLiteral("Rifle"));
    QTest::keyClick(win->tableView, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell("weapon.pro", "priceField"), QStringLiteral("1100"));
    QTest::keyClick(win->tableView, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(cell("weapon.pro", "priceField"), QStringLiteral("1250"));
}

TEST_F(TableWindowTest, ctrlEnterSetsEverySelectedCellOfTheColumnOrNone) {
    clickCell("weapon.pro", "weightField");
    clickCell("key.pro", "weightField", Qt::ControlModifier);
    typeCell("key.pro", "weightField", QStringLiteral("7"), true);
    EXPECT_EQ(cell("weapon.pro", "weightField"), QStringLiteral("7"));
    EXPECT_EQ(cell("key.pro", "weightField"), QStringLiteral("7"));
    EXPECT_EQ(cell("drug.pro", "weightField") == QStringLiteral("7"), false);

    // An armor item has no range: nothing is set, not even the weapon's.
    clickCell("armor.pro", "range1Field");
    clickCell("weapon.pro", "range1Field", Qt::ControlModifier);
    typeCell("weapon.pro", "range1Field", QStringLiteral("9"), true);
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral(
                                  "armor items have no range1Field: the cell must be empty")});
    EXPECT_NE(cell("weapon.pro", "range1Field"), QStringLiteral("9"));
}

TEST_F(TableWindowTest, addAndMultiplyCheckEveryCellFirst) {
    clickCell("weapon.pro", "priceField");
    clickCell("drug.pro", "priceField", Qt::ControlModifier);
    tableDialogs.change = NumberChange{true, 1.5};
    QTest::keyClick(win->tableView, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(cell("weapon.pro", "priceField"), QStringLiteral("1650"));
    EXPECT_EQ(cell("drug.pro", "priceField"), QStringLiteral("135"));
    tableDialogs.change = NumberChange{false, 2147483000};
    QTest::keyClick(win->tableView, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(cell("drug.pro", "priceField"), QStringLiteral("135")); // 135 would fit, 1650 not
}

TEST_F(TableWindowTest, copyGivesTabSeparatedTextAndPasteTakesABlockFromASpreadsheet) {
    clickCell("weapon.pro", "weightField");
    clickCell("weapon.pro", "priceField", Qt::ShiftModifier);
    QTest::keyClick(win->tableView, Qt::Key_C, Qt::ControlModifier);
    const auto copied = readCsv(QApplication::clipboard()->text().toStdString(), '\t');
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_EQ(copied[0].back(), "1100");

    QApplication::clipboard()->setText(QStringLiteral("11\t\"1,5\"\n12\t13\n"));
    clickCell(fileOrder()[0].c_str(), "weightField");
    QTest::keyClick(win->tableView, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dialogs.errors.size(), 1); // "1,5" is no price: nothing is pasted
    EXPECT_NE(model()->index(0, columnIndex("weightField")).data().toString(),
              QStringLiteral("11"));
    QApplication::clipboard()->setText(QStringLiteral("11\t15\r\n12\t13\r\n"));
    QTest::keyClick(win->tableView, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(model()->index(0, columnIndex("weightField")).data().toString(),
              QStringLiteral("11"));
    EXPECT_EQ(model()->index(1, columnIndex("priceField")).data().toString(), QStringLiteral("13"));
}

TEST_F(TableWindowTest, saveAllWritesTheChangedItemsAndClosingAsksAboutTheRest) {
    typeCell("weapon.pro", "priceField", QStringLiteral("1250"));
    typeCell("key.pro", "nameField", QStringLiteral("Old Key"));
    const Bytes drug = readAll(w.item("drug.pro"));
    QTest::keyClick(win->tableView, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
    EXPECT_EQ(get32(readAll(w.item("weapon.pro")), 48), 1250);
    EXPECT_EQ(readAll(w.item("drug.pro")), drug);
    EXPECT_NE(readText(w.proItemMsg()).find("{400}{}{Old Key}"), std::string::npos);
    EXPECT_EQ(win->countLabel->text(), QStringLiteral("4 of 4 items shown; 0 changed."));

    typeCell("weapon.pro", "priceField", QStringLiteral("1"));
    dialogs.answers = {QMessageBox::Cancel};
    win->close();
    EXPECT_TRUE(win->isVisible());
    EXPECT_EQ(dialogs.questionTitles.back(), QStringLiteral("Warning"));
    dialogs.answers = {QMessageBox::No};
    win->close();
    EXPECT_FALSE(win->isVisible());
    EXPECT_EQ(get32(readAll(w.item("weapon.pro")), 48), 1250);
}

TEST_F(TableWindowTest, enterOrDoubleClickOpensTheRowInTheEditor) {
    clickCell("drug.pro", "nameField");
    QTest::keyClick(win->tableView, Qt::Key_Return);
    clickCell("key.pro", "file");
    const QModelIndex i = model()->index(rowOf("key.pro"), columnIndex("file"));
    QTest::mouseDClick(win->tableView->viewport(), Qt::LeftButton, {},
                       win->tableView->visualRect(i).center());
    EXPECT_EQ(opened, (std::vector<std::string>{w.item("drug.pro"), w.item("key.pro")}));
}

TEST_F(TableWindowTest, exportAndImportWithAPreview) {
    typeInto(win->filterField, QStringLiteral("e")); // weapon.pro, key.pro, armor.pro: "Jerkin"
    const std::string out = w.dir.file("out.csv");
    dialogs.saveFiles = {QString::fromStdString(out)};
    click(win->exportButton);
    const auto records = readCsv(readText(out));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0][0], "file");

    tableDialogs.openFile = QString::fromStdString(
        w.dir.write("in.csv", "file,priceField,nameField\r\nweapon.pro,1300,Rifle\r\n"));
    click(win->importButton);
    EXPECT_EQ(tableDialogs.preview,
              QStringList{QStringLiteral("weapon.pro: priceField 1100 -> 1300")});
    EXPECT_EQ(cell("weapon.pro", "priceField"), QStringLiteral("1300"));
    EXPECT_EQ(get32(readAll(w.item("weapon.pro")), 48), 1100); // not saved yet

    tableDialogs.openFile = QString::fromStdString(
        w.dir.write("bad.csv", "file,priceField\r\nweapon.pro,x\r\nghost.pro,1\r\n"));
    click(win->importButton);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0],
              QStringLiteral("Nothing was imported; 2 problems:\n"
                             "record 2, priceField: 'x' is not a valid integer value\n"
                             "record 3, file: unknown item file 'ghost.pro'"));
}

TEST(FolderTableFromEditor, ctrlTOpensTheFolderWithTheBrowsersFiltersAndARowOpensInTheEditor) {
    UiWorld u;
    u.show();
    u.control<QCheckBox>("weaponFilter")->setChecked(false); // what the browser would list
    QTest::keyClick(u.main.get(), Qt::Key_T, Qt::ControlModifier);
    auto* table = u.main->findChild<TableWindow*>();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->table().rowCount(), 6u);
    EXPECT_FALSE(table->table().rowOfFile("weapon01.pro").has_value());
    table->tableView->setFocus();
    QTest::keyClick(table->tableView, Qt::Key_Down);
    QTest::keyClick(table->tableView, Qt::Key_Return);
    EXPECT_FALSE(u.main->openPath().empty());
    // The check's entry and the table's share the item list's context menu.
    const auto actions = u.control<QListWidget>("itemList")->actions();
    EXPECT_EQ(actions.size(), 2);
    EXPECT_TRUE(std::any_of(actions.begin(), actions.end(), [](const QAction* a) {
        return a->text() == QStringLiteral("Show folder as &table");
    }));
    table->close();
}

TEST(FolderTableFromEditor, aFolderThatIsNotThereIsAnErrorAndNoTable) {
    UiWorld u;
    u.show();
    const QString nowhere = QString::fromStdString(u.dir.file("nowhere"));
    clearAndType(u.control<QLineEdit>("dirField"), nowhere);
    QTest::keyClick(u.main.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(u.main->findChild<TableWindow*>(), nullptr);
    ASSERT_EQ(u.dialogs.errors.size(), 1);
    EXPECT_EQ(u.dialogs.errors[0], "'" + nowhere + "' is not a folder");
}
