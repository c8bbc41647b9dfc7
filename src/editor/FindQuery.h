#pragma once
// What Find looks for and how a day is tested and listed: one field compared with a typed
// value, optionally only competition or training days and only some difficulties.

#include "store/DateUtility.h"
#include "store/DayRecord.h"
#include "store/LogBookDatabase.h"

#include <cstdint>
#include <string>
#include <vector>

class FindQuery {
public:
    static constexpr int kFieldCount = 13;
    static constexpr int kCompareCount = 6;
    static constexpr int kMaxResults = 500;
    // The field and comparison lists as the dialog shows them, padded to 15 and 21.
    static const char* const kFieldLines[kFieldCount];
    static const char* const kCompareLines[kCompareCount];

    // The fields in the order of the dialog's list.
    enum Field : int {
        kDistance = 0,
        kTime,
        kPace,
        kSpeed,
        kCalories,
        kMaxHeartRate,
        kRestHeartRate,
        kTemperature,
        kBodyWeight,
        kWaterUsed,
        kHoursSlept,
        kWorkout,
        kComments,
    };
    enum Compare { kEqual = 0, kNotEqual, kLess, kLessOrEqual, kGreater, kGreaterOrEqual };
    enum Difficulty { kEasy = 1, kModerate = 2, kHard = 4 };

    std::string value; // UTF-8, as typed
    Field field = kDistance;
    int compare = kEqual; // 0..5
    char competition = 0; // 'Y', 'N' or 0 for either
    int difficulty = 0;   // kEasy | kModerate | kHard; 0 for any

    // One of a day's thirteen fields as text (UTF-8).
    static std::string FieldText(const DayRecord& day, Field field, const DateUtility& dates);
    bool Matches(const DayRecord& day, const DateUtility& dates) const;
    // JAN-05-2026 (Data = "12.50", "01:02:03", ... the workout's and the comment's first
    // 20 characters.
    static std::string ResultLine(const DayRecord& day, const DateUtility& dates);

    struct Found {
        std::vector<std::int32_t> keys;
        std::vector<std::string> lines;
    };
    // Every matching day of the logbook in date order, at most kMaxResults; false when the
    // logbook could not be read (the store has shown its message).
    bool Search(LogBookDatabase& database, const DateUtility& dates, Found& found) const;
};
