// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_store.h"

namespace zantor {

namespace {

std::string withName(std::string_view before, std::string_view name) {
    std::string out(before);
    out += '\'';
    out += name;
    out += '\'';
    return out;
}

} // namespace

std::string invalidDataTypeMessage(std::string_view name) {
    return withName("Invalid data type for ", name);
}

std::string failedToGetDataMessage(std::string_view name) {
    return withName("Failed to get data for ", name);
}

std::string failedToSetDataMessage(std::string_view name) {
    return withName("Failed to set data for ", name);
}

} // namespace zantor
