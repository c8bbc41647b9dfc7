#include "cli/ViewCommands.h"

#include "cli/DayCsv.h"
#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "cli/ViewReports.h"
#include "store/LogBookDatabase.h"

#include <sstream>

namespace {

enum class View { Stats, Calendar, Graph };

int PrintView(ToolCommand& tool, View view) {
    const std::string& logbook = tool.operands[0];
    const DateValue today = tool.Today();
    std::optional<ViewSelection> selection = tool.ReadSelection(today);
    if (!selection) {
        return ToolCommand::kUsageError;
    }
    DateValue month = today;
    if (const std::optional<std::string>& text = tool.Value(Option::Month)) {
        if (!DayCsv(tool.dates).ReadDate(*text + "-01", month) || text->size() != 7) {
            return tool.UsageError("--month \"" + *text +
                                   "\" is not a month from 1960-01 to 2100-12");
        }
    }
    StreamReporter reporter(tool.err, logbook);
    LogBookDatabase database(reporter, tool.dates);
    if (const int opened = tool.OpenToRead(database, logbook); opened != ToolCommand::kSuccess) {
        return opened;
    }
    if (!tool.SelectRange(database, *selection)) {
        return ToolCommand::kProblem;
    }
    // Printed only when every day was read: figures missing a day look whole.
    const ViewReports reports(tool.dates);
    std::ostringstream text;
    bool read = false;
    switch (view) {
    case View::Stats:
        read = reports.Statistics(database, *selection, tool.Given(Option::Csv), text);
        break;
    case View::Calendar:
        read = reports.Calendar(database, month, selection->CurrentCategory(), today, text);
        break;
    case View::Graph:
        read = reports.Graph(database, *selection, text);
        break;
    }
    if (!read || database.ReadFailures() != 0 || reporter.Count() != 0) {
        return tool.Fail(logbook + ": the logbook could not be read; nothing was printed");
    }
    return tool.Print(text.str());
}

} // namespace

int StatsCommand(ToolCommand& tool) {
    return PrintView(tool, View::Stats);
}

int CalendarCommand(ToolCommand& tool) {
    return PrintView(tool, View::Calendar);
}

int GraphCommand(ToolCommand& tool) {
    return PrintView(tool, View::Graph);
}
