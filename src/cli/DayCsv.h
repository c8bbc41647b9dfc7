#pragma once
// One day as a line of the logbook's CSV form, and back. Every field has one text form
// that reads back to the same stored value, so an export imported and exported again
// gives the same bytes.

#include "store/DateUtility.h"
#include "store/DayRecord.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class DayCsv {
public:
    enum Column {
        kDate,
        kDistance,
        kTime,
        kPace,
        kSpeed,
        kRestHeartRate,
        kMaxHeartRate,
        kCalories,
        kWaterUsed,
        kHoursSlept,
        kTemperature,
        kBodyWeight,
        kCompetition,
        kDifficulty,
        kWorkout,
        kComments,
        kColumnCount
    };
    static const char* const kColumnNames[kColumnCount];

    // Where each column stands in a file's rows; -1 for a column the file leaves out.
    using Layout = std::array<int, kColumnCount>;

    explicit DayCsv(const DateUtility& dates) : dates(dates) {}

    // The header line, with its "\n".
    static std::string HeaderLine();
    // A live day's line, with its "\n".
    std::string Line(const DayRecord& record) const;

    // Reads the header's column names; false with the problem when a name is unknown or
    // repeats, or there is no date column.
    static bool ReadHeader(const std::vector<std::string>& names, Layout& layout,
                           std::string& problem);
    // Builds the day of a row: a blank record with the row's fields. Every problem of the
    // row is added to problems; true when there was none.
    bool ReadRow(const std::vector<std::string>& fields, const Layout& layout, DayRecord& record,
                 std::vector<std::string>& problems) const;

    // YYYY-MM-DD of a calendar date from 1960-01-01 to 2100-12-31, with its true weekday.
    bool ReadDate(std::string_view text, DateValue& date) const;
    // A field as a message quotes it: on one line, its first 40 characters.
    static std::string Quoted(std::string_view text);

private:
    const DateUtility& dates;
};
