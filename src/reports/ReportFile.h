#pragma once
// The report as a text file: its bytes for a selection and options, and writing them so
// that a failure leaves any earlier file of that name as it was. The text is written to a
// new file beside the target (created exclusively, so never through a symbolic link or over
// another file) and renamed onto the target only when every byte is on the disk.

#include "reports/ReportPages.h"
#include "store/ErrorReporter.h"
#include "store/LogBookDatabase.h"

#include <string>
#include <string_view>

class ViewSelection;

class ReportFile {
public:
    static constexpr const char* kCannotCreate = "Cannot create report file.";

    // The whole file in UTF-8, as Create File writes it: the selection's days found through
    // the fast index, laid out with these options. Store failures are reported by the store.
    static std::string Text(LogBookDatabase& database, const ViewSelection& selection,
                            const ReportOptions& options);

    // Writes the bytes to the path; 1 on success, 0 after reporting kCannotCreate.
    static int Write(const std::string& path, std::string_view bytes, ErrorReporter& owner);
};
