#include "framework/TDialog.h"

#include "framework/TBitmapButton.h"
#include "framework/TDialogKeyboard.h"
#include "framework/TQtConvert.h"
#include "framework/TResources.h"
#include "framework/TWindowHost.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <optional>

namespace {

// A static text keeps its template's place but grows, never shrinks, until our font shows its
// whole text: as wide as its longest word, or as its whole text when it holds one line only.
// A centred one grows on both sides.
void FitStatic(QLabel& label) {
    const QVariant placed = label.property("veloriaPlace");
    if (!placed.isValid()) {
        return; // a picture
    }
    const QRect place = placed.toRect();
    const QFontMetrics m(label.font());
    int needed = 0;
    if (place.height() < 2 * m.lineSpacing()) {
        needed = m.horizontalAdvance(label.text());
    } else {
        for (const QString& word : label.text().split(' ', Qt::SkipEmptyParts)) {
            needed = std::max(needed, m.horizontalAdvance(word));
        }
    }
    QRect r = place;
    if (needed > r.width()) {
        if (label.alignment() & Qt::AlignHCenter) {
            r.translate(-(needed - r.width()) / 2, 0);
        }
        r.setWidth(needed);
    }
    label.setGeometry(r);
}

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
        if (Window()) {
            Window()->TakeFocus();
        }
    }
    void changeEvent(QEvent* event) override {
        QDialog::changeEvent(event);
        if (event->type() == QEvent::ActivationChange && isWindow() && isActiveWindow() &&
            Window()) {
            Window()->TakeFocus();
        }
    }
};

// Windows shows '&' as the mnemonic mark; a label here shows the text without it.
QString WithoutMnemonic(const std::string& text) {
    QString out;
    const QString in = TQtConvert::Text(text);
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '&' && i + 1 < in.size()) {
            ++i;
        }
        out += in[i];
    }
    return out;
}

// A group box as the dialog manager draws it: an etched frame and its caption, nothing
// inside. The dialog draws it as part of its background (EraseBackground), so everything the
// dialog paints lies over it; the widget itself paints nothing.
class TGroupFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override {}
};

void DrawGroupFrame(QPainter& painter, const TGroupFrame& box, const QColor& background) {
    const QRect r = box.geometry();
    const QString title = box.title();
    const QFontMetrics metrics(box.font());
    // The frame's top runs through the middle of the caption.
    const int left = r.left();
    const int top = r.top() + (title.isEmpty() ? 0 : metrics.height() / 2);
    const int right = r.right();
    const int bottom = r.bottom();
    const QColor grey(128, 128, 128);
    const QColor white(255, 255, 255);
    auto line = [&painter](int x0, int y0, int x1, int y1, const QColor& colour) {
        painter.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), colour);
    };
    // Etched: a sunken outer edge and a raised inner one.
    line(left, top, right - 1, top, grey);
    line(left, top, left, bottom - 1, grey);
    line(left, bottom, right, bottom, white);
    line(right, top, right, bottom, white);
    line(left + 1, top + 1, right - 2, top + 1, white);
    line(left + 1, top + 1, left + 1, bottom - 2, white);
    line(left + 1, bottom - 1, right - 1, bottom - 1, grey);
    line(right - 1, top + 1, right - 1, bottom - 1, grey);
    if (!title.isEmpty()) {
        const int x = left + 8;
        const int width = metrics.horizontalAdvance(title);
        painter.fillRect(QRect(x - 2, r.top(), width + 4, metrics.height()), background);
        painter.setFont(box.font());
        painter.setPen(box.isEnabled() ? QColor(0, 0, 0) : grey);
        painter.drawText(x, r.top() + metrics.ascent(), title);
    }
}

// Disabled and read-only edits show the dialog's grey, not the white of a box that takes
// typing.
void GreyWhenInactive(QWidget* edit, bool readOnly) {
    QPalette palette = edit->palette();
    const QColor grey = TQtConvert::Color(TColor::LightGray());
    palette.setColor(QPalette::Disabled, QPalette::Base, grey);
    if (readOnly) {
        palette.setColor(QPalette::Active, QPalette::Base, grey);
        palette.setColor(QPalette::Inactive, QPalette::Base, grey);
    }
    edit->setPalette(palette);
}

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
    host->setFixedSize(TDialogTemplate::PixelsX(dialogTemplate.cx),
                       TDialogTemplate::PixelsY(dialogTemplate.cy));
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
    QWidget* w = hasFocusMemory ? Control(lastFocus) : nullptr;
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

bool TDialog::EditFits(const QPlainTextEdit& edit, const QString& text) {
    const int margin = static_cast<int>(edit.document()->documentMargin());
    const int width = edit.viewport()->width() - 2 * margin;
    const int lineHeight = std::max(1, edit.fontMetrics().lineSpacing());
    const int lines = std::max(1, (edit.viewport()->height() - 2 * margin) / lineHeight);
    return TWrappedLines(text, edit.font(), width).size() <= lines;
}

void TDialog::BuildControls() {
    QWidget* host = Widget();
    controls.clear();
    radioGroup = nullptr;
    std::vector<QWidget*> behind;
    keyboard = new TDialogKeyboard(*this, host);
    for (const TControlTemplate& c : dialogTemplate.controls) {
        QWidget* w = BuildControl(c, host);
        if (!w) {
            continue;
        }
        TRect r = TDialogTemplate::PixelRect(c);
        if (c.kind == TControlKind::ComboBox || c.kind == TControlKind::DropDownList) {
            // The template's height includes the drop-down list; the box shows one line.
            r.bottom = r.top + std::min(r.Height(), 22);
        }
        w->setGeometry(TQtConvert::Rect(r));
        if (auto* label = qobject_cast<QLabel*>(w); label && c.kind == TControlKind::Static) {
            label->setProperty("veloriaPlace", TQtConvert::Rect(r));
            FitStatic(*label);
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

QWidget* TDialog::BuildControl(const TControlTemplate& c, QWidget* host) {
    switch (c.kind) {
    case TControlKind::Static:
        return BuildStatic(c, host);
    case TControlKind::Edit:
        return (c.style & TControlTemplate::kMultiLine) ? BuildMultiLineEdit(c, host)
                                                        : BuildEdit(c, host);
    case TControlKind::Button:
        return BuildPushButton(c, host);
    case TControlKind::BitmapButton:
        return BuildBitmapButton(c, host);
    case TControlKind::RadioButton:
        return BuildRadioButton(c, host);
    case TControlKind::CheckBox:
        return BuildCheckBox(c, host);
    case TControlKind::GroupBox:
        return BuildGroupBox(c, host);
    case TControlKind::ComboBox:
    case TControlKind::DropDownList:
        return BuildComboBox(c, host);
    case TControlKind::ListBox:
        return BuildListBox(c, host);
    case TControlKind::Picture:
        return BuildPicture(c, host);
    case TControlKind::ShadedCell:
        return BuildShadedCell(c, host);
    case TControlKind::DipLine:
        return BuildDipLine(c, host);
    case TControlKind::Gauge:
        return nullptr; // gauges are child windows of their own (TGauge)
    }
    return nullptr;
}

QWidget* TDialog::BuildStatic(const TControlTemplate& c, QWidget* host) {
    auto* label = new QLabel(WithoutMnemonic(c.text), host);
    label->setAlignment((c.style & TControlTemplate::kCentered) ? Qt::AlignHCenter | Qt::AlignTop
                                                                : Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    MarkPassive(label);
    return label;
}

QWidget* TDialog::BuildEdit(const TControlTemplate& c, QWidget* host) {
    const int id = c.id;
    auto* edit = new QLineEdit(TQtConvert::Text(c.text), host);
    edit->setReadOnly(c.style & TControlTemplate::kReadOnly);
    GreyWhenInactive(edit, edit->isReadOnly());
    QObject::connect(edit, &QLineEdit::textEdited, [this, id, edit] {
        const int limit = TextLimit(id);
        if (limit > 0 && edit->text().size() > limit - 1) {
            edit->setText(edit->text().left(limit - 1)); // a paste past the limit
        }
        SendNotify(id, Notify::EditChange);
    });
    if (c.textLimit > 0) {
        textLimits[id] = c.textLimit;
    }
    return edit;
}

QWidget* TDialog::BuildMultiLineEdit(const TControlTemplate& c, QWidget* host) {
    const int id = c.id;
    auto* edit = new QPlainTextEdit(host);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    edit->setPlainText(TQtConvert::Text(c.text));
    edit->setReadOnly(c.style & TControlTemplate::kReadOnly);
    GreyWhenInactive(edit, edit->isReadOnly());
    QObject::connect(edit, &QPlainTextEdit::textChanged, [this, id, edit] {
        // Typing is refused before it happens; a paste that breaks the limit or the lines
        // is taken back whole.
        const int limit = TextLimit(id);
        const QString text = edit->toPlainText();
        if ((limit > 0 && text.size() > limit - 1) || !EditFits(*edit, text)) {
            const QSignalBlocker block(edit);
            edit->undo();
            return;
        }
        SendNotify(id, Notify::EditChange);
    });
    if (c.textLimit > 0) {
        textLimits[id] = c.textLimit;
    }
    return edit;
}

QWidget* TDialog::BuildPushButton(const TControlTemplate& c, QWidget* host) {
    const int id = c.id;
    auto* button = new QPushButton(TQtConvert::Text(c.text), host);
    button->setDefault(c.style & TControlTemplate::kDefault);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, [this, id] { ControlCommand(id); });
    return button;
}

QWidget* TDialog::BuildBitmapButton(const TControlTemplate& c, QWidget* host) {
    const int id = c.id;
    auto* button = new TBitmapButton(id, host);
    button->setText(TQtConvert::Text(c.text));
    QObject::connect(button, &QAbstractButton::clicked, [this, id] { ControlCommand(id); });
    return button;
}

QWidget* TDialog::BuildRadioButton(const TControlTemplate& c, QWidget* host) {
    const int id = c.id;
    auto* radio = new QRadioButton(WithoutMnemonic(c.text), host);
    // A group-style button starts a new group; the buttons after it join it.
    if (!radioGroup || (c.style & TControlTemplate::kGroup)) {
        radioGroup = new QButtonGroup(host);
    }
    radioGroup->addButton(radio);
    QObject::connect(radio, &QRadioButton::clicked, [this, id] { ControlCommand(id); });
    return radio;
}

QWidget* TDialog::BuildCheckBox(const TControlTemplate& c, QWidget* host) {
    const int id = c.id;
    auto* check = new QCheckBox(WithoutMnemonic(c.text), host);
    QObject::connect(check, &QCheckBox::clicked, [this, id] { ControlCommand(id); });
    return check;
}

QWidget* TDialog::BuildGroupBox(const TControlTemplate& c, QWidget* host) {
    auto* box = new TGroupFrame(WithoutMnemonic(c.text), host);
    MarkPassive(box);
    return box;
}

QWidget* TDialog::BuildComboBox(const TControlTemplate& c, QWidget* host) {
    const int id = c.id;
    auto* combo = new QComboBox(host);
    combo->setEditable(c.kind == TControlKind::ComboBox);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(16);
    GreyWhenInactive(combo, false);
    if (QLineEdit* edit = combo->lineEdit()) {
        // What the user types stays as typed: no completion, and leaving the box does not
        // swap the text for a line that matches it.
        combo->setCompleter(nullptr);
        QObject::disconnect(edit, SIGNAL(editingFinished()), combo, nullptr);
        QObject::connect(edit, &QLineEdit::textEdited, [this, id, edit] {
            const int limit = TextLimit(id);
            if (limit > 0 && edit->text().size() > limit - 1) {
                edit->setText(edit->text().left(limit - 1));
            }
            SendNotify(id, Notify::ComboEditChange);
        });
    }
    QObject::connect(combo, qOverload<int>(&QComboBox::activated),
                     [this, id] { SendNotify(id, Notify::ComboSelChange); });
    if (c.textLimit > 0) {
        textLimits[id] = c.textLimit;
    }
    if (combo->isEditable() && !c.text.empty()) {
        combo->setEditText(TQtConvert::Text(c.text));
    }
    return combo;
}

QWidget* TDialog::BuildListBox(const TControlTemplate& c, QWidget* host) {
    const int id = c.id;
    auto* list = new QListWidget(host);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    QObject::connect(list, &QListWidget::itemDoubleClicked,
                     [this, id] { SendNotify(id, Notify::ListDoubleClick); });
    QObject::connect(list, &QListWidget::currentRowChanged,
                     [this, id] { SendNotify(id, Notify::ListSelChange); });
    return list;
}

QWidget* TDialog::BuildPicture(const TControlTemplate& c, QWidget* host) {
    auto* picture = new QLabel(host);
    if (const QImage* image = TResources::Bitmap(c.id + 1000)) {
        picture->setPixmap(QPixmap::fromImage(*image));
    }
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MarkPassive(picture);
    return picture;
}

QWidget* TDialog::BuildShadedCell(const TControlTemplate&, QWidget* host) {
    auto* cell = new QFrame(host);
    cell->setFrameStyle(QFrame::Panel | QFrame::Raised);
    cell->setLineWidth(1);
    MarkPassive(cell);
    return cell;
}

QWidget* TDialog::BuildDipLine(const TControlTemplate& c, QWidget* host) {
    const TRect r = TDialogTemplate::PixelRect(c);
    auto* line = new QFrame(host);
    line->setFrameStyle((r.Height() > r.Width() ? QFrame::VLine : QFrame::HLine) | QFrame::Sunken);
    MarkPassive(line);
    return line;
}

void TDialog::EraseBackground(QPainter& painter, const QWidget& device, const TRect& area) {
    TWindow::EraseBackground(painter, device, area);
    const QColor background =
        BkgndColor() ? TQtConvert::Color(*BkgndColor()) : device.palette().color(QPalette::Window);
    for (QObject* child : device.children()) {
        if (const auto* box = dynamic_cast<const TGroupFrame*>(child); box && !box->isHidden()) {
            DrawGroupFrame(painter, *box, background);
        }
    }
}

void TDialog::AfterDestroy(int) {
    controls.clear();
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
        label->setText(WithoutMnemonic(utf8));
        FitStatic(*label);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(TQtConvert::Text(utf8));
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        box->setTitle(WithoutMnemonic(utf8));
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
            FitStatic(*label);
        }
    }
}

int TDialog::ListAddString(int id, const std::string& utf8) {
    QWidget* w = Control(id);
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker block(list);
        list->addItem(TQtConvert::Text(utf8));
        return list->count() - 1;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const QString edited = combo->currentText();
        combo->addItem(TQtConvert::Text(utf8));
        if (combo->isEditable()) {
            combo->setEditText(edited); // adding a line leaves the edit field alone
        }
        return combo->count() - 1;
    }
    return -1;
}

void TDialog::ListClear(int id) {
    QWidget* w = Control(id);
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker block(list);
        list->clear();
        // An emptied list starts again at its top, as the system's list box does; the view
        // would otherwise keep its old scroll position for the lines added next.
        list->verticalScrollBar()->setValue(0);
        list->horizontalScrollBar()->setValue(0);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->clear();
    }
}

int TDialog::ListCount(int id) const {
    QWidget* w = Control(id);
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        return list->count();
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        return combo->count();
    }
    return 0;
}

std::string TDialog::ListText(int id, int index) const {
    QWidget* w = Control(id);
    if (auto* list = qobject_cast<QListWidget*>(w); list && list->item(index)) {
        return TQtConvert::Text(list->item(index)->text());
    }
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && index >= 0 && index < combo->count()) {
        return TQtConvert::Text(combo->itemText(index));
    }
    return {};
}

int TDialog::ListSelection(int id) const {
    QWidget* w = Control(id);
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        return list->currentItem() && list->currentItem()->isSelected() ? list->currentRow() : -1;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        return combo->currentIndex();
    }
    return -1;
}

void TDialog::ListSetSelection(int id, int index) {
    QWidget* w = Control(id);
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker block(list);
        list->setCurrentRow(index);
        list->viewport()->update();
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentIndex(index);
    }
}

void TDialog::ListSetHorizontalExtent(int id, int pixels) {
    if (auto* list = qobject_cast<QListWidget*>(Control(id))) {
        // Lines scroll sideways across at least this many pixels.
        list->horizontalScrollBar()->setRange(0, std::max(0, pixels - list->viewport()->width()));
        list->setProperty("veloriaExtent", pixels);
        for (int i = 0; i < list->count(); ++i) {
            list->item(i)->setSizeHint(QSize(pixels, list->sizeHintForRow(i)));
        }
    }
}

int TDialog::EditLineCount(int id) const {
    auto* edit = qobject_cast<QPlainTextEdit*>(Control(id));
    if (!edit) {
        return Control(id) ? 1 : 0;
    }
    const int width =
        edit->viewport()->width() - 2 * static_cast<int>(edit->document()->documentMargin());
    return static_cast<int>(TWrappedLines(edit->toPlainText(), edit->font(), width).size());
}

std::string TDialog::EditLine(int id, int line) const {
    auto* edit = qobject_cast<QPlainTextEdit*>(Control(id));
    if (!edit) {
        return line == 0 ? GetDlgItemText(id) : std::string();
    }
    const int width =
        edit->viewport()->width() - 2 * static_cast<int>(edit->document()->documentMargin());
    const QStringList lines = TWrappedLines(edit->toPlainText(), edit->font(), width);
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
