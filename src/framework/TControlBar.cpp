#include "framework/TControlBar.h"

#include "framework/TBarFrame.h"
#include "framework/TWindowHost.h"

#include <QBoxLayout>
#include <QFont>

TControlBar::TControlBar(TWindow* parent, Direction direction, TGadgetWindowFont font)
    : TWindow(parent), direction(direction), font(font) {
    SetBkgndColor(TColor::LightGray());
    AddCommandStateListener(this, [this] { UpdateButtons(); });
}

TControlBar::~TControlBar() { RemoveCommandStateListener(this); }

QWidget* TControlBar::CreateWidget(QWidget* parentWidget) {
    auto* host = new TWindowHost<QWidget>(this, parentWidget);
    host->setAttribute(Qt::WA_OpaquePaintEvent);
    QFont f = host->font();
    f.setPointSize(font.pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    host->setFont(f);
    auto* layout = new QBoxLayout(direction == Direction::Horizontal ? QBoxLayout::LeftToRight
                                                                     : QBoxLayout::TopToBottom,
                                  host);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addStretch(1);
    return host;
}

void TControlBar::SetupWindow() {
    for (auto& g : gadgets) {
        Place(*g);
    }
    UpdateButtons();
}

void TControlBar::Place(TGadget& gadget) {
    auto* layout = Widget() ? qobject_cast<QBoxLayout*>(Widget()->layout()) : nullptr;
    if (!layout || gadget.Widget()) {
        return;
    }
    QWidget* w = gadget.Build(*this, Widget());
    // Before the closing stretch, and before the status bar's mode indicators.
    int at = layout->count() - 1;
    for (int i = 0; i < layout->count(); ++i) {
        if (layout->itemAt(i)->spacerItem()) {
            at = i;
            break;
        }
    }
    const bool stretches = w->sizePolicy().horizontalPolicy() == QSizePolicy::Expanding;
    layout->insertWidget(at, w, stretches ? 1 : 0);
    if (stretches) {
        // A stretching field takes the room the closing stretch held.
        for (int i = 0; i < layout->count(); ++i) {
            if (layout->itemAt(i)->spacerItem()) {
                layout->setStretch(i, 0);
            }
        }
    }
    w->show();
}

void TControlBar::Insert(std::unique_ptr<TGadget> gadget) {
    gadgets.push_back(std::move(gadget));
    Place(*gadgets.back());
    gadgets.back()->CommandStateChanged(*this);
}

TGadget* TControlBar::GadgetWithId(int id) const {
    for (const auto& g : gadgets) {
        if (g->Id() == id) {
            return g.get();
        }
    }
    return nullptr;
}

void TControlBar::UpdateButtons() {
    for (auto& g : gadgets) {
        g->CommandStateChanged(*this);
    }
}

TWindow* TControlBar::CommandTarget() const {
    for (TWindow* w = Parent(); w; w = w->Parent()) {
        if (auto* frame = dynamic_cast<TBarFrame*>(w)) {
            return frame->CommandTarget();
        }
    }
    return Parent();
}

void TControlBar::ShowHint(const std::string& text) {
    for (TWindow* w = Parent(); w; w = w->Parent()) {
        if (auto* frame = dynamic_cast<TBarFrame*>(w)) {
            frame->ShowHint(text);
            return;
        }
    }
}
