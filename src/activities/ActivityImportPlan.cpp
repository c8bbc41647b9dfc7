#include "activities/ActivityImportPlan.h"

#include "activities/ActivityFile.h"
#include "activities/ActivitySports.h"
#include "store/DateUtility.h"
#include "store/EscapedText.h"
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

// An activity counts as one an earlier file gave when it starts this close to it.
constexpr std::int64_t kSameStart = 60;

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
            if (result.problem != FileProblem::None) {
                leftOut.push_back(
                    {file, std::string(FileProblemText(result.problem)) +
                               (result.detail.empty() ? "" : " (" + result.detail + ")")});
                continue;
            }
            if (Place(file, result.activities)) {
                ++filesRead;
            }
        }
    }
    return true;
}

const std::string* ActivityImportPlan::SameAs(const Activity& activity) const {
    for (auto it = starts.lower_bound(activity.start - kSameStart);
         it != starts.end() && it->first <= activity.start + kSameStart; ++it) {
        if (ActivitySports::MayBeSame(it->second.sport, activity.sport)) {
            return &it->second.file;
        }
    }
    return nullptr;
}

bool ActivityImportPlan::Place(const std::string& file, const std::vector<Activity>& activities) {
    struct Refused {
        std::size_t index;
        std::string why;
    };
    std::vector<Activity> taken;
    std::vector<Refused> refused;
    for (std::size_t i = 0; i < activities.size(); ++i) {
        const Activity& a = activities[i];
        if (const std::string implausible = ActivitySports::Implausible(a); !implausible.empty()) {
            refused.push_back({i, "implausible (" + implausible + ")"});
        } else if (const std::string* earlier = SameAs(a)) {
            refused.push_back({i, "same activity as " + *earlier});
        } else {
            taken.push_back(a);
        }
    }
    if (taken.empty() && !refused.empty()) {
        std::vector<std::string> reasons;
        for (const Refused& r : refused) {
            const std::string reason = r.why.starts_with("implausible") ? "is " + r.why : r.why;
            if (std::find(reasons.begin(), reasons.end(), reason) == reasons.end()) {
                reasons.push_back(reason);
            }
        }
        std::string text;
        for (const std::string& reason : reasons) {
            text += (text.empty() ? "" : "; ") + reason;
        }
        leftOut.push_back({file, text});
        return false;
    }
    if (!placed.Add(fileio::LastComponent(file), taken)) {
        leftOut.push_back({file, FileProblemText(FileProblem::OutsideDates)});
        return false;
    }
    for (const Refused& r : refused) {
        leftOut.push_back({file,
                           "activity " + std::to_string(r.index + 1) + " of " +
                               std::to_string(activities.size()) + " (" +
                               activities[r.index].sport + ") left out: " + r.why,
                           false, true});
    }
    for (const Activity& a : taken) {
        starts.emplace(a.start, Seen{a.sport, file});
    }
    return true;
}

std::string ActivityImportPlan::Text(const LeftOut& leftOut) {
    return EscapedText::Of(leftOut.file + ": " + leftOut.reason);
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
    const auto activities = static_cast<std::size_t>(std::count_if(
        leftOut.begin(), leftOut.end(), [](const LeftOut& l) { return l.oneActivity; }));
    if (const std::size_t files = leftOut.size() - activities; files > 0) {
        text += "; " + Plural(files, "file", "files") + " left out";
    }
    if (activities > 0) {
        text += "; " + Plural(activities, "activity", "activities") + " left out";
    }
    return text;
}

ActivityImportPlan::DayTexts ActivityImportPlan::Texts(const ActivityDays::Day& day,
                                                       ActivityDays::Unit unit,
                                                       const DateUtility& dates) {
    const DayRecord& record = day.record;
    char distance[32];
    std::snprintf(distance, sizeof distance, "%.2f %s", static_cast<double>(record.distance),
                  ActivityDays::UnitName(unit));
    std::string files;
    for (const std::string& file : day.files) {
        files += (files.empty() ? "" : ", ") + file;
    }
    std::string note;
    for (const std::string& n : day.notes) {
        note += (note.empty() ? "(" : " (") + n + ")";
    }
    return {DateUtility::KeyText(record.dateKey),
            EscapedText::Of(Windows1252::Decode(record.WorkoutText())),
            distance,
            dates.DurationText(record.time),
            record.maxHeartRate > 0 ? std::to_string(record.maxHeartRate) : "-",
            std::to_string(record.calories) + " kcal",
            EscapedText::Of(files),
            EscapedText::Of(note)};
}
