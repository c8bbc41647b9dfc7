#pragma once
// A font by face, height and weight. A negative height is the character height, a positive
// one the cell height, both in logical units; 0 gives the face's usual size. Faces of the
// original desktop ("MS Sans Serif", "Arial", "Courier New", "Times New Roman") map to
// metric-compatible fonts.

#include <string>

struct TFont {
    static constexpr int kNormal = 400;
    static constexpr int kBold = 700;

    std::string face = "MS Sans Serif";
    int height = 0;
    int weight = kNormal;
    bool italic = false;
};
