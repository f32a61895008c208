// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form_undo.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QUndoStack>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace zantor {

namespace {

bool isUndoKey(const QKeyEvent* key) {
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z) ||
           key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
}

} // namespace

// One step: the form before and after it.
class FormUndo::Step final : public QUndoCommand {
public:
    Step(FormUndo& owner, Snapshot before, Snapshot after)
        : m_owner(owner), m_before(std::move(before)), m_after(std::move(after)) {}
    void undo() override { m_owner.apply(m_before); }
    void redo() override {
        // Pushing a step that the user has just made changes nothing.
        if (!std::exchange(m_first, false))
            m_owner.apply(m_after);
    }

private:
    FormUndo& m_owner;
    Snapshot m_before;
    Snapshot m_after;
    bool m_first = true;
};

FormUndo::FormUndo(QWidget* window, std::vector<QWidget*> controls)
    : QObject(window), m_controls(std::move(controls)), m_stack(new QUndoStack(this)) {
    m_undo = new QAction(QStringLiteral("Undo"), window);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = new QAction(QStringLiteral("Redo"), window);
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* a : {m_undo, m_redo}) {
        a->setShortcutContext(Qt::WindowShortcut);
        window->addAction(a);
    }
    connect(m_undo, &QAction::triggered, this, [this] {
        commit();
        if (m_stack->canUndo())
            m_stack->undo();
    });
    connect(m_redo, &QAction::triggered, this, [this] {
        commit();
        if (m_stack->canRedo())
            m_stack->redo();
    });

    for (QWidget* control : m_controls) {
        control->installEventFilter(this);
        if (auto* list = qobject_cast<QComboBox*>(control))
            // Connected after the window's own handler: the step holds what it changed.
            connect(list, &QComboBox::activated, this, [this] {
                if (!m_applying)
                    commit();
            });
        if (auto* text = qobject_cast<QPlainTextEdit*>(control))
            text->setUndoRedoEnabled(false); // the form's history is the only one
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
        if (old && std::find(m_controls.begin(), m_controls.end(), old) != m_controls.end())
            commit();
    });
    m_base = snapshot();
}

bool FormUndo::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::ShortcutOverride) {
        // The fields' own undo would act on one field alone: the window's keys go first.
        if (isUndoKey(static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
    } else if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // An Up or Down step is a step of its own: what was typed before it is one,
        // and the step ends when the key is let go.
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && qobject_cast<QLineEdit*>(watched))
            commit();
    }
    return QObject::eventFilter(watched, event);
}

FormUndo::Snapshot FormUndo::snapshot() const {
    Snapshot s;
    s.reserve(m_controls.size());
    for (QWidget* control : m_controls) {
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            s.emplace_back(edit->text());
        else if (auto* text = qobject_cast<QPlainTextEdit*>(control))
            s.emplace_back(text->toPlainText());
        else if (auto* list = qobject_cast<QComboBox*>(control))
            s.emplace_back(list->currentIndex());
        else
            s.emplace_back();
    }
    return s;
}

void FormUndo::commit() {
    if (m_applying)
        return;
    Snapshot now = snapshot();
    if (now == m_base)
        return;
    Snapshot before = std::exchange(m_base, now);
    m_stack->push(new Step(*this, std::move(before), std::move(now)));
}

void FormUndo::rebase() {
    m_base = snapshot();
}

void FormUndo::clear() {
    m_stack->clear();
    rebase();
}

void FormUndo::apply(const Snapshot& state) {
    m_applying = true;
    // A value put back may make a handler change a later one (a text id fills the
    // name): the later one is put back after it. Two rounds settle what a first
    // round's handlers changed.
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < m_controls.size() && i < state.size(); ++i) {
            QWidget* control = m_controls[i];
            if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                if (edit->text() != state[i].toString())
                    edit->setText(state[i].toString());
            } else if (auto* text = qobject_cast<QPlainTextEdit*>(control)) {
                if (text->toPlainText() != state[i].toString())
                    text->setPlainText(state[i].toString());
            } else if (auto* list = qobject_cast<QComboBox*>(control)) {
                const int position = state[i].toInt();
                if (list->currentIndex() != position) {
                    list->setCurrentIndex(position);
                    emit list->activated(position);
                }
            }
        }
    }
    m_base = snapshot();
    m_applying = false;
}

} // namespace zantor
