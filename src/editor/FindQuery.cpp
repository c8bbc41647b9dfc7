#include "editor/FindQuery.h"

#include "editor/DayForm.h"

#include "store/NumberText.h"
#include "store/Windows1252.h"

const char* const FindQuery::kFieldLines[kFieldCount] = {
    "Distance       ", "Time           ", "Pace           ", "Speed          ", "Total Calories ",
    "Max. H. Rate   ", "Rest. H. Rate  ", "Temperature    ", "Body Weight    ", "Water Used     ",
    "Hours Slept    ", "Workout        ", "Comments       ",
};

const char* const FindQuery::kCompareLines[kCompareCount] = {
    "Equal                ", "Not Equal            ", "Less Than            ",
    "Less Than or Equal   ", "Greater Than         ", "Greater Than or Equal",
};

namespace {

std::string Duration(std::int32_t seconds, const DateUtility& dates) {
    std::string text = dates.DurationText(seconds);
    if (text.size() < 8) {
        text.insert(0, 8 - text.size(), ' ');
    }
    return text;
}

bool DifficultyWanted(char difficulty, int wanted) {
    switch (difficulty) {
    case 'E':
        return (wanted & FindQuery::kEasy) != 0;
    case 'M':
        return (wanted & FindQuery::kModerate) != 0;
    case 'H':
        return (wanted & FindQuery::kHard) != 0;
    default:
        return false;
    }
}

} // namespace

std::string FindQuery::FieldText(const DayRecord& day, Field field, const DateUtility& dates) {
    switch (field) {
    case kDistance:
        return DayForm::Decimal(day.distance);
    case kTime:
        return Duration(day.time, dates);
    case kPace:
        return Duration(day.pace, dates);
    case kSpeed:
        return DayForm::Decimal(day.speed);
    case kCalories:
        return DayForm::Padded(day.calories, 4);
    case kMaxHeartRate:
        return DayForm::Padded(day.maxHeartRate, 3);
    case kRestHeartRate:
        return DayForm::Padded(day.restHeartRate, 3);
    case kTemperature:
        return DayForm::Padded(day.temperature, 3);
    case kBodyWeight:
        return DayForm::Decimal(day.bodyWeight);
    case kWaterUsed:
        return DayForm::Decimal(day.waterUsed);
    case kHoursSlept:
        return DayForm::Decimal(day.hoursSlept);
    case kWorkout:
        return Windows1252::Decode(day.WorkoutText());
    case kComments:
        return Windows1252::Decode(day.CommentsText());
    default:
        return {};
    }
}

bool FindQuery::Matches(const DayRecord& day, const DateUtility& dates) const {
    if (difficulty != 0 && !DifficultyWanted(day.difficulty, difficulty)) {
        return false;
    }
    if (competition != 0 && day.competition != competition) {
        return false;
    }
    if (field < 0 || field >= kFieldCount) {
        return false;
    }
    const std::string text = FieldText(day, field, dates);
    if (field == kWorkout || field == kComments) {
        const bool occurs = text.find(value) != std::string::npos;
        return (compare == kEqual && occurs) || (compare == kNotEqual && !occurs);
    }
    const float x = static_cast<float>(NumberText::ReadDecimal(text));
    const float y = static_cast<float>(NumberText::ReadDecimal(value));
    switch (compare) {
    case kEqual:
        return x == y;
    case kNotEqual:
        return x != y;
    case kLess:
        return x < y;
    case kLessOrEqual:
        return x <= y;
    case kGreater:
        return x > y;
    case kGreaterOrEqual:
        return x >= y;
    default:
        return false;
    }
}

std::string FindQuery::ResultLine(const DayRecord& day, const DateUtility& dates) {
    DateValue date;
    dates.DateOfKey(day.dateKey, date);
    std::string line = dates.ShortDateText(date) + " (Data = \"";
    for (int i = kDistance; i < kWorkout; ++i) {
        line += FieldText(day, static_cast<Field>(i), dates) + "\", \"";
    }
    line += Windows1252::Decode(day.WorkoutText().substr(0, 20)) + "....\", \"";
    line += Windows1252::Decode(day.CommentsText().substr(0, 20)) + "...\")";
    return line;
}

bool FindQuery::Search(LogBookDatabase& database, const DateUtility& dates, Found& found) const {
    found.keys.clear();
    found.lines.clear();
    if (database.BeginReading("rb") != LogBookDatabase::Result::Ok) {
        return false;
    }
    DayRecord day = DayRecord::Blank(0);
    for (int position = 0; static_cast<int>(found.keys.size()) < kMaxResults; ++position) {
        day.erased = 1;
        if (database.ReadAtPosition(position, day) == LogBookDatabase::ReadResult::EndOrBadRead) {
            break;
        }
        if (day.erased != 0 || !Matches(day, dates)) {
            continue;
        }
        found.keys.push_back(day.dateKey);
        found.lines.push_back(ResultLine(day, dates));
    }
    database.EndReading();
    return true;
}
