#pragma once
// Reading back what was painted: points that share a colour, and how much of a colour an
// area holds.

#include "framework/TImageDC.h"

#include <gtest/gtest.h>

#include <initializer_list>

inline void ExpectPixels(const TImageDC& image, TColor colour, std::initializer_list<TPoint> at) {
    for (const TPoint p : at) {
        EXPECT_EQ(image.Pixel(p.x, p.y), colour) << "at " << p.x << "," << p.y;
    }
}

inline int Count(const TImageDC& image, const TRect& area, TColor colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            count += image.Pixel(x, y) == colour;
        }
    }
    return count;
}
