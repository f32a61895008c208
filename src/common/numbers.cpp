// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numbers.h"

#include "common/error.h"

#include <limits>

namespace zantor {

std::string notAnIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::int32_t toInt(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        throw Error(notAnIntegerMessage(text));
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw Error(notAnIntegerMessage(text));
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
            throw Error(notAnIntegerMessage(text));
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min())
        throw Error(notAnIntegerMessage(text));
    return static_cast<std::int32_t>(value);
}

std::int32_t addChecked(std::int32_t value, std::int64_t delta, std::string_view text) {
    const std::int64_t result = std::int64_t{value} + delta;
    if (result > std::numeric_limits<std::int32_t>::max() ||
        result < std::numeric_limits<std::int32_t>::min())
        throw Error(notAnIntegerMessage(text));
    return static_cast<std::int32_t>(result);
}

} // namespace zantor
