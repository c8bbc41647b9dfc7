#include "framework/TScrollWindow.h"

#include "framework/TWindowHost.h"

#include <QPaintEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// The drawing: as large as the view plus the scroll ranges, painted by the window.
class Canvas : public QWidget {
public:
    Canvas(TWindow& window, QWidget* parent) : QWidget(parent), window(window) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        window.HostPaint(*this, TQtConvert::Rect(event->rect()));
    }

private:
    TWindow& window;
};

class ScrollArea : public TWindowHost<QScrollArea> {
public:
    ScrollArea(TScrollWindow* window, QWidget* parent)
        : TWindowHost<QScrollArea>(window, parent), owner(*window) {
        paintsItself = false;
        setFrameShape(QFrame::Box);
        setLineWidth(1);
        setWidgetResizable(false);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setWidget(new Canvas(*window, this));
        Fit();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        TWindowHost<QScrollArea>::resizeEvent(event);
        Fit();
    }

private:
    // The scroll bars run over range x unit pixels, one unit a step.
    void Fit() {
        const TScroller& s = owner.Scroller();
        widget()->resize(viewport()->width() + s.XRange() * s.XUnit(),
                         viewport()->height() + s.YRange() * s.YUnit());
        horizontalScrollBar()->setSingleStep(s.XUnit());
        verticalScrollBar()->setSingleStep(s.YUnit());
    }

    TScrollWindow& owner;
};

} // namespace

TScrollWindow::TScrollWindow(TWindow* parent, int xUnit, int yUnit, int xRange, int yRange)
    : TWindow(parent), scroller(*this, xUnit, yUnit, xRange, yRange) {}

QWidget* TScrollWindow::CreateWidget(QWidget* parentWidget) {
    return new ScrollArea(this, parentWidget);
}

TRect TScrollWindow::ClientRect() const {
    const auto* area = static_cast<const QScrollArea*>(Widget());
    return area ? TRect{0, 0, area->viewport()->width(), area->viewport()->height()} : TRect{};
}

// The drawing, not the frame around the view: updating the frame leaves the drawing as it was.
QWidget* TScrollWindow::DrawingWidget() const {
    const auto* area = static_cast<const QScrollArea*>(Widget());
    return area ? area->widget() : nullptr;
}

TPoint TScrollWindow::ClientToDrawing(TPoint point) const {
    const QWidget* drawing = DrawingWidget();
    return drawing ? TPoint{point.x - drawing->x(), point.y - drawing->y()} : point;
}

void TScrollWindow::Place(const TRect& rect) {
    MoveWindow(rect.left, rect.top);
    SetSize(rect.Width(), rect.Height());
}
