// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <functional>

class QWidget;

namespace zantor {

class UserDialogs;

// Why this exists: a user action (a click, a key, a timer) often writes into other
// controls, and Qt runs their change handlers at once, inside the action, through
// signals. An exception must not cross a signal, yet an error in such a nested handler
// (a lookup that cannot read its table) must still end the whole action, at the point
// where the action wrote, with nothing after it run, and be shown once. So the outermost
// handler runs inside the error reporter; a nested one keeps its error here, and the
// action, right after each write into a control, calls rethrowPending() to throw it on
// its own stack. While an error is kept, further nested handlers do not run.
class ActionRunner {
public:
    ActionRunner(UserDialogs& dialogs, QWidget* parent) : m_dialogs(dialogs), m_parent(parent) {}
    ActionRunner(const ActionRunner&) = delete;
    ActionRunner& operator=(const ActionRunner&) = delete;

    /// Runs a handler from a signal or event. At the top, its error ends the action and
    /// is shown; nested in another action, its error is kept for that action.
    void run(const std::function<void()>& handler);

    /// Throws the error a nested handler kept, and forgets it; nothing when none is kept.
    void rethrowPending();

    /// Forgets a kept error (an action that reported its errors by its own means).
    void forgetPending() { m_pendingError = nullptr; }

private:
    UserDialogs& m_dialogs;
    QWidget* m_parent;
    int m_depth = 0;
    std::exception_ptr m_pendingError;
};

} // namespace zantor
