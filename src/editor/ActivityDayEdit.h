#pragma once
// What typing in the Log Book's boxes does to a day that holds activities. The day's
// distance and time are its activities': with one activity, a typed distance or time (and a
// maximum heart rate or calories typed with them) becomes that activity's, and the day is
// made again from it; with several, the boxes show sums that only change activity by
// activity, so typed sums are not taken and the user is told. An emptied distance or time
// never takes an activity away: the figures stay. Storing and asking are the window's.

#include "editor/DayForm.h"
#include "store/ActivityRow.h"
#include "store/DateUtility.h"
#include "store/DayRecord.h"

#include <cstddef>
#include <string>
#include <vector>

class ActivityDayEdit {
public:
    enum class Kind {
        Plain,           // no activities, or their figures not typed over: stored as typed
        ActivityChanged, // the one activity takes the typed figures, stored with the day
        NotTaken,        // the day keeps its activities' distance and time; message says why
    };

    Kind kind = Kind::Plain;
    std::vector<ActivityRow> rows; // the day's activities after the edit
    DayRecord day = DayRecord::Blank(0);
    std::string message;

    // typed and shown: the boxes now and as the day was shown; record: the day with the
    // typing read in (DayForm::ReadChangesInto); stored: the day as it was shown.
    static ActivityDayEdit Of(const DayForm& typed, const DayForm& shown, const DayRecord& record,
                              const DayRecord& stored, const std::vector<ActivityRow>& activities,
                              double metresPerUnit);
    // What the Log Book says of the distance and time boxes of a day with this many
    // activities; empty for none.
    static std::string Hint(std::size_t activities);
};
