#pragma once
// One month of the logbook laid out as the Calendar shows it: six weeks of seven days
// from Sunday, each day with its number and, when it has an entry, the chosen category's
// value and whether it was a competition. It loads the month's days (all types) through
// the store; the dialog paints the cells and the command line prints them.

#include "store/DateUtility.h"
#include "store/DateValue.h"
#include "store/DayRecord.h"
#include "store/LogBookDatabase.h"
#include "views/ViewSelection.h"

#include <array>
#include <string>
#include <vector>

class CalendarMonth {
public:
    static constexpr int kWeeks = 6;
    static constexpr int kDaysAWeek = 7;
    static constexpr const char* kWeekdayTitles[kDaysAWeek] = {"SUN", "MON", "TUE", "WED",
                                                               "THU", "FRI", "SAT"};

    struct Cell {
        int day = 0; // 0 where no day of the month falls
        bool today = false;
        bool hasEntry = false;
        bool competition = false;
        std::string text; // the category's value, when the day has an entry
    };

    explicit CalendarMonth(const DateUtility& dates) : dates(dates) {}

    // Reads the month of `shown` (its day and weekday do not matter); when the logbook
    // cannot be read the month shows no entries and the answer is false.
    bool Load(LogBookDatabase& database, const DateValue& shown);
    // The same from days already read, in ascending date order.
    void SetDays(const DateValue& shown, std::vector<DayRecord> days);
    // Lays the month out for a category; `today` decides the highlighted number.
    void Layout(Category category, const DateValue& today);

    const Cell& At(int row, int column) const {
        return cells[static_cast<std::size_t>(row * kDaysAWeek + column)];
    }
    std::string MonthText() const { return dates.MonthText(month); }
    const std::vector<DayRecord>& Days() const { return days; }

    // Whether a category's week and month figures are sums (distance, time, calories,
    // water, sleep) rather than averages over the days with a value; a sum of paces, heart
    // rates or weights means nothing. Difficulty has neither.
    static bool Adds(Category category);
    // The laid-out category's figure of a week row and of the month, over the month's days
    // that hold a value other than 0 (as Statistics counts them); "" when none does.
    const std::string& WeekTotal(int row) const {
        return weekTotals[static_cast<std::size_t>(row)];
    }
    const std::string& MonthTotal() const { return monthTotal; }
    // "TOTAL" or "AVERAGE", as the laid-out category's figures are.
    const char* TotalTitle() const { return Adds(laidOut) ? "TOTAL" : "AVERAGE"; }

    // The text of a category's value in a day's box.
    static std::string CellText(const DayRecord& day, Category category, const DateUtility& dates);

private:
    const DayRecord* Find(std::int32_t key) const;

    const DateUtility& dates;
    DateValue month;
    std::vector<DayRecord> days;
    std::array<Cell, kWeeks * kDaysAWeek> cells{};
    Category laidOut = Category::Distance;
    std::array<std::string, kWeeks> weekTotals;
    std::string monthTotal;
};
