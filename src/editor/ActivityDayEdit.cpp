#include "editor/ActivityDayEdit.h"

#include "activities/ActivityTotals.h"

#include <algorithm>

namespace {

bool Blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

ActivityDayEdit ActivityDayEdit::Of(const DayForm& typed, const DayForm& shown,
                                    const DayRecord& record, const DayRecord& stored,
                                    const std::vector<ActivityRow>& activities,
                                    double metresPerUnit) {
    ActivityDayEdit edit;
    edit.rows = activities;
    edit.day = record;
    const auto touched = [&](int box) { return typed.boxes[box] != shown.boxes[box]; };
    // A text that reads as the shown value (25 for 25.00) changes nothing.
    const bool distance = touched(DayForm::kDistance) && record.distance != stored.distance;
    const bool time = touched(DayForm::kTime) && record.time != stored.time;
    if (activities.empty() || (!distance && !time)) {
        return edit;
    }
    const bool emptied = (distance && Blank(typed.boxes[DayForm::kDistance])) ||
                         (time && Blank(typed.boxes[DayForm::kTime]));
    const std::string what = distance && time ? "distance and time"
                             : distance       ? "distance"
                                              : "time";
    if (activities.size() > 1 || emptied) {
        edit.kind = Kind::NotTaken;
        edit.day.distance = stored.distance;
        edit.day.time = stored.time;
        edit.day.pace = stored.pace;
        edit.day.speed = stored.speed;
        edit.message =
            activities.size() > 1
                ? "This day's distance and time are the sums of its " +
                      std::to_string(activities.size()) + " activities: the " + what +
                      (distance && time ? " typed were" : " typed was") +
                      " not stored. Change them activity by activity in the "
                      "Activities dialog (Ctrl+T). The other boxes are stored."
                : "This day's " + what +
                      " is its activity's and was not emptied: the "
                      "activity keeps it. To take the activity away, remove it in the Activities "
                      "dialog (Ctrl+T). The other boxes are stored.";
        return edit;
    }
    ActivityRow& row = edit.rows.front();
    if (distance) {
        row.metres = static_cast<double>(record.distance) * metresPerUnit;
    }
    if (time) {
        row.movingSeconds = record.time;
        row.elapsedSeconds = std::max(row.elapsedSeconds, row.movingSeconds);
    }
    // Typed with them, these are the activity's too, else remaking the day would undo them.
    if (record.maxHeartRate != stored.maxHeartRate) {
        row.maxHeartRate = record.maxHeartRate;
    }
    if (record.calories != stored.calories) {
        row.calories = record.calories;
    }
    edit.kind = Kind::ActivityChanged;
    ActivityTotals::Apply(edit.day, edit.rows, metresPerUnit);
    return edit;
}

std::string ActivityDayEdit::Hint(std::size_t activities) {
    if (activities == 0) {
        return "";
    }
    if (activities == 1) {
        return "Distance and time are this day's activity's: typed here, they change it.";
    }
    return "Distance and time are the sums of this day's " + std::to_string(activities) +
           " activities: Ctrl+T changes them.";
}
