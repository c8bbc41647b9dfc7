#pragma once
// The application: builds the client window and the main frame around it, from the
// settings in vrl.ini.

#include "framework/TApplication.h"
#include "framework/TProfile.h"

#include <memory>
#include <string>
#include <utility>

class ClientWindow;
class MainFrame;

class TMainApp : public TApplication {
public:
    TMainApp(int& argc, char** argv);
    ~TMainApp() override;

    ClientWindow* Client() const { return client.get(); }
    MainFrame* Frame() const { return frame.get(); }
    TProfile& Profile() { return profile; }
    // The logbook named on the command line, opened in place of the remembered one.
    void SetStartLogBook(std::string path) { startLogBook = std::move(path); }

protected:
    void BuildMainWindow() override;

private:
    TProfile profile;
    std::string startLogBook;
    std::unique_ptr<ClientWindow> client;
    std::unique_ptr<MainFrame> frame;
};
