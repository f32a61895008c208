// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>

namespace zantor::fuzz {

// A broken property stops the run as a crash, which libFuzzer keeps as the input.
inline void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace zantor::fuzz
