#pragma once
// A picture from a bitmap resource, optionally one of several images side by side.

#include "framework/TGadget.h"

class TBitmapGadget : public TGadget {
public:
    TBitmapGadget(int bitmapId, int id, Border border, int imageCount = 1, int startImage = 0);
    QWidget* Build(TControlBar& bar, QWidget* parent) override;

private:
    int bitmapId;
    int imageCount;
    int startImage;
};
