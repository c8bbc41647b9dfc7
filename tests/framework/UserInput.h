#pragma once
// Drives a dialog as its user does: key presses go to the control that has the focus in the
// dialog's window, clicks land on a control's face. Real Qt events on the offscreen
// platform, so the dialog manager's own rules run, not the dialog's API.

#include "framework/TDialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <string>

namespace UserInput {

// The widget that has the keyboard focus in the dialog's window (nullptr for none).
inline QWidget* Focused(const TDialog& dialog) {
    QWidget* host = dialog.Widget();
    return host ? host->window()->focusWidget() : nullptr;
}

// The id of the control that has the focus, or -1.
inline int FocusedId(const TDialog& dialog) {
    const QWidget* focused = Focused(dialog);
    for (const TControlTemplate& c : dialog.Template().controls) {
        const QWidget* w = dialog.Control(c.id);
        if (w && focused && (w == focused || w->isAncestorOf(focused))) {
            return c.id;
        }
    }
    return -1;
}

// A key as the keyboard sends it, to the focused control.
inline void Press(TDialog& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (QWidget* target = Focused(dialog)) {
        QTest::keyClick(target, key, modifiers);
    } else if (dialog.Widget()) {
        QTest::keyClick(dialog.Widget(), key, modifiers);
    }
}
inline void Enter(TDialog& dialog) {
    Press(dialog, Qt::Key_Return);
}
inline void Escape(TDialog& dialog) {
    Press(dialog, Qt::Key_Escape);
}
inline void Tab(TDialog& dialog) {
    Press(dialog, Qt::Key_Tab);
}
inline void BackTab(TDialog& dialog) {
    Press(dialog, Qt::Key_Backtab, Qt::ShiftModifier);
}

// A left click on a control: buttons on their caption side, other controls in the middle.
inline void Click(TDialog& dialog, int id) {
    QWidget* w = dialog.Control(id);
    if (!w) {
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit()) {
        w = combo->lineEdit(); // the edit field, not the drop-down arrow
    }
    const bool box = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
    const QPoint at = box ? QPoint(6, w->height() / 2) : w->rect().center();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
}

// Clicks into an edit or combo box, puts the cursor after its text and types.
inline void Type(TDialog& dialog, int id, const std::string& text) {
    Click(dialog, id);
    QWidget* target = Focused(dialog);
    if (!target) {
        return;
    }
    if (qobject_cast<QPlainTextEdit*>(target)) {
        QTest::keyClick(target, Qt::Key_End, Qt::ControlModifier);
    } else {
        QTest::keyClick(target, Qt::Key_End);
    }
    QTest::keyClicks(target, QString::fromStdString(text));
}

// Clicks a list box's row, or its empty area below the rows (row -1).
inline void ClickRow(TDialog& dialog, int id, int row) {
    auto* list = qobject_cast<QListWidget*>(dialog.Control(id));
    if (!list) {
        return;
    }
    QPoint at;
    if (row >= 0) {
        at = list->visualItemRect(list->item(row)).center();
    } else {
        at = QPoint(list->viewport()->width() / 2, list->viewport()->height() - 3);
    }
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace UserInput
