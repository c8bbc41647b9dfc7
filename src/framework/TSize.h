#pragma once
// A width and height.

struct TSize {
    int cx = 0;
    int cy = 0;

    bool operator==(const TSize&) const = default;
};
