#include "ProgramArguments.h"

#include <filesystem>

#ifndef VELORIA_VERSION
#error "VELORIA_VERSION comes from the project's version"
#endif

const char* const ProgramArguments::kHelp =
    "usage: veloria [LOGBOOK]\n"
    "       veloria --help | --version\n"
    "\n"
    "Keeps a training log: enter days, see a month's calendar, graphs and statistics, search,\n"
    "and print reports. Starts on LOGBOOK (a .vrl file, created when missing) and remembers\n"
    "it, as File > Open does; without one, on the logbook it last had open, the first time\n"
    "logBooks/mylog.vrl under the current folder.\n"
    "\n"
    "  --help     print this text and end\n"
    "  --version  print the version and end\n"
    "\n"
    "Exit status: 0 success, 2 usage error.\n";

const char* const ProgramArguments::kVersion = "veloria " VELORIA_VERSION "\n";

ProgramArguments ProgramArguments::Read(const std::vector<std::string>& arguments) {
    ProgramArguments result;
    bool options = true;
    // --help and --version win wherever they stand, so a Qt option before them does not stop
    // them from working without a display.
    for (const std::string& a : arguments) {
        if (a == "--") {
            break;
        }
        if (a == "--help" || a == "-h") {
            result.action = Action::Help;
            return result;
        }
        if (a == "--version") {
            result.action = Action::Version;
        }
    }
    if (result.action == Action::Version) {
        return result;
    }
    for (const std::string& a : arguments) {
        if (options && a == "--") {
            options = false;
        } else if (options && a.size() > 1 && a[0] == '-') {
            result.action = Action::UsageError;
            result.problem = "unknown option " + a;
            return result;
        } else if (!result.logBook.empty() || a.empty()) {
            result.action = Action::UsageError;
            result.problem = a.empty() ? "an empty LOGBOOK" : "one LOGBOOK at most";
            return result;
        } else {
            std::error_code error;
            const std::filesystem::path absolute = std::filesystem::absolute(a, error);
            result.logBook = error ? a : absolute.lexically_normal().string();
        }
    }
    return result;
}
