#include "views/GraphSeries.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr std::int32_t kTimeSteps[] = {600,  1200,  1800,  2400,  3000, 3600,
                                       7200, 18000, 36000, 72000, 86400};
constexpr std::int32_t kSteps[] = {10,   20,   30,   40,   50,   100,   120,  150,
                                   200,  300,  400,  500,  1000, 2000,  3000, 4000,
                                   5000, 6000, 7000, 8000, 9000, 10000, 15000};

// A float's whole part, held within the 32-bit range (the cast alone is undefined beyond it).
std::int32_t Whole(float value) {
    if (!(value == value)) {
        return 0; // not a number
    }
    const double whole = std::trunc(static_cast<double>(value));
    return static_cast<std::int32_t>(std::clamp(whole, -2147483648.0, 2147483647.0));
}

} // namespace

std::int32_t GraphSeries::Value(const DayRecord& day, Category category) {
    switch (category) {
    case Category::Distance:
        return Whole(day.distance);
    case Category::Time:
        return day.time;
    case Category::Pace:
        return day.pace;
    case Category::Speed:
        return Whole(day.speed);
    case Category::RestHeartRate:
        return day.restHeartRate;
    case Category::MaxHeartRate:
        return day.maxHeartRate;
    case Category::Calories:
        return day.calories;
    case Category::Water:
        return Whole(day.waterUsed);
    case Category::HoursSlept:
        return Whole(day.hoursSlept);
    case Category::Temperature:
        return day.temperature;
    case Category::Weight:
        return Whole(day.bodyWeight);
    case Category::Difficulty:
        return day.difficulty == 'H' ? 3 : day.difficulty == 'M' ? 2 : 1;
    }
    return 0;
}

int GraphSeries::GroupSize(int count) {
    return count <= 0 ? 0 : (count + kMostPoints - 1) / kMostPoints;
}

void GraphSeries::Gather(const std::vector<DayRecord>& selected, Category plotted) {
    category = plotted;
    days = static_cast<int>(selected.size());
    group = GroupSize(days);
    points.clear();
    for (int k = 0; group > 0 && (k + 1) * group <= days && k < kMostPoints; ++k) {
        // Wide enough for any group of 32-bit values.
        std::int64_t sum = 0;
        for (int i = k * group; i < (k + 1) * group; ++i) {
            sum += Value(selected[static_cast<std::size_t>(i)], category);
        }
        if (sum > 0) {
            points.push_back(static_cast<std::int32_t>(sum / group));
        }
    }
    Finish();
}

bool GraphSeries::Gather(LogBookDatabase& database, const std::vector<std::int32_t>& positions,
                         Category plotted) {
    std::vector<DayRecord> selected;
    bool read = true;
    if (!positions.empty()) {
        read = database.BeginReading("rb") == LogBookDatabase::Result::Ok;
        if (read) {
            // Only whole groups are plotted: the days of a trailing partial group are not read.
            const int count = static_cast<int>(positions.size());
            const int g = GroupSize(count);
            const int used = std::min(count / g, kMostPoints) * g;
            selected.reserve(static_cast<std::size_t>(used));
            DayRecord day = DayRecord::Blank(0);
            for (int i = 0; i < used; ++i) {
                // A record that cannot be read counts as a day without a value.
                if (database.ReadAtPosition(positions[static_cast<std::size_t>(i)], day) !=
                    LogBookDatabase::ReadResult::Read) {
                    day = DayRecord::Blank(0);
                }
                selected.push_back(day);
            }
            database.EndReading();
            Gather(selected, plotted);
            days = count;
            return true;
        }
    }
    Gather({}, plotted);
    days = static_cast<int>(positions.size());
    return read;
}

void GraphSeries::Finish() {
    averages.clear();
    for (std::size_t end = kAverageWindow; end <= points.size(); ++end) {
        std::int64_t sum = 0;
        for (std::size_t i = end - kAverageWindow; i < end; ++i) {
            sum += points[i];
        }
        if (sum > 0) {
            averages.push_back(static_cast<std::int32_t>(sum / kAverageWindow));
        }
    }
    const std::int32_t largest =
        points.empty() ? 0 : *std::max_element(points.begin(), points.end());
    const bool time = ViewSelection::IsTimeValued(category);
    const std::int32_t* first = time ? std::begin(kTimeSteps) : std::begin(kSteps);
    const std::int32_t* last = time ? std::end(kTimeSteps) : std::end(kSteps);
    const std::int32_t* step = std::lower_bound(first, last, largest);
    axisMax = step != last ? *step : largest;
}

float GraphSeries::Scale() const {
    return axisMax == 0 ? 1.0F : 200.0F / static_cast<float>(axisMax);
}

int GraphSeries::Height(std::int32_t value) const {
    const float h = static_cast<float>(value) * Scale();
    return static_cast<int>(std::clamp(std::trunc(static_cast<double>(h)), -1e6, 1e6));
}

std::array<std::string, GraphSeries::kLabels> GraphSeries::Labels(const DateUtility& dates) const {
    std::array<std::string, kLabels> labels;
    const std::int32_t step = axisMax / 10;
    for (int i = 0; i < kLabels; ++i) {
        const std::int32_t value = i * step;
        if (ViewSelection::IsTimeValued(category)) {
            labels[static_cast<std::size_t>(i)] = dates.DurationText(value);
        } else {
            char text[24];
            std::snprintf(text, sizeof text, "%03ld", static_cast<long>(value));
            labels[static_cast<std::size_t>(i)] = text;
        }
    }
    return labels;
}
