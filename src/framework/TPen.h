#pragma once
// A solid pen; width in logical units (0 and 1 both draw one device pixel).

#include "framework/TColor.h"

struct TPen {
    TColor color;
    int width = 1;
    bool null = false; // draws nothing: shapes get no outline

    static TPen Null() { return {TColor{}, 0, true}; }
};
