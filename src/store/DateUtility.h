#pragma once
// All calendar arithmetic, the date key, the three date texts and the duration texts.
// Dates are stepped one day at a time and stay within 1 January 1960 .. 1 January 2100
// when stepped by days; month and year steps reach December 2100.

#include "store/DateValue.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

class DateUtility {
public:
    static constexpr std::int32_t kFirstYear = 1960;
    static constexpr std::int32_t kLastYear = 2100;

    void Today(DateValue& date) const;
    // The date a broken-down local time stands for; the clock's year is counted from 1900.
    static DateValue DateOfClock(const std::tm& local);

    static bool IsLeapYear(std::int32_t year);
    // Days since 1970-01-01 of a proleptic Gregorian date of any year, and back.
    static std::int64_t DaysOfDate(std::int64_t year, int month, int day);
    static void DateOfDays(std::int64_t days, std::int64_t& year, int& month, int& day);
    // The key of a calendar date from 1 January 1960 to 31 December 2100: the only keys a
    // logbook holds.
    static bool IsLogbookKey(std::int32_t key);
    int DaysInMonth(const DateValue& date) const;
    void AddDays(DateValue& date, int n) const;
    void SubtractDays(DateValue& date, int n) const;
    void NextMonth(DateValue& date) const;
    void PreviousMonth(DateValue& date) const;
    void NextYear(DateValue& date) const;
    void PreviousYear(DateValue& date) const;
    // Inclusive count of days from first to last; 0 when last lies before first or either
    // date is not a calendar date. Weekdays are not consulted.
    int DaysBetween(const DateValue& first, const DateValue& last) const;
    int MonthBounds(const DateValue& date, DateValue& first, DateValue& last) const;
    // 0 = Sunday .. 6 = Saturday.
    int WeekdayOfMonthStart(const DateValue& date) const;

    std::int32_t KeyOfDate(const DateValue& date) const;
    void DateOfKey(std::int32_t key, DateValue& date) const;

    std::string ShortDateText(const DateValue& date) const; // JAN-05-2026
    std::string LongDateText(const DateValue& date) const;  // MON, JAN 05, 2026
    std::string MonthText(const DateValue& date) const;     // JAN, 2026
    // A date key as 2026-01-05: the CSV's dates and the lines of the command line's reports.
    static std::string KeyText(std::int32_t key);
    // A typed date as the program reads it everywhere (the CSV, --from and --to, the Dates
    // dialog): YYYY-MM-DD of a calendar date from 1960-01-01 to 2100-12-31, nothing around
    // it. The date gets its true weekday; false, leaving it alone, for anything else.
    bool ReadDate(std::string_view text, DateValue& date) const;

    std::string DurationText(std::int32_t seconds) const;
    void NormaliseDurationText(std::string& text) const;
    std::int32_t SecondsOfDurationText(std::string_view text) const;
    // A duration as people write it, the one reading the Log Book, the distance/time/pace
    // calculator and the CSV import share: minutes ("50"), minutes and seconds ("50:00") or
    // hours, minutes and seconds ("1:05:00"). Minutes and seconds are one or two digits
    // below 60, hours as many digits as fit; blanks around the text are allowed and a blank
    // text is 0. False, leaving seconds alone, for anything else.
    bool ReadDuration(std::string_view text, std::int32_t& seconds) const;

    static const char* const kMonthNames[12];
    static const char* const kWeekdayNames[7];
};
