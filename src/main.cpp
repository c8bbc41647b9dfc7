// Veloria: a training log for athletes.
#include "ProgramArguments.h"
#include "ProgramTools.h"
#include "shell/TMainApp.h"
#include "store/ProcessStart.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

ProgramArguments ReadArguments(int argc, char** argv) {
    return ProgramArguments::Read(std::vector<std::string>(argv + 1, argv + argc));
}

} // namespace

int main(int argc, char** argv) {
    ProcessStart::Prepare(); // before any file is opened: see ProcessStart.h
    // Help and the version need no display, so they are answered before Qt opens one.
    const ProgramArguments early = ReadArguments(argc, argv);
    if (early.action == ProgramArguments::Action::Help) {
        std::fputs(ProgramArguments::kHelp, stdout);
        return 0;
    }
    if (early.action == ProgramArguments::Action::Version) {
        std::fputs(ProgramArguments::kVersion, stdout);
        return 0;
    }
    TMainApp app(argc, argv);
    // Qt has taken its own options out of argv by now.
    const ProgramArguments arguments = ReadArguments(argc, argv);
    if (arguments.action == ProgramArguments::Action::UsageError) {
        std::fprintf(stderr, "veloria: %s\n%s", arguments.problem.c_str(), ProgramArguments::kHelp);
        return 2;
    }
    app.SetStartLogBook(arguments.logBook);
    ProgramTools::Register();
    return app.Run();
}
