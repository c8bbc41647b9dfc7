#include "store/DateRangePreset.h"

#include <algorithm>
#include <charconv>

namespace {

using Kind = DateRangePreset::Kind;

constexpr std::int32_t kEarliest = 19600101;

constexpr DateRangePreset kMenu[] = {
    {Kind::Today, 1, "Today"},
    {Kind::ThisWeek, 1, "This Week"},
    {Kind::LastWeek, 1, "Last Week"},
    {Kind::LastDays, 7, "Last 7 Days"},
    {Kind::LastWeeks, 4, "Last 4 Weeks"},
    {Kind::ThisMonth, 1, "This Month"},
    {Kind::LastMonth, 1, "Last Month"},
    {Kind::LastMonths, 3, "Last 3 Months"},
    {Kind::YearToDate, 1, "Year to Date"},
    {Kind::LastDays, 365, "Last 365 Days"},
    {Kind::LastYear, 1, "Last Year"},
    {Kind::All, 1, "All"},
};

std::int32_t AddDays(std::int32_t key, std::int64_t days) {
    return weeks::KeyOfDayNumber(weeks::DayNumber(key) + days);
}

int DaysInMonth(std::int32_t year, std::int32_t month) {
    const std::int32_t next =
        month == 12 ? (year + 1) * 10000 + 101 : year * 10000 + (month + 1) * 100 + 1;
    return static_cast<int>(weeks::DayNumber(next) -
                            weeks::DayNumber(year * 10000 + month * 100 + 1));
}

// The same day `months` months earlier, held at the shorter month's last day.
std::int32_t MonthsBack(std::int32_t key, int months) {
    std::int32_t year = key / 10000;
    std::int32_t month = key / 100 % 100 - months;
    while (month < 1) {
        month += 12;
        --year;
    }
    const std::int32_t day = std::min(key % 100, DaysInMonth(year, month));
    return year * 10000 + month * 100 + day;
}

} // namespace

int DayRange::Days() const {
    return static_cast<int>(weeks::DayNumber(last) - weeks::DayNumber(first) + 1);
}

DayRange DayRange::Cut(int most) const {
    return Days() <= most ? *this : DayRange{AddDays(last, 1 - most), last};
}

std::span<const DateRangePreset> DateRangePreset::Menu() {
    return kMenu;
}

std::optional<DateRangePreset> DateRangePreset::OfWord(std::string_view word) {
    constexpr struct {
        const char* word;
        Kind kind;
    } kFixed[] = {{"this-week", Kind::ThisWeek},
                  {"last-week", Kind::LastWeek},
                  {"this-month", Kind::ThisMonth},
                  {"last-month", Kind::LastMonth},
                  {"ytd", Kind::YearToDate},
                  {"last-year", Kind::LastYear},
                  {"all", Kind::All}};
    for (const auto& f : kFixed) {
        if (word == f.word) {
            return DateRangePreset(f.kind, 1, f.word);
        }
    }
    constexpr std::string_view kLast = "last:";
    if (word.size() < kLast.size() + 2 || word.substr(0, kLast.size()) != kLast) {
        return std::nullopt;
    }
    const std::string_view number = word.substr(kLast.size(), word.size() - kLast.size() - 1);
    const char unit = word.back();
    int count = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), count);
    if (error != std::errc() || end != number.data() + number.size() || number.size() > 5 ||
        number[0] == '+' || count < 1 || (unit != 'd' && unit != 'w')) {
        return std::nullopt;
    }
    return DateRangePreset(unit == 'd' ? Kind::LastDays : Kind::LastWeeks, count, "");
}

std::optional<DayRange> DateRangePreset::On(std::int32_t today, WeekStart start,
                                            std::optional<DayRange> entries) const {
    const std::int32_t year = today / 10000;
    const std::int32_t monthStart = today / 100 * 100 + 1;
    DayRange range{today, today};
    switch (kind) {
    case Kind::Today:
        break;
    case Kind::ThisWeek:
        range.first = weeks::FirstDay(today, start);
        break;
    case Kind::LastWeek:
        range.first = AddDays(weeks::FirstDay(today, start), -7);
        range.last = AddDays(range.first, 6);
        break;
    case Kind::LastDays:
        range.first = AddDays(today, 1 - static_cast<std::int64_t>(count));
        break;
    case Kind::LastWeeks:
        range.first = AddDays(today, 1 - 7 * static_cast<std::int64_t>(count));
        break;
    case Kind::ThisMonth:
        range.first = monthStart;
        break;
    case Kind::LastMonth:
        range.last = AddDays(monthStart, -1);
        range.first = range.last / 100 * 100 + 1;
        break;
    case Kind::LastMonths:
        range.first = AddDays(MonthsBack(today, count), 1);
        break;
    case Kind::YearToDate:
        range.first = year * 10000 + 101;
        break;
    case Kind::LastYear:
        range = {(year - 1) * 10000 + 101, (year - 1) * 10000 + 1231};
        break;
    case Kind::All:
        if (!entries) {
            return std::nullopt;
        }
        range = *entries;
        break;
    }
    range.first = std::max(range.first, kEarliest);
    range.last = std::max(range.last, range.first);
    return range;
}
