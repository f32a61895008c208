// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace zantor {

// Letter case of ASCII letters only: file names, value names and list keys compare
// this way whatever the user's locale, every other byte as it is.

/// The lower-case letter of an ASCII capital; any other byte unchanged.
constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

/// The text with its ASCII capitals lowered.
inline std::string asciiLowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), asciiLower);
    return out;
}

/// True when the texts are equal once their ASCII capitals are lowered.
constexpr bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

/// True when the text ends with `suffix`, ASCII letter case not counting.
constexpr bool endsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

} // namespace zantor
