#include "views/CalendarMonth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string Format(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string Format(const char* format, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// A day's value of a category as a number; 0 when it holds none.
double ValueOf(const DayRecord& day, Category category) {
    switch (category) {
    case Category::Distance:
        return day.distance;
    case Category::Time:
        return day.time;
    case Category::Pace:
        return day.pace;
    case Category::Speed:
        return day.speed;
    case Category::RestHeartRate:
        return day.restHeartRate;
    case Category::MaxHeartRate:
        return day.maxHeartRate;
    case Category::Calories:
        return day.calories;
    case Category::Water:
        return day.waterUsed;
    case Category::HoursSlept:
        return day.hoursSlept;
    case Category::Temperature:
        return day.temperature;
    case Category::Weight:
        return day.bodyWeight;
    case Category::Difficulty:
        break;
    }
    return 0;
}

// The sum or the average of the values, in the day boxes' own form.
std::string FigureText(Category category, double sum, int count, const DateUtility& dates) {
    if (count == 0 || category == Category::Difficulty) {
        return {};
    }
    const double value = CalendarMonth::Adds(category) ? sum : sum / count;
    switch (category) {
    case Category::Time:
    case Category::Pace:
        return dates.DurationText(static_cast<std::int32_t>(std::lround(value)));
    case Category::RestHeartRate:
    case Category::MaxHeartRate:
    case Category::Calories:
    case Category::Temperature:
        return Format("%03d", static_cast<int>(std::lround(value)));
    default:
        return Format("%3.2f", value);
    }
}

} // namespace

bool CalendarMonth::Adds(Category category) {
    switch (category) {
    case Category::Distance:
    case Category::Time:
    case Category::Calories:
    case Category::Water:
    case Category::HoursSlept:
        return true;
    default:
        return false;
    }
}

bool CalendarMonth::Load(LogBookDatabase& database, const DateValue& shown) {
    DateValue first;
    DateValue last;
    dates.MonthBounds(shown, first, last);
    std::vector<DayRecord> loaded;
    int count = 0;
    const bool read = database.LoadRange(&first, &last, DayType::AllDays, loaded, count) !=
                      LogBookDatabase::ReadResult::Failed;
    if (!read) {
        count = 0; // the store has said why
    }
    loaded.resize(static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(loaded.size()))));
    SetDays(shown, std::move(loaded));
    return read;
}

void CalendarMonth::SetDays(const DateValue& shown, std::vector<DayRecord> monthDays) {
    month = shown;
    days = std::move(monthDays);
}

const DayRecord* CalendarMonth::Find(std::int32_t key) const {
    const auto found =
        std::lower_bound(days.begin(), days.end(), key,
                         [](const DayRecord& d, std::int32_t k) { return d.dateKey < k; });
    return found != days.end() && found->dateKey == key ? &*found : nullptr;
}

void CalendarMonth::Layout(Category category, const DateValue& today) {
    cells.fill(Cell{});
    laidOut = category;
    std::array<double, kWeeks> weekSums{};
    std::array<int, kWeeks> weekCounts{};
    const int first = dates.WeekdayOfMonthStart(month);
    const int count = dates.DaysInMonth(month);
    const bool thisMonth = today.year == month.year && today.month == month.month;
    for (int day = 1; day <= count; ++day) {
        Cell& cell = cells[static_cast<std::size_t>(first + day - 1)];
        cell.day = day;
        cell.today = thisMonth && today.day == day;
        if (const DayRecord* entry = Find(month.year * 10000 + month.month * 100 + day)) {
            cell.hasEntry = true;
            cell.competition = entry->competition == 'Y';
            cell.text = CellText(*entry, category, dates);
            if (const double value = ValueOf(*entry, category); value != 0) {
                const auto row = static_cast<std::size_t>((first + day - 1) / kDaysAWeek);
                weekSums[row] += value;
                ++weekCounts[row];
            }
        }
    }
    double monthSum = 0;
    int monthCount = 0;
    for (std::size_t row = 0; row < weekTotals.size(); ++row) {
        weekTotals[row] = FigureText(category, weekSums[row], weekCounts[row], dates);
        monthSum += weekSums[row];
        monthCount += weekCounts[row];
    }
    monthTotal = FigureText(category, monthSum, monthCount, dates);
}

std::string CalendarMonth::CellText(const DayRecord& day, Category category,
                                    const DateUtility& dates) {
    switch (category) {
    case Category::Distance:
        return Format("%3.2f", static_cast<double>(day.distance));
    case Category::Time:
        return dates.DurationText(day.time);
    case Category::Pace:
        return dates.DurationText(day.pace);
    case Category::Speed:
        return Format("%3.2f", static_cast<double>(day.speed));
    case Category::RestHeartRate:
        return Format("%03d", day.restHeartRate);
    case Category::MaxHeartRate:
        return Format("%03d", day.maxHeartRate);
    case Category::Calories:
        return Format("%03d", day.calories);
    case Category::Water:
        return Format("%3.2f", static_cast<double>(day.waterUsed));
    case Category::HoursSlept:
        return Format("%3.2f", static_cast<double>(day.hoursSlept));
    case Category::Temperature:
        return Format("%03d", day.temperature);
    case Category::Weight:
        return Format("%3.2f", static_cast<double>(day.bodyWeight));
    case Category::Difficulty:
        return day.difficulty == 'E' || day.difficulty == 'M' || day.difficulty == 'H'
                   ? std::string(1, day.difficulty)
                   : std::string();
    }
    return {};
}
