#pragma once
// A rectangle as the drawing calls take it: right and bottom lie just outside.

#include "framework/TPoint.h"
#include "framework/TSize.h"

struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static TRect OfSize(int x, int y, int width, int height) {
        return {x, y, x + width, y + height};
    }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    TSize Size() const { return {Width(), Height()}; }
    TPoint TopLeft() const { return {left, top}; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(TPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    bool operator==(const TRect&) const = default;
};
