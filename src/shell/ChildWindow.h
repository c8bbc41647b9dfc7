#pragma once
// The frame of a large tool inside the client area: light grey, no maximise box, sized to
// its dialog (the client centres it as it opens), and scroll bars while it is smaller than
// 575 x 315.

#include "framework/TMDIChild.h"

class TDialog;

class ChildWindow : public TMDIChild {
public:
    static constexpr int kMinimumWidth = 575;
    static constexpr int kMinimumHeight = 315;

    ChildWindow(TMDIClient& client, const std::string& title, TDialog* tool, int iconResource);

protected:
    void EvSize(TSize clientSize) override;
};
