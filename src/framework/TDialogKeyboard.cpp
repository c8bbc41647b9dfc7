#include "framework/TDialogKeyboard.h"

#include "framework/TBitmapButton.h"
#include "framework/TControlText.h"
#include "framework/TDialogTemplate.h"
#include "framework/TKeyboardTarget.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>

namespace {

constexpr const char* kControlId = "veloriaControlId";

bool IsPushButton(const QWidget* w) {
    return qobject_cast<const QPushButton*>(w) || dynamic_cast<const TBitmapButton*>(w);
}

bool IsEnter(const QKeyEvent& key) {
    const auto mods = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && mods == Qt::NoModifier;
}

bool IsTyping(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    const QString text = key.text();
    return !text.isEmpty() && text[0].isPrint();
}

enum class Undo { None, Undo, Redo };

Undo UndoOf(const QKeyEvent& key) {
    const auto mods = key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier |
                                         Qt::MetaModifier);
    if (key.key() == Qt::Key_Z && mods == Qt::ControlModifier) {
        return Undo::Undo;
    }
    if ((key.key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)) ||
        (key.key() == Qt::Key_Y && mods == Qt::ControlModifier)) {
        return Undo::Redo;
    }
    return Undo::None;
}

// The box's own undo (redo) of typing, done here so that both redo keys work on every
// platform. False when the control is no box or has nothing to undo (redo).
bool UndoTyping(QWidget* control, bool redo) {
    QLineEdit* line = qobject_cast<QLineEdit*>(control);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        line = combo->lineEdit();
    }
    if (line && !line->isReadOnly() && (redo ? line->isRedoAvailable() : line->isUndoAvailable())) {
        redo ? line->redo() : line->undo();
        return true;
    }
    auto* text = qobject_cast<QPlainTextEdit*>(control);
    if (text && !text->isReadOnly() &&
        (redo ? text->document()->isRedoAvailable() : text->document()->isUndoAvailable())) {
        redo ? text->redo() : text->undo();
        return true;
    }
    return false;
}

bool Usable(const QWidget* w) {
    return w && !w->isHidden() && w->isEnabled();
}

} // namespace

TDialogKeyboard::TDialogKeyboard(std::function<TKeyboardTarget*()> dialog, QObject* parent)
    : QObject(parent), liveDialog(std::move(dialog)) {}

void TDialogKeyboard::Watch(QWidget* control, int id) {
    control->setProperty(kControlId, id);
    control->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit()) {
        combo->lineEdit()->installEventFilter(this);
    }
    if (auto* view = qobject_cast<QAbstractItemView*>(control)) {
        view->viewport()->installEventFilter(this);
    }
    // A month calendar takes its keys in the table of days inside it.
    if (qobject_cast<QCalendarWidget*>(control)) {
        for (auto* days : control->findChildren<QAbstractItemView*>()) {
            days->installEventFilter(this);
        }
    }
}

QWidget* TDialogKeyboard::ControlOf(QObject* watched) const {
    for (QObject* o = watched; o; o = o->parent()) {
        if (o->property(kControlId).isValid()) {
            return qobject_cast<QWidget*>(o);
        }
    }
    return nullptr;
}

std::vector<QWidget*> TDialogKeyboard::TabStops() const {
    std::vector<QWidget*> stops;
    const TKeyboardTarget* dialogNow = Dialog();
    if (!dialogNow) {
        return stops;
    }
    const TKeyboardTarget& dialog = *dialogNow;
    std::vector<const QButtonGroup*> groupsSeen;
    for (const TControlTemplate& c : dialog.Template().controls) {
        QWidget* w = dialog.Control(c.id);
        if (!Usable(w) || w->focusPolicy() == Qt::NoFocus || !(w->focusPolicy() & Qt::TabFocus)) {
            continue;
        }
        if (auto* radio = qobject_cast<QRadioButton*>(w); radio && radio->group()) {
            const QButtonGroup* group = radio->group();
            if (std::find(groupsSeen.begin(), groupsSeen.end(), group) != groupsSeen.end()) {
                continue;
            }
            groupsSeen.push_back(group);
            QWidget* stop = nullptr;
            for (QAbstractButton* b : group->buttons()) {
                if (Usable(b) && (!stop || b->isChecked())) {
                    stop = b;
                    if (b->isChecked()) {
                        break;
                    }
                }
            }
            w = stop;
        }
        if (w && std::find(stops.begin(), stops.end(), w) == stops.end()) {
            stops.push_back(w);
        }
    }
    return stops;
}

bool TDialogKeyboard::PressEnter(QWidget* focused) {
    TKeyboardTarget* dialog = Dialog();
    if (!dialog) {
        return false;
    }
    if (IsPushButton(focused) && focused->isEnabled()) {
        static_cast<QAbstractButton*>(focused)->click();
        return true;
    }
    for (const TControlTemplate& c : dialog->Template().controls) {
        if ((c.kind == TControlKind::Button || c.kind == TControlKind::BitmapButton) &&
            (c.style & TControlTemplate::kDefault)) {
            if (auto* button = qobject_cast<QAbstractButton*>(dialog->Control(c.id));
                Usable(button)) {
                button->click();
                return true;
            }
        }
    }
    return false;
}

bool TDialogKeyboard::MoveTab(QWidget* from, bool forward) {
    const std::vector<QWidget*> stops = TabStops();
    if (stops.empty()) {
        return true;
    }
    // From a control that is no stop itself (a radio button not checked), its place in the
    // template decides.
    std::size_t at = stops.size();
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] == from) {
            at = i;
        }
    }
    if (auto* radio = qobject_cast<QRadioButton*>(from);
        at == stops.size() && radio && radio->group()) {
        for (QAbstractButton* b : radio->group()->buttons()) {
            for (std::size_t i = 0; i < stops.size(); ++i) {
                if (stops[i] == b) {
                    at = i;
                }
            }
        }
    }
    std::size_t next = 0;
    if (at == stops.size()) {
        next = forward ? 0 : stops.size() - 1;
    } else {
        next = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
    }
    stops[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(stops[next])) {
        edit->selectAll();
    }
    return true;
}

bool TDialogKeyboard::MoveInRadioGroup(QWidget* from, bool forward) {
    auto* radio = qobject_cast<QRadioButton*>(from);
    if (!radio || !radio->group()) {
        return false;
    }
    QList<QAbstractButton*> members;
    for (QAbstractButton* b : radio->group()->buttons()) {
        if (Usable(b) || b == radio) {
            members << b;
        }
    }
    const qsizetype at = members.indexOf(radio);
    const qsizetype count = members.size();
    QAbstractButton* target = members[(at + (forward ? 1 : count - 1)) % count];
    target->setFocus(Qt::OtherFocusReason);
    if (!target->isChecked()) {
        target->click();
    }
    return true;
}

bool TDialogKeyboard::RefusesTyping(QWidget* box, const QString& typed) const {
    if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit()) {
        box = combo->lineEdit();
    }
    QWidget* control = ControlOf(box);
    const TKeyboardTarget* dialog = Dialog();
    const int limit =
        control && dialog ? dialog->TextLimit(control->property(kControlId).toInt()) : 0;
    if (auto* edit = qobject_cast<QLineEdit*>(box)) {
        const qsizetype after = edit->text().size() - edit->selectedText().size() + typed.size();
        return limit > 0 && after > limit - 1;
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(box)) {
        const QTextCursor cursor = text->textCursor();
        const QString now = text->toPlainText();
        const QString after =
            now.left(cursor.selectionStart()) + typed + now.mid(cursor.selectionEnd());
        if (limit > 0 && after.size() > limit - 1) {
            return true;
        }
        return !TControlText::EditFits(*text, after);
    }
    return false;
}

bool TDialogKeyboard::eventFilter(QObject* watched, QEvent* event) {
    TKeyboardTarget* dialog = Dialog();
    if (!dialog) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        // A single-selection list keeps its line when the click falls below the rows.
        if (auto* view = qobject_cast<QAbstractItemView*>(watched->parent());
            view && watched == view->viewport()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            return !view->indexAt(mouse->position().toPoint()).isValid();
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        if (QWidget* control = ControlOf(watched)) {
            dialog->RememberFocus(control->property(kControlId).toInt());
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    QWidget* control = ControlOf(watched);
    if (!control) {
        return false;
    }
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->view()->isVisible()) {
        return false; // an open drop-down list takes its own keys
    }
    if (const Undo undo = UndoOf(*key); undo != Undo::None) {
        const bool redo = undo == Undo::Redo;
        return UndoTyping(control, redo) || dialog->UndoKey(redo);
    }
    if (dialog->CommandKey(*key)) {
        return true;
    }
    if (const int button = dialog->AcceleratorButton(*key)) {
        dialog->ClickButton(button);
        return true;
    }
    if (key->key() == Qt::Key_Tab &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return MoveTab(control, !(key->modifiers() & Qt::ShiftModifier));
    }
    if (key->key() == Qt::Key_Backtab) {
        return MoveTab(control, false);
    }
    if (IsEnter(*key)) {
        // Without a button to take it Enter does nothing; a multi-line box has no want-return
        // style here, so Enter never makes a line either.
        PressEnter(control);
        return true;
    }
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        dialog->PressCancel();
        return true;
    }
    if (qobject_cast<QRadioButton*>(control)) {
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            return MoveInRadioGroup(control, false);
        case Qt::Key_Down:
        case Qt::Key_Right:
            return MoveInRadioGroup(control, true);
        default:
            break;
        }
    }
    if (IsTyping(*key)) {
        return RefusesTyping(qobject_cast<QWidget*>(watched), key->text());
    }
    return false;
}
