#pragma once
// A dialog as data: size in dialog units, caption, font and controls. Dialog units are
// fixed at base units of 6 x 13 pixels whatever the font, so templates and pixel drawings
// line up: x = du * 6 / 4, y = du * 13 / 8.

#include "framework/TControlTemplate.h"
#include "framework/TRect.h"

#include <string>
#include <vector>

// Where a resizable dialog puts the room it grows by: a line across it, in dialog units
// from its left (or top) edge, and the line's share of the growth in percent. A control
// across the line stretches by that share; a control past it moves by it.
struct TGrowLine {
    int at = 0;
    int share = 0;
};

struct TDialogTemplate {
    int cx = 0;
    int cy = 0;
    bool hasCaption = true;
    std::string caption;
    std::string fontFace = "MS Sans Serif";
    int fontPoints = 8;
    std::vector<TControlTemplate> controls;
    // A dialog with grow lines can be made larger than its template, never smaller; one
    // without keeps the template's size.
    std::vector<TGrowLine> growX;
    std::vector<TGrowLine> growY;

    static int PixelsX(int du) { return du * 6 / 4; }
    static int PixelsY(int du) { return du * 13 / 8; }
    // The pixel rectangle of a control: its corners converted one by one.
    static TRect PixelRect(int x, int y, int cx, int cy) {
        return {PixelsX(x), PixelsY(y), PixelsX(x + cx), PixelsY(y + cy)};
    }
    static TRect PixelRect(const TControlTemplate& c) { return PixelRect(c.x, c.y, c.cx, c.cy); }
};
