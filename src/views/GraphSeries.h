#pragma once
// The points a graph plots: the selected days in their order, pooled into equal groups so
// that at most 30 points remain (a trailing partial group is left out), each point the
// whole-number average of its group's values; a group summing to 0 or less makes no point.
// Also the five-point moving averages, the top of the vertical axis rounded up to a table
// step, the axis labels and the height in pixels of a value. The dialog only draws them.

#include "store/DateUtility.h"
#include "store/DayRecord.h"
#include "store/LogBookDatabase.h"
#include "views/ViewSelection.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class GraphSeries {
public:
    static constexpr int kMostPoints = 30;
    static constexpr int kLabels = 11;
    static constexpr int kAverageWindow = 5;
    // The plot's height in pixels: a value equal to the axis maximum reaches it.
    static constexpr int kPlotHeight = 200;

    // A day's value for a category, as a whole number (decimals dropped).
    static std::int32_t Value(const DayRecord& day, Category category);
    // Days pooled in one point for a selection of this many days: ceil(n / 30).
    static int GroupSize(int days);

    // From the days in position order.
    void Gather(const std::vector<DayRecord>& days, Category category);
    // Reads the days at these positions through read-many; false when the logbook could
    // not be read (the store has said why; the graph is then empty).
    bool Gather(LogBookDatabase& database, const std::vector<std::int32_t>& positions,
                Category category);

    Category PlottedCategory() const { return category; }
    int Days() const { return days; }
    int Group() const { return group; }
    const std::vector<std::int32_t>& Points() const { return points; }
    const std::vector<std::int32_t>& Averages() const { return averages; }
    std::int32_t AxisMaximum() const { return axisMax; }
    // Pixels per unit: 200 / axis maximum.
    float Scale() const;
    // The height of a value above the baseline, truncated to whole pixels.
    int Height(std::int32_t value) const;
    // The vertical labels from the bottom: i * (axis maximum / 10), as durations for time
    // and pace, else with at least three digits.
    std::array<std::string, kLabels> Labels(const DateUtility& dates) const;

private:
    void Finish();

    Category category = Category::Distance;
    int days = 0;
    int group = 0;
    std::vector<std::int32_t> points;
    std::vector<std::int32_t> averages;
    std::int32_t axisMax = 10;
};
