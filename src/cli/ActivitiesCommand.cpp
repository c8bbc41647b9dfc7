#include "cli/ActivitiesCommand.h"

#include "activities/ActivitySports.h"
#include "cli/CsvText.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/ActivityStore.h"
#include "store/EscapedText.h"
#include "store/LogBookDatabase.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <sstream>
#include <strings.h>

namespace {

// Whether a stored sport is the one asked for: by its name or its short word, case ignored
// ("running", "Run"; "Biking" is stored as "Cycling").
bool IsSport(const std::string& stored, const std::string& asked) {
    const std::string name = ::strcasecmp(asked.c_str(), "Biking") == 0 ? "Cycling" : asked;
    return ::strcasecmp(stored.c_str(), name.c_str()) == 0 ||
           ::strcasecmp(std::string(ActivitySports::Word(stored)).c_str(), name.c_str()) == 0;
}

// The start's time of day on this machine's clock.
std::string LocalTime(std::int64_t start) {
    const std::time_t t = static_cast<std::time_t>(start);
    std::tm local{};
    char text[8] = "--:--";
    if (::localtime_r(&t, &local)) {
        std::strftime(text, sizeof text, "%H:%M", &local);
    }
    return text;
}

std::string Kilometres(double metres) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", metres / 1000.0);
    return text;
}

// The short word the rest of the program names a sport by; a sport without one keeps its name.
std::string SportWord(const std::string& sport) {
    const std::string_view word = ActivitySports::Word(sport);
    return word.empty() ? sport : std::string(word);
}

std::string HeartRate(std::int32_t rate) {
    return rate > 0 ? std::to_string(rate) : "-";
}

} // namespace

int ActivitiesCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    DateValue from{};
    DateValue to{};
    const bool hasFrom = tool.Given(Option::From);
    const bool hasTo = tool.Given(Option::To);
    if (!tool.ReadRange() || !tool.ReadDate(Option::From, from) || !tool.ReadDate(Option::To, to)) {
        return ToolCommand::kUsageError;
    }
    std::int32_t first = hasFrom ? tool.dates.KeyOfDate(from) : 0;
    std::int32_t last = hasTo ? tool.dates.KeyOfDate(to) : 0;
    if (hasFrom && hasTo && first > last) {
        return tool.UsageError("--from is after --to");
    }

    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    if (const int opened = tool.OpenToRead(database, logbook); opened != ToolCommand::kSuccess) {
        return opened;
    }
    if (std::optional<DayRange> days; !tool.RangeDays(database, days)) {
        return ToolCommand::kProblem;
    } else if (days) {
        first = days->first;
        last = days->last;
    }
    ActivityStore store;
    const ActivityStore::Outcome open = store.Open(database, false);
    std::vector<ActivityRow> rows;
    if (open.Ok()) {
        if (const ActivityStore::Outcome read = store.Read(first, last, rows); !read.Ok()) {
            return tool.Fail(EscapedText::Of(read.words));
        }
    } else if (open.code != ActivityStore::Code::Missing) {
        return tool.Fail(EscapedText::Of(open.words));
    }
    const std::optional<std::string>& sport = tool.Value(Option::Sport);

    std::ostringstream text;
    const bool csv = tool.Given(Option::Csv);
    if (csv) {
        text << "date,start,sport,distanceKm,movingTime,avgHeartRate,maxHeartRate,calories,file\n";
    } else {
        char line[160];
        std::snprintf(line, sizeof line, "%-10s  %-5s  %-12s  %9s  %8s  %6s  %6s  %9s  %s\n",
                      "Date", "Start", "Sport", "Distance", "Moving", "Avg HR", "Max HR",
                      "Calories", "File");
        text << line;
    }
    std::size_t count = 0;
    double metres = 0;
    std::int64_t seconds = 0;
    std::int64_t calories = 0;
    for (const ActivityRow& row : rows) {
        if (sport && !IsSport(row.sport, *sport)) {
            continue;
        }
        ++count;
        metres += row.metres;
        seconds += row.movingSeconds;
        calories += row.calories;
        const std::string date = DateUtility::KeyText(row.day);
        const std::string moving = tool.dates.DurationText(row.movingSeconds);
        if (csv) {
            std::string fields;
            bool firstField = true;
            for (const std::string& field :
                 {date, LocalTime(row.start), row.sport, Kilometres(row.metres), moving,
                  std::to_string(row.avgHeartRate), std::to_string(row.maxHeartRate),
                  std::to_string(row.calories), row.file}) {
                if (!firstField) {
                    fields += ',';
                }
                firstField = false;
                CsvText::AppendField(fields, field);
            }
            text << fields << '\n';
            continue;
        }
        char line[160];
        std::snprintf(line, sizeof line, "%-10s  %-5s  %-12s  %6s km  %8s  %6s  %6s  %4d kcal  ",
                      date.c_str(), LocalTime(row.start).c_str(),
                      EscapedText::Of(SportWord(row.sport)).c_str(), Kilometres(row.metres).c_str(),
                      moving.c_str(), HeartRate(row.avgHeartRate).c_str(),
                      HeartRate(row.maxHeartRate).c_str(), row.calories);
        text << line << EscapedText::Of(row.file) << '\n';
    }
    if (!csv) {
        text << count << (count == 1 ? " activity: " : " activities: ") << Kilometres(metres)
             << " km, "
             << tool.dates.DurationText(
                    static_cast<std::int32_t>(std::min<std::int64_t>(seconds, INT32_MAX)))
             << " moving, " << calories << " kcal\n";
    }
    return tool.Print(text.str());
}
