// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/link_label.h"
#include "ui_world.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zantor;
using namespace zantor::test;

class AboutWindow : public WindowTest {};

namespace {

const QString kRemark = " (look under Modding Utils section)";

// Opens the About window with its button and runs `inside` while it is open.
void inAbout(UiWorld& w, const std::function<void()>& inside) {
    whileModal(w.about(), inside,
               [&] { QTest::mouseClick(w.control<QPushButton>("aboutButton"), Qt::LeftButton); });
}

void press(QWidget* window, Qt::Key key) {
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, key);
}

} // namespace

TEST_F(AboutWindow, showsItsTextsWithoutTitleBarButtons) {
    TaboutWindow& a = *w.about();
    EXPECT_EQ(a.windowTitle(), "About");
    // Laid out for Tahoma; only a stand-in font with wider letters may make it larger.
    EXPECT_EQ(a.size(), QSize(541, 410).expandedTo(a.minimumSizeHint()));
    EXPECT_EQ(a.minimumSize(), a.maximumSize());
    EXPECT_FALSE(a.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(a.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_EQ(a.GroupBox1->title(), "[ About Zantor ]");
    EXPECT_EQ(a.title->text(), "Zantor");
    EXPECT_TRUE(a.title->font().bold());
    EXPECT_EQ(a.title->font().pixelSize(), 47);
    const std::pair<QLabel*, const char*> captions[] = {{a.Label1, "Author:"},
                                                        {a.Label3, "E-mail:"},
                                                        {a.Label5, "Home Page URL:"},
                                                        {a.Label7, "Updates URL:"},
                                                        {a.Label9, "Money issues:"},
                                                        {a.Label11, "Adress:"},
                                                        {a.StaticText2, "Zantor is FREE!!!"}};
    for (const auto& [label, text] : captions)
        EXPECT_EQ(label->text(), text);
    EXPECT_EQ(a.Label10->text(),
              "Zantor is free, and it will be, as long as I don't need money to make it. But, "
              "donations are always welcome. If you feel like thanking me in the material sense "
              "of the word, feel free to send any amount of money to the adress shown below.");
    EXPECT_EQ(a.Label8->text(),
              "Once more, money is NOT necessary, I'm not even asking for it. But, I do like to "
              "receive cards and letters from around the world, so if you feel like sending a "
              "piece of paper to me - do it! I will reply if you ask me to.");
    EXPECT_TRUE(a.Label10->font().bold());
    EXPECT_TRUE(a.Zantorlink->text().endsWith(kRemark));
    EXPECT_TRUE(a.RichEdit1->isReadOnly());
    const QStringList address = a.RichEdit1->toPlainText().split('\n');
    EXPECT_EQ(address.size(), 4);
    for (const QString& line : address)
        EXPECT_TRUE(line.startsWith(' ') && !line.startsWith("  ")) << line.toStdString();
    for (QLabel* link : {static_cast<QLabel*>(a.homePageLabel), static_cast<QLabel*>(a.Zantorlink)})
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
}

TEST(AboutWindowCases, enterAndEscBothClickDone) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        UiWorld w;
        w.show();
        inAbout(w, [&] {
            EXPECT_EQ(w.about()->focusWidget(), w.about()->doneButton);
            press(w.about(), key);
        });
        EXPECT_EQ(w.about()->result(), QDialog::Accepted);
        EXPECT_TRUE(w.main->isVisible());
    }
}

TEST(AboutWindowCases, theLinksOpenTheirAddressesByMouseAndKeyboard) {
    enum class How { Click, Enter, Space };
    const struct {
        bool updates;
        How how;
    } cases[] = {{false, How::Click}, {true, How::Click}, {false, How::Enter}, {true, How::Space}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.updates);
        UiWorld w;
        w.show();
        inAbout(w, [&] {
            LinkLabel* link = c.updates ? w.about()->Zantorlink : w.about()->homePageLabel;
            if (c.how == How::Click) {
                QTest::mouseClick(link, Qt::LeftButton);
            } else {
                // Tab from Done wraps round to the home page, then on to the update link.
                press(w.about(), Qt::Key_Tab);
                if (c.updates)
                    press(w.about(), Qt::Key_Tab);
                EXPECT_EQ(w.about()->focusWidget(), link);
                EXPECT_TRUE(link->font().underline());
                press(w.about(), c.how == How::Enter ? Qt::Key_Return : Qt::Key_Space);
            }
            EXPECT_TRUE(w.about()->isVisible());
            if (c.how != How::Click) {
                press(w.about(), Qt::Key_Tab);
                EXPECT_FALSE(link->font().underline());
            }
            ASSERT_EQ(w.dialogs.urls.size(), 1u);
            const QString opened = w.dialogs.urls[0].toString();
            // The home page opens exactly what it shows, the update link its address
            // without the remark after it.
            EXPECT_EQ(c.updates ? opened + kRemark : opened, link->text());
            QTest::mouseClick(w.about()->doneButton, Qt::LeftButton);
        });
    }
}

TEST_F(AboutWindow, aLinkThatCannotBeOpenedIsReportedAndTheWindowStays) {
    w.show();
    w.dialogs.urlOpens = false;
    inAbout(w, [&] {
        QTest::mouseClick(w.about()->homePageLabel, Qt::LeftButton);
        EXPECT_TRUE(w.about()->isVisible());
        QTest::mouseClick(w.about()->doneButton, Qt::LeftButton);
    });
    ASSERT_EQ(w.dialogs.errors.size(), 1);
    EXPECT_EQ(w.dialogs.errors[0],
              "The link could not be opened: " + w.about()->homePageLabel->text());
}
