#pragma once
// Dialog 21: the dates of a range (the named ranges, a first and a last date box and a month
// calendar) or, in its one-date form, a single date (the calendar and one box). A day picked
// in the calendar goes into the box that last had the focus; a box that reads as a date
// turns the calendar to it. OK takes the boxes only when each reads whole as a date and the
// first is not after the last; otherwise it says why and the box takes the focus again.

#include "framework/TDialog.h"
#include "store/DateRangePreset.h"
#include "store/DateUtility.h"

#include <optional>
#include <string>

class DatesDialog : public TDialog {
public:
    static constexpr int kFirstBox = 101;
    static constexpr int kLastBox = 102;
    static constexpr int kCalendar = 103;
    static constexpr int kRanges = 104;
    static constexpr int kLastLabel = 105;
    static constexpr int kRangesLabel = 106;
    static constexpr int kFirstLabel = 107;
    // YYYY-MM-DD and the terminating zero.
    static constexpr int kBoxLimit = 11;

    static void RegisterTemplate();

    // A range: `entries` are the logbook's first and last day with an entry (for All); the
    // named weeks begin on `start`.
    DatesDialog(TWindow* parent, const DateUtility& dates, DayRange shown,
                std::optional<DayRange> entries, WeekStart start);
    // One date.
    DatesDialog(TWindow* parent, const DateUtility& dates, std::int32_t day);

    // The dates as OK took them (one date: first and last alike).
    const DayRange& Chosen() const { return chosen; }

    // The message for a box whose text does not read as a date.
    static std::string NotADate(const std::string& text);
    static constexpr const char* kBackwards = "The first date comes after the last date.";
    static constexpr const char* kNoDays = "The logbook holds no days yet.";

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    void Wire();
    void PickRange(int index);
    // The calendar shows the date of a box when it reads as one.
    void FollowBox(int box);
    bool ReadBox(int box, std::int32_t& key);

    const DateUtility& dates;
    bool oneDate;
    DayRange chosen;
    std::optional<DayRange> entries;
    WeekStart weekStart = WeekStart::Monday;
    int pickingInto = kFirstBox;
    bool turningCalendar = false;
};
