#pragma once
// Bitmap 1804, the Calendar's 205 x 32 colour key: yellow Current, purple
// Training, teal Competition, as the day cells are coloured.

#include <QImage>

class CalendarLegend {
public:
    static constexpr int width = 205;
    static constexpr int height = 32;

    static QImage Render();
};
