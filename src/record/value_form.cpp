// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/value_form.h"

namespace zantor {

ValueForm::Value* ValueForm::find(std::string_view control) {
    for (auto& v : m_values)
        if (v.control == control)
            return &v;
    return nullptr;
}

const ValueForm::Value* ValueForm::find(std::string_view control) const {
    return const_cast<ValueForm*>(this)->find(control);
}

ValueForm::Value& ValueForm::slot(std::string_view control) {
    if (Value* v = find(control))
        return *v;
    Value v;
    v.control = std::string(control);
    m_values.push_back(std::move(v));
    return m_values.back();
}

std::string ValueForm::text(std::string_view control) const {
    const Value* v = find(control);
    return v ? v->text : std::string();
}

void ValueForm::setText(std::string_view control, const std::string& text) {
    Value& v = slot(control);
    v.isList = false;
    v.text = text;
}

int ValueForm::position(std::string_view control) const {
    const Value* v = find(control);
    return v ? v->position : -1;
}

void ValueForm::setPosition(std::string_view control, int position) {
    Value& v = slot(control);
    v.isList = true;
    v.position = position;
}

} // namespace zantor
