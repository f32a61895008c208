// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/record_form.h"

#include <QHash>
#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace zantor {

// Why this exists: the record display and update (core, no Qt) see the editor as texts
// and list positions keyed by control name. This adapter gives them the window's real
// controls under those names, so one field table drives the window as it drives the
// command line's form. Writing an edit goes through the window (its loading guard and
// action runner watch every write); each refresh is handed back to the window.
class WindowForm final : public RecordForm {
public:
    using SetText = std::function<void(QLineEdit* field, const QString& text)>;
    using OnRefresh = std::function<void(Refresh what)>;

    WindowForm(const QHash<QString, QWidget*>& controls, SetText setText, OnRefresh onRefresh)
        : m_controls(controls), m_setText(std::move(setText)), m_onRefresh(std::move(onRefresh)) {}

    std::string text(std::string_view control) const override;
    void setText(std::string_view control, const std::string& text) override;
    int position(std::string_view control) const override;
    void setPosition(std::string_view control, int position) override;
    std::string listEntry(std::string_view control) const override;
    void refresh(Refresh what) override { m_onRefresh(what); }

    /// The control of that name, or nullptr.
    QWidget* widget(std::string_view control) const;

private:
    const QHash<QString, QWidget*>& m_controls;
    SetText m_setText;
    OnRefresh m_onRefresh;
};

} // namespace zantor
