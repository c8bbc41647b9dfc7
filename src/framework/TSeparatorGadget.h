#pragma once
// Blank room between gadgets.

#include "framework/TGadget.h"

class TSeparatorGadget : public TGadget {
public:
    explicit TSeparatorGadget(int size = 6) : TGadget(0), size(size) {}
    QWidget* Build(TControlBar& bar, QWidget* parent) override;

private:
    int size;
};
