#include "cli/LogBookTool.h"

#include "cli/CsvText.h"
#include "cli/DayCsv.h"
#include "cli/StreamReporter.h"
#include "cli/ViewReports.h"
#include "reports/ReportFile.h"
#include "store/DataFile.h"
#include "store/FileIo.h"
#include "store/IndexFile.h"
#include "store/LogBookDatabase.h"
#include "store/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <new>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

const char* const LogBookTool::kUsage =
    "usage: veloria-logbook export LOGBOOK [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "                              [--type all|training|competition] [--output FILE]\n"
    "       veloria-logbook import LOGBOOK CSVFILE [--replace]\n"
    "       veloria-logbook check LOGBOOK [--repair]\n"
    "       veloria-logbook stats LOGBOOK [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "                             [--type all|training|competition] [--csv]\n"
    "       veloria-logbook calendar LOGBOOK [--month YYYY-MM] [--category NAME]\n"
    "       veloria-logbook graph LOGBOOK [--category NAME] [--type all|training|competition]\n"
    "                             [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "       veloria-logbook report LOGBOOK [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "                             [--type all|training|competition] [--title TEXT]\n"
    "                             [--comments TEXT] [--no-title-page] [--no-page-numbers]\n"
    "                             [--output FILE]\n"
    "\n"
    "  export   write the logbook's days as CSV (to standard output without --output)\n"
    "  import   store the days of a CSV file; nothing is stored unless every row is good,\n"
    "           and days already in the logbook are replaced only with --replace\n"
    "  check    count the days and records and check the index; --repair rebuilds it\n"
    "  stats    the Statistics window's table (--csv as CSV); by default the last 31 days\n"
    "  calendar a month as the Calendar shows it; by default this month and distance\n"
    "  graph    the points a graph plots, its axis and labels; by default distance over the\n"
    "           last 31 days\n"
    "  report   the report file the Reports window writes (to standard output without\n"
    "           --output); title and comments hold at most 79 characters\n"
    "  A range holds at most 1825 days. NAME is one of distance, time, pace, speed, rest-hr,\n"
    "  max-hr, calories, water, sleep, temperature, weight, difficulty.\n"
    "\n"
    "Exit status: 0 success, 1 a problem found or bad input, 2 usage error.\n";

struct LogBookTool::Options {
    std::string command;
    std::vector<std::string> operands;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> type;
    std::optional<std::string> output;
    std::optional<std::string> month;
    std::optional<std::string> category;
    std::optional<std::string> title;
    std::optional<std::string> comments;
    bool replace = false;
    bool csv = false;
    bool noTitlePage = false;
    bool noPageNumbers = false;
    bool repair = false;
};

namespace {

bool Exists(const std::string& name) {
    struct stat info {};
    return ::stat(name.c_str(), &info) == 0;
}

// --type: all (the default), training or competition.
bool ReadDayType(const std::optional<std::string>& text, DayType& type) {
    if (!text || *text == "all") {
        type = DayType::AllDays;
    } else if (*text == "training") {
        type = DayType::Training;
    } else if (*text == "competition") {
        type = DayType::Competition;
    } else {
        return false;
    }
    return true;
}

// So many lines of one kind are enough to see what is wrong with a file.
constexpr int kMaxListed = 100;

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
        if (++listed > kMaxListed) {
            out << "... and " << found.undated.size() - kMaxListed
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

// Opens an input without waiting on a FIFO or device; -1 with the problem otherwise.
int OpenInput(const std::string& name, std::string& problem) {
    const int fd = fileio::OpenNoWait(name, O_RDONLY);
    if (fd < 0) {
        problem = errno == ENXIO ? "is not a regular file" : std::strerror(errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = "is not a regular file";
        ::close(fd);
        return -1;
    }
    return fd;
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
    try {
        return RunCommand(arguments);
    } catch (const std::bad_alloc&) {
        err << "veloria-logbook: out of memory; nothing was changed" << std::endl;
    } catch (const std::exception& e) {
        err << "veloria-logbook: " << e.what() << "; nothing was changed" << std::endl;
    }
    return kProblem;
}

int LogBookTool::RunCommand(const std::vector<std::string>& arguments) {
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
    const bool isStats = options.command == "stats";
    const bool isCalendar = options.command == "calendar";
    const bool isGraph = options.command == "graph";
    const bool isReport = options.command == "report";
    const bool ranged = isExport || isStats || isGraph || isReport;
    if (!isExport && !isImport && !isCheck && !isStats && !isCalendar && !isGraph && !isReport) {
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
        if (ranged && a == "--from") {
            slot = &options.from;
        } else if (ranged && a == "--to") {
            slot = &options.to;
        } else if (ranged && a == "--type") {
            slot = &options.type;
        } else if ((isExport || isReport) && a == "--output") {
            slot = &options.output;
        } else if (isReport && a == "--title") {
            slot = &options.title;
        } else if (isReport && a == "--comments") {
            slot = &options.comments;
        } else if (isReport && (a == "--no-title-page" || a == "--no-page-numbers")) {
            if (value) {
                return UsageError(a + " takes no value");
            }
            (a == "--no-title-page" ? options.noTitlePage : options.noPageNumbers) = true;
            continue;
        } else if (isCalendar && a == "--month") {
            slot = &options.month;
        } else if ((isCalendar || isGraph) && a == "--category") {
            slot = &options.category;
        } else if ((isImport && a == "--replace") || (isCheck && a == "--repair") ||
                   (isStats && a == "--csv")) {
            if (value) {
                return UsageError(a + " takes no value");
            }
            (isImport ? options.replace : isCheck ? options.repair : options.csv) = true;
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
        return UsageError(options.command +
                          (isImport ? " needs LOGBOOK and CSVFILE" : " needs exactly one LOGBOOK"));
    }
    if (isExport) {
        return Export(options);
    }
    if (isStats || isCalendar || isGraph || isReport) {
        return View(options);
    }
    return isImport ? Import(options) : Check(options);
}

int LogBookTool::Export(const Options& options) {
    const std::string& logbook = options.operands[0];
    const DayCsv csv(dates);
    DateValue from;
    DateValue to;
    if (options.from && !csv.ReadDate(*options.from, from)) {
        return UsageError("--from \"" + *options.from +
                          "\" is not a date from 1960-01-01 to 2100-12-31");
    }
    if (options.to && !csv.ReadDate(*options.to, to)) {
        return UsageError("--to \"" + *options.to +
                          "\" is not a date from 1960-01-01 to 2100-12-31");
    }
    DayType type = DayType::AllDays;
    if (!ReadDayType(options.type, type)) {
        return UsageError("--type must be all, training or competition");
    }
    if (!Exists(logbook)) {
        return Fail(logbook + ": no such logbook");
    }

    // Only read, under a lock other readers share.
    StreamReporter reporter(err, logbook);
    LogBookDatabase database(reporter, dates);
    if (database.Open(logbook, LogBookDatabase::Access::Read) == LogBookDatabase::kFailed) {
        return kProblem;
    }
    // A file is written beside its name and renamed into place only when every day is in,
    // so a failed export never leaves a partial file behind.
    OutputFile file;
    if (options.output && !file.Open(*options.output, logbook)) {
        return Fail(file.Problem() + "; nothing was exported");
    }
    bool sinkOk = true;
    auto emit = [&](const std::string& text) {
        if (options.output) {
            sinkOk = sinkOk && file.Write(text);
        } else {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
        }
    };
    // Days are read one by one and the text goes out in pieces, so memory stays small
    // whatever the logbook's size.
    std::vector<std::int32_t> positions;
    int count = 0;
    database.FastIndex(options.from ? &from : nullptr, options.to ? &to : nullptr, type, positions,
                       count);
    constexpr std::size_t kPiece = 64 * 1024;
    std::string text = DayCsv::HeaderLine();
    text.reserve(kPiece + 1024);
    int written = 0;
    if (database.BeginReading("rb") != LogBookDatabase::kOk) {
        return kProblem;
    }
    DayRecord record;
    for (const std::int32_t position : positions) {
        if (database.ReadAtPosition(position, record) != LogBookDatabase::kOk) {
            break;
        }
        text += csv.Line(record);
        ++written;
        if (text.size() >= kPiece) {
            emit(text);
            text.clear();
        }
    }
    database.EndReading();
    emit(text);
    if (!options.output) {
        out.flush();
        sinkOk = static_cast<bool>(out);
    }
    if (written != count) {
        return Fail(logbook + ": only " + std::to_string(written) + " days could be read; " +
                    (options.output && file.WritePath() != *options.output
                         ? "nothing was exported"
                         : "the export is incomplete"));
    }
    if (!options.output && !sinkOk) {
        return Fail(std::string("cannot write to standard output: ") + std::strerror(errno));
    }
    if (options.output && (!sinkOk || !file.Commit())) {
        return Fail(file.Problem() + "; nothing was exported");
    }
    return kSuccess;
}

int LogBookTool::Import(const Options& options) {
    const std::string& logbook = options.operands[0];
    const std::string& csvName = options.operands[1];
    std::string problem;
    const int fd = OpenInput(csvName, problem);
    if (fd < 0) {
        return Fail(csvName + ": " + problem);
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    // Rows are read one at a time: memory holds one row and the good days, never the file.
    CsvText::Reader reader(
        [fd](char* buffer, std::size_t length) { return fileio::ReadUpTo(fd, buffer, length); });
    CsvText::Row row;
    switch (reader.Next(row, problem)) {
    case CsvText::Reader::Result::End:
        return Fail(csvName + ": line 1: no header line");
    case CsvText::Reader::Result::Error:
        return Fail(csvName + ": " + problem);
    case CsvText::Reader::Result::Row:
        break;
    }
    DayCsv::Layout layout;
    if (!DayCsv::ReadHeader(row.fields, layout, problem)) {
        return Fail(csvName + ": line " + std::to_string(row.line) + ": " + problem);
    }

    const DayCsv csv(dates);
    const std::size_t columns = row.fields.size();
    std::vector<DayRecord> days;
    std::vector<int> lines;
    std::map<std::int32_t, int> lineOfDay;
    int badRows = 0;
    int listed = 0;
    auto complain = [&](int line, const std::vector<std::string>& problems) {
        for (const std::string& p : problems) {
            if (++listed <= kMaxListed) {
                err << "veloria-logbook: " << csvName << ": line " << line << ": " << p << '\n';
            }
        }
        badRows += problems.empty() ? 0 : 1;
    };
    for (;;) {
        const CsvText::Reader::Result result = reader.Next(row, problem);
        if (result == CsvText::Reader::Result::End) {
            break;
        }
        if (result == CsvText::Reader::Result::Error) {
            return Fail(csvName + ": " + problem + "; nothing was stored");
        }
        std::vector<std::string> problems;
        DayRecord day{};
        if (row.fields.size() != columns) {
            problems.push_back("has " + std::to_string(row.fields.size()) + " fields, the header " +
                               std::to_string(columns));
        } else if (csv.ReadRow(row.fields, layout, day, problems)) {
            const auto [at, added] = lineOfDay.emplace(day.dateKey, row.line);
            if (!added) {
                problems.push_back("date " + DayCsv::DateText(day.dateKey) + " repeats line " +
                                   std::to_string(at->second));
            } else {
                days.push_back(day);
                lines.push_back(row.line);
            }
        }
        complain(row.line, problems);
    }

    // The days are checked against the logbook only once it is open and locked, so that
    // two imports cannot both find a day free.
    StreamReporter reporter(err, logbook);
    LogBookDatabase database(reporter, dates);
    // (When rows are already bad, an existing logbook is still opened, only to list every
    // problem at once; a missing one is not created.)
    const bool opened =
        (badRows == 0 || Exists(logbook)) && database.Open(logbook) != LogBookDatabase::kFailed;
    if (!opened && badRows == 0) {
        return kProblem;
    }
    for (std::size_t i = 0; opened && !options.replace && i < days.size(); ++i) {
        const int position = database.Table().Find(days[i].dateKey);
        if (position != IndexTable::kNotFound && !database.Table().At(position).IsErased()) {
            complain(lines[i], {"date " + DayCsv::DateText(days[i].dateKey) +
                                " already holds a day in the logbook (--replace replaces it)"});
        }
    }
    if (listed > kMaxListed) {
        err << "veloria-logbook: " << csvName << ": ... and " << listed - kMaxListed
            << " more problems\n";
    }
    if (badRows > 0) {
        // Released without writing its index: the logbook stays as it was.
        return Fail(csvName + ": " + std::to_string(badRows) +
                    (badRows == 1 ? " bad row" : " bad rows") + "; nothing was stored");
    }
    if (database.StoreAll(days) != LogBookDatabase::kOk) {
        return Fail(logbook + ": nothing was imported; the logbook is as it was");
    }
    if (database.Close() != LogBookDatabase::kOk) {
        return Fail(logbook + ": every day was stored, but the index could not be written; "
                              "the next open rebuilds it");
    }
    const std::size_t stored = days.size();
    out << "imported " << stored << (stored == 1 ? " day" : " days") << " into " << logbook << '\n';
    return kSuccess;
}

int LogBookTool::Check(const Options& options) {
    const std::string& logbook = options.operands[0];
    if (!options.repair) {
        const Findings found = Examine(logbook, err);
        if (found.opened) {
            Print(out, logbook, found);
        }
        return found.Consistent() && found.undated.empty() ? kSuccess : kProblem;
    }

    std::vector<std::string> done;
    bool cut = false;
    if (logbook.size() <= LogBookDatabase::kMaxNameLength && !Exists(logbook) &&
        IndexFile::NameFor(logbook) != logbook) {
        done.push_back("created an empty logbook");
    } else {
        const Findings before = Examine(logbook, err);
        if (!before.opened) {
            return kProblem;
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
        StreamReporter reporter(err, logbook);
        LogBookDatabase database(reporter, dates);
        if (database.Open(logbook) == LogBookDatabase::kFailed) {
            return kProblem;
        }
        std::string savedAs;
        if (cut) {
            if (database.CutPartialRecord(logbook + ".tail", savedAs) != LogBookDatabase::kOk) {
                return kProblem;
            }
            if (!savedAs.empty()) {
                done.push_back("cut the record cut short from the data file; its bytes are in " +
                               savedAs);
            }
        }
        if (database.Close() == LogBookDatabase::kFailed) {
            return kProblem;
        }
    }
    const Findings after = Examine(logbook, err);
    if (!after.opened) {
        return kProblem;
    }
    Print(out, logbook, after);
    if (done.empty()) {
        out << "repair: nothing to repair in the index\n";
    }
    for (const std::string& d : done) {
        out << "repair: " << d << '\n';
    }
    if (!after.undated.empty()) {
        out << "repair: records without a valid date are kept as they are, outside the index\n";
    }
    return after.Consistent() ? kSuccess : kProblem;
}

namespace {

constexpr const char* kCategoryNames[ViewSelection::kCategoryCount] = {
    "distance", "time",  "pace",  "speed",       "rest-hr", "max-hr",
    "calories", "water", "sleep", "temperature", "weight",  "difficulty"};

} // namespace

int LogBookTool::View(const Options& options) {
    const std::string& logbook = options.operands[0];
    const DayCsv csv(dates);
    DateValue today;
    dates.Today(today);
    ViewSelection selection(dates, today);

    if (options.category) {
        const auto* found =
            std::find(std::begin(kCategoryNames), std::end(kCategoryNames), *options.category);
        if (found == std::end(kCategoryNames)) {
            return UsageError(
                "--category must be one of distance, time, pace, speed, rest-hr, max-hr, "
                "calories, water, sleep, temperature, weight, difficulty");
        }
        selection.SetCategory(static_cast<Category>(found - std::begin(kCategoryNames)));
    }
    DayType type = DayType::AllDays;
    if (!ReadDayType(options.type, type)) {
        return UsageError("--type must be all, training or competition");
    }
    selection.SetDayType(type);
    // The window's defaults: the end today, the start 30 days before the end.
    DateValue to = today;
    if (options.to && !csv.ReadDate(*options.to, to)) {
        return UsageError("--to \"" + *options.to +
                          "\" is not a date from 1960-01-01 to 2100-12-31");
    }
    DateValue from = to;
    dates.SubtractDays(from, ViewSelection::kDefaultDaysBack);
    if (options.from && !csv.ReadDate(*options.from, from)) {
        return UsageError("--from \"" + *options.from +
                          "\" is not a date from 1960-01-01 to 2100-12-31");
    }
    if (!selection.SetRange(from, to)) {
        return UsageError("the range must run forwards and hold at most 1825 days");
    }
    DateValue month = today;
    if (options.month) {
        if (!csv.ReadDate(*options.month + "-01", month) || options.month->size() != 7) {
            return UsageError("--month \"" + *options.month +
                              "\" is not a month from 1960-01 to 2100-12");
        }
    }
    if (!Exists(logbook)) {
        return Fail(logbook + ": no such logbook");
    }
    // Only read, under a lock other readers share.
    StreamReporter reporter(err, logbook);
    LogBookDatabase database(reporter, dates);
    if (database.Open(logbook, LogBookDatabase::Access::Read) == LogBookDatabase::kFailed) {
        return kProblem;
    }
    if (options.command == "report") {
        return Report(options, database, selection, reporter);
    }
    // Printed only when every day was read: figures missing a day look whole.
    const ViewReports reports(dates);
    std::ostringstream text;
    bool read = false;
    if (options.command == "stats") {
        read = reports.Statistics(database, selection, options.csv, text);
    } else if (options.command == "calendar") {
        read = reports.Calendar(database, month, selection.CurrentCategory(), today, text);
    } else {
        read = reports.Graph(database, selection, text);
    }
    if (!read || database.ReadFailures() != 0 || reporter.Count() != 0) {
        return Fail(logbook + ": the logbook could not be read; nothing was printed");
    }
    out << text.str();
    out.flush();
    if (!out) {
        return Fail(std::string("cannot write to standard output: ") + std::strerror(errno));
    }
    return kSuccess;
}

int LogBookTool::Report(const Options& options, LogBookDatabase& database,
                        const ViewSelection& selection, StreamReporter& reporter) {
    ReportOptions report;
    std::string why;
    if (!report.SetTexts(options.title.value_or(""), options.comments.value_or(""), why)) {
        return Fail(why);
    }
    report.titlePage = !options.noTitlePage;
    report.pageNumbers = !options.noPageNumbers;
    const std::string bytes = ReportFile::Text(database, selection, report);
    if (database.ReadFailures() != 0 || reporter.Count() != 0) {
        return Fail(options.operands[0] + ": the logbook could not be read; no report was written");
    }
    if (options.output) {
        OutputFile file;
        if (!file.Open(*options.output, options.operands[0]) || !file.Write(bytes) ||
            !file.Commit()) {
            return Fail(file.Problem() + "; no report was written");
        }
        return kSuccess;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
        return Fail(std::string("cannot write to standard output: ") + std::strerror(errno));
    }
    return kSuccess;
}
