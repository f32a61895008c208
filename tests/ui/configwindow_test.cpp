// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.h"
#include "ui_world.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <optional>

using namespace zantor;
using namespace zantor::test;

class ConfigWindow : public WindowTest {};
class Uninstall : public WindowTest {};

namespace {

void clickTab(QTabWidget* pages, int index) {
    QTabBar* bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

// A key pressed where the keyboard focus is, as the user presses it.
void press(QWidget* window, Qt::Key key) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key);
}

// Opens the configuration window with "Options..." and runs `inside` while it is open.
void inOptions(UiWorld& w, const std::function<void()>& inside) {
    whileModal(w.config, inside, [&] { click(w.control<QPushButton>("configButton")); });
}

std::optional<std::string> storedString(SettingsStore& store, std::string_view name) {
    store.OpenKey(kSettingsKey, false);
    std::optional<std::string> value;
    if (store.ValueExists(name))
        value = store.ReadString(name);
    store.CloseKey();
    return value;
}

std::optional<bool> storedBool(SettingsStore& store, std::string_view name) {
    store.OpenKey(kSettingsKey, false);
    std::optional<bool> value;
    if (store.ValueExists(name))
        value = store.ReadBool(name);
    store.CloseKey();
    return value;
}

// A second folder of tables: the same files with other statistic and calibre names and
// another name for the drug.
std::string otherTables(UiWorld& w) {
    const auto other = w.dir.path() / "files2";
    std::filesystem::copy(w.dir.path() / "files", other);
    std::string stat;
    for (int id = 100; id <= 137; ++id)
        stat += "{" + std::to_string(id) + "}{}{Trait " + std::to_string(id - 100) + "}\r\n";
    w.dir.write("files2/stat.msg", stat);
    std::string proto;
    for (int id = 300; id <= 318; ++id)
        proto += "{" + std::to_string(id) + "}{}{Bore " + std::to_string(id - 300) + "}\r\n";
    w.dir.write("files2/proto.msg", proto);
    w.dir.write("files2/pro_item.msg", std::string("{400}{}{Elixir}\r\n{401}{}{Sweet.}\r\n"));
    return other.string();
}

struct ListChoices {
    int stat1, stat2, stat3, ground, inventory;
    bool operator==(const ListChoices&) const = default;
};

ListChoices choices(const UiWorld& w) {
    return {w.control<QComboBox>("statList1")->currentIndex(),
            w.control<QComboBox>("statList2")->currentIndex(),
            w.control<QComboBox>("statList3")->currentIndex(),
            w.control<QComboBox>("groundArtList")->currentIndex(),
            w.control<QComboBox>("invenArtList")->currentIndex()};
}

} // namespace

TEST_F(ConfigWindow, looksAsLaidOutWithTheUninstallCaptionOnTwoLines) {
    TconfigWindow& c = *w.config;
    EXPECT_EQ(c.windowTitle(), "Configuration");
    EXPECT_EQ(c.size(), QSize(525, 221).expandedTo(c.minimumSizeHint()));
    EXPECT_EQ(c.minimumSize(), c.maximumSize());
    EXPECT_TRUE(c.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(c.uninstallButton->text(), "Uninstall\n(remove Windows Registry entries)");
    EXPECT_EQ(c.configPages->tabText(0), "Preferences");
    EXPECT_EQ(c.configPages->tabText(1), "Directories");
    EXPECT_EQ(c.configPages->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(c.doneButton->nextInFocusChain(), c.cancelButton);
    // Every caption is shown whole, whatever font stands in for Tahoma.
    w.show();
    inOptions(w, [&] {
        for (QAbstractButton* b : c.findChildren<QAbstractButton*>()) {
            if (!b->text().isEmpty()) {
                EXPECT_GE(b->width(), b->minimumSizeHint().width()) << b->text().toStdString();
            }
        }
        click(c.cancelButton);
    });
}

TEST(ConfigWindowCases, doneStoresEveryValueShowsTheItemAgainAndKeepsTheSavedFlag) {
    enum class Item { None, Saved, Edited };
    for (const Item item : {Item::None, Item::Saved, Item::Edited}) {
        SCOPED_TRACE(static_cast<int>(item));
        UiWorld w;
        w.show();
        TmainWindow& m = *w.main;
        if (item != Item::None) {
            ASSERT_TRUE(m.openItemFile(w.item("drug0001.pro")));
        }
        if (item == Item::Edited)
            clearAndType(w.control<QLineEdit>("priceField"), "77");
        const ListChoices before = choices(w);
        EXPECT_FALSE(storedBool(*w.store, "Show item names").has_value());

        inOptions(w, [&] {
            EXPECT_EQ(w.config->focusWidget(), w.config->doneButton);
            click(w.config->doneButton);
        });

        EXPECT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join("; ").toStdString();
        EXPECT_EQ(w.config->result(), QDialog::Accepted);
        for (const auto& v : kPreferenceValues)
            EXPECT_EQ(storedBool(*w.store, v.name),
                      w.config->preferenceBox(v.preference)->isChecked())
                << v.name;
        for (const auto& v : kFolderValues)
            EXPECT_EQ(storedString(*w.store, v.name),
                      w.config->folderField(v.folder)->text().toStdString())
                << v.name;
        EXPECT_EQ(m.saved(), item != Item::Edited);
        EXPECT_FALSE(m.loading());
        if (item == Item::None) {
            // The lists are new and nothing is shown.
            EXPECT_EQ(choices(w), (ListChoices{-1, -1, -1, -1, -1}));
            EXPECT_FALSE(w.control<QWidget>("commonTab")->isEnabled());
        } else {
            // The record display chose the item's entries again in the new lists.
            EXPECT_EQ(choices(w), before);
            EXPECT_EQ(w.control<QLineEdit>("nameField")->text(), "Tonic");
            EXPECT_TRUE(w.control<QTabWidget>("mainPages")->isTabVisible(4));
        }
    }
}

TEST_F(ConfigWindow, aNewMessageFolderRefillsTheStatisticListsButNotTheCalibres) {
    w.show();
    const QString other = QString::fromStdString(otherTables(w));
    TmainWindow& m = *w.main;
    ASSERT_TRUE(m.openItemFile(w.item("drug0001.pro")));
    const ListChoices before = choices(w);

    inOptions(w, [&] {
        clickTab(w.config->configPages, 1);
        // A cancelled chooser leaves the field; a chosen folder is only shown.
        click(w.config->itemLstBrowse);
        EXPECT_EQ(w.config->itemsLstDirField->text(), QString::fromStdString(w.dir.file("files")));
        w.dialogs.folders.push_back(other);
        click(w.config->proItemBrowse);
        EXPECT_EQ(w.config->msgDir->text(), other);
        // The prompt is the item browser's, as for every folder chooser of the program.
        EXPECT_EQ(w.dialogs.folderPrompts,
                  QStringList(2, "Select the folder that holds the game's item files"));
        EXPECT_FALSE(storedString(*w.store, "*.msg Directory").has_value());
        EXPECT_EQ(m.derivedPaths().statMsg, w.file("stat.msg"));
        press(w.config, Qt::Key_Return);
    });

    EXPECT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join("; ").toStdString();
    EXPECT_EQ(storedString(*w.store, "*.msg directory"), other.toStdString());
    EXPECT_EQ(m.derivedPaths().statMsg, joinPath(other.toStdString(), "stat.msg"));
    for (QComboBox* list : {w.control<QComboBox>("statList1"), w.control<QComboBox>("statList2"),
                            w.control<QComboBox>("statList3")}) {
        EXPECT_EQ(list->itemText(0), "None");
        EXPECT_EQ(list->itemText(1), "Trait 0");
    }
    EXPECT_EQ(
        w.control<QComboBox>("statList1")->itemText(w.control<QComboBox>("statList1")->count() - 1),
        "Min value of stat 2");
    EXPECT_EQ(w.control<QComboBox>("statList2")->count(), 39);
    EXPECT_EQ(choices(w), before);
    EXPECT_EQ(w.control<QLineEdit>("nameField")->text(), "Elixir");
    EXPECT_EQ(w.control<QPlainTextEdit>("descField")->toPlainText(), "Sweet.");
    EXPECT_EQ(w.control<QComboBox>("ammoTypeList")->itemText(0),
              "Calibre 0"); // until the settings are read again
    EXPECT_TRUE(m.saved());
}

TEST(ConfigWindowCases, cancelEscAndTheCloseBoxReadTheStoredValuesBack) {
    enum class Way { CancelButton, Esc, CloseBox };
    for (const Way way : {Way::CancelButton, Way::Esc, Way::CloseBox}) {
        SCOPED_TRACE(static_cast<int>(way));
        UiWorld w;
        w.show();
        const std::string other = otherTables(w);
        // A value stored behind the window's back comes into the field and the paths.
        w.store->OpenKey(kSettingsKey, true);
        w.store->WriteString("*.msg Directory", other);
        w.store->CloseKey();

        inOptions(w, [&] {
            click(w.config->quickOpen);
            EXPECT_TRUE(w.config->quickOpen->isChecked());
            clickTab(w.config->configPages, 1);
            clearAndType(w.config->critLstDirField, "/nowhere");
            switch (way) {
            case Way::CancelButton:
                click(w.config->cancelButton);
                break;
            case Way::Esc:
                press(w.config, Qt::Key_Escape);
                break;
            case Way::CloseBox:
                w.config->close();
                break;
            }
        });

        EXPECT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join("; ").toStdString();
        EXPECT_NE(w.config->result(), QDialog::Accepted);
        EXPECT_FALSE(w.config->quickOpen->isChecked());
        EXPECT_FALSE(storedBool(*w.store, "Quick open").has_value());
        EXPECT_EQ(w.config->critLstDirField->text(), QString::fromStdString(w.dir.file("files")));
        EXPECT_EQ(w.config->msgDir->text().toStdString(), other);
        EXPECT_EQ(w.main->derivedPaths().proItemMsg, joinPath(other, "pro_item.msg"));
        EXPECT_EQ(w.main->derivedPaths().crittersLst, w.file("critters.lst"));
        EXPECT_EQ(w.control<QComboBox>("statList1")->itemText(1), "Trait 0");
        EXPECT_EQ(w.control<QComboBox>("ammoTypeList")->itemText(0), "Bore 0");
    }
}

TEST(ConfigWindowCases, enterIsDoneUnlessAnotherButtonHasTheFocus) {
    const struct {
        const char* focus;
        Qt::Key key;
        bool done;
    } cases[] = {
        {"doneButton", Qt::Key_Return, true}, {"msgDir", Qt::Key_Enter, true},
        {"quickOpen", Qt::Key_Return, true},  {"cancelButton", Qt::Key_Return, false},
        {"msgDir", Qt::Key_Escape, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.focus);
        UiWorld w;
        w.show();
        inOptions(w, [&] {
            clickTab(w.config->configPages, std::string_view(c.focus) == "msgDir" ? 1 : 0);
            w.config->findChild<QWidget*>(c.focus)->setFocus();
            press(w.config, c.key);
        });
        EXPECT_EQ(storedBool(*w.store, "Show item names").has_value(), c.done);
    }
}

TEST_F(ConfigWindow, enterOnAFolderButtonOpensTheChooser) {
    w.show();
    inOptions(w, [&] {
        clickTab(w.config->configPages, 1);
        w.dialogs.folders.push_back("/games/tables");
        w.config->SpeedButton1->setFocus();
        press(w.config, Qt::Key_Return);
        EXPECT_TRUE(w.config->isVisible());
        EXPECT_EQ(w.config->invenLstDirField->text(), "/games/tables");
        click(w.config->cancelButton);
    });
}

TEST_F(ConfigWindow, theMainWindowReturnsToItsPageAfterDoneAndCancel) {
    w.show();
    TmainWindow& m = *w.main;
    ASSERT_TRUE(m.openItemFile(w.item("armor001.pro")));
    clickTab(w.control<QTabWidget>("mainPages"), 2);
    for (QPushButton* close : {w.config->doneButton, w.config->cancelButton}) {
        SCOPED_TRACE(close->text().toStdString());
        inOptions(w, [&] {
            EXPECT_EQ(w.config->pageTag(), 2);
            click(close);
        });
        EXPECT_EQ(w.control<QTabWidget>("mainPages")->currentIndex(), 2);
        EXPECT_TRUE(w.control<QTabWidget>("mainPages")->isTabVisible(2));
    }
    EXPECT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join("; ").toStdString();
}

TEST_F(ConfigWindow, aListThatCannotBeOpenedStopsDoneAndTheWindowStillCloses) {
    w.show();
    TmainWindow& m = *w.main;
    ASSERT_TRUE(m.openItemFile(w.item("drug0001.pro")));
    const ListChoices before = choices(w);
    std::filesystem::remove(w.file("items.lst"));

    inOptions(w, [&] { click(w.config->doneButton); });
    EXPECT_TRUE(w.store->currentValuesFile().empty()) << "no key may stay current";

    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_EQ(w.dialogs.errors[0].toStdString(), "Cannot open file " + w.file("items.lst"));
    EXPECT_FALSE(w.config->isVisible());
    EXPECT_EQ(w.config->result(), QDialog::Accepted);
    // What came before the failure is stored; what comes after it is not.
    EXPECT_TRUE(storedBool(*w.store, "Quick open").has_value());
    EXPECT_TRUE(storedString(*w.store, "items.lst Directory").has_value());
    EXPECT_FALSE(storedString(*w.store, "inven.lst Directory").has_value());
    EXPECT_EQ(w.control<QComboBox>("groundArtList")->count(), 3);
    EXPECT_EQ(choices(w), before);
}

TEST_F(Uninstall, answeringNoChangesNothingAndKeepsTheWindowOpen) {
    w.show();
    inOptions(w, [&] {
        w.dialogs.answers.push_back(QMessageBox::No);
        click(w.config->uninstallButton);
        EXPECT_TRUE(w.config->isVisible());
        click(w.config->cancelButton);
    });
    ASSERT_EQ(w.dialogs.questions.size(), 1);
    EXPECT_EQ(w.dialogs.questionTitles[0], "Confirm");
    EXPECT_EQ(w.dialogs.questions[0].toStdString(), kUninstallQuestion);
    EXPECT_EQ(w.dialogs.defaultButtons[0], QMessageBox::No); // Enter keeps the settings
    EXPECT_TRUE(w.dialogs.notices.isEmpty());
    EXPECT_TRUE(w.store->KeyExists(kSettingsKey));
    EXPECT_TRUE(w.main->isVisible());
}

TEST(UninstallCases, confirmedRemovesTheSettingsAndEndsTheProgramWithoutWritingThemAgain) {
    for (const bool sibling : {false, true}) {
        SCOPED_TRACE(sibling);
        UiWorld w;
        w.show();
        if (sibling) {
            ASSERT_TRUE(w.store->OpenKey("\\Software\\Morvale\\Other", true));
            w.store->CloseKey();
        }
        inOptions(w, [&] {
            w.dialogs.answers.push_back(QMessageBox::Yes);
            click(w.config->uninstallButton);
        });
        QApplication::processEvents();

        const std::string cwd = currentDirectory();
        const std::string makerMessage =
            sibling ? "Registry key \"\\Software\\Morvale\" has subkeys other that \"Zantor\" - "
                      "not removed.  Delete folder \"" +
                          cwd + "\" from your computer to complete uninstall."
                    : "Registry key \"\\Software\\Morvale\" removed. Delete folder \"" + cwd +
                          "\" from your computer to complete uninstall.";
        ASSERT_EQ(w.dialogs.notices.size(), 2);
        EXPECT_EQ(w.dialogs.notices[0].toStdString(),
                  "Registry key \"\\Software\\Morvale\\Zantor\" removed. Proceeding to remove "
                  "\"\\Software\\Morvale\".");
        EXPECT_EQ(w.dialogs.notices[1].toStdString(), makerMessage);
        EXPECT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join("; ").toStdString();
        EXPECT_FALSE(w.config->isVisible());
        EXPECT_FALSE(w.main->isVisible());
        EXPECT_FALSE(w.store->KeyExists(kSettingsKey));
        EXPECT_EQ(w.store->KeyExists(kMakerKey), sibling);
        EXPECT_EQ(w.store->KeyExists("\\Software\\Morvale\\Other"), sibling);
    }
}
