#pragma once
// A solid brush, or the null brush that leaves shapes unfilled.

#include "framework/TColor.h"

struct TBrush {
    TColor color = TColor::White();
    bool null = false;

    static TBrush Null() { return {TColor{}, true}; }
};
