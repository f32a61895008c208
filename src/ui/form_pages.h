// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/item_record.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QTabWidget;

namespace zantor {

// One page of the item form. A page builds its controls from the field tables: each
// field's control takes its objectName, accessible name, length limit and hint from its
// table row, so the page itself says only where each control stands. The controls are
// the page's own: the window and the outside find them by objectName, as the record
// display does through the window's form adapter.
class FormPage : public QWidget {
    Q_OBJECT
public:
    /// The item section whose items show this page; Header for the common page.
    Section section() const { return m_section; }

protected:
    FormPage(const char* name, Section section, QWidget* parent);

    // A control named `control`, with the label, limit and hint of its field in the
    // record's tables (`label` for controls that are not fields).
    QLineEdit* makeEdit(const char* control, QWidget* parent, const QString& label = {});
    /// A read-only edit in the window's colour that the Tab key passes over.
    QLineEdit* makeNameBox(const char* control, QWidget* parent, const QString& label);
    QComboBox* makeList(const char* control, QWidget* parent);

private:
    Section m_section;
};

// The pages in tab order; the common page comes first.
class CommonPage final : public FormPage {
    Q_OBJECT
public:
    explicit CommonPage(QWidget* parent);
};

class WeaponPage final : public FormPage {
    Q_OBJECT
public:
    explicit WeaponPage(QWidget* parent);
};

class ArmorPage final : public FormPage {
    Q_OBJECT
public:
    explicit ArmorPage(QWidget* parent);
};

class ContainerPage final : public FormPage {
    Q_OBJECT
public:
    explicit ContainerPage(QWidget* parent);
};

class DrugPage final : public FormPage {
    Q_OBJECT
public:
    explicit DrugPage(QWidget* parent);
};

class AmmoPage final : public FormPage {
    Q_OBJECT
public:
    explicit AmmoPage(QWidget* parent);
};

/// Adds the six pages to the page control in tab order, each under its caption.
void addFormPages(QTabWidget* pages);

/// The page of the page control at `index`, or nullptr.
FormPage* formPageAt(const QTabWidget* pages, int index);

} // namespace zantor
