#include "framework/TMDIChild.h"

#include "framework/TMDIClient.h"
#include "framework/TWindowHost.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

namespace {

// A view exactly as large as the hosted window, whatever the style would prefer.
class TFittedScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        QSize s = widget() ? widget()->size() : QSize(100, 100);
        if (verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn) {
            s.rwidth() += verticalScrollBar()->sizeHint().width();
        }
        if (horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn) {
            s.rheight() += horizontalScrollBar()->sizeHint().height();
        }
        return s;
    }
};

} // namespace

TMDIChild::TMDIChild(TMDIClient& parent, std::string title, TWindow* hosted, bool shrinkToClient)
    : TWindow(&parent, std::move(title)), client(parent), hosted(hosted),
      hostedHandle(hosted ? hosted->Handle() : 0), shrinkToClient(shrinkToClient) {}

TMDIChild::~TMDIChild() {
    if (hosted && FromHandle(hostedHandle) == hosted) {
        hosted->RemoveDestroyListener(this);
    }
}

void TMDIChild::SetScroller(std::unique_ptr<TScroller> s) {
    scroller = std::move(s);
}

QWidget* TMDIChild::CreateWidget(QWidget*) {
    auto* sub = new TWindowHost<QMdiSubWindow>(this);
    sub->paintsItself = false;
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    area = new TFittedScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus); // the keys belong to the hosted window's controls
    area->setWidgetResizable(false);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setBackgroundRole(QPalette::Window);
    if (BkgndColor()) {
        QPalette palette = area->palette();
        palette.setColor(QPalette::Window, TQtConvert::Color(*BkgndColor()));
        area->setPalette(palette);
        area->setAutoFillBackground(true);
    }
    sub->setWidget(area);
    if (auto* mdi = qobject_cast<QMdiArea*>(client.Widget())) {
        mdi->addSubWindow(sub);
        QObject::connect(mdi, &QMdiArea::subWindowActivated, sub, [this, sub](QMdiSubWindow* now) {
            if (now == sub && hosted) {
                hosted->TakeFocus();
            }
        });
    }
    return sub;
}

void TMDIChild::SetupWindow() {
    if (hosted) {
        hosted->Create();
        if (QWidget* view = hosted->Widget()) {
            area->setWidget(view);
            view->show();
        }
        hosted->AddDestroyListener(this, [this] {
            // The hosted window went by itself (its close button): the frame goes too.
            hosted = nullptr;
            Destroy(1);
        });
    }
    if (shrinkToClient) {
        Widget()->adjustSize();
    }
    if (hosted) {
        hosted->TakeFocus();
    }
}

TRect TMDIChild::ClientRect() const {
    return area ? TRect{0, 0, area->viewport()->width(), area->viewport()->height()} : TRect{};
}

TSize TMDIChild::FrameSize() const {
    QWidget* w = Widget();
    if (!w || !area) {
        return {};
    }
    return {w->width() - area->width(), w->height() - area->height()};
}

bool TMDIChild::CanClose() {
    return !hosted || hosted->QueryClose();
}

void TMDIChild::CleanupWindow() {
    if (TWindow* h = hosted) {
        hosted = nullptr;
        h->RemoveDestroyListener(this);
        if (area) {
            area->takeWidget(); // the hosted window destroys its own widget
        }
        h->Destroy(kIdCancel);
    }
    area = nullptr;
}
