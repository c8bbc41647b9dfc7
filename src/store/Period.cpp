#include "store/Period.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::int32_t Key(int year, int month, int day) {
    return year * 10000 + month * 100 + day;
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

std::int32_t AddDays(std::int32_t key, std::int64_t days) {
    return weeks::KeyOfDayNumber(weeks::DayNumber(key) + days);
}

// The Monday of ISO week 1: the week that holds 4 January.
std::int32_t IsoWeekOneMonday(int isoYear) {
    return weeks::FirstDay(Key(isoYear, 1, 4), WeekStart::Monday);
}

} // namespace

Period Period::Containing(std::int32_t key, PeriodKind kind, WeekStart start) {
    switch (kind) {
    case PeriodKind::Week:
        return Period(kind, start, weeks::FirstDay(key, start));
    case PeriodKind::Month:
        return Period(kind, start, key / 100 * 100 + 1);
    case PeriodKind::Year:
        break;
    }
    return Period(PeriodKind::Year, start, key / 10000 * 10000 + 101);
}

std::int32_t Period::LastDay() const {
    const int year = first_ / 10000;
    switch (kind_) {
    case PeriodKind::Week:
        return AddDays(first_, 6);
    case PeriodKind::Month:
        return first_ - 1 + DaysInMonth(year, first_ / 100 % 100);
    case PeriodKind::Year:
        break;
    }
    return Key(year, 12, 31);
}

Period Period::Previous() const {
    if (kind_ == PeriodKind::Week) {
        return Period(kind_, start_, AddDays(first_, -7));
    }
    return Containing(AddDays(first_, -1), kind_, start_);
}

Period Period::Next() const {
    return Containing(AddDays(LastDay(), 1), kind_, start_);
}

Period Period::YearEarlier() const {
    if (kind_ != PeriodKind::Week) {
        return Containing(first_ - 10000, kind_, start_);
    }
    if (start_ == WeekStart::Monday) {
        const int year = IsoYear() - 1;
        const int week = std::min(IsoWeek(), periods::IsoWeeksInYear(year));
        return Period(kind_, start_, AddDays(IsoWeekOneMonday(year), 7 * (week - 1)));
    }
    // 29 February has no twin: its year-earlier date is 28 February.
    std::int32_t midweek = AddDays(first_, 3) - 10000;
    if (midweek % 10000 == 229) {
        midweek -= 1;
    }
    return Containing(midweek, kind_, start_);
}

int Period::IsoYear() const {
    // An ISO week belongs to the year of its Thursday.
    const std::int32_t monday = weeks::FirstDay(first_, WeekStart::Monday);
    return AddDays(monday, 3) / 10000;
}

int Period::IsoWeek() const {
    const std::int32_t monday = weeks::FirstDay(first_, WeekStart::Monday);
    const std::int64_t days =
        weeks::DayNumber(monday) - weeks::DayNumber(IsoWeekOneMonday(IsoYear()));
    return static_cast<int>(days / 7) + 1;
}

std::string Period::Label() const {
    char text[40];
    const int year = first_ / 10000;
    const int month = first_ / 100 % 100;
    switch (kind_) {
    case PeriodKind::Week:
        if (start_ == WeekStart::Monday) {
            std::snprintf(text, sizeof text, "%04d-W%02d", IsoYear(), IsoWeek());
        } else {
            std::snprintf(text, sizeof text, "week of %d %s %04d", first_ % 100, kMonths[month - 1],
                          year);
        }
        break;
    case PeriodKind::Month:
        std::snprintf(text, sizeof text, "%s %04d", kMonths[month - 1], year);
        break;
    case PeriodKind::Year:
        std::snprintf(text, sizeof text, "%04d", year);
        break;
    }
    return text;
}

namespace periods {

std::optional<PeriodKind> KindOfWord(std::string_view word) {
    for (const PeriodKind kind : {PeriodKind::Week, PeriodKind::Month, PeriodKind::Year}) {
        if (word == WordOfKind(kind)) {
            return kind;
        }
    }
    return std::nullopt;
}

const char* WordOfKind(PeriodKind kind) {
    switch (kind) {
    case PeriodKind::Week:
        return "week";
    case PeriodKind::Month:
        return "month";
    case PeriodKind::Year:
        break;
    }
    return "year";
}

std::optional<WeekStart> WeekStartOfWord(std::string_view word) {
    for (const WeekStart start : {WeekStart::Monday, WeekStart::Sunday, WeekStart::Saturday}) {
        if (word == WordOfWeekStart(start)) {
            return start;
        }
    }
    return std::nullopt;
}

const char* WordOfWeekStart(WeekStart start) {
    switch (start) {
    case WeekStart::Monday:
        return "mon";
    case WeekStart::Sunday:
        return "sun";
    case WeekStart::Saturday:
        break;
    }
    return "sat";
}

int IsoWeeksInYear(int isoYear) {
    // 28 December always lies in the year's last ISO week.
    return Period::Containing(Key(isoYear, 12, 28), PeriodKind::Week).IsoWeek();
}

} // namespace periods
