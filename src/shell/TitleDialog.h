#pragma once
// The title screen shown once at start: two pictures, OK, and a banner that cycles through
// the 41 frames of its strip, one every 100 ms.

#include "framework/TDialog.h"

class TitleDialog : public TDialog {
public:
    static constexpr int kFrames = 41;
    static constexpr int kStripHeight = 2665;
    static constexpr int kFramePitch = 65;
    static constexpr TRect kBanner{18, 21, 293, 83};

    explicit TitleDialog(TWindow* parent);

    int FrameCounter() const { return frame; }
    // The top row of frame k in the strip as a top-down image: frame k lies k x 65 rows
    // above the strip's bottom edge.
    static int FrameTop(int k) { return kStripHeight - k * kFramePitch - 64; }

protected:
    void SetupWindow() override;
    void EvTimer(int id) override;
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    int frame = 40;
};
