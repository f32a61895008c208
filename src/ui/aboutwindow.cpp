// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/aboutwindow.h"

#include "ui/dialogs.h"
#include "ui/look.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace zantor {

TaboutWindow::TaboutWindow(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_dialogs(dialogs) {
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(QStringLiteral("About"));
    applyLook(this);
    setFixedSize(541, 410);
    doneButton = new QPushButton(QStringLiteral("Done"), this);
    doneButton->setObjectName(QStringLiteral("doneButton"));
    doneButton->setDefault(true);
    connect(doneButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* root = new QVBoxLayout(this);
    root->addStretch(1);
    root->addWidget(doneButton, 0, Qt::AlignRight);
}

} // namespace zantor
