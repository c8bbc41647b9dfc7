#include "cli/LogBookTool.h"

#include "cli/CsvText.h"
#include "cli/DayCsv.h"
#include "cli/StreamReporter.h"
#include "store/DataFile.h"
#include "store/IndexFile.h"
#include "store/LogBookDatabase.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <sys/stat.h>

const char* const LogBookTool::kUsage =
    "usage: veloria-logbook export LOGBOOK [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "                              [--type all|training|competition] [--output FILE]\n"
    "       veloria-logbook import LOGBOOK CSVFILE [--replace]\n"
    "       veloria-logbook check LOGBOOK [--repair]\n"
    "\n"
    "  export   write the logbook's days as CSV (to standard output without --output)\n"
    "  import   store the days of a CSV file; nothing is stored unless every row is good,\n"
    "           and days already in the logbook are replaced only with --replace\n"
    "  check    count the days and records and check the index; --repair rebuilds it\n"
    "\n"
    "Exit status: 0 success, 1 a problem found or bad input, 2 usage error.\n";

struct LogBookTool::Options {
    std::string command;
    std::vector<std::string> operands;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> type;
    std::optional<std::string> output;
    bool replace = false;
    bool repair = false;
};

namespace {

bool Exists(const std::string& name) {
    struct stat info {};
    return ::stat(name.c_str(), &info) == 0;
}

// What check finds in a logbook.
struct Findings {
    bool opened = false;
    IndexFile::Verdict verdict;
    bool countedFromData = false;
    long long liveDays = 0;
    long long erasedDays = 0;
    long long records = 0;
    long long strayBytes = 0;

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
    DataFile data;
    switch (data.Open(logbook, false)) {
    case DataFile::OpenResult::Opened:
        break;
    case DataFile::OpenResult::Missing:
        err << "veloria-logbook: " << logbook << ": no such logbook\n";
        return found;
    case DataFile::OpenResult::Locked:
        err << "veloria-logbook: " << logbook << ": Logbook is in use by another program.\n";
        return found;
    case DataFile::OpenResult::NotRegular:
        err << "veloria-logbook: " << logbook << ": is not a regular file\n";
        return found;
    case DataFile::OpenResult::Failed:
        err << "veloria-logbook: " << logbook << ": cannot be opened as a logbook data file\n";
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
    if (found.verdict.state != IndexFile::State::Ok) {
        found.countedFromData = true;
        IndexFile::Rebuild(data, table);
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

bool ReadWholeFile(const std::string& name, std::string& text, std::string& problem) {
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        problem = std::strerror(errno);
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        problem = "read error";
        return false;
    }
    text = std::move(buffer).str();
    return true;
}

} // namespace

int LogBookTool::Fail(const std::string& message) {
    err << "veloria-logbook: " << message << '\n';
    return kProblem;
}

int LogBookTool::UsageError(const std::string& message) {
    err << "veloria-logbook: " << message << "\n" << kUsage;
    return kUsageError;
}

int LogBookTool::Run(const std::vector<std::string>& arguments) {
    for (const std::string& a : arguments) {
        if (a == "--help" || a == "-h") {
            out << kUsage;
            return kSuccess;
        }
    }
    if (arguments.empty()) {
        return UsageError("no command given");
    }
    Options options;
    options.command = arguments[0];
    const bool isExport = options.command == "export";
    const bool isImport = options.command == "import";
    const bool isCheck = options.command == "check";
    if (!isExport && !isImport && !isCheck) {
        return UsageError("unknown command \"" + options.command + "\"");
    }
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string a = arguments[i];
        if (a.rfind("--", 0) != 0) {
            options.operands.push_back(a);
            continue;
        }
        std::optional<std::string> value;
        if (const std::size_t eq = a.find('='); eq != std::string::npos) {
            value = a.substr(eq + 1);
            a.resize(eq);
        }
        std::optional<std::string>* slot = nullptr;
        if (isExport && a == "--from") {
            slot = &options.from;
        } else if (isExport && a == "--to") {
            slot = &options.to;
        } else if (isExport && a == "--type") {
            slot = &options.type;
        } else if (isExport && a == "--output") {
            slot = &options.output;
        } else if ((isImport && a == "--replace") || (isCheck && a == "--repair")) {
            if (value) {
                return UsageError(a + " takes no value");
            }
            (isImport ? options.replace : options.repair) = true;
            continue;
        } else {
            return UsageError("unknown option " + a + " for " + options.command);
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                return UsageError(a + " needs a value");
            }
            value = arguments[++i];
        }
        *slot = *value;
    }
    const std::size_t wanted = isImport ? 2 : 1;
    if (options.operands.size() != wanted) {
        return UsageError(options.command + (isImport ? " needs LOGBOOK and CSVFILE"
                                                      : " needs exactly one LOGBOOK"));
    }
    if (isExport) {
        return Export(options);
    }
    return isImport ? Import(options) : Check(options);
}

int LogBookTool::Export(const Options& options) {
    const std::string& logbook = options.operands[0];
    const DayCsv csv(dates);
    DateValue from;
    DateValue to;
    if (options.from && !csv.ReadDate(*options.from, from)) {
        return UsageError("--from \"" + *options.from + "\" is not a date from 1960-01-01 to 2100-12-31");
    }
    if (options.to && !csv.ReadDate(*options.to, to)) {
        return UsageError("--to \"" + *options.to + "\" is not a date from 1960-01-01 to 2100-12-31");
    }
    DayType type = DayType::AllDays;
    if (options.type) {
        if (*options.type == "training") {
            type = DayType::Training;
        } else if (*options.type == "competition") {
            type = DayType::Competition;
        } else if (*options.type != "all") {
            return UsageError("--type must be all, training or competition");
        }
    }
    if (!Exists(logbook)) {
        return Fail(logbook + ": no such logbook");
    }

    // The logbook is only read: it is released without writing its index.
    StreamReporter reporter(err, logbook);
    LogBookDatabase database(reporter, dates);
    if (database.Open(logbook) == 0) {
        return kProblem;
    }
    // Days are read one by one and the text goes out in pieces, so memory stays small
    // whatever the logbook's size. A file is written beside its name and renamed into place
    // only when every day is in, so a failed export never leaves a partial file behind.
    std::vector<std::int32_t> positions;
    int count = 0;
    database.FastIndex(options.from ? &from : nullptr, options.to ? &to : nullptr, type,
                       positions, count);
    std::string temporary;
    std::ofstream file;
    if (options.output) {
        temporary = *options.output + ".part";
        file.open(temporary, std::ios::binary | std::ios::trunc);
        if (!file) {
            return Fail(temporary + ": " + std::strerror(errno));
        }
    }
    std::ostream& sink = options.output ? static_cast<std::ostream&>(file) : out;
    constexpr std::size_t kPiece = 64 * 1024;
    std::string text = DayCsv::HeaderLine();
    text.reserve(kPiece + 1024);
    int written = 0;
    if (database.BeginReading("rb") != 1) {
        return kProblem;
    }
    DayRecord record;
    for (const std::int32_t position : positions) {
        if (database.ReadAtPosition(position, record) != 1) {
            break;
        }
        text += csv.Line(record);
        ++written;
        if (text.size() >= kPiece) {
            sink.write(text.data(), static_cast<std::streamsize>(text.size()));
            text.clear();
        }
    }
    database.EndReading();
    sink.write(text.data(), static_cast<std::streamsize>(text.size()));
    sink.flush();
    if (options.output) {
        file.close();
    }
    const std::string target = options.output ? *options.output : std::string("standard output");
    if (written != count) {
        if (options.output) {
            std::remove(temporary.c_str());
            return Fail(logbook + ": only " + std::to_string(written) +
                        " days could be read; nothing was exported");
        }
        return Fail(logbook + ": only " + std::to_string(written) +
                    " days could be read; the export is incomplete");
    }
    if (!sink || (options.output && std::rename(temporary.c_str(), target.c_str()) != 0)) {
        const std::string reason = std::strerror(errno);
        if (options.output) {
            std::remove(temporary.c_str());
        }
        return Fail("cannot write to " + target + ": " + reason);
    }
    return kSuccess;
}

int LogBookTool::Import(const Options& options) {
    const std::string& logbook = options.operands[0];
    const std::string& csvName = options.operands[1];
    std::string text;
    std::string problem;
    if (!ReadWholeFile(csvName, text, problem)) {
        return Fail(csvName + ": " + problem);
    }
    std::vector<CsvText::Row> rows;
    if (!CsvText::Parse(text, rows, problem)) {
        return Fail(csvName + ": " + problem);
    }
    if (rows.empty()) {
        return Fail(csvName + ": line 1: no header line");
    }
    DayCsv::Layout layout;
    if (!DayCsv::ReadHeader(rows[0].fields, layout, problem)) {
        return Fail(csvName + ": line " + std::to_string(rows[0].line) + ": " + problem);
    }

    // An existing logbook is opened (and locked) before the rows are checked against it;
    // a new one is created only once every row has passed.
    StreamReporter reporter(err, logbook);
    LogBookDatabase database(reporter, dates);
    const bool existed = Exists(logbook);
    if (existed && database.Open(logbook) == 0) {
        return kProblem;
    }

    const DayCsv csv(dates);
    const std::size_t columns = rows[0].fields.size();
    std::vector<DayRecord> days;
    days.reserve(rows.size() - 1);
    std::map<std::int32_t, int> lineOfDay;
    int badRows = 0;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const CsvText::Row& row = rows[r];
        std::vector<std::string> problems;
        DayRecord day{};
        if (row.fields.size() != columns) {
            problems.push_back("has " + std::to_string(row.fields.size()) + " fields, the header " +
                               std::to_string(columns));
        } else if (csv.ReadRow(row.fields, layout, day, problems)) {
            const auto [at, added] = lineOfDay.emplace(day.dateKey, row.line);
            const std::string date = DayCsv::DateText(day.dateKey);
            if (!added) {
                problems.push_back("date " + date + " repeats line " + std::to_string(at->second));
            }
            const int position = database.Table().Find(day.dateKey);
            if (!options.replace && position != IndexTable::kNotFound &&
                !database.Table().At(position).IsErased()) {
                problems.push_back("date " + date +
                                   " already holds a day in the logbook (--replace replaces it)");
            }
        }
        for (const std::string& p : problems) {
            err << "veloria-logbook: " << csvName << ": line " << row.line << ": " << p << '\n';
        }
        badRows += problems.empty() ? 0 : 1;
        days.push_back(day);
    }
    if (badRows > 0) {
        return Fail(csvName + ": " + std::to_string(badRows) +
                    (badRows == 1 ? " bad row" : " bad rows") + "; nothing was stored");
    }

    if (!existed && database.Open(logbook) == 0) {
        return kProblem;
    }
    int stored = 0;
    for (const DayRecord& day : days) {
        stored += database.StoreRecord(day) == 1 ? 1 : 0;
    }
    const bool closed = database.Close() == 1;
    if (stored != static_cast<int>(days.size()) || !closed) {
        return Fail(logbook + ": " + std::to_string(stored) + " of " + std::to_string(days.size()) +
                    " days stored" + (closed ? "" : ", and the index could not be written"));
    }
    out << "imported " << stored << (stored == 1 ? " day" : " days") << " into " << logbook
        << '\n';
    return kSuccess;
}

int LogBookTool::Check(const Options& options) {
    const std::string& logbook = options.operands[0];
    if (!options.repair) {
        const Findings found = Examine(logbook, err);
        if (found.opened) {
            Print(out, logbook, found);
        }
        return found.Consistent() ? kSuccess : kProblem;
    }

    std::string done;
    if (logbook.size() <= LogBookDatabase::kMaxNameLength && !Exists(logbook)) {
        done = "created an empty logbook";
    } else {
        const Findings before = Examine(logbook, err);
        if (!before.opened) {
            return kProblem;
        }
        if (before.verdict.state != IndexFile::State::Ok) {
            done = std::string("rebuilt the index from the data file (it was ") +
                   IndexFile::StateName(before.verdict.state) +
                   (before.verdict.problem.empty() ? "" : ": " + before.verdict.problem) + ")";
        }
    }
    if (!done.empty()) {
        StreamReporter reporter(err, logbook);
        LogBookDatabase database(reporter, dates);
        if (database.Open(logbook) == 0 || database.Close() == 0) {
            return kProblem;
        }
    }
    const Findings after = Examine(logbook, err);
    if (!after.opened) {
        return kProblem;
    }
    Print(out, logbook, after);
    out << "repair: " << (done.empty() ? "nothing to repair in the index" : done) << '\n';
    return after.Consistent() ? kSuccess : kProblem;
}
