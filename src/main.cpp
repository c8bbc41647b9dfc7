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
    // Help, the version and a usage error need no display, so they are answered before Qt
    // opens one.
    const ProgramArguments early = ReadArguments(argc, argv);
    switch (early.action) {
    case ProgramArguments::Action::Help:
        std::fputs(ProgramArguments::kHelp, stdout);
        return 0;
    case ProgramArguments::Action::Version:
        std::fputs(ProgramArguments::kVersion, stdout);
        return 0;
    case ProgramArguments::Action::UsageError:
        std::fprintf(stderr, "veloria: %s\n%s", early.problem.c_str(), ProgramArguments::kHelp);
        return 2;
    case ProgramArguments::Action::Run:
        break;
    }
    TMainApp app(argc, argv);
    app.SetStartLogBook(early.logBook);
    ProgramTools::Register();
    return app.Run();
}
