#pragma once
// A dialog built from a template held under a resource number: modal or modeless, its
// controls read and written by id. Buttons, radio buttons and check boxes send their id as
// a command to the dialog itself; OK (1) closes through CanClose. Cancel (2), which Esc sends,
// ends a modal dialog at once and closes a modeless one as its close box does (CanClose
// first). No other id means anything to the framework.

#include "framework/TDialogTemplate.h"
#include "framework/TFont.h"
#include "framework/TKeyboardTarget.h"
#include "framework/TWindow.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class TDialog : public TWindow, private TKeyboardTarget {
public:
    using Notify = TControlNotify;

    TDialog(TWindow* parent, int resourceId);
    ~TDialog() override;

    int ResourceId() const { return resourceId; }
    const TDialogTemplate& Template() const override { return dialogTemplate; }
    // Runs the dialog modally; the id it ended with (kIdCancel when it could not be built).
    int Execute();
    // Shows the dialog modal to the whole program without a loop of its own: a box that
    // long work updates between its steps, running the events itself. Destroy ends it.
    bool ShowModal();

    // The control's text: edits, combos, statics, buttons. The text limit bounds typing only.
    void SetDlgItemText(int id, const std::string& utf8);
    std::string GetDlgItemText(int id) const;
    void CheckDlgButton(int id, bool checked);
    bool IsDlgButtonChecked(int id) const;
    void EnableDlgItem(int id, bool enabled);
    bool IsDlgItemEnabled(int id) const;
    // Moves the focus to a control; an edit's text is selected, as Tab leaves it.
    void SetDlgItemFocus(int id);
    // A limit counts the terminating zero: limit n lets the user type n - 1 characters.
    void SetTextLimit(int id, int limit);
    int TextLimit(int id) const override;
    void SetControlFont(int id, const TFont& font);
    bool HasControl(int id) const;
    // The control's rectangle in client pixels.
    TRect ControlRect(int id) const;

    // List and combo boxes.
    int ListAddString(int id, const std::string& utf8);
    void ListClear(int id);
    int ListCount(int id) const;
    std::string ListText(int id, int index) const;
    int ListSelection(int id) const; // -1 for none
    void ListSetSelection(int id, int index);
    void ListSetHorizontalExtent(int id, int pixels);
    void ListFitHorizontalExtent(int id);

    // Month calendars: the picked day, and the days that may be picked.
    void SetCalendarDate(int id, int year, int month, int day);
    bool CalendarDate(int id, int& year, int& month, int& day) const;
    void SetCalendarRange(int id, int firstYear, int lastYear);

    // Multi-line edits: the lines as the box shows them after word wrapping.
    int EditLineCount(int id) const;
    std::string EditLine(int id, int line) const;

    // Presses a button as the user does (tests and keyboard handling).
    void ClickButton(int id) override;

    // Keys that press a button while the focus is in the dialog, ahead of the dialog
    // manager's own keys, as an accelerator table does: a typed character, or a named key.
    enum class Key { Enter, Escape, Delete, Backspace };
    void AddAccelerator(char typed, int buttonId);
    void AddAccelerator(Key key, int buttonId);
    // Ctrl with a letter sends a command, as the speed menu's entry for it does.
    void AddCommandKey(char letter, int command);
    // For framework code: the button a key presses, or 0.
    int AcceleratorButton(const QKeyEvent& key) const override;
    // Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo. While the focused box has typing to undo
    // (redo) the key is the box's; otherwise it goes to these handlers, when the dialog set
    // them.
    void OnUndoKeys(std::function<void()> undo, std::function<void()> redo);
    // For framework code: runs the handler; false without one.
    bool UndoKey(bool redo) override;
    bool CommandKey(const QKeyEvent& key) override;
    // Sends a notification as the control does.
    void SendNotify(int id, Notify code);

    // For framework code: the widget of a control.
    QWidget* Control(int id) const override;
    // For framework code: the control that last had the focus, given it back on activation.
    void RememberFocus(int id) override {
        lastFocus = id;
        hasFocusMemory = true;
        SendNotify(id, Notify::SetFocus);
    }
    void TakeFocus() override;

protected:
    void SetupWindow() override;
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void AfterDestroy(int value) override;
    // A resizable dialog's controls follow its grow lines.
    void EvSize(TSize clientSize) override;
    // The background, then the group boxes' frames: they lie under what the dialog paints.
    void EraseBackground(class QPainter& painter, const QWidget& device,
                         const TRect& area) override;

    void OnNotify(int id, Notify code, std::function<void()> handler);
    // Before Create: the dialog's own copy of its template, for a dialog with two forms.
    TDialogTemplate& TemplateToBuild() { return dialogTemplate; }
    // Commands from this dialog's own controls and speed menu: this dialog's table only.
    bool ControlCommand(int id);

    virtual void CmOk();
    virtual void CmCancel();

private:
    void BuildControls();
    void PressCancel() override;

    int resourceId;
    TDialogTemplate dialogTemplate;
    std::map<int, QWidget*> controls;
    // Every control built, with its template's place in pixels.
    std::vector<std::pair<QWidget*, TRect>> placed;
    std::map<int, int> textLimits;
    std::map<char, int> typedAccelerators;
    std::map<Key, int> keyAccelerators;
    std::map<char, int> commandKeys; // by upper-case letter
    std::function<void()> undoHandler;
    std::function<void()> redoHandler;
    std::map<std::pair<int, int>, std::function<void()>> notifications;
    class QEventLoop* modalLoop = nullptr;
    class TDialogKeyboard* keyboard = nullptr;
    int lastFocus = 0;
    bool hasFocusMemory = false;
};
