#include "shell/ChildWindow.h"

#include "framework/TDialog.h"

ChildWindow::ChildWindow(TMDIClient& client, const std::string& title, TDialog* tool,
                         int iconResource)
    : TMDIChild(client, title, tool, true) {
    SetIcon(iconResource);
    SetBkgndColor(TColor::LightGray());
    SetScroller(std::make_unique<TScroller>(*this, 7, 16, 80, 60));
    Create();
    Show(TShowMode::Normal);
}

void ChildWindow::EvSize(TSize) {
    // The room inside the frame, scroll bars included, so that showing them cannot flip
    // the decision back.
    const TSize frame = FrameSize();
    const TRect outer = WindowRect();
    const int width = outer.Width() - frame.cx;
    const int height = outer.Height() - frame.cy;
    if (TScroller* scroller = Scroller()) {
        const bool small = width < kMinimumWidth || height < kMinimumHeight;
        scroller->ShowScrollBars(small, small);
        scroller->ScrollTo(0, 0);
    }
}
