// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <vector>

class QAction;
class QUndoStack;
class QWidget;

namespace zantor {

// Undo and redo of the user's edits in a form of line edits, multi-line edits and
// drop-down lists. A step is what the user changed between two moments: typing in a
// field is one step until the focus leaves it, a list choice is one step, an Up or
// Down key in a field is one step. Everything the form's own handlers changed in
// answer (names, descriptions, previews) belongs to the step. Undo and redo put the
// values back as the user would: a field's text is set, so its change handler runs,
// and a list's entry is chosen with its `activated` signal. The program's own fills
// are no steps: the window calls rebase() after it filled the form, clear() when it
// shows another file.
class FormUndo final : public QObject {
    Q_OBJECT
public:
    /// Records the edits of `controls` (QLineEdit, QPlainTextEdit, QComboBox), in the
    /// order they are put back. The undo and redo actions are added to `window`.
    FormUndo(QWidget* window, std::vector<QWidget*> controls);

    QUndoStack* stack() const { return m_stack; }
    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }

    /// Ends the step being typed, if any.
    void commit();
    /// Takes the form as it is now as the state after the last step.
    void rebase();
    /// Forgets every step.
    void clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Snapshot = std::vector<QVariant>;
    class Step;

    Snapshot snapshot() const;
    void apply(const Snapshot& state);

    std::vector<QWidget*> m_controls;
    QUndoStack* m_stack;
    QAction* m_undo;
    QAction* m_redo;
    Snapshot m_base;
    bool m_applying = false;
};

} // namespace zantor
