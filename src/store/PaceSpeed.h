#pragma once
// The pace and speed a day's distance and time make, for a day that came without them (an
// imported day, a day typed with distance and time only). Rounded, not cut: the pace to
// whole seconds a distance unit, the speed to hundredths of a unit an hour. Both are 0
// unless the distance and the time are above 0.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

struct PaceSpeed {
    std::int32_t pace = 0;
    float speed = 0.0F;

    static PaceSpeed Of(double distance, std::int32_t seconds) {
        if (!(distance > 0.0 && std::isfinite(distance)) || seconds <= 0) {
            return {};
        }
        constexpr double kMaxPace = std::numeric_limits<std::int32_t>::max();
        const double pace = std::min(std::round(seconds / distance), kMaxPace);
        const double speed = std::round(distance * 3600.0 / seconds * 100.0) / 100.0;
        return {static_cast<std::int32_t>(pace), static_cast<float>(speed)};
    }
};
