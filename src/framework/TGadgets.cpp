// The gadgets' widgets: button, separator, bitmap and text.
#include "framework/TBitmapGadget.h"
#include "framework/TButtonGadget.h"
#include "framework/TControlBar.h"
#include "framework/TResources.h"
#include "framework/TSeparatorGadget.h"
#include "framework/TTextGadget.h"
#include "framework/TQtConvert.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

namespace {

// Shows the button's hint while the pointer is on it.
class THintButton : public QToolButton {
public:
    THintButton(TControlBar& bar, int command, QWidget* parent)
        : QToolButton(parent), bar(bar), command(command) {}

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::Enter) {
            bar.ShowHint(TResources::String(command));
        } else if (e->type() == QEvent::Leave) {
            bar.ShowHint("");
        }
        return QToolButton::event(e);
    }

private:
    TControlBar& bar;
    int command;
};

void ApplyBorder(QFrame* frame, TGadget::Border border) {
    switch (border) {
    case TGadget::Border::None:
        frame->setFrameStyle(QFrame::NoFrame);
        break;
    case TGadget::Border::Recessed:
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        break;
    case TGadget::Border::Embossed:
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        break;
    }
    frame->setLineWidth(1);
}

} // namespace

TButtonGadget::TButtonGadget(int bitmapId, int command) : TGadget(command), bitmapId(bitmapId) {}

QWidget* TButtonGadget::Build(TControlBar& bar, QWidget* parent) {
    auto* button = new THintButton(bar, id, parent);
    button->setFixedSize(24, 24);
    button->setIconSize(QSize(20, 20));
    button->setAutoRaise(false);
    if (const QImage* face = TResources::Bitmap(bitmapId)) {
        button->setIcon(QIcon(QPixmap::fromImage(*face)));
    } else {
        button->setText(QString::number(bitmapId));
    }
    button->setEnabled(false);
    const int command = id;
    QObject::connect(button, &QToolButton::clicked, [&bar, command] {
        if (TWindow* target = bar.CommandTarget()) {
            target->Command(command);
        }
    });
    widget = button;
    return button;
}

bool TButtonGadget::IsEnabled() const { return widget && widget->isEnabled(); }

void TButtonGadget::Click() {
    if (auto* button = qobject_cast<QToolButton*>(widget); button && button->isEnabled()) {
        button->click();
    }
}

void TButtonGadget::CommandStateChanged(TControlBar& bar) {
    if (!widget) {
        return;
    }
    TWindow* target = bar.CommandTarget();
    widget->setEnabled(target && target->HandlesCommand(id) && target->IsCommandEnabled(id));
}

QWidget* TSeparatorGadget::Build(TControlBar& bar, QWidget* parent) {
    auto* gap = new QWidget(parent);
    if (bar.GetDirection() == TControlBar::Direction::Horizontal) {
        gap->setFixedWidth(size);
    } else {
        gap->setFixedHeight(size);
    }
    widget = gap;
    return gap;
}

TBitmapGadget::TBitmapGadget(int bitmapId, int id, Border border, int imageCount, int startImage)
    : TGadget(id, border), bitmapId(bitmapId), imageCount(std::max(1, imageCount)),
      startImage(startImage) {}

QWidget* TBitmapGadget::Build(TControlBar&, QWidget* parent) {
    auto* label = new QLabel(parent);
    ApplyBorder(label, border);
    if (const QImage* image = TResources::Bitmap(bitmapId)) {
        const int w = image->width() / imageCount;
        label->setPixmap(QPixmap::fromImage(image->copy(w * startImage, 0, w, image->height())));
        label->setFixedSize(label->sizeHint());
    }
    widget = label;
    return label;
}

TTextGadget::TTextGadget(int id, Border border, Align align, int widthInChars, std::string text)
    : TGadget(id, border), align(align), widthInChars(widthInChars), text(std::move(text)) {}

void TTextGadget::SetText(const std::string& utf8) {
    text = utf8;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(TQtConvert::Text(text));
    }
}

QWidget* TTextGadget::Build(TControlBar&, QWidget* parent) {
    auto* label = new QLabel(TQtConvert::Text(text), parent);
    ApplyBorder(label, border);
    label->setAlignment(Qt::AlignVCenter | (align == Align::Left     ? Qt::AlignLeft
                                            : align == Align::Center ? Qt::AlignHCenter
                                                                     : Qt::AlignRight));
    label->setContentsMargins(3, 0, 3, 0);
    if (widthInChars > 0) {
        const QFontMetrics m(parent->font());
        label->setFixedWidth(m.averageCharWidth() * widthInChars + 10);
    } else {
        label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        label->setMinimumWidth(20);
    }
    widget = label;
    return label;
}
