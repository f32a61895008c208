// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zantor {

/// The text of a field as a signed 32-bit whole number: an optional sign and
/// decimal digits, nothing else. Throws Error "'%s' is not a valid integer value"
/// with the text in place of %s.
std::int32_t toInt(std::string_view text);

/// value + delta, or Error "'%s' is not a valid integer value" (with `text`) when
/// the result leaves the signed 32-bit range.
std::int32_t addChecked(std::int32_t value, std::int64_t delta, std::string_view text);

/// The message for a text that is not a valid whole number.
std::string notAnIntegerMessage(std::string_view text);

} // namespace zantor
