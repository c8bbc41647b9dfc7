#pragma once
// One stored activity as a line of the activities' CSV form, and back: the date, the start's
// time of day on this machine's clock, the sport's English name, kilometres to 10 m, the
// moving time, heart rates (0: not recorded), calories and the file it came from. What the
// line leaves out (the start's seconds, elapsed time, ascent, the file's hash, the note)
// does not come back.

#include "activities/Activity.h"
#include "store/ActivityRow.h"
#include "store/DateUtility.h"

#include <cstdint>
#include <string>
#include <vector>

class ActivityCsv {
public:
    static constexpr int kColumnCount = 9;
    // The header line, with its "\n"; a CSV file that starts with it holds activities.
    static constexpr const char* kHeader =
        "date,start,sport,distanceKm,movingTime,avgHeartRate,maxHeartRate,calories,file\n";

    explicit ActivityCsv(const DateUtility& dates) : dates(dates) {}

    static bool IsHeader(const std::vector<std::string>& fields);
    // A stored activity's line, with its "\n".
    std::string Line(const ActivityRow& row) const;

    // The activity of a row and the file it names; every problem of the row is added to
    // problems, and true when there was none. The start is the date and time of day on this
    // machine's clock, and the activity's day is the row's date whatever the clock says.
    bool ReadRow(const std::vector<std::string>& fields, Activity& activity, std::string& file,
                 std::vector<std::string>& problems) const;

    // The start's time of day on this machine's clock ("07:05").
    static std::string LocalTime(std::int64_t start);
    // Metres as kilometres to two places ("10.24").
    static std::string Kilometres(double metres);

private:
    const DateUtility& dates;
};
