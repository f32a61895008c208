// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/aboutwindow.h"

#include "common/error.h"
#include "ui/dialogs.h"
#include "ui/link_label.h"
#include "ui/look.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace zantor {

namespace {

// Who made the program and where to find it.
const char* const kAuthor = "The Zantor developers";
const char* const kEmail = "zantor@example.org";
const char* const kHomePage = "https://example.org/";
const char* const kUpdatesPage = "https://example.org/dl/";
const char* const kUpdatesRemark = " (look under Modding Utils section)";
const char* const kPostalAddress = " Zantor developers\n"
                                   " 1 Example Road\n"
                                   " 00000 Exampleton\n"
                                   " Exampleland";

const char* const kMoneyText =
    "Zantor is free, and it will be, as long as I don't need money to make it. But, donations "
    "are always welcome. If you feel like thanking me in the material sense of the word, feel "
    "free to send any amount of money to the adress shown below.";
const char* const kLettersText =
    "Once more, money is NOT necessary, I'm not even asking for it. But, I do like to receive "
    "cards and letters from around the world, so if you feel like sending a piece of paper to "
    "me - do it! I will reply if you ask me to.";

const char* const kTitleFamily = "Comic Sans MS";

void colour(QWidget* widget, QPalette::ColorRole role, const QColor& c) {
    QPalette p = widget->palette();
    p.setColor(role, c);
    widget->setPalette(p);
}

} // namespace

TaboutWindow::TaboutWindow(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_dialogs(dialogs) {
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(QStringLiteral("About"));
    applyLook(this);

    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    const QFont caption = lookFont(13);
    const QFont value = lookFont(13, true);
    auto label = [&](const char* name, const QString& text, const QFont& f) {
        auto* l = new QLabel(text, this);
        named(l, name);
        l->setFont(f);
        return l;
    };

    GroupBox1 = new QGroupBox(QStringLiteral("[ About Zantor ]"), this);
    named(GroupBox1, "GroupBox1");
    GroupBox1->setFixedHeight(374);

    // Where the family is missing, the title keeps the windows' own.
    QFont titleFont = QFontDatabase::hasFamily(QString::fromLatin1(kTitleFamily))
                          ? QFont(QString::fromLatin1(kTitleFamily))
                          : lookFont(47);
    titleFont.setPixelSize(47);
    titleFont.setBold(true);
    title = label("title", QStringLiteral("Zantor"), titleFont);
    title->setAlignment(Qt::AlignCenter);
    title->setFixedHeight(65);
    colour(title, QPalette::WindowText, Qt::black);

    Label1 = label("Label1", QStringLiteral("Author:"), caption);
    Label2 = label("Label2", QString::fromLatin1(kAuthor), value);
    Label3 = label("Label3", QStringLiteral("E-mail:"), caption);
    Label4 = label("Label4", QString::fromLatin1(kEmail), value);
    Label5 = label("Label5", QStringLiteral("Home Page URL:"), caption);
    homePageLabel = new LinkLabel(this);
    named(homePageLabel, "homePageLabel");
    homePageLabel->setText(QString::fromLatin1(kHomePage));
    homePageLabel->setFont(value);
    Label7 = label("Label7", QStringLiteral("Updates URL:"), caption);
    Zantorlink = new LinkLabel(this);
    named(Zantorlink, "Zantorlink");
    Zantorlink->setText(QString::fromLatin1(kUpdatesPage) + QString::fromLatin1(kUpdatesRemark));
    Zantorlink->setFont(value);
    // A screen reader names each link by its caption.
    for (auto [captionLabel, link] :
         {std::pair{Label5, homePageLabel}, std::pair{Label7, Zantorlink}}) {
        captionLabel->setBuddy(link);
        link->setAccessibleName(captionLabel->text().chopped(1));
        link->setAccessibleDescription(QStringLiteral("Opens the address in the web browser"));
    }

    Label9 = label("Label9", QStringLiteral("Money issues:"), caption);
    Label10 = label("Label10", QString::fromLatin1(kMoneyText), value);
    Label10->setWordWrap(true);
    Label10->setFixedSize(380, 85);
    Label10->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label8 = label("Label8", QString::fromLatin1(kLettersText), value);
    Label8->setWordWrap(true);
    Label8->setFixedSize(379, 69);
    Label8->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label11 = label("Label11", QStringLiteral("Adress:"), caption);
    RichEdit1 = new QPlainTextEdit(this);
    named(RichEdit1, "RichEdit1");
    RichEdit1->setPlainText(QString::fromLatin1(kPostalAddress));
    RichEdit1->setReadOnly(true);
    RichEdit1->setTabChangesFocus(true);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setFont(value);
    RichEdit1->setFixedSize(142, 69);
    RichEdit1->document()->setDocumentMargin(0);
    // The field shows the background it stands on, as a label would.
    colour(RichEdit1, QPalette::Base, Qt::transparent);
    RichEdit1->viewport()->setAutoFillBackground(false);
    Label11->setBuddy(RichEdit1);
    RichEdit1->setAccessibleName(Label11->text().chopped(1));

    StaticText2 = label("StaticText2", QStringLiteral("Zantor is FREE!!!"), lookFont(20, true));
    StaticText2->setFrameStyle(QFrame::Box | QFrame::Plain);
    colour(StaticText2, QPalette::WindowText, QColor(192, 192, 192));

    doneButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                 QStringLiteral("Done"), this);
    named(doneButton, "doneButton");
    doneButton->setDefault(true);
    doneButton->setFixedSize(75, 25);
    connect(doneButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(homePageLabel, &LinkLabel::activated, this, &TaboutWindow::homePageLabelClick);
    connect(Zantorlink, &LinkLabel::activated, this, &TaboutWindow::ZantorlinkClick);

    // Captions stand right-aligned against the column of values.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    const std::pair<QLabel*, QWidget*> rows[] = {
        {Label1, Label2},  {Label3, Label4},  {Label5, homePageLabel}, {Label7, Zantorlink},
        {Label9, Label10}, {nullptr, Label8}, {Label11, RichEdit1}};
    int row = 0;
    for (const auto& [captionLabel, valueWidget] : rows) {
        if (captionLabel)
            grid->addWidget(captionLabel, row, 0, Qt::AlignRight | Qt::AlignTop);
        grid->addWidget(valueWidget, row, 1, Qt::AlignLeft | Qt::AlignTop);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    auto* inGroup = new QVBoxLayout(GroupBox1);
    inGroup->setContentsMargins(6, 0, 6, 4);
    inGroup->setSpacing(0);
    inGroup->addWidget(title);
    inGroup->addLayout(grid);
    inGroup->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(StaticText2, 0, Qt::AlignBottom);
    bottom->addStretch(1);
    bottom->addWidget(doneButton, 0, Qt::AlignBottom);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 2, 4, 4);
    root->setSpacing(4);
    root->addWidget(GroupBox1);
    root->addStretch(1);
    root->addLayout(bottom);

    setTabOrder(homePageLabel, Zantorlink);
    setTabOrder(Zantorlink, RichEdit1);
    setTabOrder(RichEdit1, doneButton);
    fixClientSize(this, {541, 410});
}

void TaboutWindow::setVisible(bool visible) {
    if (visible && !isVisible())
        centreOnScreen(this);
    QDialog::setVisible(visible);
}

void TaboutWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    doneButton->setFocus(); // so that Enter closes the window at once
}

void TaboutWindow::keyPressEvent(QKeyEvent* event) {
    // Done is also the cancel button: Esc clicks it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        doneButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TaboutWindow::homePageLabelClick() {
    openLink(homePageLabel->text()); // exactly the address shown
}

void TaboutWindow::ZantorlinkClick() {
    openLink(QString::fromLatin1(kUpdatesPage)); // the address without the remark after it
}

void TaboutWindow::openLink(const QString& address) {
    reportErrors(m_dialogs, this, [&] {
        if (!m_dialogs.openUrl(QUrl(address)))
            throw Error("The link could not be opened: " + address.toStdString());
    });
}

} // namespace zantor
