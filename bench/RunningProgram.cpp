#include "RunningProgram.h"

#include "ProgramTools.h"
#include "framework/TMessageBox.h"
#include "shell/ClientWindow.h"
#include "shell/TMainApp.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

RunningProgram::RunningProgram(SampleLogBook& book) : book(book) {
    book.Database().Close();
    ::setenv("XDG_CONFIG_HOME", (book.Folder() + "/config").c_str(), 1);
    std::filesystem::create_directories(book.Folder() + "/config/veloria");
    std::ofstream(book.Folder() + "/config/veloria/vrl.ini")
        << "[GENERAL INFO]\nVERSION=3.2\nLOGBOOK=" << book.DataFileName() << "\n";
    ClientWindow::SetTitleScreenEnabled(false);
    ProgramTools::Register();
    TMessageBox::QueueAnswers({}); // a message would fail the run rather than wait
    app = std::make_unique<TMainApp>(argc, argv);
    if (!app->Start() || app->Client()->Database().EntryCount() != SampleLogBook::kDays) {
        book.Fail("the program did not open the sample");
        app.reset();
    }
}

RunningProgram::~RunningProgram() {
    if (!TMessageBox::History().empty()) {
        book.Fail(TMessageBox::History().front().text.c_str());
    }
    app.reset();
    TMessageBox::ResetScript();
    ::unsetenv("XDG_CONFIG_HOME");
}

ClientWindow* RunningProgram::Client() const {
    return app ? app->Client() : nullptr;
}
