#pragma once
// A child window with a border and both scroll bars over a drawing larger than itself: the
// scroller's units and ranges say how far it scrolls, and Paint draws the whole drawing from
// its own origin while the framework shifts it by the scroll position.

#include "framework/TScroller.h"
#include "framework/TWindow.h"

class TScrollWindow : public TWindow {
public:
    TScrollWindow(TWindow* parent, int xUnit, int yUnit, int xRange, int yRange);

    TScroller& Scroller() { return scroller; }
    const TScroller& Scroller() const { return scroller; }
    // The part of the drawing in view, inside the border and the scroll bars.
    TRect ClientRect() const override;
    // Places the window in its parent's client area: position and outer size.
    void Place(const TRect& rect);
    QWidget* DrawingWidget() const override;
    TPoint ClientToDrawing(TPoint point) const override;

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;

private:
    TScroller scroller;
};
