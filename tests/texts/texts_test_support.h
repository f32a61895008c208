// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/error.h"
#include "support/temp_dir.h"

#include <string>

namespace zantor::test {

/// The text of the Error that `f` throws, or "(no error)".
template <class F> std::string errorOf(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

/// The bytes of a file as a string.
inline std::string readText(const std::string& path) {
    const Bytes b = readAll(path);
    return std::string(b.begin(), b.end());
}

} // namespace zantor::test
