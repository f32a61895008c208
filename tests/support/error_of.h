// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/error.h"

#include <string>

namespace zantor::test {

/// The text of the Error that `f` throws, or "no error".
template <class F> std::string errorOf(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

} // namespace zantor::test
