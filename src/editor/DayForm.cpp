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
        return dates.SecondsOfDurationText(
            NormalisedDuration(boxes[static_cast<std::size_t>(box)], dates));
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
        record.restHeartRate = ReadWhole(boxes[kRestHeartRate], 6);
    }
    if (changed(kMaxHeartRate)) {
        record.maxHeartRate = ReadWhole(boxes[kMaxHeartRate], 6);
    }
    if (changed(kTemperature)) {
        record.temperature = ReadWhole(boxes[kTemperature], 6);
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
        record.calories = ReadWhole(boxes[kCalories], 4);
    }
    if (changed(kSpeed)) {
        record.speed = ReadNumber(boxes[kSpeed]);
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
