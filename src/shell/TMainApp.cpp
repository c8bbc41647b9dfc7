#include "shell/TMainApp.h"

#include "shell/ClientWindow.h"
#include "shell/MainFrame.h"
#include "shell/Settings.h"
#include "shell/ShellResources.h"

TMainApp::TMainApp(int& argc, char** argv)
    : TApplication("Veloria", argc, argv), profile(TProfile::DefaultPath(Settings::kIniFile)) {
    ShellResources::Register();
}

TMainApp::~TMainApp() {
    if (frame) {
        frame->Destroy(0);
    }
    frame.reset();
    client.reset();
}

void TMainApp::BuildMainWindow() {
    // The title names the logbook the client window actually opened (the same setting and
    // default, so a first run shows the full path of the file under the current folder),
    // or says that none is open.
    ShellResources::RegisterMenu();
    client = std::make_unique<ClientWindow>(profile, startLogBook);
    DateValue today;
    client->Dates().Today(today);
    frame =
        std::make_unique<MainFrame>(client->Title(), *client, client->Dates().LongDateText(today));
    SetMainWindow(frame.get());
    SetShowMode(TShowMode::Maximized);
}
