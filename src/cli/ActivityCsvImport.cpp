#include "cli/ActivityCsvImport.h"

#include "activities/ActivityImportPlan.h"
#include "activities/ActivitySports.h"
#include "cli/ActivityCsv.h"
#include "cli/ActivityImport.h"
#include "cli/CsvProblems.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/ActivityStore.h"
#include "store/EscapedText.h"
#include "store/LogBookDatabase.h"

#include <vector>

namespace {

// A row's start is its time of day on this machine's clock on the row's date, which is the
// date where the activity was done: one done across the date line started a day earlier or
// later here. When the logbook holds that activity (the same sport at that time of day on
// that day), its start is taken, so that it is found stored already.
void TakeStoredStarts(ToolCommand& tool, std::vector<Activity>& activities,
                      const std::vector<std::int32_t>& days) {
    const std::string& logbook = tool.operands[0];
    if (!ToolCommand::Exists(logbook)) {
        return;
    }
    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    ActivityStore store;
    if (database.Open(logbook, LogBookDatabase::Access::Read) !=
            LogBookDatabase::OpenResult::Opened ||
        !store.Open(database, false).Ok()) {
        return; // the import itself says why
    }
    for (std::size_t i = 0; i < activities.size(); ++i) {
        Activity& a = activities[i];
        std::vector<ActivityRow> stored;
        store.Read(days[i], days[i], stored);
        for (const ActivityRow& row : stored) {
            if (ActivitySports::MayBeSame(row.sport, a.sport) &&
                ActivityCsv::LocalTime(row.start) == ActivityCsv::LocalTime(a.start)) {
                *a.localOffset += a.start - row.start;
                a.start = row.start;
                break;
            }
        }
    }
}

} // namespace

int ImportActivityCsv(ToolCommand& tool, CsvText::Reader& reader, const std::string& csvName) {
    struct Read {
        int line;
        std::int32_t day;
        std::string file;
        Activity activity;
    };
    const ActivityCsv csv(tool.dates);
    std::vector<Read> read;
    CsvProblems problemRows(tool.err, csvName);
    CsvText::Row row;
    std::string problem;
    for (;;) {
        const CsvText::Reader::Result result = reader.Next(row, problem);
        if (result == CsvText::Reader::Result::End) {
            break;
        }
        if (result == CsvText::Reader::Result::Error) {
            return tool.Fail(csvName + ": " + EscapedText::Of(problem) + "; nothing was stored");
        }
        std::vector<std::string> problems;
        Read activity{row.line, 0, {}, {}};
        if (row.fields.size() != ActivityCsv::kColumnCount) {
            problems.push_back("has " + std::to_string(row.fields.size()) + " fields, the header " +
                               std::to_string(ActivityCsv::kColumnCount));
        } else if (csv.ReadRow(row.fields, activity.activity, activity.file, problems)) {
            activity.day = static_cast<std::int32_t>(ActivityDays::DateKeyOf(activity.activity));
            read.push_back(std::move(activity));
        }
        problemRows.Row(row.line, problems);
    }
    if (const std::string failed = problemRows.Finish(); !failed.empty()) {
        return tool.Fail(failed);
    }
    std::vector<Activity> activities;
    std::vector<std::int32_t> days;
    for (const Read& r : read) {
        activities.push_back(r.activity);
        days.push_back(r.day);
    }
    TakeStoredStarts(tool, activities, days);
    ActivityImportPlan plan;
    for (std::size_t i = 0; i < read.size(); ++i) {
        // The file's hash did not travel: 0, as for an activity typed by hand.
        plan.Take(tool.operands[1] + " line " + std::to_string(read[i].line), read[i].file, 0,
                  {activities[i]});
    }
    return ImportActivities(tool, plan);
}
