#include "framework/TDialog.h"

#include "framework/TControlBuilder.h"
#include "framework/TControlText.h"
#include "framework/TDialogKeyboard.h"
#include "framework/TGroupFrame.h"
#include "framework/TListControl.h"
#include "framework/TQtConvert.h"
#include "framework/TResources.h"
#include "framework/TWindowHost.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

// The dialog's window: Escape and the close box come to the dialog as Cancel.
class TDialogHost : public TWindowHost<QDialog> {
public:
    TDialogHost(TWindow* window, QWidget* parent) : TWindowHost<QDialog>(window, parent) {
        paintsItself = true;
    }
    void reject() override {
        if (auto* dialog = dynamic_cast<TDialog*>(Window())) {
            dialog->Command(TDialog::kIdCancel);
        }
    }

protected:
    // Shown or activated again, the dialog gives the focus back to the control that had it.
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        if (auto* dialog = dynamic_cast<TWindow*>(Window())) {
            dialog->TakeFocus();
        }
    }
    void changeEvent(QEvent* event) override {
        QDialog::changeEvent(event);
        if (event->type() != QEvent::ActivationChange || !isWindow() || !isActiveWindow()) {
            return;
        }
        if (auto* dialog = dynamic_cast<TWindow*>(Window())) {
            dialog->TakeFocus();
        }
    }
};

} // namespace

TDialog::TDialog(TWindow* parent, int id) : TWindow(parent), resourceId(id) {
    if (const TDialogTemplate* found = TResources::Dialog(id)) {
        dialogTemplate = *found;
    }
    OnCommand(kIdOk, [this] { CmOk(); });
    OnCommand(kIdCancel, [this] { CmCancel(); });
}

TDialog::~TDialog() = default;

QWidget* TDialog::CreateWidget(QWidget* parentWidget) {
    auto* host = new TDialogHost(this, parentWidget);
    host->setAttribute(Qt::WA_OpaquePaintEvent);
    host->setFont(TQtConvert::DialogFont());
    const QSize size(TDialogTemplate::PixelsX(dialogTemplate.cx),
                     TDialogTemplate::PixelsY(dialogTemplate.cy));
    if (dialogTemplate.growX.empty() && dialogTemplate.growY.empty()) {
        host->setFixedSize(size);
    } else {
        host->setMinimumSize(size);
        host->resize(size);
    }
    // Under a window manager: no caption means no frame at all; a pop-up has only a close
    // box, so minimising it can never take the main window along.
    if (dialogTemplate.hasCaption) {
        host->setWindowTitle(TQtConvert::Text(dialogTemplate.caption));
        host->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    } else {
        host->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    }
    if (!BkgndColor()) {
        SetBkgndColor(TColor::LightGray());
    }
    return host;
}

void TDialog::SetupWindow() {
    BuildControls();
    hasFocusMemory = false;
    // The first tab stop takes the focus; a dialog's own set-up may choose another.
    const std::vector<QWidget*> stops = keyboard->TabStops();
    if (!stops.empty()) {
        stops.front()->setFocus(Qt::OtherFocusReason);
    }
}

void TDialog::TakeFocus() {
    if (!IsCreated() || !keyboard) {
        return;
    }
    // A click while the window was not yet active moved the focus without a focus-in event,
    // which the memory missed: the control the window last gave the focus to comes first.
    QWidget* w = Widget()->focusWidget();
    if (!w || !Widget()->isAncestorOf(w) || !w->isEnabled()) {
        w = hasFocusMemory ? Control(lastFocus) : nullptr;
    }
    if (!w || w->isHidden() || !w->isEnabled()) {
        const std::vector<QWidget*> stops =
            keyboard ? keyboard->TabStops() : std::vector<QWidget*>{};
        w = stops.empty() ? nullptr : stops.front();
    }
    if (w) {
        w->setFocus(Qt::ActiveWindowFocusReason);
    } else {
        TWindow::TakeFocus();
    }
}

void TDialog::BuildControls() {
    QWidget* host = Widget();
    controls.clear();
    placed.clear();
    std::vector<QWidget*> behind;
    keyboard = new TDialogKeyboard(
        [handle = Handle()]() -> TKeyboardTarget* {
            // The widgets may outlive the dialog while they wait for the event loop to go.
            auto* dialog = dynamic_cast<TDialog*>(TWindow::FromHandle(handle));
            return dialog && dialog->IsCreated() ? dialog : nullptr;
        },
        host);
    TControlBuilder builder(*host, {[this](int id) { ControlCommand(id); },
                                    [this](int id, Notify code) { SendNotify(id, code); },
                                    [this](int id) { return TextLimit(id); }});
    for (const TControlTemplate& c : dialogTemplate.controls) {
        QWidget* w = builder.Build(c);
        if (!w) {
            continue;
        }
        if (c.textLimit > 0) {
            textLimits[c.id] = c.textLimit;
        }
        TRect r = TDialogTemplate::PixelRect(c);
        if (c.kind == TControlKind::ComboBox || c.kind == TControlKind::DropDownList) {
            // The template's height includes the drop-down list; the box shows one line.
            r.bottom = r.top + std::min(r.Height(), 22);
        }
        w->setGeometry(TQtConvert::Rect(r));
        placed.push_back({w, r});
        if (auto* label = qobject_cast<QLabel*>(w); label && c.kind == TControlKind::Static) {
            label->setProperty("veloriaPlace", TQtConvert::Rect(r));
            TControlText::FitStatic(*label);
        }
        w->setEnabled(!(c.style & TControlTemplate::kDisabled));
        w->setVisible(!(c.style & TControlTemplate::kHidden));
        if (c.kind == TControlKind::GroupBox || c.kind == TControlKind::ShadedCell) {
            behind.push_back(w);
        }
        if (c.id != -1) {
            controls[c.id] = w;
            if (w->focusPolicy() != Qt::NoFocus) {
                keyboard->Watch(w, c.id);
            }
        }
    }
    for (QWidget* w : behind) {
        w->lower();
    }
}

void TDialog::EraseBackground(QPainter& painter, const QWidget& device, const TRect& area) {
    TWindow::EraseBackground(painter, device, area);
    const QColor background =
        BkgndColor() ? TQtConvert::Color(*BkgndColor()) : device.palette().color(QPalette::Window);
    for (QObject* child : device.children()) {
        if (const auto* box = dynamic_cast<const TGroupFrame*>(child); box && !box->isHidden()) {
            box->Draw(painter, background);
        }
    }
}

// Each control's edges move by the growth's shares at the grow lines before them.
void TDialog::EvSize(TSize clientSize) {
    if (dialogTemplate.growX.empty() && dialogTemplate.growY.empty()) {
        return;
    }
    const int growX = std::max(0, clientSize.cx - TDialogTemplate::PixelsX(dialogTemplate.cx));
    const int growY = std::max(0, clientSize.cy - TDialogTemplate::PixelsY(dialogTemplate.cy));
    const auto shift = [](const std::vector<TGrowLine>& lines, int grow, int (*pixels)(int),
                          int edge) {
        int by = 0;
        for (const TGrowLine& line : lines) {
            if (pixels(line.at) < edge) {
                by += grow * line.share / 100;
            }
        }
        return by;
    };
    for (const auto& [w, r] : placed) {
        const auto x = [&](int edge) {
            return edge + shift(dialogTemplate.growX, growX, TDialogTemplate::PixelsX, edge);
        };
        const auto y = [&](int edge) {
            return edge + shift(dialogTemplate.growY, growY, TDialogTemplate::PixelsY, edge);
        };
        const QRect moved = TQtConvert::Rect(TRect{x(r.left), y(r.top), x(r.right), y(r.bottom)});
        if (auto* label = qobject_cast<QLabel*>(w);
            label && label->property("veloriaPlace").isValid()) {
            label->setProperty("veloriaPlace", moved);
            TControlText::FitStatic(*label);
        } else {
            w->setGeometry(moved);
        }
    }
}

void TDialog::AfterDestroy(int) {
    controls.clear();
    placed.clear();
    keyboard = nullptr; // goes with the widget
    if (modalLoop) {
        modalLoop->quit();
    }
}

int TDialog::Execute() {
    if (!Create()) {
        return kIdCancel;
    }
    QWidget* w = Widget();
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    returnValue = kIdCancel;
    if (IsCreated()) {
        QEventLoop loop;
        modalLoop = &loop;
        loop.exec(QEventLoop::DialogExec);
        modalLoop = nullptr;
    }
    return returnValue;
}

bool TDialog::ShowModal() {
    if (!Create()) {
        return false;
    }
    Widget()->setWindowModality(Qt::ApplicationModal);
    Widget()->show();
    return true;
}

void TDialog::PressCancel() {
    Command(kIdCancel);
}

void TDialog::CmOk() {
    CloseWindow(kIdOk);
}
void TDialog::CmCancel() {
    if (modalLoop) {
        Destroy(kIdCancel);
    } else {
        CloseWindow(kIdCancel); // as the close box: a tool may refuse or ask first
    }
}

bool TDialog::ControlCommand(int id) {
    // A control's id means nothing to the windows above this dialog.
    return CommandHere(id);
}

QWidget* TDialog::Control(int id) const {
    const auto found = controls.find(id);
    return found == controls.end() ? nullptr : found->second;
}

bool TDialog::HasControl(int id) const {
    return Control(id) != nullptr;
}

TRect TDialog::ControlRect(int id) const {
    QWidget* w = Control(id);
    return w ? TQtConvert::Rect(w->geometry()) : TRect{};
}

void TDialog::SetDlgItemText(int id, const std::string& utf8) {
    QWidget* w = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(TQtConvert::Text(utf8));
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        const QSignalBlocker block(text);
        text->setPlainText(TQtConvert::Text(utf8));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) {
            combo->setEditText(TQtConvert::Text(utf8));
        } else {
            combo->setCurrentIndex(combo->findText(TQtConvert::Text(utf8)));
        }
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(TControlText::WithoutMnemonic(utf8));
        TControlText::FitStatic(*label);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(TQtConvert::Text(utf8));
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        box->setTitle(TControlText::WithoutMnemonic(utf8));
    }
}

std::string TDialog::GetDlgItemText(int id) const {
    QWidget* w = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        return TQtConvert::Text(edit->text());
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        return TQtConvert::Text(text->toPlainText());
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        return TQtConvert::Text(combo->currentText());
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return TQtConvert::Text(label->text());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return TQtConvert::Text(button->text());
    }
    return {};
}

void TDialog::SetCalendarDate(int id, int year, int month, int day) {
    if (auto* calendar = qobject_cast<QCalendarWidget*>(Control(id))) {
        calendar->setSelectedDate(QDate(year, month, day));
    }
}

bool TDialog::CalendarDate(int id, int& year, int& month, int& day) const {
    const auto* calendar = qobject_cast<const QCalendarWidget*>(Control(id));
    if (!calendar || !calendar->selectedDate().isValid()) {
        return false;
    }
    calendar->selectedDate().getDate(&year, &month, &day);
    return true;
}

void TDialog::SetCalendarRange(int id, int firstYear, int lastYear) {
    if (auto* calendar = qobject_cast<QCalendarWidget*>(Control(id))) {
        calendar->setDateRange(QDate(firstYear, 1, 1), QDate(lastYear, 12, 31));
    }
}

void TDialog::CheckDlgButton(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(Control(id))) {
        if (auto* radio = qobject_cast<QRadioButton*>(button);
            radio && !checked && radio->group()) {
            // An exclusive group cannot uncheck its checked button by itself.
            QButtonGroup* group = radio->group();
            group->setExclusive(false);
            radio->setChecked(false);
            group->setExclusive(true);
            return;
        }
        if (auto* radio = qobject_cast<QRadioButton*>(button); radio && !radio->group()) {
            radio->setAutoExclusive(false);
        }
        button->setChecked(checked);
    }
}

bool TDialog::IsDlgButtonChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    return button && button->isChecked();
}

void TDialog::EnableDlgItem(int id, bool enabled) {
    if (QWidget* w = Control(id)) {
        w->setEnabled(enabled);
    }
}

bool TDialog::IsDlgItemEnabled(int id) const {
    QWidget* w = Control(id);
    return w && w->isEnabled();
}

void TDialog::SetDlgItemFocus(int id) {
    if (QWidget* w = Control(id)) {
        w->setFocus();
        // As the dialog manager moves the focus, an edit's text comes selected.
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->selectAll();
        }
    }
}

void TDialog::SetTextLimit(int id, int limit) {
    textLimits[id] = limit;
}

int TDialog::TextLimit(int id) const {
    const auto found = textLimits.find(id);
    return found == textLimits.end() ? 0 : found->second;
}

void TDialog::SetControlFont(int id, const TFont& font) {
    if (QWidget* w = Control(id)) {
        w->setFont(TQtConvert::Font(font, font.height));
        if (auto* label = qobject_cast<QLabel*>(w)) {
            TControlText::FitStatic(*label);
        }
    }
}

int TDialog::ListAddString(int id, const std::string& utf8) {
    return TListControl::AddString(Control(id), utf8);
}
void TDialog::ListClear(int id) {
    TListControl::Clear(Control(id));
}
int TDialog::ListCount(int id) const {
    return TListControl::Count(Control(id));
}
std::string TDialog::ListText(int id, int index) const {
    return TListControl::Text(Control(id), index);
}
int TDialog::ListSelection(int id) const {
    return TListControl::Selection(Control(id));
}
void TDialog::ListSetSelection(int id, int index) {
    TListControl::SetSelection(Control(id), index);
}
void TDialog::ListSetHorizontalExtent(int id, int pixels) {
    TListControl::SetHorizontalExtent(Control(id), pixels);
}
void TDialog::ListFitHorizontalExtent(int id) {
    TListControl::FitHorizontalExtent(Control(id));
}

int TDialog::EditLineCount(int id) const {
    auto* edit = qobject_cast<QPlainTextEdit*>(Control(id));
    if (!edit) {
        return Control(id) ? 1 : 0;
    }
    const int width =
        edit->viewport()->width() - 2 * static_cast<int>(edit->document()->documentMargin());
    return static_cast<int>(
        TControlText::WrappedLines(edit->toPlainText(), edit->font(), width).size());
}

std::string TDialog::EditLine(int id, int line) const {
    auto* edit = qobject_cast<QPlainTextEdit*>(Control(id));
    if (!edit) {
        return line == 0 ? GetDlgItemText(id) : std::string();
    }
    const int width =
        edit->viewport()->width() - 2 * static_cast<int>(edit->document()->documentMargin());
    const QStringList lines = TControlText::WrappedLines(edit->toPlainText(), edit->font(), width);
    return line >= 0 && line < lines.size() ? TQtConvert::Text(lines[line]) : std::string();
}

void TDialog::ClickButton(int id) {
    if (auto* button = qobject_cast<QAbstractButton*>(Control(id))) {
        button->click();
    }
}

void TDialog::AddAccelerator(char typed, int buttonId) {
    typedAccelerators[typed] = buttonId;
}

void TDialog::AddAccelerator(Key key, int buttonId) {
    keyAccelerators[key] = buttonId;
}

void TDialog::AddCommandKey(char letter, int command) {
    commandKeys[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] = command;
}

bool TDialog::CommandKey(const QKeyEvent& key) {
    if (key.modifiers() != Qt::ControlModifier || key.key() < Qt::Key_A || key.key() > Qt::Key_Z) {
        return false;
    }
    const auto found = commandKeys.find(static_cast<char>('A' + (key.key() - Qt::Key_A)));
    return found != commandKeys.end() && ControlCommand(found->second);
}

int TDialog::AcceleratorButton(const QKeyEvent& key) const {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return 0;
    }
    const auto named = [&]() -> std::optional<Key> {
        switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Key::Enter;
        case Qt::Key_Escape:
            return Key::Escape;
        case Qt::Key_Delete:
            return Key::Delete;
        case Qt::Key_Backspace:
            return Key::Backspace;
        default:
            return std::nullopt;
        }
    }();
    if (named) {
        const auto found = keyAccelerators.find(*named);
        return found == keyAccelerators.end() ? 0 : found->second;
    }
    const QString text = key.text();
    if (text.size() != 1 || text[0].unicode() > 0x7E) {
        return 0;
    }
    const auto found = typedAccelerators.find(static_cast<char>(text[0].unicode()));
    return found == typedAccelerators.end() ? 0 : found->second;
}

void TDialog::OnUndoKeys(std::function<void()> undo, std::function<void()> redo) {
    undoHandler = std::move(undo);
    redoHandler = std::move(redo);
}

bool TDialog::UndoKey(bool redo) {
    // A copy: the handler may close the dialog.
    const std::function<void()> handler = redo ? redoHandler : undoHandler;
    if (!handler) {
        return false;
    }
    handler();
    return true;
}

void TDialog::OnNotify(int id, Notify code, std::function<void()> handler) {
    notifications[{id, static_cast<int>(code)}] = std::move(handler);
}

void TDialog::SendNotify(int id, Notify code) {
    const auto found = notifications.find({id, static_cast<int>(code)});
    if (found != notifications.end()) {
        const auto handler = found->second;
        handler();
        CommandStateChanged();
    }
}
