#include "cli/DayCsv.h"

#include "cli/CsvText.h"
#include "store/Windows1252.h"

#include <charconv>
#include <cmath>
#include <cstdio>

const char* const DayCsv::kColumnNames[kColumnCount] = {
    "date",         "distance",   "time",      "pace",       "speed",       "restHeartRate",
    "maxHeartRate", "calories",   "waterUsed", "hoursSlept", "temperature", "bodyWeight",
    "competition",  "difficulty", "workout",   "comments"};

namespace {

void AppendReal(std::string& line, float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    line.append(text, result.ptr);
}

void AppendInteger(std::string& line, std::int32_t value) {
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    line.append(text, result.ptr);
}

bool ReadReal(std::string_view text, float& value) {
    if (text.empty()) {
        value = 0;
        return true;
    }
    // nan and inf are no measurement, and the editor could not show them.
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() &&
           std::isfinite(value);
}

bool ReadInteger(std::string_view text, std::int32_t& value) {
    if (text.empty()) {
        value = 0;
        return true;
    }
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

} // namespace

std::string DayCsv::HeaderLine() {
    std::string line;
    for (int c = 0; c < kColumnCount; ++c) {
        if (c > 0) {
            line.push_back(',');
        }
        line.append(kColumnNames[c]);
    }
    return line + "\n";
}

std::string DayCsv::Line(const DayRecord& r) const {
    std::string line = DateUtility::KeyText(r.dateKey);
    line.push_back(',');
    AppendReal(line, r.distance);
    line.push_back(',');
    line.append(dates.DurationText(r.time));
    line.push_back(',');
    line.append(dates.DurationText(r.pace));
    line.push_back(',');
    AppendReal(line, r.speed);
    line.push_back(',');
    AppendInteger(line, r.restHeartRate);
    line.push_back(',');
    AppendInteger(line, r.maxHeartRate);
    line.push_back(',');
    AppendInteger(line, r.calories);
    line.push_back(',');
    AppendReal(line, r.waterUsed);
    line.push_back(',');
    AppendReal(line, r.hoursSlept);
    line.push_back(',');
    AppendInteger(line, r.temperature);
    line.push_back(',');
    AppendReal(line, r.bodyWeight);
    line.push_back(',');
    if (r.competition == 'Y' || r.competition == 'N') {
        line.push_back(r.competition);
    }
    line.push_back(',');
    if (r.difficulty == 'E' || r.difficulty == 'M' || r.difficulty == 'H') {
        line.push_back(r.difficulty);
    }
    line.push_back(',');
    CsvText::AppendField(line, Windows1252::Decode(r.WorkoutText()));
    line.push_back(',');
    CsvText::AppendField(line, Windows1252::Decode(r.CommentsText()));
    line.push_back('\n');
    return line;
}

bool DayCsv::ReadHeader(const std::vector<std::string>& names, Layout& layout,
                        std::string& problem) {
    layout.fill(-1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        int column = 0;
        while (column < kColumnCount && names[i] != kColumnNames[column]) {
            ++column;
        }
        if (column == kColumnCount) {
            problem = "unknown column " + Quoted(names[i]);
            return false;
        }
        if (layout[column] >= 0) {
            problem = "column " + Quoted(names[i]) + " appears twice";
            return false;
        }
        layout[column] = static_cast<int>(i);
    }
    if (layout[kDate] < 0) {
        problem = "no date column";
        return false;
    }
    return true;
}

bool DayCsv::ReadDate(std::string_view text, DateValue& date) const {
    return dates.ReadDate(text, date);
}

bool DayCsv::ReadRow(const std::vector<std::string>& fields, const Layout& layout,
                     DayRecord& record, std::vector<std::string>& problems) const {
    const std::size_t before = problems.size();
    auto field = [&](Column c) -> std::string_view {
        const int at = layout[c];
        return at >= 0 && static_cast<std::size_t>(at) < fields.size()
                   ? std::string_view(fields[static_cast<std::size_t>(at)])
                   : std::string_view();
    };
    auto bad = [&](Column c, const char* what) {
        problems.push_back(std::string(kColumnNames[c]) + " " + Quoted(field(c)) + " " + what);
    };

    DateValue date;
    if (!ReadDate(field(kDate), date)) {
        bad(kDate, "is not a date from 1960-01-01 to 2100-12-31");
    }
    record = DayRecord::Blank(dates.KeyOfDate(date));

    const struct {
        Column column;
        float DayRecord::*member;
    } reals[] = {{kDistance, &DayRecord::distance},
                 {kSpeed, &DayRecord::speed},
                 {kWaterUsed, &DayRecord::waterUsed},
                 {kHoursSlept, &DayRecord::hoursSlept},
                 {kBodyWeight, &DayRecord::bodyWeight}};
    for (const auto& r : reals) {
        if (!ReadReal(field(r.column), record.*r.member)) {
            bad(r.column, "is not a number");
        }
    }
    const struct {
        Column column;
        std::int32_t DayRecord::*member;
    } integers[] = {{kRestHeartRate, &DayRecord::restHeartRate},
                    {kMaxHeartRate, &DayRecord::maxHeartRate},
                    {kCalories, &DayRecord::calories},
                    {kTemperature, &DayRecord::temperature}};
    for (const auto& i : integers) {
        if (!ReadInteger(field(i.column), record.*i.member)) {
            bad(i.column, "is not a whole number");
        }
    }
    // Read as the Log Book reads its boxes: 50:00 is fifty minutes here too.
    for (const Column c : {kTime, kPace}) {
        if (!dates.ReadDuration(field(c), c == kTime ? record.time : record.pace)) {
            bad(c, "is not a duration like 50:00 or 1:05:00 with minutes and seconds below 60");
        }
    }

    const std::string_view competition = field(kCompetition);
    if (competition == "Y" || competition == "N") {
        record.competition = competition[0];
    } else if (!competition.empty()) {
        bad(kCompetition, "is not Y, N or empty");
    }
    const std::string_view difficulty = field(kDifficulty);
    if (difficulty == "E" || difficulty == "M" || difficulty == "H") {
        record.difficulty = difficulty[0];
    } else if (!difficulty.empty()) {
        bad(kDifficulty, "is not E, M, H or empty");
    }

    const struct {
        Column column;
        char* target;
        std::size_t size;
    } texts[] = {{kWorkout, record.workout, DayRecord::kWorkoutSize},
                 {kComments, record.comments, DayRecord::kCommentsSize}};
    for (const auto& t : texts) {
        std::string bytes;
        if (!Windows1252::EncodeExact(field(t.column), bytes) ||
            bytes.find('\0') != std::string::npos) {
            bad(t.column, "holds characters that cannot be stored (Windows-1252 only)");
        } else if (bytes.size() >= t.size) {
            bad(t.column, ("is longer than " + std::to_string(t.size - 1) + " bytes").c_str());
        } else {
            bytes.copy(t.target, bytes.size());
        }
    }
    return problems.size() == before;
}

std::string DayCsv::Quoted(std::string_view text) {
    std::string out = "\"";
    // Keep the message on one line whatever the field holds.
    for (const char c : text.substr(0, 40)) {
        out.push_back(c == '\n' || c == '\r' ? ' ' : c);
    }
    return out + (text.size() > 40 ? "...\"" : "\"");
}
