// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's arrangement: the form's pages, the item browser and the row of
// command buttons. The pages and the browser build their own controls.
#include "ui/configwindow.h"
#include "ui/item_browser.h"
#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zantor {

void TmainWindow::buildBrowserAndButtons() {
    ItemBrowser::Needs needs{
        .scan =
            [this](const ScanRequest& request, const ItemBrowser::Progress& progress) {
                return m_session.scan(request, progress);
            },
        .quickOpen = [this] { return m_config->quickOpen->isChecked(); },
        .withNames = [this] { return m_config->fileNamesOnly->isChecked(); },
    };
    m_browser = new ItemBrowser(m_runner, m_dialogs, std::move(needs), this);

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
    for (QPushButton* b : {closeButton, aboutButton, configButton, saveasButton, saveButton}) {
        b->setAutoDefault(false);
        b->setIconSize(QSize(12, 12));
    }

    // Arrangement: page control, browser, button row.
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->setSpacing(3);
    root->addWidget(mainPages);
    root->addWidget(m_browser, 1);

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
