#pragma once
// What a view looks at: a category (which quantity), a day type (which days) and a date
// range (first and last day, both counted). It steps them as the selector buttons do and
// gives the header texts; the dialog owns the timer and the reload. Every view keeps its
// own copy, and a new one starts from the defaults: DISTANCE, ALL DAYS, today - 30 .. today.

#include "store/DateUtility.h"
#include "store/DateValue.h"
#include "store/DayType.h"
#include "store/LogBookDatabase.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The quantities a view can show, in the order the Category button cycles through them.
enum class Category : int {
    Distance = 0,
    Time,
    Pace,
    Speed,
    RestHeartRate,
    MaxHeartRate,
    Calories,
    Water,
    HoursSlept,
    Temperature,
    Weight,
    Difficulty
};

class ViewSelection {
public:
    static constexpr int kCategoryCount = 12;
    // The widest range, both ends counted.
    static constexpr int kMostDays = 1825;
    static constexpr int kDefaultDaysBack = 30;
    // The 11-character texts of the categories, in their order.
    static const std::array<const char*, kCategoryCount> kCategoryTexts;
    // Their names in veloria-logbook's --category, in the same order.
    static const std::array<const char*, kCategoryCount> kCategoryNames;

    ViewSelection(const DateUtility& dates, const DateValue& today);

    Category CurrentCategory() const { return category; }
    DayType CurrentDayType() const { return dayType; }
    const DateValue& Start() const { return start; }
    const DateValue& End() const { return end; }

    static const char* CategoryText(Category category);
    // The category of a --category name; false when no category has that name.
    static bool CategoryNamed(std::string_view name, Category& category);
    // The category after this one, DIFFICULTY wrapping to DISTANCE.
    static Category NextCategory(Category category);
    static bool IsTimeValued(Category category);
    std::string StartText() const;
    std::string EndText() const;
    int DaysInRange() const;

    // The index positions of the selected days, as many as the store finds; false when the
    // store could not make them (it has said why, and the list is empty).
    bool Positions(LogBookDatabase& database, std::vector<std::int32_t>& positions) const;

    void NextCategory();
    void NextDayType();
    // Each date step returns false when its guard refuses it; then nothing changed. A date
    // at the calendar's edge (1960 back, 2100 on) passes the guard and stays where it is.
    bool LaterStart();   // refused when start equals end
    bool EarlierStart(); // refused when the range holds kMostDays or more
    bool LaterEnd();     // refused when the range holds kMostDays or more
    bool EarlierEnd();   // refused when start equals end

    // For the command line: a range chosen outright, refused unless it lies in 1960 .. 2100,
    // start <= end and it holds at most kMostDays.
    bool SetRange(const DateValue& first, const DateValue& last);
    void SetCategory(Category value) { category = value; }
    void SetDayType(DayType value) { dayType = value; }

private:
    const DateUtility& dates;
    Category category = Category::Distance;
    DayType dayType = DayType::AllDays;
    DateValue start;
    DateValue end;
};
