#pragma once
// The Summary's rows: for each week, month or year of a range, newest first, the distance,
// moving time, active days, activities, longest day, pace and time-weighted heart rate of
// its days, and how its distance compares with the period before and the same period a
// year earlier. A day with activities counts by those of the chosen sport; a day without
// counts by its record, under the logbook's default sport. Reading the days is done here
// too, so the window and veloria-logbook show the same rows; drawing is the dialog's.

#include "activities/ActivityDays.h"
#include "store/ActivityRow.h"
#include "store/DayRecord.h"
#include "store/Period.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class ActivityStore;
class LogBookDatabase;

class SummaryTable {
public:
    // The periods shown when the range is left open: so many weeks or months up to today's;
    // years go back to the first year with a day.
    static constexpr int kDefaultPeriods = 12;

    struct Choice {
        PeriodKind kind = PeriodKind::Week;
        WeekStart weekStart = WeekStart::Monday;
        std::string sport;     // empty for every sport, else a sport's name or short word
        std::int32_t from = 0; // date keys; 0 for the default range
        std::int32_t to = 0;
    };

    struct Figures {
        double distance = 0; // in the logbook's unit
        std::int64_t seconds = 0;
        int activeDays = 0;
        int activities = 0;
        double longestDay = 0;
        double heartBeats = 0; // average heart rate times moving seconds, summed
        std::int64_t heartSeconds = 0;
        std::int32_t firstEntry = 0; // the period's first day with an entry; 0 for none
    };

    struct Row {
        Period period;
        Figures figures;
        double previousDistance = 0;
        double yearEarlierDistance = 0;
    };

    enum Column {
        kPeriod = 0,
        kDistance,
        kTime,
        kDays,
        kActivities,
        kLongest,
        kPace,
        kHeartRate,
        kVersusPrevious,
        kVersusYearEarlier,
    };
    static constexpr int kColumns = kVersusYearEarlier + 1;
    static const std::array<const char*, kColumns> kTitles;
    static const std::array<const char*, kColumns> kCsvTitles;
    // What the chart draws.
    enum class Quantity { Distance, Time, Activities };

    // Rows for the choice from the logbook's live days and the activities stored for them
    // (both may reach outside the range: only the days in a row's period count), today
    // being the date key of today. Activities' metres are counted in the logbook's unit.
    void Compute(const std::vector<DayRecord>& days, const std::vector<ActivityRow>& activities,
                 const Choice& choice, const std::string& defaultSport, ActivityDays::Unit unit,
                 std::int32_t today);
    // Reads what the choice needs from the logbook and its activities file (nullptr or
    // closed: none) and computes; false when a day could not be read (the store has said
    // why; the rows are those of an empty logbook).
    bool Load(LogBookDatabase& database, const ActivityStore* activities, const Choice& choice,
              std::int32_t today);

    const std::vector<Row>& Rows() const { return rows; }
    const Choice& Chosen() const { return choice; }
    // The row of the period that holds today; -1 when it is not shown.
    int TodayRow() const { return todayRow; }
    // "km" or "mi", as the pace says it.
    const std::string& Unit() const { return unit; }

    static double Value(const Figures& figures, Quantity quantity);
    // The cell as the window and the command show it: "—" for a change against nothing.
    std::string CellText(const Row& row, int column) const;
    // The header and the rows as fixed columns, and as CSV.
    std::string HeaderLine() const;
    std::string Line(const Row& row) const;
    static std::string CsvHeader();
    std::string CsvLine(const Row& row) const;

    // The first date key the rows and their comparisons need (0: from the first day there
    // is, for years), and the last, for a choice.
    static std::int32_t FirstNeeded(const Choice& choice, std::int32_t today);
    static std::int32_t LastShown(const Choice& choice, std::int32_t today);

    // "+12%", "-5%", "0%"; "—" when the base is zero.
    static std::string ChangeText(double now, double base);
    // Hours without limit: "123:04:05".
    static std::string TimeText(std::int64_t seconds);

private:
    Choice choice;
    std::string unit = "km";
    std::vector<Row> rows;
    int todayRow = -1;
};
