#pragma once
// The 20 x 20 faces of the main tool bar (bitmaps 950 to 967, 959 unused):
// a pictogram on the bar's light grey; the bar draws the button edges.

#include <QImage>

class ToolBarFace {
public:
    static constexpr int size = 20;

    // Null for a number that is not a tool-bar face.
    static QImage Render(int bitmapId);
    static bool Has(int bitmapId);
};
