#include "ProgramArguments.h"

#include <filesystem>
#include <string_view>

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

namespace {

// The window system's own options, which Qt takes out of the command line once it starts
// (with one dash or two; "-style=fusion" holds its value). They are read past, so that a
// mistake in ours is said before a display is opened.
struct WindowSystemOption {
    std::string_view name;
    bool takesValue;
};
constexpr WindowSystemOption kWindowSystemOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"session", true},
    {"display", true},
    {"geometry", true},
    {"title", true},
    {"icon", true},
    {"name", true},
    {"visual", true},
    {"style", true},
    {"stylesheet", true},
    {"qmljsdebugger", true},
    {"reverse", false},
    {"widgetcount", false},
    {"sync", false},
    {"nograb", false},
    {"dograb", false},
};

// How many arguments an option of the window system's spans from a: 0 when a is none.
int WindowSystemSpan(std::string_view a) {
    a.remove_prefix(a.starts_with("--") ? 2 : a.starts_with("-") ? 1 : 0);
    const std::size_t equals = a.find('=');
    for (const WindowSystemOption& option : kWindowSystemOptions) {
        if (a.substr(0, equals) == option.name) {
            return option.takesValue && equals == std::string_view::npos ? 2 : 1;
        }
    }
    return 0;
}

} // namespace

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
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (options && a == "--") {
            options = false;
        } else if (const int span =
                       options && a.size() > 1 && a[0] == '-' ? WindowSystemSpan(a) : 0;
                   span > 0) {
            i += static_cast<std::size_t>(span - 1);
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
