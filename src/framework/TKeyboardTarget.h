#pragma once
// What the dialog manager's keyboard handling (TDialogKeyboard) needs of a dialog: its
// template, its controls by id, their text limits, its accelerators, and where a press or an
// undo goes.
// The dialog implements it, so the keyboard never includes the dialog.

class QKeyEvent;
class QWidget;
struct TDialogTemplate;

class TKeyboardTarget {
public:
    virtual const TDialogTemplate& Template() const = 0;
    virtual QWidget* Control(int id) const = 0;
    virtual int TextLimit(int id) const = 0;
    // The control that took the focus, given it back when the dialog is activated again.
    virtual void RememberFocus(int id) = 0;
    // The button a key presses ahead of the dialog manager's own keys, or 0.
    virtual int AcceleratorButton(const QKeyEvent& key) const = 0;
    virtual void ClickButton(int id) = 0;
    // Runs the command a Ctrl key stands for; false when it stands for none.
    virtual bool CommandKey(const QKeyEvent& key) = 0;
    // Undo (redo) that the focused box did not take for its typing. False when the dialog
    // has no use for it.
    virtual bool UndoKey(bool redo) = 0;
    // Esc: Cancel, as the dialog's close box.
    virtual void PressCancel() = 0;

protected:
    ~TKeyboardTarget() = default;
};
