#pragma once
// The Records tool's picture: a cup with two handles on a stand, gold on its own outline.

#include <QRect>

class PixelCanvas;

class Trophy {
public:
    static void Draw(PixelCanvas& c, const QRect& r);
};
