#pragma once
// Bitmap 1806, the About box's 375 x 175 picture: the runner emblem beside
// the product name, version and notice.

#include <QImage>

class AboutPicture {
public:
    static constexpr int width = 375;
    static constexpr int height = 175;

    static QImage Render();
};
