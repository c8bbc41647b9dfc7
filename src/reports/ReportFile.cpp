#include "reports/ReportFile.h"

#include "store/OutputFile.h"
#include "views/ViewSelection.h"

std::string ReportFile::Text(LogBookDatabase& database, const ViewSelection& selection,
                             const ReportOptions& options) {
    std::vector<std::int32_t> positions;
    selection.Positions(database, positions);
    DateUtility dates;
    ReportPages pages(dates);
    pages.Layout(selection, static_cast<int>(positions.size()), options);
    return pages.FileText(database, positions);
}

int ReportFile::Write(const std::string& path, std::string_view bytes, ErrorReporter& owner,
                      const std::string& heldLogbook) {
    const std::string refusal = OutputFile::Refusal(path, heldLogbook);
    if (!refusal.empty()) {
        owner.ReportError(refusal.c_str());
        return 0;
    }
    OutputFile file;
    if (!file.Open(path, heldLogbook) || !file.Write(bytes) || !file.Commit()) {
        owner.ReportError(kCannotCreate);
        return 0;
    }
    return 1;
}
