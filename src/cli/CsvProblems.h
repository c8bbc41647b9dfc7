#pragma once
// The problems of a CSV file's rows as an import lists them on standard error, each
// "veloria-logbook: FILE: line N: problem": the first ToolCommand::kMaxListed, then how many
// more there were; and how many rows had any. One bad row stores nothing.

#include <ostream>
#include <string>
#include <vector>

class CsvProblems {
public:
    // csvName is the file's name as the messages give it (escaped already).
    CsvProblems(std::ostream& err, std::string csvName);

    // Lists a row's problems; a row without any is a good one.
    void Row(int line, const std::vector<std::string>& problems);
    int BadRows() const { return badRows; }
    // Says how many problems were left unlisted; then the words of the failure when a row
    // was bad ("FILE: 2 bad rows; nothing was stored"), else "".
    std::string Finish();

private:
    std::ostream& err;
    std::string csvName;
    int listed = 0;
    int badRows = 0;
};
