#pragma once
// The command-line companion: export a logbook to CSV, import CSV into a logbook, check
// (and repair) a logbook's index, and print the views' figures (statistics, a calendar
// month, a graph's points) as the windows compute them. All logbook access goes through the store.
// Exit status: 0 success, 1 a problem found or bad input, 2 a usage error.

#include "store/DateUtility.h"

class LogBookDatabase;
class StreamReporter;
class ViewSelection;

#include <ostream>
#include <string>
#include <vector>

class LogBookTool {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kProblem = 1;
    static constexpr int kUsageError = 2;

    LogBookTool(std::ostream& out, std::ostream& err) : out(out), err(err) {}

    int Run(const std::vector<std::string>& arguments);

    static const char* const kUsage;

private:
    struct Options;

    int RunCommand(const std::vector<std::string>& arguments);
    int Export(const Options& options);
    int Import(const Options& options);
    int Check(const Options& options);
    // stats, calendar and graph: the views' figures as the windows show them.
    int View(const Options& options);
    int Report(const Options& options, LogBookDatabase& database, const ViewSelection& selection,
               StreamReporter& reporter);
    int Fail(const std::string& message);
    int UsageError(const std::string& message);

    std::ostream& out;
    std::ostream& err;
    DateUtility dates;
};
