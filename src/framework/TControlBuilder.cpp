#include "framework/TControlBuilder.h"

#include "framework/TBitmapButton.h"
#include "framework/TControlText.h"
#include "framework/TDialogTemplate.h"
#include "framework/TGroupFrame.h"
#include "framework/TListControl.h"
#include "framework/TQtConvert.h"
#include "framework/TResources.h"
#include "framework/TWindowHost.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

// Tells a double click on a day of a month calendar once the calendar has taken it (the
// first click picked the day); one on the row of day names is no pick.
class CalendarDoubleClick : public QObject {
public:
    CalendarDoubleClick(QAbstractItemView* view, std::function<void()> tell)
        : QObject(view), view(view), tell(std::move(tell)) {}

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick) {
            const QModelIndex cell =
                view->indexAt(static_cast<QMouseEvent*>(e)->position().toPoint());
            if (cell.isValid() && cell.row() > 0) {
                QTimer::singleShot(0, this, tell);
            }
        }
        return false;
    }

private:
    QAbstractItemView* view;
    std::function<void()> tell;
};

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

TControlBuilder::TControlBuilder(QWidget& host, Wiring wiring)
    : host(host), wiring(std::move(wiring)) {}

QWidget* TControlBuilder::Build(const TControlTemplate& c) {
    switch (c.kind) {
    case TControlKind::Static:
        return BuildStatic(c);
    case TControlKind::Edit:
        return (c.style & TControlTemplate::kMultiLine) ? BuildMultiLineEdit(c) : BuildEdit(c);
    case TControlKind::Button:
        return BuildPushButton(c);
    case TControlKind::BitmapButton:
        return BuildBitmapButton(c);
    case TControlKind::RadioButton:
        return BuildRadioButton(c);
    case TControlKind::CheckBox:
        return BuildCheckBox(c);
    case TControlKind::GroupBox:
        return BuildGroupBox(c);
    case TControlKind::ComboBox:
    case TControlKind::DropDownList:
        return BuildComboBox(c);
    case TControlKind::ListBox:
        return BuildListBox(c);
    case TControlKind::Picture:
        return BuildPicture(c);
    case TControlKind::ShadedCell:
        return BuildShadedCell(c);
    case TControlKind::DipLine:
        return BuildDipLine(c);
    case TControlKind::MonthCalendar:
        return BuildMonthCalendar(c);
    case TControlKind::Gauge:
        return nullptr; // gauges are child windows of their own (TGauge)
    }
    return nullptr;
}

QWidget* TControlBuilder::BuildStatic(const TControlTemplate& c) {
    auto* label = new QLabel(TControlText::WithoutMnemonic(c.text), &host);
    label->setAlignment((c.style & TControlTemplate::kCentered) ? Qt::AlignHCenter | Qt::AlignTop
                                                                : Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    MarkPassive(label);
    return label;
}

QWidget* TControlBuilder::BuildEdit(const TControlTemplate& c) {
    const int id = c.id;
    auto* edit = new QLineEdit(TQtConvert::Text(c.text), &host);
    edit->setReadOnly(c.style & TControlTemplate::kReadOnly);
    GreyWhenInactive(edit, edit->isReadOnly());
    QObject::connect(edit, &QLineEdit::textEdited, [w = wiring, id, edit] {
        const int limit = w.textLimit(id);
        if (limit > 0 && edit->text().size() > limit - 1) {
            edit->setText(edit->text().left(limit - 1)); // a paste past the limit
        }
        w.notify(id, TControlNotify::EditChange);
    });
    return edit;
}

QWidget* TControlBuilder::BuildMultiLineEdit(const TControlTemplate& c) {
    const int id = c.id;
    auto* edit = new QPlainTextEdit(&host);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    edit->setPlainText(TQtConvert::Text(c.text));
    edit->setReadOnly(c.style & TControlTemplate::kReadOnly);
    GreyWhenInactive(edit, edit->isReadOnly());
    QObject::connect(edit, &QPlainTextEdit::textChanged, [w = wiring, id, edit] {
        // Typing is refused before it happens; a paste that breaks the limit or the lines
        // is taken back whole.
        const int limit = w.textLimit(id);
        const QString text = edit->toPlainText();
        if ((limit > 0 && text.size() > limit - 1) || !TControlText::EditFits(*edit, text)) {
            const QSignalBlocker block(edit);
            edit->undo();
            return;
        }
        w.notify(id, TControlNotify::EditChange);
    });
    return edit;
}

QWidget* TControlBuilder::BuildPushButton(const TControlTemplate& c) {
    auto* button = new QPushButton(TQtConvert::Text(c.text), &host);
    button->setDefault(c.style & TControlTemplate::kDefault);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked,
                     [command = wiring.command, id = c.id] { command(id); });
    return button;
}

QWidget* TControlBuilder::BuildBitmapButton(const TControlTemplate& c) {
    auto* button = new TBitmapButton(c.id, &host);
    button->setText(TQtConvert::Text(c.text));
    QObject::connect(button, &QAbstractButton::clicked,
                     [command = wiring.command, id = c.id] { command(id); });
    QObject::connect(button, &QAbstractButton::pressed, [notify = wiring.notify, id = c.id] {
        notify(id, TControlNotify::ButtonDown);
    });
    QObject::connect(button, &QAbstractButton::released,
                     [notify = wiring.notify, id = c.id] { notify(id, TControlNotify::ButtonUp); });
    return button;
}

QWidget* TControlBuilder::BuildMonthCalendar(const TControlTemplate& c) {
    auto* calendar = new QCalendarWidget(&host);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    calendar->setFirstDayOfWeek(Qt::Sunday);
    calendar->setGridVisible(true);
    QObject::connect(
        calendar, &QCalendarWidget::selectionChanged,
        [notify = wiring.notify, id = c.id] { notify(id, TControlNotify::CalendarSelChange); });
    if (auto* view = calendar->findChild<QAbstractItemView*>()) {
        view->viewport()->installEventFilter(
            new CalendarDoubleClick(view, [notify = wiring.notify, id = c.id] {
                notify(id, TControlNotify::CalendarDoubleClick);
            }));
    }
    return calendar;
}

QWidget* TControlBuilder::BuildRadioButton(const TControlTemplate& c) {
    auto* radio = new QRadioButton(TControlText::WithoutMnemonic(c.text), &host);
    // A group-style button starts a new group; the buttons after it join it.
    if (!radioGroup || (c.style & TControlTemplate::kGroup)) {
        radioGroup = new QButtonGroup(&host);
    }
    radioGroup->addButton(radio);
    QObject::connect(radio, &QRadioButton::clicked,
                     [command = wiring.command, id = c.id] { command(id); });
    return radio;
}

QWidget* TControlBuilder::BuildCheckBox(const TControlTemplate& c) {
    auto* check = new QCheckBox(TControlText::WithoutMnemonic(c.text), &host);
    QObject::connect(check, &QCheckBox::clicked,
                     [command = wiring.command, id = c.id] { command(id); });
    return check;
}

QWidget* TControlBuilder::BuildGroupBox(const TControlTemplate& c) {
    auto* box = new TGroupFrame(TControlText::WithoutMnemonic(c.text), &host);
    MarkPassive(box);
    return box;
}

QWidget* TControlBuilder::BuildComboBox(const TControlTemplate& c) {
    const int id = c.id;
    auto* combo = new QComboBox(&host);
    combo->setEditable(c.kind == TControlKind::ComboBox);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(16);
    GreyWhenInactive(combo, false);
    if (QLineEdit* edit = combo->lineEdit()) {
        // What the user types stays as typed: no completion, and leaving the box does not
        // swap the text for a line that matches it.
        combo->setCompleter(nullptr);
        QObject::disconnect(edit, SIGNAL(editingFinished()), combo, nullptr);
        QObject::connect(edit, &QLineEdit::textEdited, [w = wiring, id, edit] {
            const int limit = w.textLimit(id);
            if (limit > 0 && edit->text().size() > limit - 1) {
                edit->setText(edit->text().left(limit - 1));
            }
            w.notify(id, TControlNotify::ComboEditChange);
        });
    }
    QObject::connect(combo, qOverload<int>(&QComboBox::activated),
                     [notify = wiring.notify, id] { notify(id, TControlNotify::ComboSelChange); });
    if (combo->isEditable() && !c.text.empty()) {
        combo->setEditText(TQtConvert::Text(c.text));
    }
    return combo;
}

QWidget* TControlBuilder::BuildListBox(const TControlTemplate& c) {
    const int id = c.id;
    auto* list = new QListWidget(&host);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    QObject::connect(list, &QListWidget::itemDoubleClicked,
                     [notify = wiring.notify, id] { notify(id, TControlNotify::ListDoubleClick); });
    // A click makes the row current before it selects it: the change is told once the row
    // is both, and once, so the handler reads the row chosen.
    const auto told = [list, notify = wiring.notify, id] {
        const int row = TListControl::Selection(list);
        if ((row < 0 && list->currentItem()) || !TListControl::ChangeTold(list, row)) {
            return;
        }
        notify(id, TControlNotify::ListSelChange);
    };
    QObject::connect(list, &QListWidget::currentRowChanged, told);
    QObject::connect(list, &QListWidget::itemSelectionChanged, told);
    QObject::connect(list, &QListWidget::itemSelectionChanged, [notify = wiring.notify, id, list] {
        if (!list->selectedItems().isEmpty()) {
            notify(id, TControlNotify::ListPicked);
        }
    });
    return list;
}

QWidget* TControlBuilder::BuildPicture(const TControlTemplate& c) {
    auto* picture = new QLabel(&host);
    if (const QImage* image = TResources::Bitmap(c.id + 1000)) {
        picture->setPixmap(QPixmap::fromImage(*image));
    }
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MarkPassive(picture);
    return picture;
}

QWidget* TControlBuilder::BuildShadedCell(const TControlTemplate&) {
    auto* cell = new QFrame(&host);
    cell->setFrameStyle(QFrame::Panel | QFrame::Raised);
    cell->setLineWidth(1);
    MarkPassive(cell);
    return cell;
}

QWidget* TControlBuilder::BuildDipLine(const TControlTemplate& c) {
    const TRect r = TDialogTemplate::PixelRect(c);
    auto* line = new QFrame(&host);
    line->setFrameStyle((r.Height() > r.Width() ? QFrame::VLine : QFrame::HLine) | QFrame::Sunken);
    MarkPassive(line);
    return line;
}
