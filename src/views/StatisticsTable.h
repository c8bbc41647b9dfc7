#pragma once
// The statistics of a selection: for ten quantities of the day record, the days with a
// value, the days of the range without one, and the minimum, maximum, average and total
// of the values, in single precision; and each cell's text as the window shows it. A value
// of exactly 0 was not entered and counts as missed. Reading the days is done here too
// (fast index, then read-many), so the window and the command line compute alike; drawing
// is the dialog's.

#include "store/DateUtility.h"
#include "store/DayRecord.h"
#include "store/LogBookDatabase.h"

#include <array>
#include <string>
#include <vector>

class ViewSelection;

class StatisticsTable {
public:
    // The rows, top to bottom.
    enum Quantity : int {
        kDistance = 0,
        kTime,
        kPace,
        kSpeed,
        kRestHeartRate,
        kMaxHeartRate,
        kCalories,
        kWater,
        kSleep,
        kWeight,
    };
    static constexpr int kRows = kWeight + 1;
    static constexpr int kColumns = 6;
    enum Column { kEntries = 0, kMissed, kMinimum, kMaximum, kAverage, kTotal };
    // 8-character titles.
    static const std::array<const char*, kRows> kRowTitles;
    static const std::array<const char*, kColumns> kColumnTitles;
    static constexpr const char* kNone = " --";
    static constexpr std::size_t kMostCellCharacters = 10;

    struct Row {
        float entered = 0;
        float missed = 0;
        float minimum = 0;
        float maximum = 0;
        float average = 0;
        float total = 0;
    };

    // The figures of these days over a range of rangeDays calendar days.
    void Compute(const std::vector<DayRecord>& days, int rangeDays);
    // Reads the days at these index positions through read-many and computes; false when
    // the logbook could not be read (the store has said why; the rows are those of an
    // empty selection).
    bool Compute(LogBookDatabase& database, const std::vector<std::int32_t>& positions,
                 int rangeDays);
    // The selection's days, found through the fast index.
    bool Compute(LogBookDatabase& database, const ViewSelection& selection);

    const Row& RowAt(int row) const { return rows[static_cast<std::size_t>(row)]; }
    // The cell as the window shows it, at most kMostCellCharacters; row is a Quantity and
    // column a Column.
    std::string CellText(int row, int column, const DateUtility& dates) const;
    // The whole value, uncut (kNone when there is none), for data such as CSV.
    std::string ValueText(int row, int column, const DateUtility& dates) const;

private:
    std::array<Row, kRows> rows{};
};
