#pragma once
// The ranges a user picks by name (Last 7 Days, This Month, All...), worked out against a
// given today and week start, and the words veloria-logbook's --range takes for them. A
// range ends today unless its name says otherwise (Last Week, Last Month, Last Year); the
// windows and the command line cut one that is longer than they show.

#include "store/DateValue.h"
#include "store/WeekStart.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Two date keys (YYYYMMDD), both days counted.
struct DayRange {
    std::int32_t first = 0;
    std::int32_t last = 0;

    int Days() const;
    // The ends with their true weekdays.
    DateValue First() const { return DateOfKey(first); }
    DateValue Last() const { return DateOfKey(last); }
    static constexpr DateValue DateOfKey(std::int32_t key) {
        return DateValue::Of(key / 10000, key / 100 % 100, key % 100);
    }
    // The same range holding at most `most` days: its last days are kept.
    DayRange Cut(int most) const;
    bool operator==(const DayRange&) const = default;
};

class DateRangePreset {
public:
    enum class Kind {
        Today,
        ThisWeek,
        LastWeek,
        LastDays,  // count days ending today
        LastWeeks, // count weeks of seven days ending today
        ThisMonth,
        LastMonth,
        LastMonths, // from the day after today's date count months back
        YearToDate,
        LastYear,
        All, // the logbook's first to last day with an entry
    };

    constexpr DateRangePreset(Kind kind, int count, const char* title)
        : kind(kind), count(count), title(title) {}

    // The named ranges the windows offer, in their menu order.
    static std::span<const DateRangePreset> Menu();
    // What --range accepts, for its usage error.
    static constexpr const char* kWords = "this-week, last-week, last:Nd, last:Nw, this-month, "
                                          "last-month, ytd, last-year or all";
    // The range of one --range word; nothing for a word outside kWords (N from 1 to 99999).
    static std::optional<DateRangePreset> OfWord(std::string_view word);

    Kind WhichKind() const { return kind; }
    const char* Title() const { return title; }
    // The days the name stands for on `today`; `entries` is the logbook's first and last
    // day with an entry, which only All reads (nothing for All when the logbook holds
    // none). A range never starts before 1 January 1960.
    std::optional<DayRange> On(std::int32_t today, WeekStart start,
                               std::optional<DayRange> entries) const;

private:
    Kind kind;
    int count;
    const char* title;
};
