#include "cli/CheckCommand.h"

#include "activities/ActivityDays.h"
#include "activities/ActivityTotals.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/ActivityStore.h"
#include "store/DataFile.h"
#include "store/EscapedText.h"
#include "store/FileIo.h"
#include "store/IndexFile.h"
#include "store/LogBookDatabase.h"

#include <map>
#include <sys/stat.h>

namespace {

// What check finds in a logbook.
struct Findings {
    bool opened = false;
    IndexFile::Verdict verdict;
    bool countedFromData = false;
    long long liveDays = 0;
    long long erasedDays = 0;
    long long records = 0;
    long long strayBytes = 0;
    std::vector<std::int64_t> undated; // records left out: no valid date

    bool Consistent() const {
        return opened && verdict.state == IndexFile::State::Ok && strayBytes == 0;
    }
};

Findings Examine(const std::string& logbook, std::ostream& err) {
    Findings found;
    if (logbook.size() > LogBookDatabase::kMaxNameLength) {
        err << "veloria-logbook: logbook file name is longer than 255 characters\n";
        return found;
    }
    if (IndexFile::NameFor(logbook) == logbook) {
        err << "veloria-logbook: " << logbook << ": is the name of an index, not of a logbook\n";
        return found;
    }
    DataFile data;
    switch (data.Open(logbook, false, true)) {
    case DataFile::OpenResult::Opened:
        break;
    case DataFile::OpenResult::Missing:
        err << "veloria-logbook: " << logbook << ": no such logbook\n";
        return found;
    case DataFile::OpenResult::Locked:
        err << "veloria-logbook: " << logbook << ": Logbook is in use by another program.\n";
        return found;
    case DataFile::OpenResult::NotRegular:
    case DataFile::OpenResult::TooLarge:
    case DataFile::OpenResult::Failed:
        err << "veloria-logbook: " << logbook << ": " << data.Problem() << "\n";
        return found;
    }
    const std::int64_t size = data.Size();
    if (size < 0) {
        err << "veloria-logbook: " << logbook << ": the data file's size cannot be read\n";
        return found;
    }
    found.opened = true;
    found.records = size / static_cast<std::int64_t>(DayRecord::kSize);
    found.strayBytes = size % static_cast<std::int64_t>(DayRecord::kSize);

    IndexTable table;
    found.verdict = IndexFile::Load(IndexFile::NameFor(logbook), data, table);
    IndexTable rebuilt;
    IndexFile::Rebuild(data, rebuilt, &found.undated);
    if (found.verdict.state != IndexFile::State::Ok) {
        found.countedFromData = true;
        table = std::move(rebuilt);
    }
    for (const IndexEntry& entry : table.Entries()) {
        ++(entry.IsErased() ? found.erasedDays : found.liveDays);
    }
    return found;
}

// What check finds in the activities file, against the days of the open logbook.
struct ActivityFindings {
    ActivityStore::Outcome file{ActivityStore::Code::Missing, ""};
    std::size_t activities = 0;
    std::string unit = "km";
    std::map<std::int32_t, std::vector<ActivityRow>> byDay;
    std::vector<std::int32_t> withoutEntry; // activities of a day the logbook lacks
    std::vector<std::int32_t> differing;    // an entry whose figures are not its activities'

    bool Consistent() const {
        return (file.Ok() || file.code == ActivityStore::Code::Missing) && withoutEntry.empty() &&
               differing.empty();
    }
};

DateValue DateOfKey(std::int32_t key) {
    return DateValue::Of(key / 10000, key / 100 % 100, key % 100);
}

bool HasActivitiesFile(const std::string& logbook) {
    struct stat info {};
    return ::lstat(ActivityStore::NameFor(fileio::Resolved(logbook)).c_str(), &info) == 0;
}

// Under the lock of the open logbook: no import changes the activities meanwhile.
ActivityFindings ExamineActivities(LogBookDatabase& database) {
    ActivityFindings found;
    found.file = ActivityStore::Check(database);
    if (!found.file.Ok()) {
        return found;
    }
    ActivityStore store;
    if (const ActivityStore::Outcome opened = store.Open(database, false); !opened.Ok()) {
        found.file = opened;
        return found;
    }
    std::vector<ActivityRow> rows;
    if (const ActivityStore::Outcome read = store.Read(0, 0, rows); !read.Ok()) {
        found.file = read;
        return found;
    }
    found.activities = rows.size();
    found.unit = store.Unit();
    for (ActivityRow& row : rows) {
        found.byDay[row.day].push_back(std::move(row));
    }
    const bool miles = found.unit == "mi";
    const double metresPerUnit = ActivityDays::MetresPer(miles ? ActivityDays::Unit::Miles
                                                               : ActivityDays::Unit::Kilometres);
    const double otherPerUnit = ActivityDays::MetresPer(miles ? ActivityDays::Unit::Kilometres
                                                              : ActivityDays::Unit::Miles);
    for (const auto& [key, activities] : found.byDay) {
        DayRecord day = DayRecord::Blank(key);
        if (database.ReadDay(DateOfKey(key), day) != LogBookDatabase::ReadResult::Read ||
            day.erased != 0) {
            found.withoutEntry.push_back(key);
        } else if (!ActivityTotals::Agree(day, activities, metresPerUnit) &&
                   !ActivityTotals::Agree(day, activities, otherPerUnit)) {
            // (A day imported in the other unit, before the user changed it, is right too.)
            found.differing.push_back(key);
        }
    }
    return found;
}

void PrintActivities(std::ostream& out, const ActivityFindings& found) {
    switch (found.file.code) {
    case ActivityStore::Code::Missing:
        return; // a logbook without activities reads as it always did
    case ActivityStore::Code::Ok:
        out << "activities file: " << found.activities
            << (found.activities == 1 ? " activity" : " activities") << '\n';
        break;
    default:
        out << "activities file: " << EscapedText::Of(found.file.words) << '\n';
        return;
    }
    const auto plural = [&](std::int32_t key) {
        const std::size_t n = found.byDay.at(key).size();
        return std::to_string(n) + (n == 1 ? " activity" : " activities");
    };
    for (const std::int32_t key : found.differing) {
        out << "day " << DateUtility::KeyText(key) << ": its figures are not those of its "
            << plural(key) << '\n';
    }
    for (const std::int32_t key : found.withoutEntry) {
        out << "day " << DateUtility::KeyText(key) << ": " << plural(key)
            << " but no entry in the logbook\n";
    }
}

// The activities of a logbook as they are now, read under the lock readers share.
ActivityFindings ActivitiesOf(ToolCommand& tool, const std::string& logbook) {
    if (!HasActivitiesFile(logbook)) {
        return {};
    }
    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    if (database.Open(logbook, LogBookDatabase::Access::Read) ==
        LogBookDatabase::OpenResult::Failed) {
        return {};
    }
    return ExamineActivities(database);
}

// Sets a damaged activities file aside, or makes each day whose figures are not its
// activities' from them again: the figures of an entry, or a whole entry for a day the
// logbook lacks. False once the problem was said.
bool RepairActivities(ToolCommand& tool, const std::string& logbook,
                      std::vector<std::string>& done) {
    // A look first under the shared lock, so that a logbook that may only be read and
    // needs nothing is never opened to be written.
    const ActivityFindings seen = ActivitiesOf(tool, logbook);
    if (seen.file.code != ActivityStore::Code::Damaged &&
        (!seen.file.Ok() || (seen.differing.empty() && seen.withoutEntry.empty()))) {
        return true;
    }
    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    if (database.Open(logbook) == LogBookDatabase::OpenResult::Failed) {
        return false;
    }
    // The logbook itself is never changed for a damaged activities file: it is set aside
    // whole, beside the logbook.
    if (ActivityStore::Check(database).code == ActivityStore::Code::Damaged) {
        std::string savedAs;
        const ActivityStore::Outcome aside = ActivityStore::SetAside(database, savedAs);
        if (!aside.Ok()) {
            tool.Fail(EscapedText::Of(aside.words));
            return false;
        }
        done.push_back("set the damaged activities file aside as " + EscapedText::Of(savedAs));
        return true;
    }
    const ActivityFindings found = ExamineActivities(database);
    if (found.differing.empty() && found.withoutEntry.empty()) {
        return true;
    }
    const ActivityDays::Unit unit =
        found.unit == "mi" ? ActivityDays::Unit::Miles : ActivityDays::Unit::Kilometres;
    std::vector<DayRecord> days;
    for (const std::int32_t key : found.differing) {
        DayRecord day = DayRecord::Blank(key);
        database.ReadDay(DateOfKey(key), day);
        ActivityTotals::Apply(day, found.byDay.at(key), ActivityDays::MetresPer(unit));
        days.push_back(day);
    }
    for (const std::int32_t key : found.withoutEntry) {
        days.push_back(ActivityDays::FromActivities(key, found.byDay.at(key), unit).record);
    }
    tool.BackUpBeforeChanges(database);
    if (database.StoreAll(days) != LogBookDatabase::StoreResult::Stored ||
        database.Close() != LogBookDatabase::Result::Ok) {
        return false;
    }
    if (!found.differing.empty()) {
        done.push_back("made the figures of " + std::to_string(found.differing.size()) +
                       (found.differing.size() == 1 ? " day" : " days") + " from their activities");
    }
    if (!found.withoutEntry.empty()) {
        done.push_back("made " + std::to_string(found.withoutEntry.size()) +
                       (found.withoutEntry.size() == 1 ? " day" : " days") +
                       " the logbook lacked from their activities");
    }
    return true;
}

void Print(std::ostream& out, const std::string& logbook, const Findings& found) {
    const char* source = found.countedFromData ? " (counted from the data file)" : "";
    out << "logbook: " << logbook << '\n'
        << "index file: " << IndexFile::NameFor(logbook) << '\n'
        << "live days: " << found.liveDays << source << '\n'
        << "erased days: " << found.erasedDays << source << '\n'
        << "records: " << found.records << '\n';
    int listed = 0;
    for (const std::int64_t slot : found.undated) {
        if (++listed > ToolCommand::kMaxListed) {
            out << "... and " << found.undated.size() - ToolCommand::kMaxListed
                << " more records without a valid date\n";
            break;
        }
        out << "record at slot " << slot << " has no valid date; left out\n";
    }
    if (found.strayBytes > 0) {
        out << "data file: ends in " << found.strayBytes
            << " bytes that are not a whole record (a record cut short)\n";
    }
    out << "index: " << IndexFile::StateName(found.verdict.state);
    if (!found.verdict.problem.empty()) {
        out << " (" << found.verdict.problem << ')';
    }
    out << '\n';
}

// --repair: what was done, each as a line "repair: ...", after the findings of the
// logbook as it is afterwards.
int Repair(ToolCommand& tool, const std::string& logbook) {
    std::vector<std::string> done;
    bool cut = false;
    if (logbook.size() <= LogBookDatabase::kMaxNameLength && !ToolCommand::Exists(logbook) &&
        IndexFile::NameFor(logbook) != logbook) {
        done.push_back("created an empty logbook");
    } else {
        const Findings before = Examine(logbook, tool.err);
        if (!before.opened) {
            return ToolCommand::kProblem;
        }
        if (before.verdict.state != IndexFile::State::Ok) {
            done.push_back(std::string("rebuilt the index from the data file (it was ") +
                           IndexFile::StateName(before.verdict.state) +
                           (before.verdict.problem.empty() ? "" : ": " + before.verdict.problem) +
                           ")");
        }
        cut = before.strayBytes > 0;
    }
    if (!done.empty() || cut) {
        StreamReporter reporter(tool.err, logbook);
        LogBookDatabase database(reporter, tool.dates);
        if (database.Open(logbook) == LogBookDatabase::OpenResult::Failed) {
            return ToolCommand::kProblem;
        }
        tool.BackUpBeforeChanges(database);
        database.ChangeAhead();
        std::string savedAs;
        if (cut) {
            if (database.CutPartialRecord(logbook + ".tail", savedAs) !=
                LogBookDatabase::Result::Ok) {
                return ToolCommand::kProblem;
            }
            if (!savedAs.empty()) {
                done.push_back("cut the record cut short from the data file; its bytes are in " +
                               savedAs);
            }
        }
        if (database.Close() == LogBookDatabase::Result::Failed) {
            return ToolCommand::kProblem;
        }
    }
    if (!RepairActivities(tool, logbook, done)) {
        return ToolCommand::kProblem;
    }
    const Findings after = Examine(logbook, tool.err);
    if (!after.opened) {
        return ToolCommand::kProblem;
    }
    const ActivityFindings activities = ActivitiesOf(tool, logbook);
    Print(tool.out, logbook, after);
    PrintActivities(tool.out, activities);
    if (done.empty()) {
        tool.out << "repair: nothing to repair in the index\n";
    }
    for (const std::string& d : done) {
        tool.out << "repair: " << d << '\n';
    }
    if (!after.undated.empty()) {
        tool.out << "repair: records without a valid date are kept as they are, outside the "
                    "index\n";
    }
    return after.Consistent() && activities.Consistent() ? ToolCommand::kSuccess
                                                         : ToolCommand::kProblem;
}

} // namespace

int CheckCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    if (tool.Given(Option::Repair)) {
        return Repair(tool, logbook);
    }
    const Findings found = Examine(logbook, tool.err);
    if (!found.opened) {
        return ToolCommand::kProblem;
    }
    const ActivityFindings activities = ActivitiesOf(tool, logbook);
    Print(tool.out, logbook, found);
    PrintActivities(tool.out, activities);
    return found.Consistent() && found.undated.empty() && activities.Consistent()
               ? ToolCommand::kSuccess
               : ToolCommand::kProblem;
}
