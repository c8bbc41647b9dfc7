#include "framework/TScroller.h"

#include "framework/TWindow.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QWidget>

namespace {

// The scroll area the window's view lies in: the window's widget or one inside it.
QAbstractScrollArea* AreaOf(const TWindow& window) {
    QWidget* w = window.Widget();
    if (!w) {
        return nullptr;
    }
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
        return area;
    }
    return w->findChild<QAbstractScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

TScroller::TScroller(TWindow& window, int xUnit, int yUnit, int xRange, int yRange)
    : window(window), xUnit(xUnit), yUnit(yUnit), xRange(xRange), yRange(yRange) {}

void TScroller::SetRange(int x, int y) {
    xRange = x;
    yRange = y;
}

void TScroller::ShowScrollBars(bool horizontal, bool vertical) {
    horizontalShown = horizontal;
    verticalShown = vertical;
    if (QAbstractScrollArea* area = AreaOf(window)) {
        area->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        area->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
}

void TScroller::ScrollTo(int x, int y) {
    if (QAbstractScrollArea* area = AreaOf(window)) {
        area->horizontalScrollBar()->setValue(x * xUnit);
        area->verticalScrollBar()->setValue(y * yUnit);
    }
}

int TScroller::XPos() const {
    QAbstractScrollArea* area = AreaOf(window);
    return area && xUnit > 0 ? area->horizontalScrollBar()->value() / xUnit : 0;
}

int TScroller::YPos() const {
    QAbstractScrollArea* area = AreaOf(window);
    return area && yUnit > 0 ? area->verticalScrollBar()->value() / yUnit : 0;
}
