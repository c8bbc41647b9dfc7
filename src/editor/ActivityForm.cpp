#include "editor/ActivityForm.h"

#include "activities/ActivitySports.h"
#include "activities/DayActivitiesText.h"
#include "editor/DayForm.h"
#include "store/EscapedText.h"

#include <cmath>
#include <cstdio>

namespace {

// The Log Book's box whose rules each box is read by.
constexpr int kRuleOf[ActivityForm::kBoxCount] = {DayForm::kDistance, DayForm::kTime,
                                                  DayForm::kMaxHeartRate, DayForm::kMaxHeartRate,
                                                  DayForm::kCalories};

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.pop_back();
    }
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first);
}

} // namespace

const char* const ActivityForm::kLabels[kBoxCount] = {
    "Distance:", "Time:", "Avg H. Rate:", "Max H. Rate:", "Calories:"};

ActivityForm ActivityForm::Show(const ActivityRow& row, double metresPerUnit,
                                const DateUtility& dates) {
    ActivityForm form;
    form.sport = std::string(ActivitySports::Word(row.sport));
    form.boxes[kDistance] = DayForm::Decimal(static_cast<float>(row.metres / metresPerUnit));
    form.boxes[kTime] = dates.DurationText(row.movingSeconds);
    form.boxes[kAvgHeartRate] = std::to_string(row.avgHeartRate);
    form.boxes[kMaxHeartRate] = std::to_string(row.maxHeartRate);
    form.boxes[kCalories] = std::to_string(row.calories);
    form.note = row.note;
    return form;
}

int ActivityForm::FirstRefused(const DateUtility& dates, std::string& problem) const {
    if (Trimmed(sport).empty()) {
        problem = "Sport: an activity needs a sport, like Run.";
        return kBoxCount;
    }
    for (int box = 0; box < kBoxCount; ++box) {
        const int rule = kRuleOf[box];
        problem = DayForm::Refusal(rule, boxes[box], dates);
        if (!problem.empty()) {
            // Named as this dialog names the box.
            problem =
                kLabels[box] + problem.substr(std::string(DayForm::kRules[rule].label).size());
            return box;
        }
    }
    return -1;
}

void ActivityForm::ReadInto(ActivityRow& row, double metresPerUnit,
                            const DateUtility& dates) const {
    row.sport = ActivitySports::SportOf(Trimmed(sport));
    row.metres = static_cast<double>(DayForm::ReadNumber(boxes[kDistance])) * metresPerUnit;
    row.movingSeconds = DayForm::ReadSeconds(boxes[kTime], dates);
    row.elapsedSeconds = std::max(row.elapsedSeconds, row.movingSeconds);
    row.avgHeartRate = static_cast<std::int32_t>(DayForm::ReadNumber(boxes[kAvgHeartRate]));
    row.maxHeartRate = static_cast<std::int32_t>(DayForm::ReadNumber(boxes[kMaxHeartRate]));
    row.calories = static_cast<std::int32_t>(DayForm::ReadNumber(boxes[kCalories]));
    row.note = note.substr(0, kNoteSize);
}

std::string ActivityForm::Line(const ActivityRow& row, std::string_view unit,
                               double metresPerUnit) {
    char figures[128];
    std::snprintf(figures, sizeof figures, "%.2f %.*s  %s  HR %d/%d  %d kcal",
                  row.metres / metresPerUnit, static_cast<int>(unit.size()), unit.data(),
                  DayActivitiesText::Time(row.movingSeconds).c_str(), row.avgHeartRate,
                  row.maxHeartRate, row.calories);
    std::string line = std::string(ActivitySports::Word(row.sport)) + "  " + figures;
    if (!row.note.empty()) {
        line += "  " + row.note;
    }
    return EscapedText::Of(line);
}
