#pragma once
// The frame of a large tool inside the client area: light grey, no maximise box, sized to
// its dialog, centred when it opens, and scroll bars while it is smaller than 575 x 315.

#include "framework/TMDIChild.h"

class ClientWindow;
class TDialog;

class ChildWindow : public TMDIChild {
public:
    static constexpr int kMinimumWidth = 575;
    static constexpr int kMinimumHeight = 315;

    ChildWindow(ClientWindow& client, const std::string& title, TDialog* tool, int iconResource);

    ClientWindow& Owner() const { return owner; }

protected:
    void EvSize(TSize clientSize) override;

private:
    ClientWindow& owner;
};
