#include "cli/ActivityCsv.h"

#include "activities/ActivitySports.h"
#include "cli/CsvText.h"
#include "cli/DayCsv.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace {

enum Column { kDate, kStart, kSport, kDistance, kMoving, kAvgHeartRate, kMaxHeartRate, kCalories };

const char* const kNames[] = {"date",         "start",      "sport",
                              "distanceKm",   "movingTime", "avgHeartRate",
                              "maxHeartRate", "calories",   "file"};
static_assert(std::size(kNames) == ActivityCsv::kColumnCount);

bool AllDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// A whole number of at most 6 digits from 0 to most.
bool ReadWhole(std::string_view text, int most, int& value) {
    if (!AllDigits(text) || text.size() > 6) {
        return false;
    }
    value = std::atoi(std::string(text).c_str());
    return value <= most;
}

// "12", "12.3", "12.34": kilometres, read to the metre.
bool ReadKilometres(std::string_view text, double& metres) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
    if (!AllDigits(whole) || whole.size() > 7 || !AllDigits(fraction) || fraction.size() > 3) {
        return false;
    }
    metres = std::round(std::strtod(std::string(text).c_str(), nullptr) * 1000.0);
    return true;
}

} // namespace

bool ActivityCsv::IsHeader(const std::vector<std::string>& fields) {
    if (fields.size() != kColumnCount) {
        return false;
    }
    for (int c = 0; c < kColumnCount; ++c) {
        if (fields[static_cast<std::size_t>(c)] != kNames[c]) {
            return false;
        }
    }
    return true;
}

std::string ActivityCsv::LocalTime(std::int64_t start) {
    const std::time_t t = static_cast<std::time_t>(start);
    std::tm local{};
    char text[8] = "--:--";
    if (::localtime_r(&t, &local)) {
        std::strftime(text, sizeof text, "%H:%M", &local);
    }
    return text;
}

std::string ActivityCsv::Kilometres(double metres) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", metres / 1000.0);
    return text;
}

std::string ActivityCsv::Line(const ActivityRow& row) const {
    std::string line;
    bool first = true;
    for (const std::string& field :
         {DateUtility::KeyText(row.day), LocalTime(row.start), row.sport, Kilometres(row.metres),
          dates.DurationText(row.movingSeconds), std::to_string(row.avgHeartRate),
          std::to_string(row.maxHeartRate), std::to_string(row.calories), row.file}) {
        if (!first) {
            line += ',';
        }
        first = false;
        CsvText::AppendField(line, field);
    }
    return line + '\n';
}

bool ActivityCsv::ReadRow(const std::vector<std::string>& fields, Activity& activity,
                          std::string& file, std::vector<std::string>& problems) const {
    const std::size_t before = problems.size();
    const auto field = [&](int c) -> std::string_view {
        return static_cast<std::size_t>(c) < fields.size() ? fields[static_cast<std::size_t>(c)]
                                                           : std::string_view();
    };
    const auto bad = [&](int c, const char* what) {
        problems.push_back(std::string(kNames[c]) + " " + DayCsv::Quoted(field(c)) + " " + what);
    };
    activity = Activity{};

    DateValue date{};
    const bool dated = DayCsv(dates).ReadDate(field(kDate), date);
    if (!dated) {
        bad(kDate, "is not a date from 1960-01-01 to 2100-12-31");
    }
    const std::string_view start = field(kStart);
    int hour = 0;
    int minute = 0;
    if (start.size() != 5 || start[2] != ':' || !ReadWhole(start.substr(0, 2), 23, hour) ||
        !ReadWhole(start.substr(3), 59, minute)) {
        bad(kStart, "is not a time of day (HH:MM)");
    } else if (dated) {
        std::tm local{};
        local.tm_year = date.year - 1900;
        local.tm_mon = date.month - 1;
        local.tm_mday = date.day;
        local.tm_hour = hour;
        local.tm_min = minute;
        local.tm_isdst = -1;
        activity.start = static_cast<std::int64_t>(std::mktime(&local));
        // The row's date is the activity's day even where the clock would name another.
        activity.localOffset = DateUtility::DaysOfDate(date.year, date.month, date.day) * 86400 +
                               hour * 3600 + minute * 60 - activity.start;
    }
    activity.sport = ActivitySports::SportOf(field(kSport));
    if (activity.sport.empty() || ActivitySports::IsTransition(activity.sport)) {
        bad(kSport, "is not a sport");
    }
    if (!ReadKilometres(field(kDistance), activity.metres)) {
        bad(kDistance, "is not a distance in kilometres (such as 10.25)");
    }
    std::int32_t moving = 0;
    if (field(kMoving).empty() || !dates.ReadDuration(field(kMoving), moving)) {
        bad(kMoving, "is not a time (HH:MM:SS)");
    }
    activity.seconds = moving;
    int average = 0;
    if (!ReadWhole(field(kAvgHeartRate), 255, average)) {
        bad(kAvgHeartRate, "is not a heart rate from 0 to 255");
    } else if (average > 0) {
        activity.avgHeartRate = average;
    }
    if (!ReadWhole(field(kMaxHeartRate), 255, activity.maxHeartRate)) {
        bad(kMaxHeartRate, "is not a heart rate from 0 to 255");
    }
    int calories = 0;
    if (!ReadWhole(field(kCalories), 99999, calories)) {
        bad(kCalories, "is not a whole number from 0 to 99999");
    }
    activity.calories = calories;
    file = std::string(field(kColumnCount - 1));
    return problems.size() == before;
}
