// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace zantor {

// A change of many number cells at once: add a number, or multiply by one.
struct NumberChange {
    bool multiply = false;
    double value = 0;
};

// What the folder table asks of the user beyond the windows' common questions,
// behind one small interface so that tests can answer it.
class TableDialogs {
public:
    virtual ~TableDialogs() = default;
    /// A file to read (CSV); an empty text when cancelled.
    virtual QString chooseOpenFile(QWidget* parent, const QString& initialFolder,
                                   const QStringList& filters) = 0;
    /// "Add" or "Multiply by" and the number, for `cells` cells of `column`; nothing
    /// when cancelled.
    virtual std::optional<NumberChange> askNumberChange(QWidget* parent, const QString& column,
                                                        int cells) = 0;
    /// Shows what an import changes, one line per value; true to apply it.
    virtual bool confirmImport(QWidget* parent, const QStringList& changes) = 0;
};

// The real dialogs.
class QtTableDialogs final : public TableDialogs {
public:
    QString chooseOpenFile(QWidget* parent, const QString& initialFolder,
                           const QStringList& filters) override;
    std::optional<NumberChange> askNumberChange(QWidget* parent, const QString& column,
                                                int cells) override;
    bool confirmImport(QWidget* parent, const QStringList& changes) override;
};

} // namespace zantor
