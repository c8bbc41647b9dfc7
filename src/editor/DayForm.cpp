#include "editor/DayForm.h"

#include "store/NumberText.h"
#include "store/PaceSpeed.h"
#include "store/Windows1252.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

std::string Leading(const std::string& text, std::size_t count) {
    return text.substr(0, count);
}

int ReadWhole(const std::string& text, std::size_t count) {
    return NumberText::ReadInteger(Leading(text, count));
}

// Encodes a box's text and puts as much as fits, NUL-terminated, into a record field.
void PutText(const std::string& utf8, char* field, std::size_t size) {
    const std::string bytes = Windows1252::Encode(utf8);
    const std::size_t length = std::min(bytes.size(), size - 1);
    std::memcpy(field, bytes.data(), length);
    field[length] = '\0';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the lenient reader would stop in text: blanks, a sign, digits and, for a decimal
// number, a point with digits and an exponent. 0 when no number is there.
std::size_t NumberEnd(const std::string& text, bool decimal) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        ++digits;
    }
    if (decimal && i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (decimal && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            for (i = j; i < text.size() && IsDigit(text[i]); ++i) {
            }
        }
    }
    return i;
}

} // namespace

const DayForm::Rule DayForm::kRules[kBoxCount] = {
    {Kind::Decimal, kNumberWidth, "Distance:", "8.2"},
    {Kind::Duration, kDurationWidth, "Time:", "50:00 or 1:05:00"},
    {Kind::Duration, kDurationWidth, "Pace:", "5:30 or 0:05:30"},
    {Kind::Whole, kNumberWidth, "Rest H. Rate:", "48"},
    {Kind::Whole, kNumberWidth, "Max H. Rate:", "172"},
    {Kind::Whole, kNumberWidth, "Temperature:", "68"},
    {Kind::Decimal, kNumberWidth, "Body Weight:", "70.5"},
    {Kind::Decimal, kNumberWidth, "Water Used:", "1.5"},
    {Kind::Decimal, kNumberWidth, "Hours Slept:", "7.5"},
    {Kind::Whole, kCaloriesWidth, "Total Calories:", "2400"},
    {Kind::Decimal, kNumberWidth, "Speed:", "12.5"}};

std::string DayForm::Refusal(int box, const std::string& text, const DateUtility& dates) {
    const Rule& rule = kRules[box];
    const std::string start = std::string(rule.label) + " \"" + text + "\" ";
    if (rule.kind == Kind::Duration) {
        std::int32_t seconds = 0;
        if (text.size() > rule.width || !dates.ReadDuration(text, seconds)) {
            return start + "is not a duration like " + rule.example +
                   " (minutes and seconds below 60).";
        }
        return {};
    }
    // Blanks after the number change nothing; everything else must be read.
    std::string trimmed = text;
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) {
        trimmed.pop_back();
    }
    if (trimmed.find_first_not_of(" \t") == std::string::npos) {
        return {};
    }
    const bool decimal = rule.kind == Kind::Decimal;
    if (NumberEnd(trimmed, decimal) != trimmed.size()) {
        return start + (decimal ? "is not a number like " : "is not a whole number like ") +
               rule.example + ".";
    }
    if (trimmed.size() > rule.width) {
        return start + "is longer than this box takes: at most " + std::to_string(rule.width) +
               " characters, like " + rule.example + ".";
    }
    if (decimal && !std::isfinite(ReadNumber(trimmed))) {
        return start + "is larger than this box can hold.";
    }
    return {};
}

int DayForm::FirstRefused(const DayForm& shown, const DateUtility& dates,
                          std::string& problem) const {
    for (int box = 0; box < kBoxCount; ++box) {
        const std::string& text = boxes[static_cast<std::size_t>(box)];
        if (text == shown.boxes[static_cast<std::size_t>(box)]) {
            continue;
        }
        problem = Refusal(box, text, dates);
        if (!problem.empty()) {
            return box;
        }
    }
    return -1;
}

std::string DayForm::Padded(int value, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

std::string DayForm::Decimal(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%3.2f", static_cast<double>(value));
    return text;
}

float DayForm::ReadNumber(const std::string& text) {
    return static_cast<float>(NumberText::ReadDecimal(Leading(text, kNumberWidth)));
}

std::int32_t DayForm::ReadSeconds(const std::string& text, const DateUtility& dates) {
    std::int32_t seconds = 0;
    return dates.ReadDuration(text, seconds) ? seconds : 0;
}

DayForm DayForm::Show(const DayRecord& record, const DateUtility& dates) {
    DayForm form;
    form.boxes[kDistance] = Decimal(record.distance);
    form.boxes[kTime] = dates.DurationText(record.time);
    form.boxes[kPace] = dates.DurationText(record.pace);
    form.boxes[kRestHeartRate] = Padded(record.restHeartRate, 3);
    form.boxes[kMaxHeartRate] = Padded(record.maxHeartRate, 3);
    form.boxes[kTemperature] = Padded(record.temperature, 3);
    form.boxes[kBodyWeight] = Decimal(record.bodyWeight);
    form.boxes[kWaterUsed] = Decimal(record.waterUsed);
    form.boxes[kHoursSlept] = Decimal(record.hoursSlept);
    form.boxes[kCalories] = Padded(record.calories, 4);
    form.boxes[kSpeed] = Decimal(record.speed);
    form.comments = Windows1252::Decode(record.CommentsText());
    form.workout = Windows1252::Decode(record.WorkoutText());
    form.competition = record.competition;
    form.difficulty = record.difficulty;
    return form;
}

void DayForm::ReadInto(DayRecord& record, const DateUtility& dates) const {
    ReadFields(nullptr, record, dates);
}

void DayForm::ReadChangesInto(const DayForm& shown, DayRecord& record,
                              const DateUtility& dates) const {
    ReadFields(&shown, record, dates);
}

void DayForm::ReadFields(const DayForm* shown, DayRecord& record, const DateUtility& dates) const {
    const auto changed = [&](int box) {
        return !shown ||
               boxes[static_cast<std::size_t>(box)] != shown->boxes[static_cast<std::size_t>(box)];
    };
    const auto seconds = [&](int box) {
        return ReadSeconds(boxes[static_cast<std::size_t>(box)], dates);
    };
    if (changed(kDistance)) {
        record.distance = ReadNumber(boxes[kDistance]);
    }
    if (changed(kTime)) {
        record.time = seconds(kTime);
    }
    if (changed(kPace)) {
        record.pace = seconds(kPace);
    }
    if (changed(kRestHeartRate)) {
        record.restHeartRate = ReadWhole(boxes[kRestHeartRate], kNumberWidth);
    }
    if (changed(kMaxHeartRate)) {
        record.maxHeartRate = ReadWhole(boxes[kMaxHeartRate], kNumberWidth);
    }
    if (changed(kTemperature)) {
        record.temperature = ReadWhole(boxes[kTemperature], kNumberWidth);
    }
    if (changed(kBodyWeight)) {
        record.bodyWeight = ReadNumber(boxes[kBodyWeight]);
    }
    if (changed(kWaterUsed)) {
        record.waterUsed = ReadNumber(boxes[kWaterUsed]);
    }
    if (changed(kHoursSlept)) {
        record.hoursSlept = ReadNumber(boxes[kHoursSlept]);
    }
    if (changed(kCalories)) {
        record.calories = ReadWhole(boxes[kCalories], kCaloriesWidth);
    }
    if (changed(kSpeed)) {
        record.speed = ReadNumber(boxes[kSpeed]);
    }
    // Distance and time typed without a pace or speed give them, as an imported day gets
    // them; a day only looked at keeps its zeros, and what was typed stays as typed.
    const bool timed = changed(kDistance) || changed(kTime);
    const PaceSpeed worked = PaceSpeed::Of(record.distance, record.time);
    if (record.pace == 0 && (timed || changed(kPace))) {
        record.pace = worked.pace;
    }
    if (record.speed == 0.0F && (timed || changed(kSpeed))) {
        record.speed = worked.speed;
    }
    if (!shown || comments != shown->comments) {
        PutText(comments, record.comments, DayRecord::kCommentsSize);
    }
    if (!shown || workout != shown->workout) {
        PutText(workout, record.workout, DayRecord::kWorkoutSize);
    }
    if (!shown || competition != shown->competition) {
        record.competition = competition == 'Y' || competition == 'N' ? competition : 0;
    }
    if (!shown || difficulty != shown->difficulty) {
        record.difficulty =
            difficulty == 'E' || difficulty == 'M' || difficulty == 'H' ? difficulty : 0;
    }
}
