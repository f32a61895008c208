// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/item_bytes.h"
#include "ui/picture_pane.h"
#include "ui_world.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

class References : public WindowTest {};
class Previews : public WindowTest {};
class Looks : public WindowTest {};
class Drug : public WindowTest {};

TEST_F(References, theMaterialStepperPutsTheEmptyTextBetweenMinusOneAndOne) {
    showWith("weapon01.pro");
    auto* field = w.control<QLineEdit>("materialIDfield");
    EXPECT_EQ(field->text(), "1");
    const char* down[] = {"0", "", "-1", "-2"};
    for (const char* expected : down) {
        pressKey(field, Qt::Key_Down);
        EXPECT_EQ(field->text(), expected);
    }
    EXPECT_EQ(w.control<QLineEdit>("materialNameField")->text(),
              "Stone"); // -2 has no entry: entry 10
    const char* up[] = {"-1", "", "1", "2"};
    for (const char* expected : up) {
        pressKey(field, Qt::Key_Up);
        EXPECT_EQ(field->text(), expected);
    }
    EXPECT_FALSE(w.main->saved());
}

TEST_F(References, otherSteppersGoOnBelowZeroAndRefuseBadNumbers) {
    showWith("weapon01.pro");
    auto* field = w.control<QLineEdit>("damageTypeIDfield");
    clearAndType(field, "0");
    pressKey(field, Qt::Key_Down);
    pressKey(field, Qt::Key_Down);
    EXPECT_EQ(field->text(), "-2");
    clearAndType(field, "x1");
    pressKey(field, Qt::Key_Up);
    EXPECT_EQ(field->text(), "x1");
    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_EQ(w.dialogs.errors[0], "'x1' is not a valid integer value");
    clearAndType(w.control<QLineEdit>("ammoTypeIDfield"), "2147483647");
    pressKey(w.control<QLineEdit>("ammoTypeIDfield"), Qt::Key_Up);
    EXPECT_EQ(w.control<QLineEdit>("ammoTypeIDfield")->text(), "2147483647");
    EXPECT_EQ(w.dialogs.errors.size(), 2);
}

TEST_F(References, namesFollowTheirNumbers) {
    showWith("weapon01.pro");
    clearAndType(w.control<QLineEdit>("damageTypeIDfield"), "0");
    EXPECT_EQ(w.control<QLineEdit>("damageTypeNameField")->text(), "Normal");
    clearAndType(w.control<QLineEdit>("ammoTypeIDfield"), "12");
    EXPECT_EQ(w.control<QLineEdit>("ammoTypeNameFIeld")->text(), "Calibre 12");
    clearAndType(w.control<QLineEdit>("materialIDfield"), "0");
    EXPECT_EQ(w.control<QLineEdit>("materialNameField")->text(), "Glass");
}

TEST_F(References, theDefaultAmmunitionMarkerTurnsIntoZero) {
    showWith("weapon01.pro");
    clearAndType(w.control<QLineEdit>("ammoIDfield"), "17821695");
    EXPECT_EQ(w.control<QLineEdit>("ammoIDfield")->text(), "0");
    EXPECT_EQ(w.control<QLineEdit>("ammoNameField")->text(), "");
    clearAndType(w.control<QLineEdit>("ammoIDfield"), "31");
    EXPECT_EQ(w.control<QLineEdit>("ammoNameField")->text(), "Slug box");
}

TEST_F(References, theProjectileNameComesFromTheFileItsListNames) {
    showWith("weapon01.pro");
    EXPECT_EQ(w.control<QLineEdit>("fireArtNameField")->text(), "Spark");
    w.control<QComboBox>("fireFileList")->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(w.control<QComboBox>("fireFileList"), Qt::Key_Down); // to "pro_misc.msg"
    EXPECT_EQ(w.control<QComboBox>("fireFileList")->currentIndex(), 5);
    EXPECT_EQ(w.control<QLineEdit>("fireArtNameField")->text(),
              "Spark"); // unchanged until the number changes
    EXPECT_FALSE(w.main->saved());
    pressKey(w.control<QLineEdit>("fireArtIDField"), Qt::Key_Up);
    pressKey(w.control<QLineEdit>("fireArtIDField"), Qt::Key_Down);
    EXPECT_EQ(w.control<QLineEdit>("fireArtNameField")->text(), "Puff");
    QTest::keyClick(w.control<QComboBox>("fireFileList"), Qt::Key_Down);
    pressKey(w.control<QLineEdit>("fireArtIDField"), Qt::Key_Up);
    EXPECT_EQ(w.control<QLineEdit>("fireArtNameField")->text(), "");
}

TEST_F(Previews, picturesComeFromTheListFoldersWithTheFallback) {
    showWith("weapon01.pro");
    EXPECT_EQ(w.control<PicturePane>("groundPic")->path(),
              QString::fromStdString(w.file("knife.bmp")));
    EXPECT_EQ(w.control<PicturePane>("invPic")->path(),
              QString::fromStdString(w.file("iknife.bmp")));
    EXPECT_TRUE(w.main->saved());
    pressKey(w.control<QComboBox>("groundArtList"), Qt::Key_Down); // coat.frm: no picture
    EXPECT_EQ(w.control<PicturePane>("groundPic")->path(),
              QString::fromStdString(w.file("noArt.bmp")));
    EXPECT_FALSE(w.main->saved());
}

TEST_F(Previews, anInvalidBitmapIsReportedAndThePreviousPictureStays) {
    w.dir.write("files/icoat.bmp", std::string("not a picture"));
    w.show();
    w.main->openItemFile(w.item("weapon01.pro"));
    pressKey(w.control<QComboBox>("invenArtList"), Qt::Key_Down);
    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_EQ(w.dialogs.errors[0], "Bitmap image is not valid");
    EXPECT_EQ(w.control<PicturePane>("invPic")->path(),
              QString::fromStdString(w.file("iknife.bmp")));
    EXPECT_TRUE(w.main->saved()); // the inventory preview comes before the change mark
}

TEST_F(Looks, armorLooksAreDescribedAndChoosingOneMarksUnsaved) {
    showWith("armor001.pro");
    EXPECT_EQ(w.control<QLineEdit>("maleLooksDesc")->text(), "Human male jmps");
    EXPECT_EQ(w.control<QLineEdit>("femaleLooksDesc")->text(), "NPC female vault");
    EXPECT_TRUE(w.main->saved());
    pressKey(w.control<QComboBox>("maleLooksList"), Qt::Key_Down);
    EXPECT_EQ(w.control<QLineEdit>("maleLooksDesc")->text(), "NPC female vault");
    pressKey(w.control<QComboBox>("femaleLooksList"), Qt::Key_Down);
    EXPECT_EQ(w.control<QLineEdit>("femaleLooksDesc")->text(), "Monster any gender xxx");
    EXPECT_FALSE(w.main->saved());
}

TEST_F(Drug, statisticsAndAddictionShowAndChooseAsTheRecordSays) {
    showWith("drug0001.pro");
    EXPECT_EQ(w.control<QComboBox>("statList1")->currentText(), "Min value of stat 2");
    EXPECT_EQ(w.control<QComboBox>("statList2")->currentText(), "None");
    EXPECT_EQ(w.control<QComboBox>("statList3")->currentText(), "Stat 3");
    EXPECT_EQ(w.control<QComboBox>("addList")->currentText(),
              "None"); // code 60 is not in the table
    QTest::mouseClick(w.control<QPushButton>("saveButton"), Qt::LeftButton);
    EXPECT_EQ(get32(readAll(w.item("drug0001.pro")), 117), 60);
    pressKey(w.control<QComboBox>("addList"), Qt::Key_Down);
    EXPECT_FALSE(w.main->saved());
    QTest::mouseClick(w.control<QPushButton>("saveButton"), Qt::LeftButton);
    EXPECT_EQ(get32(readAll(w.item("drug0001.pro")), 117), 53);
    EXPECT_EQ(get32(readAll(w.item("drug0001.pro")), 57), -2);
}

TEST_F(Previews, anEntryWithAnAccentFindsItsPicture) {
    w.dir.write("files/items.lst", std::string("caf\xe9.frm\r\n")); // one Windows-1252 byte
    w.dir.write("files/caf\xc3\xa9.bmp", readAll(w.file("knife.bmp")));
    w.show();
    w.main->openItemFile(w.item("weapon01.pro"));
    EXPECT_EQ(w.control<QComboBox>("groundArtList")->currentText(),
              QString::fromUtf8("caf\u00e9.frm"));
    EXPECT_EQ(w.control<PicturePane>("groundPic")->path(),
              QString::fromStdString(w.file("caf\xc3\xa9.bmp")));
}
