#include "cli/ImportCommand.h"

#include "activities/ActivityFile.h"
#include "cli/ActivityCsv.h"
#include "cli/ActivityCsvImport.h"
#include "cli/ActivityImport.h"
#include "cli/CsvProblems.h"
#include "cli/CsvText.h"
#include "cli/DayCsv.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/EscapedText.h"
#include "store/FileIo.h"
#include "store/LogBookDatabase.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

bool EndsWithCsv(const std::string& name) {
    return name.size() >= 4 && ::strcasecmp(name.c_str() + name.size() - 4, ".csv") == 0;
}

// What a file operand is, decided the same way alone or among others: a folder or an
// activity's name (.fit, .gpx, .tcx, perhaps .gz) is activities whatever it holds (a file
// that is none is left out with its reason), a .csv name is CSV, and any other name goes by
// its first bytes. A file that cannot be opened is Unopened: alone it goes to the CSV
// import, among others to the activities, and either says why it cannot be read.
enum class Kind { Csv, Activities, Unopened };

Kind KindOf(const std::string& name) {
    struct stat info {};
    if ((::stat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) ||
        ActivityFile::HasActivityName(name)) {
        return Kind::Activities;
    }
    if (EndsWithCsv(name)) {
        return Kind::Csv;
    }
    std::string problem;
    const int fd = OpenInput(name, problem);
    if (fd < 0) {
        return Kind::Unopened;
    }
    char start[512];
    const std::int64_t n = fileio::ReadUpTo(fd, start, sizeof start);
    ::close(fd);
    if (n < 0) {
        return Kind::Unopened;
    }
    return ActivityFile::BeginsLikeActivity(std::string_view(start, static_cast<std::size_t>(n)))
               ? Kind::Activities
               : Kind::Csv;
}

// Whether a CSV file starts with the header of activities --csv (after a byte order mark).
bool BeginsWithActivities(const std::string& name) {
    std::string problem;
    const int fd = OpenInput(name, problem);
    if (fd < 0) {
        return false;
    }
    char start[128];
    const std::int64_t n = fileio::ReadUpTo(fd, start, sizeof start);
    ::close(fd);
    std::string_view text(start, n > 0 ? static_cast<std::size_t>(n) : 0);
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const std::string_view header(ActivityCsv::kHeader);
    return text.starts_with(header.substr(0, header.size() - 1));
}

int ImportCsv(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    // Names and fields are quoted with their controls escaped.
    const std::string csvName = EscapedText::Of(tool.operands[1]);
    std::string problem;
    const int fd = OpenInput(tool.operands[1], problem);
    if (fd < 0) {
        return tool.Fail(csvName + ": " + problem);
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
        return tool.Fail(csvName + ": line 1: no header line");
    case CsvText::Reader::Result::Error:
        return tool.Fail(csvName + ": " + EscapedText::Of(problem));
    case CsvText::Reader::Result::Row:
        break;
    }
    if (ActivityCsv::IsHeader(row.fields)) {
        return ImportActivityCsv(tool, reader, csvName);
    }
    DayCsv::Layout layout;
    if (!DayCsv::ReadHeader(row.fields, layout, problem)) {
        return tool.Fail(csvName + ": line " + std::to_string(row.line) + ": " +
                         EscapedText::Of(problem));
    }

    const DayCsv csv(tool.dates);
    const std::size_t columns = row.fields.size();
    std::vector<DayRecord> days;
    std::vector<int> lines;
    std::map<std::int32_t, int> lineOfDay;
    CsvProblems problemRows(tool.err, csvName);
    for (;;) {
        const CsvText::Reader::Result result = reader.Next(row, problem);
        if (result == CsvText::Reader::Result::End) {
            break;
        }
        if (result == CsvText::Reader::Result::Error) {
            return tool.Fail(csvName + ": " + EscapedText::Of(problem) + "; nothing was stored");
        }
        std::vector<std::string> problems;
        DayRecord day{};
        if (row.fields.size() != columns) {
            problems.push_back("has " + std::to_string(row.fields.size()) + " fields, the header " +
                               std::to_string(columns));
        } else if (csv.ReadRow(row.fields, layout, day, problems)) {
            const auto [at, added] = lineOfDay.emplace(day.dateKey, row.line);
            if (!added) {
                problems.push_back("date " + DateUtility::KeyText(day.dateKey) + " repeats line " +
                                   std::to_string(at->second));
            } else {
                days.push_back(day);
                lines.push_back(row.line);
            }
        }
        problemRows.Row(row.line, problems);
    }

    // The days are checked against the logbook only once it is open and locked, so that
    // two imports cannot both find a day free.
    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    // (When rows are already bad, an existing logbook is still opened, only to list every
    // problem at once; a missing one is not created.)
    const bool opened = (problemRows.BadRows() == 0 || ToolCommand::Exists(logbook)) &&
                        database.Open(logbook) != LogBookDatabase::OpenResult::Failed;
    if (!opened && problemRows.BadRows() == 0) {
        return ToolCommand::kProblem;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; opened && !tool.Given(Option::Replace) && i < days.size(); ++i) {
        const int position = database.Table().Find(days[i].dateKey);
        if (position == IndexTable::kNotFound || database.Table().At(position).IsErased()) {
            days[i - kept] = days[i];
        } else if (tool.Given(Option::SkipExisting)) {
            ++kept;
        } else {
            problemRows.Row(lines[i],
                            {"date " + DateUtility::KeyText(days[i].dateKey) +
                             " already holds a day in the logbook (--replace replaces it, "
                             "--skip-existing keeps it)"});
        }
    }
    days.resize(days.size() - kept);
    if (const std::string failed = problemRows.Finish(); !failed.empty()) {
        // Released without writing its index: the logbook stays as it was.
        return tool.Fail(failed);
    }
    const std::string keptText =
        kept == 0
            ? ""
            : "; " + std::to_string(kept) + (kept == 1 ? " day" : " days") + " already there kept";
    if (tool.Given(Option::DryRun)) {
        tool.out << "would import " << days.size() << (days.size() == 1 ? " day" : " days")
                 << " into " << EscapedText::Of(logbook) << keptText
                 << "; nothing was stored (--dry-run)\n";
        return ToolCommand::kSuccess;
    }
    tool.BackUpBeforeChanges(database);
    if (database.StoreAll(days) != LogBookDatabase::StoreResult::Stored) {
        return tool.Fail(EscapedText::Of(logbook) +
                         ": nothing was imported; the logbook is as it was");
    }
    if (database.Close() != LogBookDatabase::Result::Ok) {
        return tool.Fail(EscapedText::Of(logbook) +
                         ": every day was stored, but the index could not be written; the next "
                         "open rebuilds it");
    }
    const std::size_t stored = days.size();
    tool.out << "imported " << stored << (stored == 1 ? " day" : " days") << " into "
             << EscapedText::Of(logbook) << keptText << '\n';
    return ToolCommand::kSuccess;
}

} // namespace

int ImportCommand(ToolCommand& tool) {
    if (tool.Given(Option::Replace) && tool.Given(Option::SkipExisting)) {
        return tool.UsageError("--replace and --skip-existing exclude each other");
    }
    const std::vector<std::string> files(tool.operands.begin() + 1, tool.operands.end());
    if (files.size() == 1) {
        if (KindOf(files[0]) == Kind::Activities) {
            return ImportActivities(tool);
        }
        if (tool.Given(Option::Unit) && !BeginsWithActivities(files[0])) {
            return tool.UsageError("--unit is for activity files, not CSV");
        }
        return ImportCsv(tool);
    }
    for (const std::string& file : files) {
        if (KindOf(file) == Kind::Csv) {
            return tool.UsageError(EscapedText::Of(file) + ": " +
                                   (EndsWithCsv(file)
                                        ? "a CSV file is imported alone, not among activity files"
                                        : "is not an activity file by its name (.fit, .gpx, "
                                          ".tcx) or content; a CSV file is imported alone"));
        }
    }
    return ImportActivities(tool);
}
