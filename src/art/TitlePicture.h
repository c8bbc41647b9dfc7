#pragma once
// The two pictures of the title screen: 1051, 274 x 154, runners on a track
// at sunset with the product's caption, and 1050, 274 x 69, the version and
// the notice.

#include <QImage>

class QPainter;
class QRect;

class TitlePicture {
public:
    static constexpr int width = 274;
    static constexpr int sceneHeight = 154;
    static constexpr int versionHeight = 69;

    static QImage Scene();
    static QImage Version();
    // The sunset sky, track and sun shared with the About picture.
    static void PaintSunset(QPainter& painter, const QRect& area, int horizon);
};
