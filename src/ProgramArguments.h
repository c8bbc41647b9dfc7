#pragma once
// The window program's command line:  veloria [LOGBOOK] | --help | --version.
// main reads it before the display is opened, so that --help, --version and a usage error
// are answered without one; the window system's own options (-platform, -display, ...) are
// read past and left to Qt. Plain C++: it knows no window.

#include <string>
#include <vector>

struct ProgramArguments {
    enum class Action { Run, Help, Version, UsageError };

    // arguments without the program's name. A relative LOGBOOK is made absolute against the
    // current folder, since it is remembered for the next start.
    static ProgramArguments Read(const std::vector<std::string>& arguments);

    Action action = Action::Run;
    std::string logBook; // empty: the remembered logbook
    std::string problem; // what is wrong, for UsageError

    static const char* const kHelp;
    static const char* const kVersion;
};
