#include "activities/ActivityImportPlan.h"

#include "activities/ActivityFile.h"
#include "store/DateUtility.h"
#include "store/FileIo.h"
#include "store/IndexTable.h"
#include "store/Windows1252.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::vector<std::string> ActivityImportPlan::FilesOf(const std::string& operand) {
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

bool ActivityImportPlan::Read(const std::vector<std::string>& operands, const Progress& progress) {
    std::vector<std::vector<std::string>> filesOf;
    std::size_t total = 0;
    for (const std::string& operand : operands) {
        filesOf.push_back(FilesOf(operand));
        total += filesOf.back().size();
    }
    std::size_t done = 0;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < operands.size(); ++i) {
        if (filesOf[i].empty()) {
            leftOut.push_back({operands[i], "holds no .fit, .gpx or .tcx file", true});
        }
        for (const std::string& file : filesOf[i]) {
            if (progress && !progress(done, total)) {
                return false;
            }
            ++done;
            if (!seen.insert(fs::path(file).lexically_normal().string()).second) {
                continue; // named twice, or found in a folder also named
            }
            // Progress is also asked while a file is read, so Cancel stops a huge one.
            const ActivityFileResult result =
                ActivityFile::Read(file, [&] { return !progress || progress(done - 1, total); });
            if (result.problem == FileProblem::Cancelled) {
                return false;
            }
            FileProblem problem = result.problem;
            if (problem == FileProblem::None &&
                !placed.Add(fileio::LastComponent(file), result.activities)) {
                problem = FileProblem::OutsideDates;
            }
            if (problem != FileProblem::None) {
                leftOut.push_back(
                    {file, std::string(FileProblemText(problem)) +
                               (result.detail.empty() ? "" : " (" + result.detail + ")")});
                continue;
            }
            ++filesRead;
        }
    }
    return true;
}

void ActivityImportPlan::Decide(ActivityDays::Unit unit, const IndexTable* table,
                                Existing existing) {
    days.clear();
    for (ActivityDays::Day& day : placed.Days(unit)) {
        const int position = table ? table->Find(day.record.dateKey) : IndexTable::kNotFound;
        const bool holds = position != IndexTable::kNotFound && !table->At(position).IsErased();
        Fate fate = Fate::New;
        if (holds) {
            fate = existing == Existing::Skip      ? Fate::Kept
                   : existing == Existing::Replace ? Fate::Replaces
                                                   : Fate::Refused;
        }
        days.push_back({std::move(day), fate});
    }
}

std::size_t ActivityImportPlan::Count(Fate fate) const {
    return static_cast<std::size_t>(std::count_if(
        days.begin(), days.end(), [fate](const PlannedDay& d) { return d.fate == fate; }));
}

std::vector<DayRecord> ActivityImportPlan::Records() const {
    std::vector<DayRecord> records;
    for (const PlannedDay& d : days) {
        if (d.fate == Fate::New || d.fate == Fate::Replaces) {
            records.push_back(d.day.record);
        }
    }
    return records;
}

std::string ActivityImportPlan::CountsText() const {
    std::string text = Plural(Count(Fate::New) + Count(Fate::Replaces), "day", "days") + " from " +
                       Plural(filesRead, "file", "files");
    if (const std::size_t kept = Count(Fate::Kept); kept > 0) {
        text += "; " + Plural(kept, "day", "days") + " kept";
    }
    if (!leftOut.empty()) {
        text += "; " + Plural(leftOut.size(), "file", "files") + " left out";
    }
    return text;
}

ActivityImportPlan::DayTexts ActivityImportPlan::Texts(const DayRecord& record,
                                                       ActivityDays::Unit unit,
                                                       const DateUtility& dates) {
    char distance[32];
    std::snprintf(distance, sizeof distance, "%.2f %s", static_cast<double>(record.distance),
                  ActivityDays::UnitName(unit));
    return {DateUtility::KeyText(record.dateKey),
            Windows1252::Decode(record.WorkoutText()),
            distance,
            dates.DurationText(record.time),
            record.maxHeartRate > 0 ? std::to_string(record.maxHeartRate) : "-",
            std::to_string(record.calories) + " kcal"};
}
