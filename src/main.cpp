// Veloria: a training log for athletes.
#include "ProgramTools.h"
#include "shell/TMainApp.h"

int main(int argc, char** argv) {
    TMainApp app(argc, argv);
    ProgramTools::Register();
    return app.Run();
}
