#pragma once
// The fastest time a track took for a distance: the shortest time between two places on it
// at least that far apart, where a place between two points is passed at the time the
// straight line between them gives. One pass with two pointers per distance.

#include "activities/Activity.h"

#include <array>
#include <optional>
#include <vector>

class BestEfforts {
public:
    static constexpr std::size_t kCount = 5;
    // 1 km, 5 km, 10 km, half marathon, marathon.
    static constexpr std::array<double, kCount> kMetres = {1000, 5000, 10000, 21097.5, 42195};

    // Seconds for each of kMetres; none when the track is shorter.
    using Times = std::array<std::optional<double>, kCount>;
    static Times Of(const std::vector<TrackPoint>& track);

    // Seconds for one distance; none when the track is shorter.
    static std::optional<double> Fastest(const std::vector<TrackPoint>& track, double metres);
};
