#include "cli/CheckCommand.h"

#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/DataFile.h"
#include "store/IndexFile.h"
#include "store/LogBookDatabase.h"

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
    const Findings after = Examine(logbook, tool.err);
    if (!after.opened) {
        return ToolCommand::kProblem;
    }
    Print(tool.out, logbook, after);
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
    return after.Consistent() ? ToolCommand::kSuccess : ToolCommand::kProblem;
}

} // namespace

int CheckCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    if (tool.Given(Option::Repair)) {
        return Repair(tool, logbook);
    }
    const Findings found = Examine(logbook, tool.err);
    if (found.opened) {
        Print(tool.out, logbook, found);
    }
    return found.Consistent() && found.undated.empty() ? ToolCommand::kSuccess
                                                       : ToolCommand::kProblem;
}
