// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace zantor {

// The editor's main window.
class TmainWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TmainWindow(QWidget* parent = nullptr);
    TmainWindow(const TmainWindow&) = delete;
    TmainWindow& operator=(const TmainWindow&) = delete;
};

} // namespace zantor
