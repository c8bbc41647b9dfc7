#pragma once
// A point in pixels or logical units.

struct TPoint {
    int x = 0;
    int y = 0;

    bool operator==(const TPoint&) const = default;
};
