#include "editor/DayForm.h"

#include "store/NumberText.h"
#include "store/Windows1252.h"

#include <algorithm>
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

} // namespace

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
    return static_cast<float>(NumberText::ReadDecimal(Leading(text, 6)));
}

std::string DayForm::NormalisedDuration(const std::string& text, const DateUtility& dates) {
    std::string duration = Leading(text, 9);
    dates.NormaliseDurationText(duration);
    return duration;
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
    record.distance = ReadNumber(boxes[kDistance]);
    record.time = dates.SecondsOfDurationText(NormalisedDuration(boxes[kTime], dates));
    record.pace = dates.SecondsOfDurationText(NormalisedDuration(boxes[kPace], dates));
    record.restHeartRate = ReadWhole(boxes[kRestHeartRate], 6);
    record.maxHeartRate = ReadWhole(boxes[kMaxHeartRate], 6);
    record.temperature = ReadWhole(boxes[kTemperature], 6);
    record.bodyWeight = ReadNumber(boxes[kBodyWeight]);
    record.waterUsed = ReadNumber(boxes[kWaterUsed]);
    record.hoursSlept = ReadNumber(boxes[kHoursSlept]);
    record.calories = ReadWhole(boxes[kCalories], 4);
    record.speed = ReadNumber(boxes[kSpeed]);
    PutText(comments, record.comments, DayRecord::kCommentsSize);
    PutText(workout, record.workout, DayRecord::kWorkoutSize);
    record.competition = competition == 'Y' || competition == 'N' ? competition : 0;
    record.difficulty =
        difficulty == 'E' || difficulty == 'M' || difficulty == 'H' ? difficulty : 0;
}
