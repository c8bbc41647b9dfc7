#include "cli/ActivityImport.h"

#include "activities/ActivityDays.h"
#include "activities/ActivityFile.h"
#include "cli/DayCsv.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/FileIo.h"
#include "store/LogBookDatabase.h"
#include "store/Windows1252.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

namespace {

namespace fs = std::filesystem;

std::string Plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The files an operand stands for: itself, or a folder's activity files in name order.
std::vector<std::string> FilesOf(const std::string& operand) {
    std::error_code error;
    if (!fs::is_directory(operand, error)) {
        return {operand};
    }
    std::vector<std::string> files;
    fs::recursive_directory_iterator it(operand, fs::directory_options::skip_permission_denied,
                                        error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (ActivityFile::HasActivityName(it->path().filename().string()) &&
            !it->is_directory(error)) {
            files.push_back(it->path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string DayLine(const ActivityDays::Day& day, const char* unit, const DateUtility& dates) {
    const DayRecord& r = day.record;
    char distance[32];
    std::snprintf(distance, sizeof distance, "%.2f %s", static_cast<double>(r.distance), unit);
    std::string line = DayCsv::DateText(r.dateKey) + "  " + Windows1252::Decode(r.WorkoutText()) +
                       "  " + distance + "  " + dates.DurationText(r.time) + "  max HR " +
                       (r.maxHeartRate > 0 ? std::to_string(r.maxHeartRate) : "-") + "  " +
                       std::to_string(r.calories) + " kcal  ";
    for (std::size_t i = 0; i < day.files.size(); ++i) {
        line += (i == 0 ? "" : ", ") + day.files[i];
    }
    return line;
}

} // namespace

int ImportActivities(ToolCommand& tool) {
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

    ActivityDays placed;
    std::size_t filesRead = 0;
    std::size_t leftOut = 0;
    std::set<std::string> seen;
    for (std::size_t i = 1; i < tool.operands.size(); ++i) {
        const std::vector<std::string> files = FilesOf(tool.operands[i]);
        if (files.empty()) {
            tool.Fail(tool.operands[i] + ": holds no .fit, .gpx or .tcx file");
            ++leftOut;
        }
        for (const std::string& file : files) {
            if (!seen.insert(fs::path(file).lexically_normal().string()).second) {
                continue; // named twice, or found in a folder also named
            }
            const ActivityFileResult result = ActivityFile::Read(file);
            FileProblem problem = result.problem;
            if (problem == FileProblem::None &&
                !placed.Add(fileio::LastComponent(file), result.activities)) {
                problem = FileProblem::OutsideDates;
            }
            if (problem != FileProblem::None) {
                tool.Fail(file + ": " + FileProblemText(problem) +
                          (result.detail.empty() ? "" : " (" + result.detail + ")") + "; left out");
                ++leftOut;
                continue;
            }
            ++filesRead;
        }
    }
    std::vector<ActivityDays::Day> days = placed.Days(unit);

    // The days are checked against the logbook only once it is open and locked, so that
    // two imports cannot both find a day free.
    StreamReporter reporter(tool.err, logbook);
    LogBookDatabase database(reporter, tool.dates);
    if (!days.empty() && (!dryRun || ToolCommand::Exists(logbook)) &&
        database.Open(logbook,
                      dryRun ? LogBookDatabase::Access::Read : LogBookDatabase::Access::Write) ==
            LogBookDatabase::OpenResult::Failed) {
        return ToolCommand::kProblem;
    }
    std::vector<DayRecord> records;
    std::vector<std::string> lines;
    std::size_t kept = 0;
    std::size_t held = 0;
    const char* unitName = unit == ActivityDays::Unit::Miles ? "mi" : "km";
    for (const ActivityDays::Day& day : days) {
        const int position =
            database.IsOpen() ? database.Table().Find(day.record.dateKey) : IndexTable::kNotFound;
        const bool holds =
            position != IndexTable::kNotFound && !database.Table().At(position).IsErased();
        if (holds && tool.Given(Option::SkipExisting)) {
            lines.push_back(DayCsv::DateText(day.record.dateKey) +
                            "  kept: the logbook's entry stays");
            ++kept;
            continue;
        }
        if (holds && !tool.Given(Option::Replace)) {
            tool.Fail(DayCsv::DateText(day.record.dateKey) +
                      " already holds an entry (--replace replaces it, --skip-existing keeps "
                      "it)");
            ++held;
            continue;
        }
        lines.push_back(DayLine(day, unitName, tool.dates) +
                        (holds ? "  (replaces the entry)" : ""));
        records.push_back(day.record);
    }
    if (held > 0) {
        // Released without writing its index: the logbook stays as it was.
        return tool.Fail(Plural(held, "day already holds", "days already hold") +
                         " an entry; nothing was stored");
    }
    for (const std::string& line : lines) {
        tool.out << line << '\n';
    }
    std::string summary = (dryRun ? "would store " : "stored ") +
                          Plural(records.size(), "day", "days") + " from " +
                          Plural(filesRead, "file", "files");
    if (kept > 0) {
        summary += "; " + Plural(kept, "day", "days") + " kept";
    }
    if (leftOut > 0) {
        summary += "; " + Plural(leftOut, "file", "files") + " left out";
    }
    if (dryRun) {
        summary += "; nothing was changed (--dry-run)";
    }
    if (!dryRun && !records.empty()) {
        tool.BackUpBeforeChanges(database);
        if (database.StoreAll(records) != LogBookDatabase::StoreResult::Stored) {
            return tool.Fail(logbook + ": nothing was imported; the logbook is as it was");
        }
        if (database.Close() != LogBookDatabase::Result::Ok) {
            return tool.Fail(logbook + ": every day was stored, but the index could not be "
                                       "written; the next open rebuilds it");
        }
    }
    tool.out << summary << '\n';
    tool.out.flush();
    if (!tool.out) {
        return tool.StandardOutputFailed();
    }
    return leftOut > 0 ? ToolCommand::kProblem : ToolCommand::kSuccess;
}
