// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/item_bytes.h"
#include "ui/disk_watch.h"
#include "ui/form_undo.h"
#include "ui_world.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

namespace {

constexpr std::size_t kWeight = 44;
constexpr std::size_t kPrice = 48;

// Another program writes the file as editors and version control do: a new file
// renamed over the old one.
void replaceOnDisk(const std::string& path, const Bytes& bytes) {
    const std::string temp = path + ".new";
    {
        std::ofstream out(temp, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    std::filesystem::rename(temp, path);
}

Bytes withPrice(const std::string& path, int price) {
    Bytes b = readAll(path);
    put32(b, kPrice, price);
    return b;
}

bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 5000);
}

void undoKey(QWidget* w) {
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
}

} // namespace

TEST(DiskChanges, aChangeWithoutUnsavedEditsIsReadAgainSilentlyOnTheSamePage) {
    UiWorld w;
    w.show();
    auto* m = w.main.get();
    ASSERT_TRUE(m->openItemFile(w.item("weapon01.pro")));
    QTabBar* bar = w.control<QTabWidget>("mainPages")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    ASSERT_EQ(w.control<QTabWidget>("mainPages")->currentIndex(), 1);

    Bytes changed = withPrice(w.item("weapon01.pro"), 99);
    put32(changed, 4, 200); // another text id: the name follows
    replaceOnDisk(w.item("weapon01.pro"), changed);
    ASSERT_TRUE(waitFor([&] { return w.control<QLineEdit>("priceField")->text() == "99"; }));
    EXPECT_EQ(w.control<QLineEdit>("nameField")->text(), "Coat");
    EXPECT_EQ(w.control<QTabWidget>("mainPages")->currentIndex(), 1);
    EXPECT_TRUE(m->saved());
    EXPECT_TRUE(w.dialogs.questions.isEmpty());
}

TEST(DiskChanges, aChangeWithUnsavedEditsAsksAndEachAnswerDoesWhatItSays) {
    for (const QString answer : {"Reload", "Keep mine", "Cancel"}) {
        SCOPED_TRACE(answer.toStdString());
        UiWorld w;
        w.show();
        auto* m = w.main.get();
        const std::string item = w.item("contnr01.pro");
        ASSERT_TRUE(m->openItemFile(item));
        const int weight = get32(readAll(item), kWeight);
        clearAndType(w.control<QLineEdit>("weightField"), "7");
        w.dialogs.choices.push_back(answer);
        replaceOnDisk(item, withPrice(item, 99));
        ASSERT_TRUE(waitFor([&] { return !w.dialogs.questions.isEmpty(); }));
        EXPECT_EQ(w.dialogs.questionTitles.last(), "File changed on disk");
        EXPECT_EQ(w.dialogs.offered, QStringList({"Reload", "Keep mine", "Cancel"}));

        if (answer == "Reload") {
            EXPECT_EQ(w.control<QLineEdit>("priceField")->text(), "99");
            EXPECT_EQ(w.control<QLineEdit>("weightField")->text(), QString::number(weight));
            EXPECT_TRUE(m->saved());
            continue;
        }
        EXPECT_EQ(w.control<QLineEdit>("weightField")->text(), "7");
        EXPECT_FALSE(m->saved());
        // Keep mine: Save writes over the other program's change without asking again.
        // Cancel: Save asks again, and a second Cancel writes nothing.
        click(w.control<QPushButton>("saveButton"));
        const Bytes onDisk = readAll(item);
        if (answer == "Keep mine") {
            EXPECT_EQ(w.dialogs.questions.size(), 1);
            EXPECT_EQ(get32(onDisk, kWeight), 7);
            EXPECT_NE(get32(onDisk, kPrice), 99);
            EXPECT_TRUE(m->saved());
        } else {
            EXPECT_EQ(w.dialogs.questions.size(), 2);
            EXPECT_EQ(get32(onDisk, kPrice), 99);
            EXPECT_EQ(get32(onDisk, kWeight), weight);
            EXPECT_FALSE(m->saved());
        }
    }
}

TEST(DiskChanges, aChangeTheWatchMissedIsAskedAboutRightBeforeSave) {
    UiWorld w;
    w.show();
    auto* m = w.main.get();
    const std::string item = w.item("contnr01.pro");
    ASSERT_TRUE(m->openItemFile(item));
    m->diskWatch().watch({}); // as on a folder whose changes are not told
    clearAndType(w.control<QLineEdit>("weightField"), "7");
    replaceOnDisk(item, withPrice(item, 99));

    click(w.control<QPushButton>("saveButton")); // Cancel
    ASSERT_EQ(w.dialogs.questions.size(), 1);
    EXPECT_EQ(w.dialogs.questionTitles[0], "File changed on disk");
    EXPECT_EQ(get32(readAll(item), kPrice), 99);

    w.dialogs.choices.push_back("Reload");
    click(w.control<QPushButton>("saveButton"));
    EXPECT_EQ(get32(readAll(item), kPrice), 99);
    EXPECT_EQ(w.control<QLineEdit>("priceField")->text(), "99");
    EXPECT_TRUE(m->saved());

    // The quit question's Yes does not end the program when the save was cancelled.
    clearAndType(w.control<QLineEdit>("weightField"), "8");
    replaceOnDisk(item, withPrice(item, 98));
    w.dialogs.answers.push_back(QMessageBox::Yes);
    click(w.control<QPushButton>("closeButton"));
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(get32(readAll(item), kPrice), 98);
}

TEST(DiskChanges, aFileDeletedWhileOpenIsWrittenAgainOnlyWhenTheUserSaysSo) {
    UiWorld w;
    w.show();
    auto* m = w.main.get();
    const std::string item = w.item("contnr01.pro");
    ASSERT_TRUE(m->openItemFile(item));
    clearAndType(w.control<QLineEdit>("weightField"), "7");
    std::filesystem::remove(item);
    QTest::qWait(300); // the watch has seen it go: nothing is asked yet
    EXPECT_TRUE(w.dialogs.questions.isEmpty());

    click(w.control<QPushButton>("saveButton")); // Cancel
    ASSERT_EQ(w.dialogs.questions.size(), 1);
    EXPECT_NE(w.dialogs.questions[0].indexOf("deleted"), -1);
    EXPECT_EQ(w.dialogs.offered, QStringList({"Save", "Cancel"}));
    EXPECT_FALSE(std::filesystem::exists(item));

    w.dialogs.choices.push_back("Save");
    click(w.control<QPushButton>("saveButton"));
    ASSERT_TRUE(std::filesystem::exists(item));
    EXPECT_EQ(get32(readAll(item), kWeight), 7);
    EXPECT_TRUE(m->saved());
}

TEST(DiskChanges, aFileReplacedByRenameTwiceInARowIsWatchedEachTime) {
    UiWorld w;
    w.show();
    auto* m = w.main.get();
    const std::string item = w.item("contnr01.pro");
    ASSERT_TRUE(m->openItemFile(item));
    for (const int price : {11, 22}) {
        replaceOnDisk(item, withPrice(item, price));
        ASSERT_TRUE(waitFor([&] {
            return w.control<QLineEdit>("priceField")->text() == QString::number(price);
        })) << price;
        EXPECT_TRUE(m->diskWatch().watchesFile());
    }
    EXPECT_TRUE(w.dialogs.questions.isEmpty());
    // Our own Save is no change made elsewhere.
    clearAndType(w.control<QLineEdit>("weightField"), "7");
    click(w.control<QPushButton>("saveButton"));
    QTest::qWait(300);
    EXPECT_TRUE(w.dialogs.questions.isEmpty());
    EXPECT_EQ(w.control<QLineEdit>("weightField")->text(), "7");
}

TEST(DiskChanges, anEntryAddedToTheTextsMeanwhileSurvivesTheSave) {
    UiWorld w;
    w.show();
    auto* m = w.main.get();
    ASSERT_TRUE(m->openItemFile(w.item("weapon01.pro")));
    clearAndType(w.control<QLineEdit>("nameField"), "Dagger");
    const std::string msg = w.file("pro_item.msg");
    std::string texts = readText(msg);
    replaceOnDisk(msg, toBytes(texts + "{900}{}{Added elsewhere}\r\n"));
    click(w.control<QPushButton>("saveButton"));
    ASSERT_TRUE(w.dialogs.errors.isEmpty()) << w.dialogs.errors.join("; ").toStdString();
    texts = readText(msg);
    EXPECT_NE(texts.find("{100}{}{Dagger}"), std::string::npos);
    EXPECT_NE(texts.find("{900}{}{Added elsewhere}"), std::string::npos);
}

TEST(Undo, typingAListChoiceAndSteppersAreStepsThatTheNamesFollow) {
    UiWorld w;
    w.show();
    auto* m = w.main.get();
    ASSERT_TRUE(m->openItemFile(w.item("weapon01.pro")));
    const QString weight = w.control<QLineEdit>("weightField")->text();
    const int ground = w.control<QComboBox>("groundArtList")->currentIndex();

    clearAndType(w.control<QLineEdit>("weightField"), "55"); // one step until the focus leaves
    pressKey(w.control<QComboBox>("groundArtList"), Qt::Key_Down);
    ASSERT_NE(w.control<QComboBox>("groundArtList")->currentIndex(), ground);
    pressKey(w.control<QLineEdit>("materialIDfield"), Qt::Key_Down); // 1 to 0
    ASSERT_EQ(w.control<QLineEdit>("materialNameField")->text(), "Glass");
    pressKey(w.control<QLineEdit>("textIDfield"), Qt::Key_Up); // 100 to 200
    ASSERT_EQ(w.control<QLineEdit>("nameField")->text(), "Coat");

    struct Expect {
        QString weight;
        int ground;
        QString material;
        QString materialName;
        QString textId;
        QString name;
        QString description;
    };
    const Expect done{QString("55"), ground + 1, "0", "Glass", "200", "Coat", "Warm."};
    const Expect steps[] = {
        {QString("55"), ground + 1, "0", "Glass", "100", "Knife", "A small knife."},
        {QString("55"), ground + 1, "1", "Metal", "100", "Knife", "A small knife."},
        {QString("55"), ground, "1", "Metal", "100", "Knife", "A small knife."},
        {weight, ground, "1", "Metal", "100", "Knife", "A small knife."},
    };
    const auto check = [&](const Expect& e, const char* when) {
        EXPECT_EQ(w.control<QLineEdit>("weightField")->text(), e.weight) << when;
        EXPECT_EQ(w.control<QComboBox>("groundArtList")->currentIndex(), e.ground) << when;
        EXPECT_EQ(w.control<QLineEdit>("materialIDfield")->text(), e.material) << when;
        EXPECT_EQ(w.control<QLineEdit>("materialNameField")->text(), e.materialName) << when;
        EXPECT_EQ(w.control<QLineEdit>("textIDfield")->text(), e.textId) << when;
        EXPECT_EQ(w.control<QLineEdit>("nameField")->text(), e.name) << when;
        EXPECT_EQ(w.control<QPlainTextEdit>("descField")->toPlainText(), e.description) << when;
    };
    for (const Expect& e : steps) {
        undoKey(w.control<QLineEdit>("textIDfield"));
        check(e, "undo");
    }
    undoKey(w.control<QLineEdit>("weightField")); // nothing more to undo
    check(steps[3], "nothing left");
    EXPECT_FALSE(m->saved());

    QTest::keyClick(w.control<QLineEdit>("weightField"), Qt::Key_Z,
                    Qt::ControlModifier | Qt::ShiftModifier);
    check(steps[2], "redo");
    for (int i = 1; i >= 0; --i) {
        QTest::keyClick(w.control<QLineEdit>("weightField"), Qt::Key_Y, Qt::ControlModifier);
        check(steps[i], "redo by Ctrl+Y");
    }
    QTest::keyClick(w.control<QLineEdit>("weightField"), Qt::Key_Y, Qt::ControlModifier);
    check(done, "all redone");
}

TEST(Undo, afterSaveMarksUnsavedAndOpeningAnotherItemForgetsTheSteps) {
    UiWorld w;
    w.show();
    auto* m = w.main.get();
    const std::string item = w.item("contnr01.pro");
    ASSERT_TRUE(m->openItemFile(item));
    undoKey(w.control<QLineEdit>("weightField")); // the program's fill is no step
    EXPECT_TRUE(m->saved());
    const QString weight = w.control<QLineEdit>("weightField")->text();

    clearAndType(w.control<QLineEdit>("weightField"), "7");
    click(w.control<QPushButton>("saveButton"));
    ASSERT_TRUE(m->saved());
    undoKey(w.control<QLineEdit>("weightField"));
    EXPECT_EQ(w.control<QLineEdit>("weightField")->text(), weight);
    EXPECT_FALSE(m->saved());

    ASSERT_TRUE(m->openItemFile(w.item("armor001.pro")));
    EXPECT_EQ(m->undo().stack()->count(), 0);
    const QString armorWeight = w.control<QLineEdit>("weightField")->text();
    undoKey(w.control<QLineEdit>("weightField"));
    EXPECT_EQ(w.control<QLineEdit>("weightField")->text(), armorWeight);
    EXPECT_TRUE(m->saved());
}

TEST(Revert, readsTheItemAgainAfterAskingWhenThereAreUnsavedChanges) {
    UiWorld w;
    w.show();
    auto* m = w.main.get();
    ASSERT_TRUE(m->openItemFile(w.item("contnr01.pro")));
    const QString weight = w.control<QLineEdit>("weightField")->text();
    clearAndType(w.control<QLineEdit>("weightField"), "7");

    QTest::keyClick(w.control<QLineEdit>("weightField"), Qt::Key_R, Qt::ControlModifier); // No
    ASSERT_EQ(w.dialogs.questions.size(), 1);
    EXPECT_EQ(w.dialogs.questionTitles[0], "Revert");
    EXPECT_EQ(w.control<QLineEdit>("weightField")->text(), "7");

    w.dialogs.answers.push_back(QMessageBox::Yes);
    QTest::keyClick(w.control<QLineEdit>("weightField"), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(w.control<QLineEdit>("weightField")->text(), weight);
    EXPECT_TRUE(m->saved());
    EXPECT_EQ(m->undo().stack()->count(), 0);

    QTest::keyClick(w.control<QLineEdit>("weightField"), Qt::Key_R,
                    Qt::ControlModifier); // nothing to lose
    EXPECT_EQ(w.dialogs.questions.size(), 2);
    EXPECT_TRUE(m->accessibleDescription().contains("Ctrl+Z"));
    EXPECT_TRUE(m->accessibleDescription().contains("Ctrl+R"));
}
