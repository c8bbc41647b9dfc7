#include "activities/BestEfforts.h"

#include <algorithm>

namespace {

// The time the track passes a distance between points a and b (a.metres <= at <= b.metres).
double TimeAt(const TrackPoint& a, const TrackPoint& b, double at) {
    const double span = b.metres - a.metres;
    const double share = span > 0 ? (at - a.metres) / span : 1.0;
    return static_cast<double>(a.time) + static_cast<double>(b.time - a.time) * share;
}

// Points whose distance or time goes back (a reset counter, a glitch) are dropped, so both
// run forwards and the pointers never have to turn back.
std::vector<TrackPoint> Forwards(const std::vector<TrackPoint>& track) {
    std::vector<TrackPoint> kept;
    kept.reserve(track.size());
    for (const TrackPoint& p : track) {
        if (kept.empty() || (p.metres >= kept.back().metres && p.time >= kept.back().time)) {
            kept.push_back(p);
        }
    }
    return kept;
}

// The fastest stretch starts or ends at a point, for between points time and distance are
// straight lines: so each start at a point (its end placed between two points) and each end
// at a point (its start placed) is tried.
std::optional<double> FastestOn(const std::vector<TrackPoint>& p, double metres) {
    const std::size_t n = p.size();
    if (n < 2 || metres <= 0 || p.back().metres - p.front().metres < metres) {
        return std::nullopt;
    }
    double best = static_cast<double>(p.back().time - p.front().time);
    for (std::size_t i = 0, j = 1; i < n; ++i) {
        const double target = p[i].metres + metres;
        j = std::max(j, i + 1);
        while (j < n && p[j].metres < target) {
            ++j;
        }
        if (j == n) {
            break;
        }
        best = std::min(best, TimeAt(p[j - 1], p[j], target) - static_cast<double>(p[i].time));
    }
    for (std::size_t j = 0, i = 0; j < n; ++j) {
        const double target = p[j].metres - metres;
        if (target < p.front().metres) {
            continue;
        }
        while (i + 1 < j && p[i + 1].metres <= target) {
            ++i;
        }
        best = std::min(best, static_cast<double>(p[j].time) - TimeAt(p[i], p[i + 1], target));
    }
    return best;
}

} // namespace

std::optional<double> BestEfforts::Fastest(const std::vector<TrackPoint>& track, double metres) {
    return FastestOn(Forwards(track), metres);
}

BestEfforts::Times BestEfforts::Of(const std::vector<TrackPoint>& track) {
    const std::vector<TrackPoint> forwards = Forwards(track);
    Times times;
    for (std::size_t k = 0; k < kCount; ++k) {
        times[k] = FastestOn(forwards, kMetres[k]);
    }
    return times;
}
