#pragma once
// The dialog manager's rules for the keys and clicks that reach one dialog's controls: Enter
// goes to the focused push button or else to the default button (without one, nowhere), Tab walks
// the template's tab stops (wrapping, never leaving the dialog), arrows walk a radio group and
// check what they reach, text limits count the terminating zero, a multi-line box holds only what
// its lines show, and a click below a list box's rows changes nothing. It sees its dialog only
// as a TKeyboardTarget. For framework code only.

#include <QObject>

#include <functional>
#include <vector>

class QWidget;
class TKeyboardTarget;

class TDialogKeyboard : public QObject {
public:
    // `dialog` answers the dialog, or nullptr once it has gone: its widgets may wait for the
    // event loop after it.
    TDialogKeyboard(std::function<TKeyboardTarget*()> dialog, QObject* parent);

    // Watches a control of the dialog, with the parts of it that take keys and clicks.
    void Watch(QWidget* control, int id);
    // The tab stops in template order: enabled, not hidden, and of a radio group only the
    // checked button (the first when none is).
    std::vector<QWidget*> TabStops() const;
    // Enter with the focus on a control: its own push button, else the default button.
    // False when no button takes it.
    bool PressEnter(QWidget* focused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* ControlOf(QObject* watched) const;
    bool MoveTab(QWidget* from, bool forward);
    bool MoveInRadioGroup(QWidget* from, bool forward);
    // Whether typing `typed` into the box would break its limit or its lines.
    bool RefusesTyping(QWidget* box, const QString& typed) const;

    TKeyboardTarget* Dialog() const { return liveDialog(); }

    std::function<TKeyboardTarget*()> liveDialog;
};
