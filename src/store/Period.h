#pragma once
// The week, month or year a date key falls in: its bounds, its neighbours and its label.
// Every window and command buckets days through this one class, so their rows agree.

#include "store/WeekStart.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class PeriodKind { Week, Month, Year };

class Period {
public:
    // The period of kind that holds key (YYYYMMDD); weeks begin on start.
    static Period Containing(std::int32_t key, PeriodKind kind,
                             WeekStart start = WeekStart::Monday);

    PeriodKind Kind() const { return kind_; }
    WeekStart Start() const { return start_; }
    std::int32_t FirstDay() const { return first_; }
    std::int32_t LastDay() const;
    bool Holds(std::int32_t key) const { return key >= first_ && key <= LastDay(); }

    Period Previous() const;
    Period Next() const;
    // The same period one year back: the same ISO week number (week 53 falls on week 52 when
    // the year before has none), the week holding the same midweek date, the same month.
    Period YearEarlier() const;

    // "2026-W01" (Monday weeks, ISO numbering), "week of 28 Dec 2025", "Dec 2026", "2026".
    std::string Label() const;
    // ISO year and week number of a Monday week (for other weeks: of the Monday in it).
    int IsoYear() const;
    int IsoWeek() const;

    bool operator==(const Period& other) const = default;

private:
    Period(PeriodKind kind, WeekStart start, std::int32_t first)
        : kind_(kind), start_(start), first_(first) {}

    PeriodKind kind_;
    WeekStart start_;
    std::int32_t first_;
};

namespace periods {
// "week", "month", "year" and back; nullopt for any other word.
std::optional<PeriodKind> KindOfWord(std::string_view word);
const char* WordOfKind(PeriodKind kind);
// "mon", "sun", "sat" and back, as the settings file and the command line say them.
std::optional<WeekStart> WeekStartOfWord(std::string_view word);
const char* WordOfWeekStart(WeekStart start);
// The number of ISO weeks (52 or 53) in an ISO year.
int IsoWeeksInYear(int isoYear);
} // namespace periods
