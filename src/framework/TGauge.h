#pragma once
// A horizontal progress gauge: a recessed well in the background colour (light grey unless
// set) with a solid bar from the left, its length the value's share of the range.

#include "framework/TWindow.h"

class TGauge : public TWindow {
public:
    // A child control at a pixel rectangle of its parent; created with the parent when the
    // parent is created later.
    TGauge(TWindow* parent, int id, int x, int y, int width, int height);

    int Id() const { return id; }
    void SetRange(int minimum, int maximum);
    void SetValue(int value);
    int GetValue() const { return value; }
    int Minimum() const { return minimum; }
    int Maximum() const { return maximum; }
    void SetColor(TColor color);
    TColor Color() const { return barColor; }
    // The bar's width in pixels inside the well, for a given well width.
    int BarWidth(int wellWidth) const;

protected:
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    int id;
    int minimum = 0;
    int maximum = 100;
    int value = 0;
    TColor barColor{0, 0, 128};
};
