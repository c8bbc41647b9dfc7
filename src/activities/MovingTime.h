#pragma once
// Moving time from the times of recorded points, as a watch's timer counts it: the gaps
// between consecutive points, less those long enough to be pauses.
//
// A watch records a point every second, or with "smart" recording every few seconds and up
// to about 10 s when little changes; it records nothing while its timer is stopped (by hand
// or by auto-pause). A gap of more than kPause (30 s, three of the longest regular
// intervals, so a missed fix or two is still moving) is taken for a pause and left out,
// whole; a shorter stop counts as moving time, as it does on a watch without auto-pause.

#include <cstdint>
#include <optional>

class MovingTime {
public:
    static constexpr std::int64_t kPause = 30;

    // A point's time; false when the gap before it was a pause (or time went back), so the
    // distance since the point before is not moved either.
    bool Add(std::int64_t time) {
        const std::optional<std::int64_t> before = last;
        last = time;
        if (!before) {
            return true;
        }
        const std::int64_t gap = time - *before;
        if (gap < 0 || gap > kPause) {
            return false;
        }
        seconds += static_cast<double>(gap);
        return true;
    }
    // The points that follow do not continue the ones before (a new segment or track).
    void Break() { last.reset(); }
    double Seconds() const { return seconds; }
    void Reset() { *this = MovingTime(); }

private:
    std::optional<std::int64_t> last;
    double seconds = 0;
};
