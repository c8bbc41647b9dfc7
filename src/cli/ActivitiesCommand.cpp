#include "cli/ActivitiesCommand.h"

#include "activities/ActivitySports.h"
#include "activities/DayActivitiesText.h"
#include "activities/DefaultSport.h"
#include "cli/ActivityCsv.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/ActivityStore.h"
#include "store/EscapedText.h"
#include "store/LogBookDatabase.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>
#include <strings.h>

namespace {

// The short word the rest of the program names a sport by; a sport without one keeps its name.
std::string SportWord(const std::string& sport) {
    const std::string_view word = ActivitySports::Word(sport);
    return word.empty() ? sport : std::string(word);
}

std::string HeartRate(std::int32_t rate) {
    return rate > 0 ? std::to_string(rate) : "-";
}

// --default-sport NAME: stored under the logbook's lock, beside its days.
int SetDefaultSport(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    for (const Option other :
         {Option::From, Option::To, Option::Sport, Option::Csv, Option::Days}) {
        if (tool.Given(other)) {
            return tool.UsageError("--default-sport is given alone");
        }
    }
    const std::string name = DefaultSport::NameOf(*tool.Value(Option::DefaultSport));
    if (name.empty()) {
        std::string choices;
        for (const std::string& word : DefaultSport::Choices()) {
            choices += (choices.empty() ? "" : ", ") + word;
        }
        return tool.UsageError("--default-sport must be one of " + choices);
    }
    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    if (!ToolCommand::Exists(logbook)) {
        return tool.Fail(EscapedText::Of(logbook) + ": no such logbook");
    }
    if (database.Open(logbook) == LogBookDatabase::OpenResult::Failed) {
        return ToolCommand::kProblem;
    }
    if (const ActivityStore::Outcome stored = DefaultSport::Store(database, name); !stored.Ok()) {
        return tool.Fail(EscapedText::Of(stored.words) + "; the default sport was not changed");
    }
    return tool.Print(EscapedText::Of(logbook) + ": the default sport is " +
                      DefaultSport::WordOf(name) + "\n");
}

// --days: each day's line as the Log Book's header shows it.
std::string DayLines(const std::vector<ActivityRow>& rows, const std::string& unit) {
    std::map<std::int32_t, std::vector<ActivityRow>> byDay;
    for (const ActivityRow& row : rows) {
        byDay[row.day].push_back(row);
    }
    std::string text;
    for (const auto& [day, activities] : byDay) {
        const std::string line =
            DayActivitiesText::Line(activities, unit, DayActivitiesText::kLogBookCharacters);
        if (!line.empty()) {
            text += DateUtility::KeyText(day) + "  " + EscapedText::Of(line) + '\n';
        }
    }
    return text;
}

} // namespace

int ActivitiesCommand(ToolCommand& tool) {
    if (tool.Given(Option::DefaultSport)) {
        return SetDefaultSport(tool);
    }
    if (tool.Given(Option::Days) && tool.Given(Option::Csv)) {
        return tool.UsageError("--days and --csv exclude each other");
    }
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
    if (!tool.RangeKeys(database, first, last)) {
        return ToolCommand::kProblem;
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
    if (const std::optional<std::string>& sport = tool.Value(Option::Sport)) {
        std::erase_if(rows, [&](const ActivityRow& row) {
            return !ActivitySports::Matches(row.sport, *sport);
        });
    }
    if (tool.Given(Option::Days)) {
        return tool.Print(DayLines(rows, store.Unit()));
    }

    std::ostringstream text;
    const ActivityCsv activityCsv(tool.dates);
    const bool csv = tool.Given(Option::Csv);
    if (csv) {
        text << ActivityCsv::kHeader;
    } else {
        text << "Default sport: " << EscapedText::Of(DefaultSport::WordOf(store.DefaultSport()))
             << " (days without activities)\n";
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
        ++count;
        metres += row.metres;
        seconds += row.movingSeconds;
        calories += row.calories;
        const std::string date = DateUtility::KeyText(row.day);
        const std::string moving = tool.dates.DurationText(row.movingSeconds);
        if (csv) {
            text << activityCsv.Line(row);
            continue;
        }
        char line[160];
        std::snprintf(line, sizeof line, "%-10s  %-5s  %-12s  %6s km  %8s  %6s  %6s  %4d kcal  ",
                      date.c_str(), ActivityCsv::LocalTime(row.start).c_str(),
                      EscapedText::Of(SportWord(row.sport)).c_str(),
                      ActivityCsv::Kilometres(row.metres).c_str(), moving.c_str(),
                      HeartRate(row.avgHeartRate).c_str(), HeartRate(row.maxHeartRate).c_str(),
                      row.calories);
        text << line << EscapedText::Of(row.file) << '\n';
    }
    if (!csv) {
        text << count << (count == 1 ? " activity: " : " activities: ")
             << ActivityCsv::Kilometres(metres) << " km, "
             << tool.dates.DurationText(
                    static_cast<std::int32_t>(std::min<std::int64_t>(seconds, INT32_MAX)))
             << " moving, " << calories << " kcal\n";
    }
    return tool.Print(text.str());
}
