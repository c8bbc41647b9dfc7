#pragma once
// Drives a dialog as its user does. Every event enters through the top-level window, as the
// window system delivers it: a click lands on whatever widget is under the point (a control
// covered by another is not reached), keys go to the window's focused control. So the
// dialog manager's own rules run, not the dialog's API, on the offscreen and the xcb
// platform alike.

#include "framework/TDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <string>
#include <vector>

namespace UserInput {

// The top-level window a widget lies in, once the window system shows it.
inline QWindow* ShownWindow(const QWidget& widget) {
    QWidget* top = widget.window();
    QWindow* window = top->windowHandle();
    if (window && !window->isExposed()) {
        (void)QTest::qWaitForWindowExposed(window);
    }
    return window;
}

// What the screen shows of a widget once the paints pending are done.
inline QImage Shown(const QWidget& widget) {
    QApplication::processEvents();
    QWindow* window = ShownWindow(widget);
    if (!window) {
        return {};
    }
    const QPoint at = widget.mapTo(widget.window(), QPoint(0, 0));
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), widget.width(), widget.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

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

// A mouse click at a point of a widget, delivered to whatever the window has there.
// Moves the pointer to a point of the widget: what it leaves is left and what it comes onto
// entered, as the window system reports them.
inline void MoveTo(const QWidget& widget, QPoint at) {
    if (QWindow* window = ShownWindow(widget)) {
        QTest::mouseMove(window, widget.mapTo(widget.window(), at));
        QApplication::processEvents();
    }
}

inline void ClickAt(const QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    if (QWindow* window = ShownWindow(widget)) {
        QTest::mouseClick(window, button, Qt::NoModifier, widget.mapTo(widget.window(), at));
    }
}

// A key as the keyboard sends it: to the window a widget lies in, which hands it to its focus.
inline void Press(const QWidget& inWindow, Qt::Key key,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (QWindow* window = ShownWindow(inWindow)) {
        QTest::keyClick(window, key, modifiers);
    }
}
inline void Press(TDialog& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (QWidget* host = dialog.Widget()) {
        Press(*host, key, modifiers);
    }
}
inline void Enter(TDialog& dialog) {
    Press(dialog, Qt::Key_Return);
}
inline void Escape(TDialog& dialog) {
    Press(dialog, Qt::Key_Escape);
}
// The close box of the window's frame: the window system asks the window to close, as a
// click on the frame's close box does (the offscreen platform has no frame to click).
inline void CloseBox(TDialog& dialog) {
    if (QWidget* host = dialog.Widget()) {
        host->window()->close();
    }
}
inline void Tab(TDialog& dialog) {
    Press(dialog, Qt::Key_Tab);
}
inline void BackTab(TDialog& dialog) {
    Press(dialog, Qt::Key_Backtab, Qt::ShiftModifier);
}

// The point a user clicks on a control: buttons on their caption side, an editable combo
// box in its edit field, other controls in the middle.
inline QPoint ClickPoint(const QWidget& control) {
    const QWidget* w = &control;
    if (auto* combo = qobject_cast<const QComboBox*>(w); combo && combo->lineEdit()) {
        w = combo->lineEdit();
    }
    const bool box = qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w);
    const QPoint at = box ? QPoint(6, w->height() / 2) : w->rect().center();
    return w->mapTo(&control, at);
}

// A left click on a control.
inline void Click(TDialog& dialog, int id, Qt::MouseButton button = Qt::LeftButton) {
    if (const QWidget* w = dialog.Control(id)) {
        ClickAt(*w, ClickPoint(*w), button);
    }
}

// The left button pressed on a control and held there, then let go: what a click is in two
// halves, for what a held button does in between.
inline void Hold(TDialog& dialog, int id) {
    if (QWidget* w = dialog.Control(id)) {
        if (QWindow* window = ShownWindow(*w)) {
            QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier,
                              w->mapTo(w->window(), ClickPoint(*w)));
        }
    }
}
inline void Release(TDialog& dialog, int id) {
    if (QWidget* w = dialog.Control(id)) {
        if (QWindow* window = ShownWindow(*w)) {
            QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier,
                                w->mapTo(w->window(), ClickPoint(*w)));
        }
    }
}

// A left double click at a point of a window's surface.
inline void DoubleClickAt(const QWidget& widget, QPoint at) {
    if (QWindow* window = ShownWindow(widget)) {
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier,
                           widget.mapTo(widget.window(), at));
    }
}

// Typed text: each character a key press to the window.
inline void Keys(TDialog& dialog, const QString& text) {
    QWidget* host = dialog.Widget();
    QWindow* window = host ? ShownWindow(*host) : nullptr;
    if (!window) {
        return;
    }
    for (const QChar ch : text) {
        const Qt::Key key =
            ch.unicode() < 128 ? QTest::asciiToKey(char(ch.unicode())) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, window, key, QString(ch), Qt::NoModifier);
    }
}

// Clicks into an edit or combo box, puts the cursor after its text and types.
inline void Type(TDialog& dialog, int id, const std::string& text) {
    Click(dialog, id);
    const bool multiLine = qobject_cast<QPlainTextEdit*>(Focused(dialog)) != nullptr;
    Press(dialog, Qt::Key_End, multiLine ? Qt::ControlModifier : Qt::NoModifier);
    Keys(dialog, QString::fromStdString(text));
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
    ClickAt(*list->viewport(), at);
}

// Opens the menu-bar menu that holds a command and clicks the command's item, as the user
// does with the mouse. False when the menu shows the item disabled (the menu is closed again)
// or the click never reached it.
inline bool ChooseMenuItem(const TWindow& frame, int command) {
    auto* host = qobject_cast<QMainWindow*>(frame.Widget());
    if (!host) {
        return false;
    }
    QMenuBar* bar = host->menuBar();
    for (QAction* title : bar->actions()) {
        QMenu* menu = title->menu();
        QAction* item = nullptr;
        for (QAction* a : menu ? menu->actions() : QList<QAction*>{}) {
            item = a->data().toInt() == command && !a->menu() ? a : item;
        }
        if (!item) {
            continue;
        }
        ClickAt(*bar, bar->actionGeometry(title).center());
        if (!menu->isVisible() || !item->isEnabled()) {
            menu->close();
            return false;
        }
        // A busy X server may show the menu late and drop the click: the item is clicked
        // again while its menu still shows and it has not fired.
        bool fired = false;
        const QMetaObject::Connection seen =
            QObject::connect(item, &QAction::triggered, [&fired] { fired = true; });
        for (int attempt = 0; attempt < 3 && !fired && menu->isVisible(); ++attempt) {
            ClickAt(*menu, menu->actionGeometry(item).center());
            (void)QTest::qWaitFor([&fired] { return fired; }, 1000);
        }
        QObject::disconnect(seen);
        return fired;
    }
    return false;
}

// A right click on a point of a window's surface, then a click on the item of the speed menu
// it opens. The texts the menu offered, none when no menu opened.
inline std::vector<std::string> ChooseFromSpeedMenu(const TWindow& window, QPoint at,
                                                    const std::string& item) {
    std::vector<std::string> offered;
    // The menu runs its own loop inside the click: the choice is made from there.
    QTimer choose;
    choose.setSingleShot(true);
    QObject::connect(&choose, &QTimer::timeout, [&offered, &item] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            return;
        }
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            offered.push_back(action->text().toStdString());
            chosen = offered.back() == item ? action : chosen;
        }
        if (chosen) {
            ClickAt(*menu, menu->actionGeometry(chosen).center());
        } else {
            menu->close();
        }
    });
    const QWidget* surface = window.Widget();
    if (!surface || !ShownWindow(*surface)) {
        return offered;
    }
    choose.start(0); // once the window is shown: no loop runs before the menu's own
    ClickAt(*surface, at, Qt::RightButton);
    return offered;
}

} // namespace UserInput
