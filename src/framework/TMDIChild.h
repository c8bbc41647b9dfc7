#pragma once
// A tool window inside the client area: a title, an icon, one hosted window, no maximise
// box, shrink-to-client sizing, a background colour, a scroller, and closing that first asks
// the hosted window. It closes itself when the hosted window is destroyed.

#include "framework/TScroller.h"
#include "framework/TWindow.h"

#include <memory>

class TMDIClient;

class TMDIChild : public TWindow {
public:
    TMDIChild(TMDIClient& parent, std::string title, TWindow* hosted, bool shrinkToClient = true);
    ~TMDIChild() override;

    TWindow* Hosted() const { return hosted; }
    TMDIClient& Client() const { return client; }
    void SetScroller(std::unique_ptr<TScroller> scroller);
    TScroller* Scroller() const { return scroller.get(); }
    // The hosted window's area: what the child shows inside its frame.
    TRect ClientRect() const override;
    // The frame around the hosted window: the child's size less its client size.
    TSize FrameSize() const;

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void SetupWindow() override;
    bool CanClose() override;
    void CleanupWindow() override;

private:
    TMDIClient& client;
    TWindow* hosted;
    THandle hostedHandle;
    bool shrinkToClient;
    std::unique_ptr<TScroller> scroller;
    class QScrollArea* area = nullptr;
};
