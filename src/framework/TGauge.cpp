#include "framework/TGauge.h"

#include "framework/TDC.h"

#include <algorithm>

TGauge::TGauge(TWindow* parent, int id, int x, int y, int width, int height)
    : TWindow(parent), id(id) {
    SetInitialRect(TRect::OfSize(x, y, width, height));
    SetBkgndColor(TColor::LightGray());
}

void TGauge::SetRange(int low, int high) {
    minimum = low;
    maximum = std::max(low, high);
    value = std::clamp(value, minimum, maximum);
    Invalidate(false);
}

void TGauge::SetValue(int v) {
    value = std::clamp(v, minimum, maximum);
    Invalidate(false);
}

void TGauge::SetColor(TColor color) {
    barColor = color;
    Invalidate(false);
}

int TGauge::BarWidth(int wellWidth) const {
    if (maximum <= minimum || wellWidth <= 0) {
        return 0;
    }
    return static_cast<int>(static_cast<long long>(wellWidth) * (value - minimum) /
                            (maximum - minimum));
}

void TGauge::Paint(TDC& dc, bool, const TRect&) {
    const TRect all = ClientRect();
    // Recessed border: grey above and left, white below and right.
    dc.FillRect(all, TBrush{TColor::White()});
    dc.FillRect(TRect{all.left, all.top, all.right - 1, all.bottom - 1}, TBrush{TColor::Gray()});
    // The part the bar has not reached shows the gauge's background: an empty bar in the
    // background's colour blends with the dialog.
    const TRect well{all.left + 1, all.top + 1, all.right - 1, all.bottom - 1};
    dc.FillRect(well, TBrush{BkgndColor().value_or(TColor::LightGray())});
    const int bar = BarWidth(well.Width());
    if (bar > 0) {
        dc.FillRect(TRect{well.left, well.top, well.left + bar, well.bottom}, TBrush{barColor});
    }
}
