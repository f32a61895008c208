// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/table_dialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zantor {

QString QtTableDialogs::chooseOpenFile(QWidget* parent, const QString& initialFolder,
                                       const QStringList& filters) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Import"), initialFolder,
                                        filters.join(QStringLiteral(";;")));
}

std::optional<NumberChange> QtTableDialogs::askNumberChange(QWidget* parent, const QString& column,
                                                            int cells) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Change numbers"));
    auto* form = new QFormLayout;
    auto* how = new QComboBox(&dialog);
    how->setObjectName(QStringLiteral("operationList"));
    how->addItems({QStringLiteral("Add"), QStringLiteral("Multiply by")});
    auto* value = new QLineEdit(&dialog);
    value->setObjectName(QStringLiteral("valueField"));
    auto* validator = new QDoubleValidator(value);
    validator->setLocale(QLocale::c());
    value->setValidator(validator);
    auto* howLabel = new QLabel(QStringLiteral("&Operation:"), &dialog);
    howLabel->setBuddy(how);
    auto* valueLabel = new QLabel(QStringLiteral("&Value:"), &dialog);
    valueLabel->setBuddy(value);
    how->setAccessibleName(QStringLiteral("Operation:"));
    value->setAccessibleName(QStringLiteral("Value:"));
    form->addRow(howLabel, how);
    form->addRow(valueLabel, value);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(
        new QLabel(QStringLiteral("%1 cells of %2; every result is checked before any is set.")
                       .arg(cells)
                       .arg(column),
                   &dialog));
    layout->addLayout(form);
    layout->addWidget(buttons);
    bool ok = false;
    NumberChange change;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    change.multiply = how->currentIndex() == 1;
    change.value = QLocale::c().toDouble(value->text(), &ok);
    if (!ok)
        return std::nullopt;
    return change;
}

bool QtTableDialogs::confirmImport(QWidget* parent, const QStringList& changes) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Import"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label =
        new QLabel(QStringLiteral("The import changes %1 values. Apply them to the table?")
                       .arg(changes.size()),
                   &dialog);
    auto* list = new QPlainTextEdit(changes.join(QLatin1Char('\n')), &dialog);
    list->setObjectName(QStringLiteral("changesField"));
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setAccessibleName(QStringLiteral("Changes"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Apply"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(560, 360);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zantor
