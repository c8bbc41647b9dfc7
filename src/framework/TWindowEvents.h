#pragma once
// What the widget showing a window tells the window: paints, size and place, a close
// request, a right-button press on its own surface, and its own end. TWindow answers them;
// the host widget (TWindowHost) sees only this, so it need not know the window class.

#include "framework/TPoint.h"
#include "framework/TRect.h"

class QWidget;

class TWindowEvents {
public:
    virtual void HostPaint(QWidget& device, const TRect& area) = 0;
    virtual void HostResized() = 0;
    virtual void HostMoved() = 0;
    // False when the window refuses to close.
    virtual bool HostClose() = 0;
    virtual void HostRightButton(TPoint point) = 0;
    // A left-button double click on the window's own surface.
    virtual void HostDoubleClick(TPoint point) = 0;
    // The widget is being deleted, whoever deletes it.
    virtual void WidgetGone() = 0;

protected:
    ~TWindowEvents() = default;
};
