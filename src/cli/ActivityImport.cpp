#include "cli/ActivityImport.h"

#include "activities/ActivityDays.h"
#include "activities/ActivityImportPlan.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/ActivityStore.h"
#include "store/DateUtility.h"
#include "store/EscapedText.h"
#include "store/LogBookDatabase.h"

#include <cstdio>

namespace {

std::string Plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string DayLine(const ActivityDays::Day& day, ActivityDays::Unit unit,
                    const DateUtility& dates) {
    const ActivityImportPlan::DayTexts texts = ActivityImportPlan::Texts(day, unit, dates);
    return texts.date + "  " + texts.sport + "  " + texts.distance + "  " + texts.time +
           "  max HR " + texts.maxHeartRate + "  " + texts.calories + "  " + texts.files +
           (texts.note.empty() ? "" : "  " + texts.note);
}

} // namespace

int ImportActivities(ToolCommand& tool) {
    ActivityImportPlan plan;
    plan.Read(std::vector<std::string>(tool.operands.begin() + 1, tool.operands.end()));
    return ImportActivities(tool, plan);
}

int ImportActivities(ToolCommand& tool, ActivityImportPlan& plan) {
    const std::string& logbook = tool.operands[0];
    ActivityDays::Unit unit = ActivityDays::Unit::Kilometres;
    if (const std::optional<std::string>& u = tool.Value(Option::Unit)) {
        if (*u == "mi") {
            unit = ActivityDays::Unit::Miles;
        } else if (*u != "km") {
            return tool.UsageError("--unit must be km or mi");
        }
    }
    const bool dryRun = tool.Given(Option::DryRun);

    // whether any day was read
    plan.Decide(unit, nullptr, nullptr, ActivityImportPlan::Existing::Refuse);

    // The days are checked against the logbook only once it is open and locked, so that
    // two imports cannot both find a day free.
    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    if (!plan.Days().empty() && (!dryRun || ToolCommand::Exists(logbook)) &&
        database.Open(logbook,
                      dryRun ? LogBookDatabase::Access::Read : LogBookDatabase::Access::Write) ==
            LogBookDatabase::OpenResult::Failed) {
        return ToolCommand::kProblem;
    }
    ActivityStore activities;
    if (database.IsOpen()) {
        const ActivityStore::Outcome opened = activities.Open(database, !dryRun);
        if (!opened.Ok() && opened.code != ActivityStore::Code::Missing) {
            if (!dryRun) {
                return tool.Fail(EscapedText::Of(opened.words) + "; nothing was imported");
            }
            tool.err << "veloria-logbook: " << EscapedText::Of(opened.words) << '\n';
        }
    }
    plan.Decide(unit, database.IsOpen() ? &database : nullptr, &activities,
                tool.Given(Option::SkipExisting) ? ActivityImportPlan::Existing::Skip
                : tool.Given(Option::Replace)    ? ActivityImportPlan::Existing::Replace
                                                 : ActivityImportPlan::Existing::Refuse);
    for (const ActivityImportPlan::LeftOut& file : plan.LeftOutFiles()) {
        tool.Fail(ActivityImportPlan::Text(file) +
                  (file.emptyFolder || file.oneActivity ? "" : "; left out"));
    }
    const std::size_t leftOut = plan.LeftOutFiles().size();
    std::size_t toStore = 0;
    std::vector<std::string> lines;
    std::size_t held = 0;
    for (const ActivityImportPlan::PlannedDay& planned : plan.Days()) {
        const std::string date = DateUtility::KeyText(planned.day.record.dateKey);
        switch (planned.fate) {
        case ActivityImportPlan::Fate::Kept:
            lines.push_back(date + "  kept: the logbook's entry stays");
            break;
        case ActivityImportPlan::Fate::Refused:
            tool.Fail(date + " already holds an entry (--replace replaces it, --skip-existing "
                             "keeps it)");
            ++held;
            break;
        case ActivityImportPlan::Fate::New:
        case ActivityImportPlan::Fate::Adds:
        case ActivityImportPlan::Fate::Replaces:
            lines.push_back(DayLine(planned.day, unit, tool.dates) +
                            (planned.fate == ActivityImportPlan::Fate::New
                                 ? ""
                                 : "  (" + ActivityImportPlan::FateText(planned) + ")"));
            ++toStore;
            break;
        }
    }
    if (held > 0) {
        // Released without writing its index: the logbook stays as it was.
        return tool.Fail(Plural(held, "day already holds", "days already hold") +
                         " an entry; nothing was stored");
    }
    for (const std::string& line : lines) {
        tool.out << line << '\n';
    }
    std::string summary = (dryRun ? "would store " : "stored ") + plan.CountsText();
    if (dryRun) {
        summary += "; nothing was changed (--dry-run)";
    }
    if (!dryRun && toStore > 0) {
        tool.BackUpBeforeChanges(database);
        std::string problem;
        switch (plan.Store(database, activities, problem)) {
        case ActivityImportPlan::StoreOutcome::Stored:
            break;
        case ActivityImportPlan::StoreOutcome::NothingStored:
            if (!problem.empty()) {
                tool.Fail(EscapedText::Of(problem));
            }
            return tool.Fail(EscapedText::Of(logbook) +
                             ": nothing was imported; the logbook is as it was");
        case ActivityImportPlan::StoreOutcome::DaysBehind:
            return tool.Fail(EscapedText::Of(logbook) + ": " + problem);
        }
        if (const ActivityStore::Outcome kept = plan.StoreEfforts(activities); !kept.Ok()) {
            tool.Fail(EscapedText::Of(kept.words));
        }
        activities.Close();
        if (database.Close() != LogBookDatabase::Result::Ok) {
            return tool.Fail(EscapedText::Of(logbook) +
                             ": every day was stored, but the index could not be written; the "
                             "next open rebuilds it");
        }
    }
    if (!dryRun && toStore == 0 && plan.NewEfforts() > 0) {
        // Files imported before their tracks were read: their best efforts are filled in.
        if (const ActivityStore::Outcome kept = plan.StoreEfforts(activities); !kept.Ok()) {
            tool.Fail(EscapedText::Of(kept.words));
        }
    }
    tool.out << summary << '\n';
    tool.out.flush();
    if (!tool.out) {
        return tool.StandardOutputFailed();
    }
    return leftOut > 0 ? ToolCommand::kProblem : ToolCommand::kSuccess;
}
