// Veloria: a training log for athletes.
#include "ProgramTools.h"
#include "shell/TMainApp.h"
#include "store/ProcessStart.h"

int main(int argc, char** argv) {
    ProcessStart::Prepare(); // before any file is opened: see ProcessStart.h
    TMainApp app(argc, argv);
    ProgramTools::Register();
    return app.Run();
}
