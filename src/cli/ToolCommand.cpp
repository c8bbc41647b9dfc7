#include "cli/ToolCommand.h"

#include "cli/DayCsv.h"
#include "store/LogBookBackups.h"
#include "store/LogBookDatabase.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

int ToolCommand::Fail(const std::string& message) {
    err << "veloria-logbook: " << message << '\n';
    return kProblem;
}

int ToolCommand::UsageError(const std::string& message) {
    err << "veloria-logbook: " << message << "\n" << usage;
    return kUsageError;
}

bool ToolCommand::ReadDate(Option fromOrTo, DateValue& date) {
    const std::optional<std::string>& text = Value(fromOrTo);
    if (text && !DayCsv(dates).ReadDate(*text, date)) {
        UsageError(std::string(fromOrTo == Option::From ? "--from" : "--to") + " \"" + *text +
                   "\" is not a date from 1960-01-01 to 2100-12-31");
        return false;
    }
    return true;
}

bool ToolCommand::ReadRange() {
    const std::optional<std::string>& word = Value(Option::Range);
    if (!word) {
        return true;
    }
    if (Given(Option::From) || Given(Option::To)) {
        UsageError("--range cannot go with --from or --to");
        return false;
    }
    range = DateRangePreset::OfWord(*word);
    if (!range) {
        UsageError("--range \"" + *word + "\" is not a range; --range takes " +
                   DateRangePreset::kWords);
        return false;
    }
    return true;
}

bool ToolCommand::RangeDays(const LogBookDatabase& database, std::optional<DayRange>& days) {
    days.reset();
    if (!range) {
        return true;
    }
    std::optional<DayRange> entries;
    if (const std::vector<IndexEntry>& index = database.Table().Entries(); !index.empty()) {
        entries = DayRange{index.front().dateKey, index.back().dateKey};
    }
    days = range->On(dates.KeyOfDate(Today()), DateRangePreset::kWeekStart, entries);
    if (!days) {
        Fail("--range all: the logbook holds no days");
        return false;
    }
    return true;
}

bool ToolCommand::SelectRange(const LogBookDatabase& database, ViewSelection& selection) {
    std::optional<DayRange> days;
    if (!RangeDays(database, days)) {
        return false;
    }
    if (!days) {
        return true;
    }
    const DayRange shown = days->Cut(ViewSelection::kMostDays);
    if (shown != *days) {
        err << "veloria-logbook: the range is cut to its last " << ViewSelection::kMostDays
            << " days, " << DateUtility::KeyText(shown.first) << " to "
            << DateUtility::KeyText(shown.last) << '\n';
    }
    return selection.SetRange(shown.First(), shown.Last());
}

bool ToolCommand::ReadDayType(DayType& type) {
    const std::optional<std::string>& text = Value(Option::Type);
    if (!text || *text == "all") {
        type = DayType::AllDays;
    } else if (*text == "training") {
        type = DayType::Training;
    } else if (*text == "competition") {
        type = DayType::Competition;
    } else {
        UsageError("--type must be all, training or competition");
        return false;
    }
    return true;
}

std::optional<ViewSelection> ToolCommand::ReadSelection(const DateValue& today) {
    ViewSelection selection(dates, today);
    if (const std::optional<std::string>& name = Value(Option::Category)) {
        Category category = Category::Distance;
        if (!ViewSelection::CategoryNamed(*name, category)) {
            std::string names;
            for (const char* n : ViewSelection::kCategoryNames) {
                names += (names.empty() ? "" : ", ") + std::string(n);
            }
            UsageError("--category must be one of " + names);
            return std::nullopt;
        }
        selection.SetCategory(category);
    }
    DayType type = DayType::AllDays;
    if (!ReadDayType(type)) {
        return std::nullopt;
    }
    selection.SetDayType(type);
    if (!ReadRange()) {
        return std::nullopt;
    }
    // The end first: the start's default is counted back from it.
    DateValue to = today;
    if (!ReadDate(Option::To, to)) {
        return std::nullopt;
    }
    DateValue from = to;
    dates.SubtractDays(from, ViewSelection::kDefaultDaysBack);
    if (!ReadDate(Option::From, from)) {
        return std::nullopt;
    }
    if (!selection.SetRange(from, to)) {
        UsageError("the range must run forwards and hold at most 1825 days");
        return std::nullopt;
    }
    return selection;
}

bool ToolCommand::Exists(const std::string& name) {
    struct stat info {};
    return ::stat(name.c_str(), &info) == 0;
}

int ToolCommand::OpenToRead(LogBookDatabase& database, const std::string& logbook) {
    if (!Exists(logbook)) {
        return Fail(logbook + ": no such logbook");
    }
    return database.Open(logbook, LogBookDatabase::Access::Read) ==
                   LogBookDatabase::OpenResult::Failed
               ? kProblem
               : kSuccess;
}

int ToolCommand::Print(std::string_view text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    return out ? kSuccess : StandardOutputFailed();
}

int ToolCommand::StandardOutputFailed() {
    return Fail(std::string("cannot write to standard output: ") + std::strerror(errno));
}

void ToolCommand::BackUpBeforeChanges(LogBookDatabase& database) {
    database.BackUpBeforeChanges([this](const LogBookBackups::BackupStatus& status) {
        Fail(status.Words() + " The logbook is changed all the same.");
    });
}
