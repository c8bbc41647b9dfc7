#pragma once
// Bitmap 803, the 20 x 290 strip down the frame's left edge: the product
// name and the notice written upwards on navy, a heart at the top.

#include <QImage>

class SideBar {
public:
    static constexpr int width = 20;
    static constexpr int height = 290;

    static QImage Render();
};
