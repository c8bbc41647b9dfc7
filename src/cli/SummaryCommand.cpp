#include "cli/SummaryCommand.h"

#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/ActivityStore.h"
#include "store/EscapedText.h"
#include "store/LogBookDatabase.h"
#include "summary/SummaryTable.h"

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <langinfo.h>
#include <optional>
#include <sstream>
#include <strings.h>

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

int SummaryCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    SummaryTable::Choice choice;
    if (const std::optional<std::string>& per = tool.Value(Option::Per)) {
        const std::optional<PeriodKind> kind = periods::KindOfWord(*per);
        if (!kind) {
            return tool.UsageError("--per must be week, month or year");
        }
        choice.kind = *kind;
    }
    const std::optional<std::string>& weekStart = tool.Value(Option::WeekStart);
    const std::string word = weekStart ? *weekStart : IniWeekStart();
    if (const std::optional<WeekStart> start = periods::WeekStartOfWord(word)) {
        choice.weekStart = *start;
    } else if (weekStart) {
        return tool.UsageError("--week-start must be mon, sun or sat");
    } else {
        choice.weekStart = LocaleWeekStart();
    }
    DateValue from{};
    DateValue to{};
    if (!tool.ReadRange() || !tool.ReadDate(Option::From, from) || !tool.ReadDate(Option::To, to)) {
        return ToolCommand::kUsageError;
    }
    choice.from = tool.Given(Option::From) ? tool.dates.KeyOfDate(from) : 0;
    choice.to = tool.Given(Option::To) ? tool.dates.KeyOfDate(to) : 0;
    const std::int32_t today = tool.dates.KeyOfDate(tool.Today());
    if (choice.from != 0 && choice.from > (choice.to != 0 ? choice.to : today)) {
        return tool.UsageError("--from is after --to");
    }
    if (const std::optional<std::string>& sport = tool.Value(Option::Sport)) {
        choice.sport = *sport;
    }

    StreamReporter reporter(tool.err, EscapedText::Of(logbook));
    LogBookDatabase database(reporter, tool.dates);
    if (const int opened = tool.OpenToRead(database, logbook); opened != ToolCommand::kSuccess) {
        return opened;
    }
    if (std::optional<DayRange> days; !tool.RangeDays(database, days)) {
        return ToolCommand::kProblem;
    } else if (days) {
        choice.from = days->first;
        choice.to = days->last;
    }
    ActivityStore activities;
    const ActivityStore::Outcome open = activities.Open(database, false);
    if (!open.Ok() && open.code != ActivityStore::Code::Missing) {
        return tool.Fail(EscapedText::Of(open.words));
    }
    SummaryTable table;
    const bool read = table.Load(database, open.Ok() ? &activities : nullptr, choice, today);
    // Printed only when every day was read: totals missing a day look whole.
    if (!read || database.ReadFailures() != 0 || reporter.Count() != 0) {
        return tool.Fail(logbook + ": the logbook could not be read; nothing was printed");
    }
    std::ostringstream text;
    if (tool.Given(Option::Csv)) {
        text << SummaryTable::CsvHeader() << '\n';
        for (const SummaryTable::Row& row : table.Rows()) {
            text << table.CsvLine(row) << '\n';
        }
    } else {
        text << table.HeaderLine() << '\n';
        for (const SummaryTable::Row& row : table.Rows()) {
            text << table.Line(row) << '\n';
        }
    }
    return tool.Print(text.str());
}
