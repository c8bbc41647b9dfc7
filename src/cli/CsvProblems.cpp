#include "cli/CsvProblems.h"

#include "cli/ToolCommand.h"
#include "store/EscapedText.h"

#include <utility>

CsvProblems::CsvProblems(std::ostream& err, std::string csvName)
    : err(err), csvName(std::move(csvName)) {}

void CsvProblems::Row(int line, const std::vector<std::string>& problems) {
    for (const std::string& p : problems) {
        if (++listed <= ToolCommand::kMaxListed) {
            err << "veloria-logbook: " << csvName << ": line " << line << ": " << EscapedText::Of(p)
                << '\n';
        }
    }
    badRows += problems.empty() ? 0 : 1;
}

std::string CsvProblems::Finish() {
    if (listed > ToolCommand::kMaxListed) {
        err << "veloria-logbook: " << csvName << ": ... and " << listed - ToolCommand::kMaxListed
            << " more problems\n";
    }
    if (badRows == 0) {
        return {};
    }
    return csvName + ": " + std::to_string(badRows) + (badRows == 1 ? " bad row" : " bad rows") +
           "; nothing was stored";
}
