#include "activities/ActivityTotals.h"

#include "store/PaceSpeed.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

std::int32_t Saturated(double value) {
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::round(value), 0.0, kMax));
}

} // namespace

void ActivityTotals::Apply(DayRecord& day, const std::vector<ActivityRow>& activities,
                           double metresPerUnit) {
    if (activities.empty()) {
        return;
    }
    double metres = 0;
    double seconds = 0;
    double calories = 0;
    std::int32_t maxHeartRate = 0;
    for (const ActivityRow& a : activities) {
        metres += a.metres;
        seconds += a.movingSeconds;
        calories += a.calories;
        maxHeartRate = std::max(maxHeartRate, a.maxHeartRate);
    }
    // Hundredths of the unit, as the distance box shows it.
    const double distance = std::round(metres / metresPerUnit * 100.0) / 100.0;
    day.distance = static_cast<float>(distance);
    day.time = Saturated(seconds);
    const PaceSpeed paceSpeed = PaceSpeed::Of(distance, day.time);
    day.pace = paceSpeed.pace;
    day.speed = paceSpeed.speed;
    day.maxHeartRate = maxHeartRate;
    day.calories = Saturated(calories);
}

bool ActivityTotals::Agree(const DayRecord& day, const std::vector<ActivityRow>& activities,
                           double metresPerUnit) {
    DayRecord made = day;
    Apply(made, activities, metresPerUnit);
    return made.distance == day.distance && made.time == day.time && made.pace == day.pace &&
           made.speed == day.speed && made.maxHeartRate == day.maxHeartRate &&
           made.calories == day.calories;
}

ActivityRow ActivityTotals::RowOf(const Activity& activity, std::int32_t day,
                                  const std::string& file, std::uint64_t fileHash) {
    ActivityRow row;
    row.day = day;
    row.start = activity.start;
    row.sport = activity.sport == "Biking" ? "Cycling" : activity.sport;
    row.metres = activity.metres;
    row.movingSeconds = Saturated(activity.seconds);
    row.elapsedSeconds = activity.elapsed > 0 ? Saturated(activity.elapsed) : row.movingSeconds;
    row.avgHeartRate = activity.avgHeartRate ? Saturated(*activity.avgHeartRate) : 0;
    row.maxHeartRate = activity.maxHeartRate;
    row.calories = Saturated(activity.calories);
    row.ascent = activity.ascent;
    row.file = file;
    row.fileHash = fileHash;
    row.note = activity.note;
    return row;
}
