#include "cli/ToolCommand.h"

#include "cli/DayCsv.h"
#include "store/LogBookBackups.h"
#include "store/LogBookDatabase.h"
#include "store/Period.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <langinfo.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    const std::size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// WEEKSTART of vrl.ini's [GENERAL INFO], as the window reads it; empty when unset. The
// file is only read, and a line of garbage is only skipped.
std::string IniWeekStart() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string folder = config && *config ? std::string(config)
                               : home            ? std::string(home) + "/.config"
                                                 : std::string();
    std::ifstream in(folder + "/veloria/vrl.ini");
    bool inSection = false;
    std::string value;
    for (std::string line; std::getline(in, line);) {
        line = Trimmed(line);
        if (!line.empty() && line.front() == '[') {
            inSection = ::strcasecmp(line.c_str(), "[GENERAL INFO]") == 0;
        } else if (const std::size_t eq = line.find('='); inSection && eq != std::string::npos) {
            if (::strcasecmp(Trimmed(line.substr(0, eq)).c_str(), "WEEKSTART") == 0) {
                value = Trimmed(line.substr(eq + 1));
            }
        }
    }
    return value;
}

// The locale's first day of the week as the C library knows it: a reference day (a date
// written as a number, 19971130 a Sunday) and the first weekday counted from it (1 = the
// reference day itself). The C locale has no week of its own: Monday, as the windows take it.
WeekStart LocaleWeekStart() {
    const char* previous = std::setlocale(LC_TIME, nullptr);
    const std::string restore = previous ? previous : "C";
    const char* name = std::setlocale(LC_TIME, "");
    WeekStart start = WeekStart::Monday;
    if (name && std::strcmp(name, "C") != 0 && std::strcmp(name, "POSIX") != 0 &&
        std::strncmp(name, "C.", 2) != 0) {
        const int first = *::nl_langinfo(_NL_TIME_FIRST_WEEKDAY);
        union {
            char* text;
            std::uintptr_t word;
        } reference{::nl_langinfo(_NL_TIME_WEEK_1STDAY)};
        const auto key = static_cast<std::int32_t>(reference.word);
        const std::int64_t monday0 = ((weeks::DayNumber(key) + 3) % 7 + 7) % 7;
        const std::int64_t day = (monday0 + first - 1) % 7;
        start = day == 6 ? WeekStart::Sunday : day == 5 ? WeekStart::Saturday : WeekStart::Monday;
    }
    std::setlocale(LC_TIME, restore.c_str());
    return start;
}

} // namespace

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

bool ToolCommand::ReadWeekStart(WeekStart& start) {
    const std::optional<std::string>& given = Value(Option::WeekStart);
    const std::string word = given ? *given : IniWeekStart();
    if (const std::optional<WeekStart> read = periods::WeekStartOfWord(word)) {
        start = *read;
    } else if (given) {
        UsageError("--week-start must be mon, sun or sat");
        return false;
    } else {
        start = LocaleWeekStart();
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
    WeekStart start{};
    if (!ReadWeekStart(start)) {
        return false;
    }
    days = range->On(dates.KeyOfDate(Today()), start, entries);
    if (!days) {
        Fail("--range all: the logbook holds no days");
        return false;
    }
    return true;
}

bool ToolCommand::RangeKeys(const LogBookDatabase& database, std::int32_t& first,
                            std::int32_t& last) {
    std::optional<DayRange> days;
    if (!RangeDays(database, days)) {
        return false;
    }
    if (days) {
        first = days->first;
        last = days->last;
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
