#include "cli/ReportCommand.h"

#include "cli/StreamReporter.h"
#include "cli/ToolCommand.h"
#include "reports/ReportFile.h"
#include "store/LogBookDatabase.h"
#include "store/OutputFile.h"

int ReportCommand(ToolCommand& tool) {
    const std::string& logbook = tool.operands[0];
    std::optional<ViewSelection> selection = tool.ReadSelection(tool.Today());
    if (!selection) {
        return ToolCommand::kUsageError;
    }
    StreamReporter reporter(tool.err, logbook);
    LogBookDatabase database(reporter, tool.dates);
    if (const int opened = tool.OpenToRead(database, logbook); opened != ToolCommand::kSuccess) {
        return opened;
    }
    if (!tool.SelectRange(database, *selection)) {
        return ToolCommand::kProblem;
    }
    ReportOptions report;
    std::string why;
    if (!report.SetTexts(tool.Value(Option::Title).value_or(""),
                         tool.Value(Option::Comments).value_or(""), why)) {
        return tool.Fail(why);
    }
    report.titlePage = !tool.Given(Option::NoTitlePage);
    report.pageNumbers = !tool.Given(Option::NoPageNumbers);
    const std::string bytes = ReportFile::Text(database, *selection, report);
    if (database.ReadFailures() != 0 || reporter.Count() != 0) {
        return tool.Fail(logbook + ": the logbook could not be read; no report was written");
    }
    if (const std::optional<std::string>& output = tool.Value(Option::Output)) {
        OutputFile file;
        if (!file.Open(*output, logbook) || !file.Write(bytes) || !file.Commit()) {
            return tool.Fail(file.Problem() + "; no report was written");
        }
        return ToolCommand::kSuccess;
    }
    return tool.Print(bytes);
}
