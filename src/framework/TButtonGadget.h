#pragma once
// A tool-bar button: a 20 x 20 face from a bitmap resource and a command. Disabled until its
// enabler says otherwise; its hint shows in the status bar while the pointer is on it.

#include "framework/TGadget.h"

class TButtonGadget : public TGadget {
public:
    TButtonGadget(int bitmapId, int command);
    int BitmapId() const { return bitmapId; }
    bool IsEnabled() const;
    // Presses the button as the user does.
    void Click();
    QWidget* Build(TControlBar& bar, QWidget* parent) override;
    void CommandStateChanged(TControlBar& bar) override;

private:
    int bitmapId;
};
