// SPDX-License-Identifier: GPL-3.0-or-later
// Building the main window's item browser and button row; the form's pages build
// themselves.
#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

namespace zantor {

void TmainWindow::buildBrowser() {
    dirField = new QLineEdit(this);
    dirField->setObjectName(QStringLiteral("dirField"));
    browseButton = new QToolButton(this);
    browseButton->setObjectName(QStringLiteral("browseButton"));
    browseButton->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    browseButton->setAutoRaise(true);
    browseButton->setToolTip(QStringLiteral("Choose the folder of item files"));
    itemList = new QListWidget(this);
    itemList->setObjectName(QStringLiteral("itemList"));
    itemList->setAccessibleName(QStringLiteral("Item files"));
    // Every row is one line of text: a long list is laid out without measuring each row.
    itemList->setUniformItemSizes(true);

    filterGroup = new QGroupBox(QStringLiteral("[ Filters ]"), this);
    filterGroup->setObjectName(QStringLiteral("filterGroup"));
    auto makeFilter = [this](const char* name, const char* caption) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), filterGroup);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(true);
        return box;
    };
    weaponFilter = makeFilter("weaponFilter", "Weapons");
    armorFilter = makeFilter("armorFilter", "Armor");
    ammoFilter = makeFilter("ammoFilter", "Ammo");
    drugFilter = makeFilter("drugFilter", "Drugs");
    containerFilter = makeFilter("containerFilter", "Containers");
    keyFilter = makeFilter("keyFilter", "Keys");
    miscFilter = makeFilter("miscFilter", "Misc.");
    filterAll = makeFilter("filterAll", "All");
    filterAll->setChecked(false);
    QFont bold = filterAll->font();
    bold.setBold(true);
    filterAll->setFont(bold);
    auto* fg = new QGridLayout(filterGroup);
    fg->setContentsMargins(6, 2, 6, 2);
    fg->setVerticalSpacing(0);
    const QCheckBox* left[] = {weaponFilter, armorFilter, containerFilter, miscFilter};
    const QCheckBox* right[] = {ammoFilter, drugFilter, keyFilter, filterAll};
    for (int i = 0; i < 4; ++i) {
        fg->addWidget(const_cast<QCheckBox*>(left[i]), i, 0);
        fg->addWidget(const_cast<QCheckBox*>(right[i]), i, 1);
    }

    itemCount = new QLabel(QStringLiteral("0 items in total"), this);
    itemCount->setObjectName(QStringLiteral("itemCount"));
    loadingLabel = new QLabel(QStringLiteral("Reading item files in directory..."), this);
    loadingLabel->setObjectName(QStringLiteral("loadingLabel"));
    loadingLabel->hide();
    progBar = new QProgressBar(this);
    progBar->setObjectName(QStringLiteral("progBar"));
    // A range of 0 to 0 would draw a busy animation; 0 of 1 is an empty bar.
    progBar->setRange(0, 1);
    progBar->setValue(0);
    progBar->setTextVisible(false);
    progBar->setFixedHeight(12);
    progBar->hide();
    refreshButton = new QPushButton(style()->standardIcon(QStyle::SP_BrowserReload),
                                    QStringLiteral("List files"), this);
    refreshButton->setObjectName(QStringLiteral("refreshButton"));
    openButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOpenButton),
                                 QStringLiteral("Open"), this);
    openButton->setObjectName(QStringLiteral("openButton"));
    openButton->setEnabled(false);

    closeButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                  QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    aboutButton = new QPushButton(QStringLiteral("About"), this);
    aboutButton->setObjectName(QStringLiteral("aboutButton"));
    configButton = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                   QStringLiteral("Options..."), this);
    configButton->setObjectName(QStringLiteral("configButton"));
    saveasButton = new QPushButton(style()->standardIcon(QStyle::SP_DriveFDIcon),
                                   QStringLiteral("Save As..."), this);
    saveasButton->setObjectName(QStringLiteral("saveasButton"));
    saveasButton->setEnabled(false);
    saveButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                 QStringLiteral("Save"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setEnabled(false);
    for (QPushButton* b : {refreshButton, openButton, closeButton, aboutButton, configButton,
                           saveasButton, saveButton}) {
        b->setAutoDefault(false);
        b->setIconSize(QSize(12, 12));
    }

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(1);

    // Arrangement: page control, browser, button row.
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->setSpacing(3);
    root->addWidget(mainPages);

    auto* dirLabel = new QLabel(QStringLiteral("Directory:"), this);
    dirLabel->setBuddy(dirField);
    dirField->setAccessibleName(QStringLiteral("Directory:"));
    root->addWidget(dirLabel);
    auto* dirRow = new QHBoxLayout;
    dirRow->setSpacing(2);
    dirRow->addWidget(dirField);
    dirRow->addWidget(browseButton);
    root->addLayout(dirRow);

    auto* middle = new QGridLayout;
    middle->setSpacing(3);
    middle->addWidget(itemList, 0, 0);
    middle->addWidget(filterGroup, 0, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(itemCount);
    countRow->addWidget(loadingLabel);
    countRow->addStretch(1);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(refreshButton);
    listButtons->addWidget(openButton);
    middle->addLayout(countRow, 1, 0);
    middle->addLayout(listButtons, 1, 1);
    middle->setColumnStretch(0, 1);
    root->addLayout(middle, 1);
    root->addWidget(progBar);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(closeButton);
    buttons->addStretch(1);
    buttons->addWidget(aboutButton);
    buttons->addWidget(configButton);
    buttons->addWidget(saveasButton);
    buttons->addWidget(saveButton);
    root->addLayout(buttons);
}

} // namespace zantor
