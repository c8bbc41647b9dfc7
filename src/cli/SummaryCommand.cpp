#include "cli/SummaryCommand.h"

#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "store/ActivityStore.h"
#include "store/EscapedText.h"
#include "store/LogBookDatabase.h"
#include "summary/SummaryTable.h"

#include <cstdint>
#include <optional>
#include <sstream>

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
    if (!tool.ReadWeekStart(choice.weekStart)) {
        return ToolCommand::kUsageError;
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
    if (!tool.RangeKeys(database, choice.from, choice.to)) {
        return ToolCommand::kProblem;
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
