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

#include <algorithm>
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

// What check finds in the activities file, against the days of the open logbook. Only a
// day an import planned and left unwritten is wrong; a day whose figures are not its
// activities' otherwise was changed or erased by the user (or restored from a backup), and
// is theirs.
struct ActivityFindings {
    ActivityStore::Outcome file{ActivityStore::Code::Missing, ""};
    std::size_t activities = 0;
    std::map<std::int32_t, std::vector<ActivityRow>> byDay;
    std::vector<DayRecord> unwritten;  // planned by an import cut short, not yet written
    std::vector<std::int32_t> planned; // every day with a planned record
    std::vector<std::int32_t> changed; // figures not its activities', changed by hand
    std::vector<std::int32_t> erased;  // activities but no entry: erased by hand

    bool Consistent() const {
        return (file.Ok() || file.code == ActivityStore::Code::Missing) && unwritten.empty();
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
    std::vector<DayRecord> planned;
    if (const ActivityStore::Outcome read = store.Read(0, 0, rows); !read.Ok()) {
        found.file = read;
        return found;
    }
    if (const ActivityStore::Outcome read = store.Planned(planned); !read.Ok()) {
        found.file = read;
        return found;
    }
    found.activities = rows.size();
    for (ActivityRow& row : rows) {
        found.byDay[row.day].push_back(std::move(row));
    }
    for (const DayRecord& record : planned) {
        found.planned.push_back(record.dateKey);
        if (!ActivityStore::Holds(database, record)) {
            found.unwritten.push_back(record);
        }
    }
    const bool miles = store.Unit() == "mi";
    const double metresPerUnit =
        ActivityDays::MetresPer(miles ? ActivityDays::Unit::Miles : ActivityDays::Unit::Kilometres);
    const double otherPerUnit =
        ActivityDays::MetresPer(miles ? ActivityDays::Unit::Kilometres : ActivityDays::Unit::Miles);
    for (const auto& [key, activities] : found.byDay) {
        if (std::find(found.planned.begin(), found.planned.end(), key) != found.planned.end()) {
            continue;
        }
        DayRecord day = DayRecord::Blank(key);
        if (database.ReadDay(DateOfKey(key), day) != LogBookDatabase::ReadResult::Read ||
            day.erased != 0) {
            found.erased.push_back(key);
        } else if (!ActivityTotals::Agree(day, activities, metresPerUnit) &&
                   !ActivityTotals::Agree(day, activities, otherPerUnit)) {
            // (A day imported in the other unit, before the user changed it, is right too.)
            found.changed.push_back(key);
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
        const auto day = found.byDay.find(key);
        const std::size_t n = day == found.byDay.end() ? 0 : day->second.size();
        return std::to_string(n) + (n == 1 ? " activity" : " activities");
    };
    for (const DayRecord& record : found.unwritten) {
        out << "day " << DateUtility::KeyText(record.dateKey)
            << ": an import was cut short here: its figures are not yet written\n";
    }
    for (const std::int32_t key : found.changed) {
        out << "note: day " << DateUtility::KeyText(key)
            << " was changed by hand after its activities were imported (its figures are not "
               "those of its "
            << plural(key) << "); it is left as it is\n";
    }
    for (const std::int32_t key : found.erased) {
        out << "note: day " << DateUtility::KeyText(key) << " was erased by hand after its "
            << plural(key) << (found.byDay.at(key).size() == 1 ? " was" : " were")
            << " imported; it is left as it is\n";
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

std::string Days(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " day" : " days");
}

// Sets a damaged activities file aside, or writes the days an import planned and was cut
// short before writing (after a backup), and forgets what imports planned. A day the user
// changed or erased since its import is never touched. False once the problem was said.
bool RepairActivities(ToolCommand& tool, const std::string& logbook,
                      std::vector<std::string>& done) {
    // A look first under the shared lock, so that a logbook that may only be read and
    // needs nothing is never opened to be written.
    const ActivityFindings seen = ActivitiesOf(tool, logbook);
    if (seen.file.code != ActivityStore::Code::Damaged &&
        (!seen.file.Ok() || seen.planned.empty())) {
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
    if (found.planned.empty()) {
        return true;
    }
    ActivityStore store;
    if (const ActivityStore::Outcome opened = store.Open(database, true); !opened.Ok()) {
        tool.Fail(EscapedText::Of(opened.words));
        return false;
    }
    if (!found.unwritten.empty()) {
        tool.BackUpBeforeChanges(database);
        if (database.StoreAll(found.unwritten) != LogBookDatabase::StoreResult::Stored) {
            return false;
        }
    }
    // The days are in before their planned records go, still under the logbook's lock: a
    // stop in between leaves records the days already hold, which the next repair clears.
    if (const ActivityStore::Outcome settled = store.Settle(found.planned); !settled.Ok()) {
        tool.Fail(EscapedText::Of(settled.words));
        return false;
    }
    if (database.Close() != LogBookDatabase::Result::Ok) {
        return false;
    }
    if (!found.unwritten.empty()) {
        done.push_back("wrote " + Days(found.unwritten.size()) +
                       " an import was cut short before writing");
    }
    if (const std::size_t finished = found.planned.size() - found.unwritten.size(); finished > 0) {
        done.push_back("cleared what an import left of " + Days(finished) +
                       " it had written in full");
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
