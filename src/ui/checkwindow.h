// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/check.h"

#include <QWidget>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace zantor {

// The results of a folder check: one row per finding (severity, file, field, message,
// rule), sortable by any column and filtered by severity. A double click on a finding
// in an item file asks for that item to be opened at the field concerned. The check
// only reads; nothing here changes a file.
class CheckWindow final : public QWidget {
    Q_OBJECT
public:
    /// `request` tells what to check, asked anew for every run.
    explicit CheckWindow(std::function<CheckRequest()> request, QWidget* parent = nullptr);
    CheckWindow(const CheckWindow&) = delete;
    CheckWindow& operator=(const CheckWindow&) = delete;

    /// Runs the check and shows its findings.
    void checkNow();

    const std::vector<Finding>& findings() const { return m_findings; }

    QComboBox* severityFilter = nullptr;
    QTableWidget* findingsTable = nullptr;
    QLabel* summaryLabel = nullptr;
    QPushButton* checkAgainButton = nullptr;
    QPushButton* closeButton = nullptr;

signals:
    /// The user asked to open an item file with the focus in a control (may be empty).
    void openRequested(const QString& path, const QString& control);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill();
    void applyFilter();
    void openRow(int row);

    std::function<CheckRequest()> m_request;
    std::vector<Finding> m_findings;
};

} // namespace zantor
