#include "shell/TitleDialog.h"

#include "framework/TDC.h"
#include "shell/ResourceIds.h"

TitleDialog::TitleDialog(TWindow* parent) : TDialog(parent, res::kTitleDialog) {}

void TitleDialog::SetupWindow() {
    TDialog::SetupWindow();
    CenterIn(nullptr);
    const TRect at = WindowRect();
    MoveWindow(at.left, at.top + 10);
    SetTimer(res::kBannerTimer, 100);
}

void TitleDialog::EvTimer(int id) {
    if (id == res::kBannerTimer) {
        InvalidateRect(kBanner, false);
    }
}

void TitleDialog::Paint(TDC& dc, bool, const TRect&) {
    const int top = FrameTop(frame);
    dc.DrawBitmapCell(res::kBannerStrip, TRect{0, top, 275, top + 64}, kBanner.TopLeft());
    frame = frame <= 0 ? 40 : frame - 1;
}
