#pragma once
// The report as a text file: its bytes for a selection and options, and writing them by
// the rule every output file follows (OutputFile): never over a logbook, an index or a
// read-only file; a regular file is replaced only when every byte is on the disk, so a
// failure leaves an earlier file of that name as it was.

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

    // Writes the bytes to the path; 1 on success, 0 after reporting why not: a path the
    // rule refuses is reported with the rule's reason (naming the file), a write that
    // fails with kCannotCreate. heldLogbook is the logbook the caller has open.
    static int Write(const std::string& path, std::string_view bytes, ErrorReporter& owner,
                     const std::string& heldLogbook = {});
};
