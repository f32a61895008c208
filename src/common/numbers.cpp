// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numbers.h"

#include "common/error.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace zantor {

std::string notAnIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::int32_t toInt(std::string_view text) {
    // from_chars takes "-" but not "+"; a "+" may stand only before a digit.
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (digits.empty() || digits.front() == '-')
            throw Error(notAnIntegerMessage(text));
    }
    std::int32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, ec] = std::from_chars(digits.data(), end, value);
    if (ec != std::errc() || stop != end)
        throw Error(notAnIntegerMessage(text));
    return value;
}

std::int32_t addChecked(std::int32_t value, std::int64_t delta, std::string_view text) {
    const std::int64_t result = std::int64_t{value} + delta;
    if (result > std::numeric_limits<std::int32_t>::max() ||
        result < std::numeric_limits<std::int32_t>::min())
        throw Error(notAnIntegerMessage(text));
    return static_cast<std::int32_t>(result);
}

} // namespace zantor
