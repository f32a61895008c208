// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/checkwindow.h"

#include "record/fields.h"
#include "ui/look.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

namespace zantor {

namespace {

enum Column { SeverityColumn, FileColumn, FieldColumn, MessageColumn, RuleColumn };

// The filter's entries: every finding, or those of one severity.
constexpr std::array<const char*, 4> kFilterEntries{"All findings", "Errors", "Warnings", "Notes"};

// Severities sort by weight, errors first, not by their names.
class SeverityItem final : public QTableWidgetItem {
public:
    explicit SeverityItem(Severity s)
        : QTableWidgetItem(QString::fromUtf8(severityName(s).data(),
                                             static_cast<qsizetype>(severityName(s).size()))),
          m_rank(static_cast<int>(s)) {}
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* o = dynamic_cast<const SeverityItem*>(&other);
        return o ? m_rank < o->m_rank : QTableWidgetItem::operator<(other);
    }

private:
    int m_rank;
};

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The field as the editor labels it; the control's name where no field table has it.
QString fieldCaption(const std::string& control) {
    if (control == "descField")
        return QStringLiteral("Description");
    const Field* f = fieldByControl(control);
    if (!f)
        return text(control);
    std::string_view label = f->label;
    if (label.ends_with(':'))
        label.remove_suffix(1);
    return text(label);
}

QTableWidgetItem* readOnly(QTableWidgetItem* item) {
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

CheckWindow::CheckWindow(std::function<CheckRequest()> request, QWidget* parent)
    : QWidget(parent, Qt::Window), m_request(std::move(request)) {
    setObjectName(QStringLiteral("checkWindow"));
    setWindowTitle(QStringLiteral("Check folder"));
    applyLook(this);

    auto* filterLabel = new QLabel(QStringLiteral("&Show:"), this);
    severityFilter = new QComboBox(this);
    severityFilter->setObjectName(QStringLiteral("severityFilter"));
    for (const char* entry : kFilterEntries)
        severityFilter->addItem(QString::fromLatin1(entry));
    filterLabel->setBuddy(severityFilter);
    severityFilter->setAccessibleName(QStringLiteral("Show"));
    summaryLabel = new QLabel(this);
    summaryLabel->setObjectName(QStringLiteral("summaryLabel"));

    findingsTable = new QTableWidget(0, 5, this);
    findingsTable->setObjectName(QStringLiteral("findingsTable"));
    findingsTable->setAccessibleName(QStringLiteral("Findings"));
    findingsTable->setHorizontalHeaderLabels({QStringLiteral("Severity"), QStringLiteral("File"),
                                              QStringLiteral("Field"), QStringLiteral("Message"),
                                              QStringLiteral("Rule")});
    findingsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    findingsTable->setSelectionMode(QAbstractItemView::SingleSelection);
    findingsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    findingsTable->verticalHeader()->hide();
    findingsTable->horizontalHeader()->setSectionResizeMode(MessageColumn, QHeaderView::Stretch);
    findingsTable->setWordWrap(false);

    checkAgainButton = new QPushButton(QStringLiteral("Check &again"), this);
    checkAgainButton->setObjectName(QStringLiteral("checkAgainButton"));
    closeButton = new QPushButton(QStringLiteral("&Close"), this);
    closeButton->setObjectName(QStringLiteral("closeCheckButton"));

    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(severityFilter);
    top->addStretch(1);
    top->addWidget(summaryLabel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(checkAgainButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(findingsTable, 1);
    layout->addLayout(buttons);
    resize(760, 420);

    connect(severityFilter, &QComboBox::currentIndexChanged, this, [this] { applyFilter(); });
    connect(checkAgainButton, &QPushButton::clicked, this, [this] { checkNow(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(findingsTable, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { openRow(row); });
}

void CheckWindow::checkNow() {
    // A large folder takes a moment; the check itself never asks anything.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_findings = checkFolder(m_request());
    QGuiApplication::restoreOverrideCursor();
    fill();
}

void CheckWindow::fill() {
    findingsTable->setSortingEnabled(false);
    findingsTable->clearContents();
    findingsTable->setRowCount(static_cast<int>(m_findings.size()));
    std::array<int, 3> counts{};
    for (std::size_t i = 0; i < m_findings.size(); ++i) {
        const Finding& f = m_findings[i];
        const int row = static_cast<int>(i);
        auto* severity = new SeverityItem(f.rule->severity);
        severity->setData(Qt::UserRole, row); // the finding behind the row, after sorting
        findingsTable->setItem(row, SeverityColumn, readOnly(severity));
        findingsTable->setItem(row, FileColumn, readOnly(new QTableWidgetItem(text(f.file))));
        auto* field = new QTableWidgetItem(f.control.empty() ? QString() : fieldCaption(f.control));
        field->setToolTip(text(f.control));
        findingsTable->setItem(row, FieldColumn, readOnly(field));
        findingsTable->setItem(row, MessageColumn, readOnly(new QTableWidgetItem(text(f.message))));
        findingsTable->setItem(row, RuleColumn, readOnly(new QTableWidgetItem(text(f.rule->name))));
        ++counts[static_cast<std::size_t>(f.rule->severity)];
    }
    findingsTable->setSortingEnabled(true);
    findingsTable->resizeColumnToContents(FileColumn);
    summaryLabel->setText(QStringLiteral("%1 errors, %2 warnings, %3 notes")
                              .arg(counts[0])
                              .arg(counts[1])
                              .arg(counts[2]));
    applyFilter();
}

void CheckWindow::applyFilter() {
    const int shown = severityFilter->currentIndex() - 1; // -1: every severity
    for (int row = 0; row < findingsTable->rowCount(); ++row) {
        const int index = findingsTable->item(row, SeverityColumn)->data(Qt::UserRole).toInt();
        const auto severity =
            static_cast<int>(m_findings[static_cast<std::size_t>(index)].rule->severity);
        findingsTable->setRowHidden(row, shown >= 0 && severity != shown);
    }
}

void CheckWindow::openRow(int row) {
    const QTableWidgetItem* item = findingsTable->item(row, SeverityColumn);
    if (!item)
        return;
    const Finding& f = m_findings[static_cast<std::size_t>(item->data(Qt::UserRole).toInt())];
    if (f.itemFile && !f.path.empty())
        emit openRequested(QString::fromStdString(f.path), text(f.control));
}

void CheckWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && findingsTable->hasFocus()) {
        openRow(findingsTable->currentRow());
        return;
    }
    if (key == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zantor
