#include "views/StatisticsTable.h"

#include "views/ViewSelection.h"

#include <algorithm>
#include <cstdio>

const std::array<const char*, StatisticsTable::kRows> StatisticsTable::kRowTitles = {
    "Distance", "Time    ", "Pace    ", "Speed   ", "R H Rate",
    "M H Rate", "Calories", "Water   ", "Sleep   ", "Weight  ",
};

const std::array<const char*, StatisticsTable::kColumns> StatisticsTable::kColumnTitles = {
    "Entries ", "Missed  ", "Min.    ", "Max.    ", "Average ", "Total   ",
};

namespace {

// A sum of paces, heart rates or weights means nothing.
bool TotalShown(int row) {
    switch (row) {
    case StatisticsTable::kPace:
    case StatisticsTable::kRestHeartRate:
    case StatisticsTable::kMaxHeartRate:
    case StatisticsTable::kWeight:
        return false;
    default:
        return true;
    }
}

std::array<float, StatisticsTable::kRows> Values(const DayRecord& day) {
    std::array<float, StatisticsTable::kRows> values{};
    values[StatisticsTable::kDistance] = day.distance;
    values[StatisticsTable::kTime] = static_cast<float>(day.time);
    values[StatisticsTable::kPace] = static_cast<float>(day.pace);
    values[StatisticsTable::kSpeed] = day.speed;
    values[StatisticsTable::kRestHeartRate] = static_cast<float>(day.restHeartRate);
    values[StatisticsTable::kMaxHeartRate] = static_cast<float>(day.maxHeartRate);
    values[StatisticsTable::kCalories] = static_cast<float>(day.calories);
    values[StatisticsTable::kWater] = day.waterUsed;
    values[StatisticsTable::kSleep] = day.hoursSlept;
    values[StatisticsTable::kWeight] = day.bodyWeight;
    return values;
}

} // namespace

void StatisticsTable::Compute(const std::vector<DayRecord>& days, int rangeDays) {
    rows.fill(Row{});
    for (Row& row : rows) {
        row.missed = static_cast<float>(rangeDays);
    }
    for (const DayRecord& day : days) {
        const auto values = Values(day);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const float v = values[i];
            Row& row = rows[i];
            if (v == 0) {
                continue;
            }
            // The first value entered starts both the minimum and the maximum, so no
            // value is ever hidden behind a starting guess.
            if (row.entered == 0 || v < row.minimum) {
                row.minimum = v;
            }
            if (row.entered == 0 || v > row.maximum) {
                row.maximum = v;
            }
            row.entered += 1;
            row.missed = static_cast<float>(rangeDays) - row.entered;
            row.total += v;
        }
    }
    for (Row& row : rows) {
        if (row.entered != 0) {
            row.average = row.total / row.entered;
        }
    }
}

bool StatisticsTable::Compute(LogBookDatabase& database, const std::vector<std::int32_t>& positions,
                              int rangeDays) {
    std::vector<DayRecord> days;
    bool read = true;
    if (!positions.empty()) {
        read = database.BeginReading("rb") == LogBookDatabase::Result::Ok;
        if (read) {
            days.reserve(positions.size());
            DayRecord day = DayRecord::Blank(0);
            for (const std::int32_t position : positions) {
                // A record that cannot be read contributes nothing.
                if (database.ReadAtPosition(position, day) == LogBookDatabase::ReadResult::Read) {
                    days.push_back(day);
                }
            }
            database.EndReading();
        }
    }
    Compute(days, rangeDays);
    return read;
}

bool StatisticsTable::Compute(LogBookDatabase& database, const ViewSelection& selection) {
    std::vector<std::int32_t> positions;
    const bool found = selection.Positions(database, positions);
    return Compute(database, positions, selection.DaysInRange()) && found;
}

std::string StatisticsTable::CellText(int row, int column, const DateUtility& dates) const {
    return ValueText(row, column, dates).substr(0, kMostCellCharacters);
}

std::string StatisticsTable::ValueText(int row, int column, const DateUtility& dates) const {
    const Row& r = RowAt(row);
    if (r.entered == 0 || (column == kTotal && !TotalShown(row))) {
        return kNone;
    }
    const float values[kColumns] = {r.entered, r.missed, r.minimum, r.maximum, r.average, r.total};
    const float value = values[column];
    std::string text;
    if ((row == kTime || row == kPace) && column >= kMinimum) {
        // Whole seconds; a sum beyond the 32-bit range of seconds shows as its largest.
        const double seconds = std::clamp(static_cast<double>(value), -2147483648.0, 2147483647.0);
        text = dates.DurationText(static_cast<std::int32_t>(seconds));
    } else {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%8.2f", static_cast<double>(value));
        text = buffer;
    }
    return text;
}
