#pragma once
// Bitmap 1052, the title screen's animated banner: 41 frames of 275 x 64
// stacked in one 275 x 2665 strip at a pitch of 65 rows. Frame k lies in the
// 64 rows that begin k * 65 rows above the strip's bottom edge; the title
// screen plays them from 40 down to 0 and round again, so the animation
// closes on itself after 41 frames.

#include <QImage>
#include <QRect>

class BannerStrip {
public:
    static constexpr int width = 275;
    static constexpr int frameHeight = 64;
    static constexpr int pitch = 65;
    static constexpr int frames = 41;
    static constexpr int height = pitch * frames;

    static QImage Render();
    // Where frame k lies in the strip, in top-down image rows.
    static QRect FrameRect(int k);
    // Frame k on its own; the strip is these frames stacked.
    static QImage Frame(int k);
};
