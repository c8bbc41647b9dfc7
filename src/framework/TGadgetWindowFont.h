#pragma once
// The font of a control bar's gadgets, by point size.

struct TGadgetWindowFont {
    int pointSize = 10;
    bool bold = false;
    bool italic = false;
};
