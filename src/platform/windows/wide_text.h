// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace zantor {

// The core keeps text as UTF-8; the system's wide-character calls take UTF-16. Bytes
// that are not UTF-8 become U+FFFD.
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);

} // namespace zantor
