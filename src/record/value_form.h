// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/record_form.h"

#include <string>
#include <vector>

namespace zantor {

// A form without widgets: the values the record display puts into each control,
// kept in the order they were first set. The command-line tool and tests use it.
class ValueForm : public RecordForm {
public:
    struct Value {
        std::string control;
        bool isList = false;
        std::string text;  // edits
        int position = -1; // lists
    };

    std::string text(std::string_view control) const override;
    void setText(std::string_view control, const std::string& text) override;
    int position(std::string_view control) const override;
    void setPosition(std::string_view control, int position) override;

    const std::vector<Value>& values() const { return m_values; }
    /// The value of a control, or nullptr when the display never set it.
    Value* find(std::string_view control);
    const Value* find(std::string_view control) const;

private:
    Value& slot(std::string_view control);
    std::vector<Value> m_values;
};

} // namespace zantor
