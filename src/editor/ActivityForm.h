#pragma once
// The Activities dialog's boxes as text: an activity shown in them, the texts refused by the
// Log Book's rules for boxes of their kind, and read back into an activity. Distances are in
// the unit the logbook's activities are imported in.

#include "store/ActivityRow.h"
#include "store/DateUtility.h"

#include <string>
#include <string_view>

class ActivityForm {
public:
    enum Box { kDistance = 0, kTime, kAvgHeartRate, kMaxHeartRate, kCalories, kBoxCount };
    // What the user is told a box is, with its colon.
    static const char* const kLabels[kBoxCount];
    // A note is kept to this many characters.
    static constexpr std::size_t kNoteSize = 80;

    std::string sport; // its short word ("Run"), or the user's own
    std::string boxes[kBoxCount];
    std::string note;

    static ActivityForm Show(const ActivityRow& row, double metresPerUnit,
                             const DateUtility& dates);
    // The first box whose text is refused, or -1; its message in problem, naming the box.
    // No sport is refused too.
    int FirstRefused(const DateUtility& dates, std::string& problem) const;
    // Takes the texts into the row; its id, day, start and file stay.
    void ReadInto(ActivityRow& row, double metresPerUnit, const DateUtility& dates) const;
    // The list's line: sport, distance and unit, moving time, heart rates, calories, note.
    static std::string Line(const ActivityRow& row, std::string_view unit, double metresPerUnit);
};
