#include "summary/SummaryTable.h"

#include "activities/ActivitySports.h"
#include "store/ActivityStore.h"
#include "store/DateUtility.h"
#include "store/DateValue.h"
#include "store/LogBookDatabase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string_view>
#include <strings.h>

namespace {

constexpr const char* kNone = "\xE2\x80\x94"; // an em dash

struct DayFigures {
    std::int32_t key = 0;
    SummaryTable::Figures figures;
};

// Each day's figures under the choice, in date order.
std::vector<DayFigures> FiguresByDay(const std::vector<DayRecord>& days,
                                     const std::vector<ActivityRow>& activities,
                                     const std::string& sport, const std::string& defaultSport,
                                     double metresPerUnit) {
    std::map<std::int32_t, SummaryTable::Figures> byDay;
    std::set<std::int32_t> withActivities;
    for (const ActivityRow& a : activities) {
        if (ActivitySports::IsTransition(a.sport)) {
            continue;
        }
        withActivities.insert(a.day);
        SummaryTable::Figures& f = byDay[a.day];
        f.firstEntry = a.day;
        if (!sport.empty() && !ActivitySports::Matches(a.sport, sport)) {
            continue;
        }
        // Figures below zero come only from a damaged file: they count as none.
        f.distance += std::max(0.0, a.metres) / metresPerUnit;
        f.seconds += std::max(0, a.movingSeconds);
        ++f.activities;
        if (a.avgHeartRate > 0 && a.movingSeconds > 0) {
            f.heartBeats += static_cast<double>(a.avgHeartRate) * a.movingSeconds;
            f.heartSeconds += a.movingSeconds;
        }
    }
    // The day record holds no average heart rate, so a day without activities stays out of
    // the weighting.
    const bool recordsCount = sport.empty() || ActivitySports::Matches(defaultSport, sport);
    for (const DayRecord& d : days) {
        if (d.erased != 0) {
            continue;
        }
        SummaryTable::Figures& f = byDay[d.dateKey];
        f.firstEntry = d.dateKey;
        if (recordsCount && withActivities.count(d.dateKey) == 0) {
            f.distance += std::max(0.0F, d.distance);
            f.seconds += std::max(0, d.time);
        }
    }
    std::vector<DayFigures> result;
    result.reserve(byDay.size());
    for (const auto& [key, f] : byDay) {
        result.push_back({key, f});
    }
    return result;
}

SummaryTable::Figures Sum(const std::vector<DayFigures>& days, const Period& period) {
    SummaryTable::Figures sum;
    const std::int32_t last = period.LastDay();
    auto day = std::lower_bound(days.begin(), days.end(), period.FirstDay(),
                                [](const DayFigures& d, std::int32_t key) { return d.key < key; });
    for (; day != days.end() && day->key <= last; ++day) {
        const SummaryTable::Figures& f = day->figures;
        if (sum.firstEntry == 0) {
            sum.firstEntry = f.firstEntry;
        }
        if (f.distance <= 0 && f.seconds <= 0 && f.activities == 0) {
            continue;
        }
        sum.distance += f.distance;
        sum.seconds += f.seconds;
        ++sum.activeDays;
        sum.activities += f.activities;
        sum.longestDay = std::max(sum.longestDay, f.distance);
        sum.heartBeats += f.heartBeats;
        sum.heartSeconds += f.heartSeconds;
    }
    return sum;
}

Period Newest(const SummaryTable::Choice& choice, std::int32_t today) {
    return Period::Containing(choice.to != 0 ? choice.to : today, choice.kind, choice.weekStart);
}

// The oldest row's period; firstDay, the first day there is (0: none), ends the years.
Period Oldest(const SummaryTable::Choice& choice, std::int32_t today, std::int32_t firstDay) {
    const Period newest = Newest(choice, today);
    if (choice.from != 0) {
        return Period::Containing(choice.from, choice.kind, choice.weekStart);
    }
    if (choice.kind == PeriodKind::Year) {
        return firstDay != 0 && firstDay < newest.FirstDay()
                   ? Period::Containing(firstDay, choice.kind, choice.weekStart)
                   : newest;
    }
    Period oldest = newest;
    for (int i = 1; i < SummaryTable::kDefaultPeriods; ++i) {
        oldest = oldest.Previous();
    }
    return oldest;
}

// Pads to a width of characters, counting a UTF-8 sequence as one.
std::string Padded(const std::string& text, std::size_t width, bool right) {
    const std::size_t shown = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    const std::string fill(shown < width ? width - shown : 0, ' ');
    return right ? fill + text : text + fill;
}

// Narrow enough for the window's table: 82 characters.
constexpr std::size_t kWidths[SummaryTable::kColumns] = {19, 9, 10, 5, 5, 8, 9, 5, 6, 6};

} // namespace

const std::array<const char*, SummaryTable::kColumns> SummaryTable::kTitles = {
    "Period", "Distance", "Time", "Days", "Acts", "Longest", "Pace", "HR", "Prev%", "Year%"};
const std::array<const char*, SummaryTable::kColumns> SummaryTable::kCsvTitles = {
    "period",     "distance", "movingTime",   "activeDays",     "activities",
    "longestDay", "pace",     "avgHeartRate", "changePrevious", "changeYearEarlier"};

void SummaryTable::Compute(const std::vector<DayRecord>& days,
                           const std::vector<ActivityRow>& activities, const Choice& chosen,
                           const std::string& defaultSport, ActivityDays::Unit distanceUnit,
                           std::int32_t today) {
    choice = chosen;
    unit = ActivityDays::UnitName(distanceUnit);
    const double metresPerUnit = ActivityDays::MetresPer(distanceUnit);
    rows.clear();
    todayRow = -1;
    const std::vector<DayFigures> byDay =
        FiguresByDay(days, activities, choice.sport, defaultSport, metresPerUnit);
    const Period newest = Newest(choice, today);
    const Period oldest = Oldest(choice, today, byDay.empty() ? 0 : byDay.front().key);
    if (oldest.FirstDay() > newest.FirstDay()) {
        return;
    }
    for (Period p = newest;; p = p.Previous()) {
        Row row{p, Sum(byDay, p), Sum(byDay, p.Previous()).distance,
                Sum(byDay, p.YearEarlier()).distance};
        if (p.Holds(today)) {
            todayRow = static_cast<int>(rows.size());
        }
        rows.push_back(row);
        if (p == oldest) {
            break;
        }
    }
}

std::int32_t SummaryTable::FirstNeeded(const Choice& choice, std::int32_t today) {
    if (choice.kind == PeriodKind::Year && choice.from == 0) {
        return 0;
    }
    return Oldest(choice, today, 0).YearEarlier().FirstDay();
}

std::int32_t SummaryTable::LastShown(const Choice& choice, std::int32_t today) {
    return Newest(choice, today).LastDay();
}

bool SummaryTable::Load(LogBookDatabase& database, const ActivityStore* store, const Choice& chosen,
                        std::int32_t today) {
    const std::int32_t first = FirstNeeded(chosen, today);
    const std::int32_t last = LastShown(chosen, today);
    const DateValue firstDate = DateValue::Of(first / 10000, first / 100 % 100, first % 100);
    const DateValue lastDate = DateValue::Of(last / 10000, last / 100 % 100, last % 100);
    std::vector<std::int32_t> positions;
    int count = 0;
    std::vector<DayRecord> days;
    bool read = database.FastIndex(first != 0 ? &firstDate : nullptr, &lastDate, DayType::AllDays,
                                   positions, count) == LogBookDatabase::Result::Ok;
    if (read && !positions.empty()) {
        read = database.BeginReading("rb") == LogBookDatabase::Result::Ok;
        if (read) {
            days.reserve(positions.size());
            DayRecord day = DayRecord::Blank(0);
            for (const std::int32_t position : positions) {
                if (database.ReadAtPosition(position, day) == LogBookDatabase::ReadResult::Read) {
                    days.push_back(day);
                } else {
                    read = false;
                }
            }
            database.EndReading();
        }
    }
    std::vector<ActivityRow> activities;
    std::string defaultSport = "Running";
    ActivityDays::Unit distanceUnit = ActivityDays::Unit::Kilometres;
    if (store && store->IsOpen()) {
        if (!store->Read(first, last, activities).Ok()) {
            read = false;
        }
        defaultSport = store->DefaultSport();
        if (store->Unit() == "mi") {
            distanceUnit = ActivityDays::Unit::Miles;
        }
    }
    if (!read) {
        days.clear();
        activities.clear();
    }
    Compute(days, activities, chosen, defaultSport, distanceUnit, today);
    return read;
}

double SummaryTable::Value(const Figures& f, Quantity quantity) {
    switch (quantity) {
    case Quantity::Distance:
        return f.distance;
    case Quantity::Time:
        return static_cast<double>(f.seconds);
    case Quantity::Activities:
        break;
    }
    return f.activities;
}

std::string SummaryTable::TimeText(std::int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

std::string SummaryTable::ChangeText(double now, double base) {
    if (base <= 0) {
        return kNone;
    }
    const long percent = std::lround((now - base) / base * 100.0);
    if (percent == 0) {
        return "0%";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%+ld%%", percent);
    return text;
}

std::string SummaryTable::CellText(const Row& row, int column) const {
    const Figures& f = row.figures;
    char text[48];
    switch (column) {
    case kPeriod:
        return row.period.Label();
    case kDistance:
        std::snprintf(text, sizeof text, "%.2f", f.distance);
        return text;
    case kTime:
        return TimeText(f.seconds);
    case kDays:
        return std::to_string(f.activeDays);
    case kActivities:
        return std::to_string(f.activities);
    case kLongest:
        std::snprintf(text, sizeof text, "%.2f", f.longestDay);
        return text;
    case kPace: {
        // Total time over total distance: a mean of the days' paces would let a short day
        // weigh as much as a long one.
        if (f.distance <= 0 || f.seconds <= 0) {
            return kNone;
        }
        const long long pace = std::llround(static_cast<double>(f.seconds) / f.distance);
        std::snprintf(text, sizeof text, "%lld:%02lld/%s", pace / 60, pace % 60, unit.c_str());
        return text;
    }
    case kHeartRate:
        if (f.heartSeconds <= 0) {
            return kNone;
        }
        return std::to_string(std::lround(f.heartBeats / static_cast<double>(f.heartSeconds)));
    case kVersusPrevious:
        return ChangeText(f.distance, row.previousDistance);
    case kVersusYearEarlier:
        return ChangeText(f.distance, row.yearEarlierDistance);
    default:
        return {};
    }
}

std::string SummaryTable::HeaderLine() const {
    std::string line;
    for (int j = 0; j < kColumns; ++j) {
        line += Padded(kTitles[static_cast<std::size_t>(j)], kWidths[j], j != kPeriod);
    }
    return line;
}

std::string SummaryTable::Line(const Row& row) const {
    std::string line;
    for (int j = 0; j < kColumns; ++j) {
        line += Padded(CellText(row, j), kWidths[j], j != kPeriod);
    }
    return line;
}

std::string SummaryTable::CsvHeader() {
    std::string line = "first,last";
    for (const char* title : kCsvTitles) {
        line += std::string(",") + title;
    }
    return line;
}

std::string SummaryTable::CsvLine(const Row& row) const {
    std::string line = DateUtility::KeyText(row.period.FirstDay()) + "," +
                       DateUtility::KeyText(row.period.LastDay());
    for (int j = 0; j < kColumns; ++j) {
        const std::string cell = CellText(row, j);
        line += "," + (cell == kNone ? std::string() : cell);
    }
    return line;
}
