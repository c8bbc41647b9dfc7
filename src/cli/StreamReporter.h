#pragma once
// Shows the store's failure messages as one line each on an error stream, after the name
// of the logbook they concern.

#include "store/ErrorReporter.h"

#include <ostream>
#include <string>

class StreamReporter : public ErrorReporter {
public:
    StreamReporter(std::ostream& err, std::string subject) : err(err), subject(std::move(subject)) {}
    void ReportError(const char* message) override;
    int Count() const { return count; }

private:
    std::ostream& err;
    std::string subject;
    int count = 0;
};
