#include "activities/ActivityImportPlan.h"

#include "activities/ActivityFile.h"
#include "activities/ActivitySports.h"
#include "activities/ActivityTotals.h"
#include "store/ActivityStore.h"
#include "store/ContentHash.h"
#include "store/DateUtility.h"
#include "store/EscapedText.h"
#include "store/FileIo.h"
#include "store/GearStore.h"
#include "store/IndexTable.h"
#include "store/LogBookDatabase.h"
#include "store/Windows1252.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// An activity counts as one an earlier file gave when it starts this close to it.
constexpr std::int64_t kSameStart = 60;

std::string Plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The hash of a file's bytes as they lie on the disk (compressed or not); 0 when it cannot
// be read again.
std::uint64_t HashOf(const std::string& file) {
    const int fd = fileio::OpenNoWait(file, O_RDONLY);
    if (fd < 0) {
        return 0;
    }
    struct stat info {};
    std::uint64_t hash = 0;
    if (::fstat(fd, &info) != 0 || !ContentHash::OfFile(fd, info.st_size, hash)) {
        hash = 0;
    }
    ::close(fd);
    return hash;
}

const char* const kOrdinals[] = {"a second", "a third", "a fourth", "a fifth"};

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
    const bool whole = ReadFiles(operands, progress);
    leftOutReading = leftOut.size();
    return whole;
}

bool ActivityImportPlan::ReadFiles(const std::vector<std::string>& operands,
                                   const Progress& progress) {
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
            if (Place(file, fileio::LastComponent(file), HashOf(file), result.activities)) {
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

void ActivityImportPlan::Take(const std::string& source, const std::string& file,
                              std::uint64_t fileHash, const std::vector<Activity>& activities) {
    if (Place(source, file, fileHash, activities)) {
        ++filesRead;
    }
    leftOutReading = leftOut.size();
}

bool ActivityImportPlan::Place(const std::string& file, const std::string& storedAs,
                               std::uint64_t fileHash, const std::vector<Activity>& activities) {
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
    if (ActivityDays probe; !probe.Add(file, taken)) {
        leftOut.push_back({file, FileProblemText(FileProblem::OutsideDates)});
        return false;
    }
    Taken kept{file, storedAs, fileHash, activities.size(), {}};
    for (std::size_t i = 0, r = 0; i < activities.size(); ++i) {
        if (r < refused.size() && refused[r].index == i) {
            ++r;
        } else {
            // Only the best efforts are kept of a track: a year of files holds millions of
            // points.
            Activity a = activities[i];
            if (!a.track.empty()) {
                trackTimes.emplace(a.start, BestEfforts::Of(a.track));
                a.track = {};
            }
            kept.activities.emplace_back(i, std::move(a));
        }
    }
    takenFiles.push_back(std::move(kept));
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

void ActivityImportPlan::AddEfforts(std::int64_t storedStart, std::int64_t readStart) {
    const auto found = trackTimes.find(readStart);
    if (found == trackTimes.end()) {
        return;
    }
    for (std::size_t k = 0; k < BestEfforts::kCount; ++k) {
        if (found->second[k]) {
            efforts.push_back({storedStart, BestEfforts::kMetres[k], *found->second[k]});
        }
    }
}

ActivityStore::Outcome ActivityImportPlan::StoreEfforts(ActivityStore& activities) const {
    RecordStore records(activities);
    return records.StoreEfforts(efforts);
}

std::string ActivityImportPlan::Text(const LeftOut& leftOut) {
    return EscapedText::Of(leftOut.file + ": " + leftOut.reason);
}

void ActivityImportPlan::Decide(ActivityDays::Unit unitOfDays, LogBookDatabase* logbook,
                                const ActivityStore* stored, Existing existing) {
    unit = unitOfDays;
    leftOut.resize(leftOutReading);
    days.clear();
    efforts.clear();
    const bool storedOpen = stored && stored->IsOpen();
    // The days an import cut short left unwritten; other days without their activities were
    // erased afterwards.
    std::set<std::int32_t> unwritten;
    if (storedOpen) {
        std::vector<DayRecord> planned;
        stored->Planned(planned);
        for (const DayRecord& record : planned) {
            unwritten.insert(record.dateKey);
        }
    }

    // With Replace, the days the files touch give up their stored activities, so an activity
    // stored on one of them is no reason to leave a file's out.
    std::set<std::int32_t> touched;
    for (const Taken& file : takenFiles) {
        for (const auto& [index, a] : file.activities) {
            touched.insert(static_cast<std::int32_t>(ActivityDays::DateKeyOf(a)));
        }
    }
    ActivityDays placed;
    std::size_t wholeFilesOut = 0;
    for (const Taken& file : takenFiles) {
        std::vector<Activity> fresh;
        struct Already {
            std::size_t index;
            std::string sport;
            std::string reason; // naming the stored activity's file
        };
        std::vector<Already> already;
        for (const auto& [index, a] : file.activities) {
            std::vector<ActivityRow> near;
            if (storedOpen && !ActivitySports::IsTransition(a.sport)) {
                stored->Starting(a.start - kSameStart, a.start + kSameStart, near);
            }
            const auto same = std::find_if(near.begin(), near.end(), [&](const ActivityRow& r) {
                return ActivitySports::MayBeSame(r.sport, a.sport) &&
                       !(existing == Existing::Replace && touched.count(r.day) > 0);
            });
            AddEfforts(same != near.end() ? same->start : a.start, a.start);
            if (same != near.end()) {
                // Its day missing: an import stopped after storing the activities, or the
                // day was erased since.
                const int position = logbook && logbook->IsOpen() ? logbook->Table().Find(same->day)
                                                                  : IndexTable::kNotFound;
                const bool dayMissing =
                    logbook && logbook->IsOpen() &&
                    (position == IndexTable::kNotFound || logbook->Table().At(position).IsErased());
                already.push_back(
                    {index, a.sport,
                     "already imported (same as " + same->file + ")" +
                         (!dayMissing ? ""
                          : unwritten.count(same->day) > 0
                              ? ", but its day is not in the logbook yet: veloria-logbook "
                                "check --repair writes it"
                              : ", and its day was erased from the logbook since")});
            } else {
                fresh.push_back(a);
            }
        }
        if (fresh.empty() && !already.empty()) {
            leftOut.push_back({file.file, already[0].reason});
            ++wholeFilesOut;
            continue;
        }
        for (const Already& a : already) {
            leftOut.push_back({file.file,
                               "activity " + std::to_string(a.index + 1) + " of " +
                                   std::to_string(file.count) + " (" + a.sport +
                                   ") left out: " + a.reason,
                               false, true});
        }
        placed.Add(file.storedAs, fresh, file.hash);
    }
    filesRead = takenFiles.size() - wholeFilesOut;
    std::set<std::tuple<std::int64_t, double, double>> kept;
    if (storedOpen) {
        for (const RecordStore::Effort& e : RecordStore::EffortsIn(*stored)) {
            kept.emplace(e.start, e.metres, e.seconds);
        }
    }
    newEfforts = static_cast<std::size_t>(
        std::count_if(efforts.begin(), efforts.end(), [&](const RecordStore::Effort& e) {
            return kept.count({e.start, e.metres, e.seconds}) == 0;
        }));
    for (ActivityDays::Day& day : placed.Days(unit)) {
        PlannedDay planned{std::move(day), Fate::New, {}};
        DecideDay(planned, logbook, storedOpen ? stored : nullptr, existing);
        days.push_back(std::move(planned));
    }
}

void ActivityImportPlan::DecideDay(PlannedDay& planned, LogBookDatabase* logbook,
                                   const ActivityStore* stored, Existing existing) const {
    ActivityDays::Day& day = planned.day;
    const std::int32_t key = day.record.dateKey;
    if (stored) {
        stored->Read(key, key, planned.stored);
    }
    const IndexTable* table = logbook && logbook->IsOpen() ? &logbook->Table() : nullptr;
    const int position = table ? table->Find(key) : IndexTable::kNotFound;
    DayRecord entry = DayRecord::Blank(key);
    const bool holds = position != IndexTable::kNotFound && !table->At(position).IsErased();
    if (holds && logbook->ReadDay(DateValue::Of(key / 10000, key / 100 % 100, key % 100), entry) !=
                     LogBookDatabase::ReadResult::Read) {
        planned.fate = Fate::Refused; // an entry that cannot be read is never overwritten
        return;
    }
    std::vector<ActivityRow> all = planned.stored;
    all.insert(all.end(), day.activities.begin(), day.activities.end());
    if (!holds) {
        planned.fate = Fate::New;
        if (!planned.stored.empty() && existing == Existing::Replace) {
            planned.fate = Fate::Replaces; // the stored ones go, the day is the new ones'
        } else if (!planned.stored.empty()) {
            // Activities stored for a day the logbook lacks (an import cut short): the day
            // is made from them all.
            std::stable_sort(
                all.begin(), all.end(),
                [](const ActivityRow& a, const ActivityRow& b) { return a.start < b.start; });
            ActivityDays::Day whole = ActivityDays::FromActivities(key, all, unit);
            whole.activities = day.activities; // what this import brings, as it is said
            whole.files = day.files;
            whole.notes = day.notes;
            day = std::move(whole);
        }
        return;
    }
    const bool fromActivities = !planned.stored.empty();
    if (existing == Existing::Replace) {
        planned.fate = Fate::Replaces;
        all = day.activities;
    } else if (fromActivities && !day.activities.empty()) {
        planned.fate = Fate::Adds;
    } else {
        planned.fate = existing == Existing::Skip ? Fate::Kept : Fate::Refused;
        return;
    }
    // The user's fields stay; the figures are those of the day's activities.
    const std::vector<ActivityRow> added = std::move(day.activities);
    day.record = entry;
    ActivityTotals::Apply(day.record, all, ActivityDays::MetresPer(unit));
    day.activities = added;
}

std::size_t ActivityImportPlan::Count(Fate fate) const {
    return static_cast<std::size_t>(std::count_if(
        days.begin(), days.end(), [fate](const PlannedDay& d) { return d.fate == fate; }));
}

namespace {

bool Stores(ActivityImportPlan::Fate fate) {
    using Fate = ActivityImportPlan::Fate;
    return fate == Fate::New || fate == Fate::Adds || fate == Fate::Replaces;
}

} // namespace

std::vector<DayRecord> ActivityImportPlan::Records() const {
    std::vector<DayRecord> records;
    for (const PlannedDay& d : days) {
        if (Stores(d.fate)) {
            records.push_back(d.day.record);
        }
    }
    return records;
}

std::vector<ActivityRow> ActivityImportPlan::AddedActivities() const {
    std::vector<ActivityRow> rows;
    for (const PlannedDay& d : days) {
        if (Stores(d.fate)) {
            rows.insert(rows.end(), d.day.activities.begin(), d.day.activities.end());
        }
    }
    return rows;
}

std::vector<std::int64_t> ActivityImportPlan::RemovedActivities() const {
    std::vector<std::int64_t> ids;
    for (const PlannedDay& d : days) {
        if (d.fate == Fate::Replaces) {
            for (const ActivityRow& row : d.stored) {
                ids.push_back(row.id);
            }
        }
    }
    return ids;
}

std::string ActivityImportPlan::FateText(const PlannedDay& planned) {
    const std::size_t added = planned.day.activities.size();
    const std::size_t held = planned.stored.size();
    switch (planned.fate) {
    case Fate::New:
        return "new";
    case Fate::Adds:
        if (added == 1 && held <= std::size(kOrdinals)) {
            return std::string("adds ") + kOrdinals[held - 1] + " activity";
        }
        return "adds " + Plural(added, "activity", "activities");
    case Fate::Replaces:
        return held == 0 ? "replaces its figures"
                         : "replaces " + Plural(held, "activity", "activities");
    case Fate::Kept:
        return "entry kept";
    case Fate::Refused:
        break;
    }
    return "holds an entry";
}

ActivityImportPlan::StoreOutcome ActivityImportPlan::Store(LogBookDatabase& logbook,
                                                           ActivityStore& activities,
                                                           std::string& problem) const {
    const std::vector<DayRecord> records = Records();
    std::vector<ActivityRow> added = AddedActivities();
    const std::vector<std::int64_t> removed = RemovedActivities();
    // The activities are committed first, with the records of the days about to be written,
    // and the days written after. A stop in between leaves activities whose days do not show
    // them yet and those days' planned records: veloria-logbook check names those days and
    // check --repair writes the planned records. The planned records go once the days are
    // in, so a day the user changes or erases later is never taken for one left unwritten.
    // The other way round, a stop would leave days whose activities were lost.
    const bool changesActivities = !added.empty() || !removed.empty();
    std::vector<std::int32_t> keys;
    for (const DayRecord& record : records) {
        keys.push_back(record.dateKey);
    }
    // What an earlier import cut short planned for these days, put back if this one is
    // taken back.
    std::vector<DayRecord> earlier;
    if (changesActivities) {
        // The backup before the import holds the activities as they were too: made between
        // the two files' changes, it would pair new activities with the old days.
        logbook.ChangeAhead();
        activities.SettleWritten(logbook);
        if (activities.IsOpen() && activities.Planned(earlier).Ok()) {
            std::erase_if(earlier, [&](const DayRecord& r) {
                return std::find(keys.begin(), keys.end(), r.dateKey) == keys.end();
            });
        }
        if (const ActivityStore::Outcome changed =
                activities.Change(removed, added, ActivityDays::UnitName(unit), records);
            !changed.Ok()) {
            problem = changed.words;
            return StoreOutcome::NothingStored;
        }
        // A new activity of a sport with a default item carries it; the activities are
        // stored either way, and gear can be given to them later.
        GearStore(activities).AssignDefaults(added);
    }
    if (records.empty() || logbook.StoreAll(records) == LogBookDatabase::StoreResult::Stored) {
        // Whatever was planned for these days is done with, an earlier import's too. Should
        // this fail, the planned records are those the days hold: check --repair clears them
        // and changes no day.
        if (!records.empty() && activities.IsOpen()) {
            activities.Settle(keys);
        }
        return StoreOutcome::Stored;
    }
    if (!changesActivities) {
        return StoreOutcome::NothingStored;
    }
    // The days were not stored: the activities are taken back as they were, and the planned
    // records with them.
    std::vector<std::int64_t> addedIds;
    for (const ActivityRow& row : added) {
        addedIds.push_back(row.id);
    }
    std::vector<ActivityRow> back;
    for (const PlannedDay& d : days) {
        if (d.fate == Fate::Replaces) {
            back.insert(back.end(), d.stored.begin(), d.stored.end());
        }
    }
    if (activities.Change(addedIds, back, ActivityDays::UnitName(unit), earlier, keys).Ok()) {
        return StoreOutcome::NothingStored;
    }
    problem = "the activities were stored but their days were not; veloria-logbook check "
              "--repair writes the days";
    return StoreOutcome::DaysBehind;
}

std::string ActivityImportPlan::CountsText() const {
    std::string text =
        Plural(Count(Fate::New) + Count(Fate::Adds) + Count(Fate::Replaces), "day", "days") +
        " from " + Plural(filesRead, "file", "files");
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
            // What the files bring, also where the day keeps the workout the user gave it.
            EscapedText::Of(day.activities.empty() ? Windows1252::Decode(record.WorkoutText())
                                                   : ActivityDays::SportsOf(day.activities)),
            distance, dates.DurationText(record.time),
            record.maxHeartRate > 0 ? std::to_string(record.maxHeartRate) : "-",
            std::to_string(record.calories) + " kcal", EscapedText::Of(files),
            EscapedText::Of(note)};
}
