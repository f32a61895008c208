// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/action_runner.h"

#include "ui/dialogs.h"

namespace zantor {

void ActionRunner::run(const std::function<void()>& handler) {
    if (m_depth > 0) {
        if (m_pendingError)
            return;
        try {
            handler();
        } catch (...) {
            m_pendingError = std::current_exception();
        }
        return;
    }
    ++m_depth;
    reportErrors(m_dialogs, m_parent, [&] {
        handler();
        rethrowPending();
    });
    m_pendingError = nullptr;
    --m_depth;
}

void ActionRunner::rethrowPending() {
    if (m_pendingError) {
        auto error = m_pendingError;
        m_pendingError = nullptr;
        std::rethrow_exception(error);
    }
}

} // namespace zantor
