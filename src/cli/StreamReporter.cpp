#include "cli/StreamReporter.h"

void StreamReporter::ReportError(const char* message) {
    ++count;
    err << "veloria-logbook: " << subject << ": " << message << '\n';
}
